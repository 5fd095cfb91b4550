// Reports of misuse of the host API: written to standard error, counted, never fatal.
#pragma once

namespace kelvora {

// Writes "kelvora: internal misuse: WHAT" (one line) to standard error and counts it. For calls the
// commercial host would assert on: the operation then answers an error status instead.
void reportMisuse(const char* what);
void reportMisuse(const wchar_t* what);

// The number of misuse reports since the process started (tests check that misuse was seen).
long misuseCount();

// While an instance lives, misuse reports are counted but not printed (tests of misuse paths).
class QuietMisuse {
public:
    QuietMisuse();
    ~QuietMisuse();
    QuietMisuse(const QuietMisuse&) = delete;
    QuietMisuse& operator=(const QuietMisuse&) = delete;

private:
    bool m_previous;
};

}  // namespace kelvora
