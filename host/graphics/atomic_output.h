// A file written beside its target and renamed over it only when complete.
#pragma once

#include "acadstrc.h"

#include <cstdio>
#include <string>

namespace kelvora {

class AtomicOutput {
public:
    AtomicOutput() = default;
    ~AtomicOutput();  // an output not committed is removed
    AtomicOutput(const AtomicOutput&) = delete;
    AtomicOutput& operator=(const AtomicOutput&) = delete;

    // Makes a new file in the target's folder; eFileAccessErr when it cannot.
    Acad::ErrorStatus open(const std::string& targetPath);

    // Appends bytes; false (and the output marked failed) when the write fails.
    bool write(const unsigned char* data, std::size_t length);

    // Flushes the file to disk and renames it over the target; eFileAccessErr on any failure
    // so far, and then the target is left untouched.
    Acad::ErrorStatus commit();

    // Drops the output: the file beside the target is removed.
    void discard();

private:
    std::FILE* m_file = nullptr;
    std::string m_target;
    std::string m_temporary;
    bool m_failed = false;
};

}  // namespace kelvora
