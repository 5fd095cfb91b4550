// Helpers of the drawing file tests: reading and writing through the database, and checks of written files.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dbmain.h"
#include "dxf_test_support.h"
#include "kelvora/drawing_file.h"

namespace kelvora::test {

// A database read from a file or from text, with what the reading said.
struct ReadDrawing {
    std::unique_ptr<AcDbDatabase> db;
    DxfDiagnostics diagnostics;
    bool ok = false;
};
ReadDrawing readDrawingPath(const std::string& path);
ReadDrawing readDrawingText(std::string_view text);

// The drawing written as the text of a file of `version`; failures land in `diagnostics`.
std::string writeDrawingText(AcDbDatabase& db, DrawingVersion version, DxfDiagnostics& diagnostics);
std::string writeDrawingText(AcDbDatabase& db, DrawingVersion version = kDefaultDrawingVersion);

// What readers of DXF files insist on that the written text breaks, one line each: handles (present,
// hexadecimal, unique, not 0, below $HANDSEED), owners that exist, subclass markers, the standard
// tables and records, the root dictionary with ACAD_GROUP and ACAD_LAYOUT and a layout for each
// space, applications of extended data in the APPID table, layers, linetypes and text styles that
// entities name, table counts, complete CLASS records, a BLOCK for every block record.
std::vector<std::string> strictProblems(std::string_view text);

// ezdxf's comparison of the written file with the original (tests/data/dxf/drawing_check.py):
// "ok" when it holds what was read and ezdxf's audit finds no error.
PythonResult ezdxfCheck(const std::string& original, const std::string& written);
// ezdxf's audit of a file: its errors, one a line ("" when there is none).
std::string ezdxfAuditErrors(const std::string& path);

// The sample drawings of every version (tests/data/dxf/drawing_samples.py) into `folder`.
bool makeSampleDrawings(const std::string& folder, std::string& output);

// Every message, one a line, for failure output.
std::string messagesOf(const DxfDiagnostics& diagnostics);

}  // namespace kelvora::test
