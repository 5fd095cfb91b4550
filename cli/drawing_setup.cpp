// Opening, saving and plotting the program's drawing, and loading its applications.
#include "drawing_setup.h"

#include <cstdio>
#include <filesystem>

#include "dbmain.h"
#include "kelvora/applications.h"
#include "kelvora/drawing_file.h"
#include "kelvora/editor_session.h"
#include "kelvora/plot_drawing.h"

namespace kelvora::cli {

namespace {

void printDiagnostics(const DxfDiagnostics& diagnostics, const std::string& fileName)
{
    std::string text = diagnostics.formatAll(fileName);
    if (!text.empty())
        std::fputs(text.c_str(), stderr);
}

DrawingVersion drawingVersion(DxfVersion version)
{
    return parseDrawingVersion(dxfVersionName(version)).value_or(kDefaultDrawingVersion);
}

}  // namespace

std::unique_ptr<AcDbDatabase> openDrawing(const std::optional<std::string>& path)
{
    if (!path)
        return std::make_unique<AcDbDatabase>(true, false);
    auto db = std::make_unique<AcDbDatabase>(false, false);
    DxfDiagnostics diagnostics;
    bool ok = readDrawingFile(*path, *db, diagnostics);
    printDiagnostics(diagnostics, *path);
    if (!ok || diagnostics.hasErrors())
        return nullptr;
    return db;
}

void loadApplications(EditorSession& session, bool noModule)
{
    if (noModule)
        return;
    std::string path = defaultModulePath();
    AppLoadResult result = session.loadModule(path);
    switch (result.status) {
    case AppLoadStatus::kLoaded:
    case AppLoadStatus::kAlreadyLoaded:
        break;
    case AppLoadStatus::kMissing:
        std::fprintf(stderr,
                     "kelvora: warning: no module library at %s: the module's commands are not available "
                     "(build the kelvora_module target, or set KELVORA_MODULE)\n",
                     path.c_str());
        break;
    default:
        std::fprintf(stderr, "kelvora: warning: the module was not loaded: %s\n", result.detail.c_str());
        break;
    }
    session.loadApplicationsForProxies();
}

bool saveDrawing(AcDbDatabase& db, const std::string& path, DxfVersion version)
{
    DxfDiagnostics diagnostics;
    bool ok = saveDrawingFile(db, path, drawingVersion(version), diagnostics);
    printDiagnostics(diagnostics, path);
    if (!ok && !diagnostics.hasErrors())
        std::fprintf(stderr, "%s: error: cannot write the drawing\n", path.c_str());
    return ok && !diagnostics.hasErrors();
}

bool plotDrawing(AcDbDatabase& db, const std::string& path, const PixelSize& size,
                 const std::optional<ViewWindow>& window)
{
    PlotOptions options;
    options.width = size.width;
    options.height = size.height;
    if (window)
        options.window = WorldExtents::fromCorners({window->x1, window->y1}, {window->x2, window->y2});
    std::string error;
    if (plotDatabase(&db, path, options, error) == Acad::eOk)
        return true;
    std::fprintf(stderr, "%s\n", error.empty() ? (path + ": error: cannot plot").c_str() : error.c_str());
    return false;
}

void closeDrawing(std::unique_ptr<AcDbDatabase>& db)
{
    db.reset();
    unloadAllApplications();
}

}  // namespace kelvora::cli
