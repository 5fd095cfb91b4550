// Helpers of the DXF tests: fixture paths, scratch folders, and running ezdxf as an independent reader.
#pragma once

#include "kelvora/dxf_diagnostics.h"
#include "kelvora/dxf_raw.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelvora::test {

std::string fixturePath(const std::string& name);
std::string testDataPath(const std::string& name);
std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, std::string_view bytes);

// A folder of its own under the system's temporary folder, removed at the end of the test.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// Runs `script` with Debian's python (the one that has ezdxf); the status and
// what it printed on standard output (standard error joined).
struct PythonResult {
    int status = -1;
    std::string output;
};
PythonResult runPython(const std::string& script);

// 1-based number of the first line from line `from` on whose text (CR stripped) is `text`; 0 if none.
std::uint32_t lineOf(std::string_view bytes, std::string_view text, std::uint32_t from = 1);
std::uint32_t lineCount(std::string_view bytes);

// Every group of the drawing in file order, as one list, for comparing two readings.
std::vector<DxfTag> allTags(const DxfRawDrawing& drawing);

bool hasMessage(const DxfDiagnostics& d, DxfSeverity severity, std::uint32_t line);
std::string describe(const DxfDiagnostics& d);

}  // namespace kelvora::test
