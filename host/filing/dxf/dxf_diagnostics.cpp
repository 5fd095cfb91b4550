// Collects and formats the diagnostics of DXF reading and writing.
#include "kelvora/dxf_diagnostics.h"

#include <utility>

namespace kelvora {

void DxfDiagnostics::error(std::uint32_t line, std::string text)
{
    add({DxfSeverity::kError, line, std::move(text)});
}

void DxfDiagnostics::warning(std::uint32_t line, std::string text)
{
    add({DxfSeverity::kWarning, line, std::move(text)});
}

void DxfDiagnostics::add(DxfDiagnostic diagnostic)
{
    if (diagnostic.severity == DxfSeverity::kError)
        ++m_errorCount;
    else
        ++m_warningCount;
    if (m_messages.size() >= kMaxKept) {
        ++m_dropped;
        return;
    }
    m_messages.push_back(std::move(diagnostic));
}

std::string DxfDiagnostics::format(std::string_view fileName, const DxfDiagnostic& diagnostic)
{
    std::string out(fileName);
    if (diagnostic.line > 0) {
        out += ':';
        out += std::to_string(diagnostic.line);
    }
    out += diagnostic.severity == DxfSeverity::kError ? ": error: " : ": warning: ";
    out += diagnostic.text;
    return out;
}

std::string DxfDiagnostics::formatAll(std::string_view fileName) const
{
    std::string out;
    for (const DxfDiagnostic& d : m_messages) {
        out += format(fileName, d);
        out += '\n';
    }
    if (m_dropped > 0) {
        out += format(fileName, {DxfSeverity::kWarning, 0,
                                 std::to_string(m_dropped) + " more messages not shown"});
        out += '\n';
    }
    return out;
}

}  // namespace kelvora
