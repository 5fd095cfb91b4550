// kelvora plot: a drawing drawn to PNG, SVG or PDF.
#include <cstdio>
#include <memory>

#include "commands.h"
#include "heap_setup.h"
#include "dbmain.h"
#include "drawing_setup.h"
#include "kelvora/editor_session.h"
#include "kelvora/wide_text.h"
#include "options.h"
#include "usage.h"

namespace kelvora::cli {

namespace {

struct PlotOptions {
    std::optional<std::string> drawing;
    std::optional<std::string> output;
    std::optional<std::string> size;
    std::optional<std::string> window;
    PlotTarget target;
    PixelSize pixels;
    std::optional<ViewWindow> view;
};

std::optional<std::string> parsePlotArguments(std::vector<std::string> arguments, PlotOptions& o, bool& help)
{
    ArgumentReader args(std::move(arguments));
    while (!args.done()) {
        std::string arg = args.take();
        if (!args.isOption()) {
            if (setOnce(o.drawing, arg, "DRAWING"))
                return "more than one drawing given (\"" + arg + "\")";
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            help = true;
            return std::nullopt;
        }
        std::optional<std::string>* slot = nullptr;
        if (arg == "-o" || arg == "--output")
            slot = &o.output;
        else if (arg == "--size")
            slot = &o.size;
        else if (arg == "--window")
            slot = &o.window;
        else
            return "unknown option " + arg;
        std::string error;
        auto value = args.value(error);
        if (!value)
            return error;
        if (auto e = setOnce(*slot, *value, arg))
            return e;
    }
    if (!o.drawing)
        return "plot needs a drawing";
    if (!o.output)
        return "plot needs -o OUT.png|.svg|.pdf";
    if (auto e = parsePlotTarget(*o.output, o.target))
        return e;
    if (o.size) {
        if (auto e = parseSize(*o.size, o.pixels))
            return e;
    }
    if (o.window) {
        ViewWindow view;
        if (auto e = parseWindow(*o.window, view))
            return e;
        o.view = view;
    }
    return std::nullopt;
}

}  // namespace

int runPlot(std::vector<std::string> arguments)
{
    PlotOptions options;
    bool help = false;
    if (auto error = parsePlotArguments(std::move(arguments), options, help))
        return usageError(*error);
    if (help)
        return printHelp();
    prepareHeapForWholeDrawings();
    if (auto error = unreadableDrawing(*options.drawing)) {
        std::fprintf(stderr, "%s\n", error->c_str());
        return kExitFailure;
    }
    std::unique_ptr<AcDbDatabase> db = openDrawing(options.drawing);
    if (db == nullptr)
        return kExitFailure;
    int status = kExitOk;
    {
        // The module's entities plot through their own worldDraw, so the module is loaded.
        EditorSession session(*db, {true, fromUtf8(*options.drawing)});
        loadApplications(session, false);
        if (!plotDrawing(*db, options.target.path, options.pixels, options.view))
            status = kExitFailure;
    }
    closeDrawing(db);
    return status;
}

}  // namespace kelvora::cli
