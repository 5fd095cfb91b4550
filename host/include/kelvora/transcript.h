// The transcript: the one writer of standard output (prompts, answers, printed text, boxes, dialogs).
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace kelvora {

// Where transcript bytes go: standard output for the program, a string in tests.
class TranscriptSink {
public:
    virtual ~TranscriptSink() = default;
    virtual void put(std::string_view utf8) = 0;
    virtual void flush() {}
};

class FileTranscriptSink final : public TranscriptSink {
public:
    explicit FileTranscriptSink(std::FILE* file) : m_file(file) {}
    void put(std::string_view utf8) override;
    void flush() override;

private:
    std::FILE* m_file;
};

class StringTranscriptSink final : public TranscriptSink {
public:
    void put(std::string_view utf8) override { m_text += utf8; }
    const std::string& text() const { return m_text; }
    void clear() { m_text.clear(); }

private:
    std::string m_text;
};

// Writes text exactly as given: no line ends added, none translated, wide text as UTF-8.
// The transcript never shows a time, a path of the machine or a pointer value, so two runs
// of one script on one drawing give the same bytes.
class Transcript {
public:
    explicit Transcript(TranscriptSink& sink) : m_sink(&sink) {}

    void write(std::string_view utf8);
    void write(std::wstring_view text);
    void flush() { m_sink->flush(); }

    // The transcript on standard output, used when no command line is installed.
    static Transcript& standardOutput();

private:
    TranscriptSink* m_sink;
};

// The transcript of the installed command line, or standard output when there is none.
Transcript& currentTranscript();

}  // namespace kelvora
