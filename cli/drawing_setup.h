// What the run, shell and plot runners share: the drawing they open, the applications they load, saving and plotting.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "options.h"

class AcDbDatabase;

namespace kelvora {
class EditorSession;
}

namespace kelvora::cli {

// The drawing at `path` read from its file (its diagnostics on standard error), or a new drawing
// with the host's defaults when there is no path. Null when the file could not be read.
std::unique_ptr<AcDbDatabase> openDrawing(const std::optional<std::string>& path);

// Loads the program's module unless `noModule` (saying on standard error when it cannot), then the
// applications the drawing's proxies ask for through their demand-load records.
void loadApplications(EditorSession& session, bool noModule);

// Saves atomically in `version`; false after the diagnostics went to standard error.
bool saveDrawing(AcDbDatabase& db, const std::string& path, DxfVersion version);

// Plots model space; false after the message went to standard error.
bool plotDrawing(AcDbDatabase& db, const std::string& path, const PixelSize& size,
                 const std::optional<ViewWindow>& window);

// Ends the program's drawing: the session must be gone; the database goes, then the applications
// whose code its objects used.
void closeDrawing(std::unique_ptr<AcDbDatabase>& db);

}  // namespace kelvora::cli
