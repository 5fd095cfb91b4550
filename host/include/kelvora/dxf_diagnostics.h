// Diagnostics of DXF reading and writing, collected rather than thrown, in the compiler convention.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelvora {

enum class DxfSeverity { kWarning, kError };

// One message about an input file. Lines count from 1; line 0 means the message
// concerns the whole file (it cannot be opened, or it is binary and has no lines).
struct DxfDiagnostic {
    DxfSeverity severity = DxfSeverity::kError;
    std::uint32_t line = 0;
    std::string text;
};

// The messages of one read or write. Bad input never throws: readers add a
// message here and either repair (warning) or give up on the damaged part (error).
class DxfDiagnostics {
public:
    // A garbage file could otherwise produce one message per line; past this many
    // the rest are counted, not kept, so memory stays bounded.
    static constexpr std::size_t kMaxKept = 200;

    void error(std::uint32_t line, std::string text);
    void warning(std::uint32_t line, std::string text);
    void add(DxfDiagnostic diagnostic);

    bool hasErrors() const { return m_errorCount > 0; }
    std::size_t errorCount() const { return m_errorCount; }
    std::size_t warningCount() const { return m_warningCount; }
    const std::vector<DxfDiagnostic>& messages() const { return m_messages; }
    // Messages beyond kMaxKept that were counted but not kept.
    std::size_t dropped() const { return m_dropped; }

    // "FILE:LINE: error: TEXT" (or "FILE: error: TEXT" for line 0).
    static std::string format(std::string_view fileName, const DxfDiagnostic& diagnostic);
    // Every kept message, one a line, each ended by "\n"; a last line tells how
    // many were dropped, if any.
    std::string formatAll(std::string_view fileName) const;

private:
    std::vector<DxfDiagnostic> m_messages;
    std::size_t m_errorCount = 0;
    std::size_t m_warningCount = 0;
    std::size_t m_dropped = 0;
};

}  // namespace kelvora
