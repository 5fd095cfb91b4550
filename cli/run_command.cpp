// kelvora run: a drawing, a script of answers, then saving and plotting what the script made.
#include <cstdio>
#include <memory>

#include "commands.h"
#include "dbmain.h"
#include "drawing_setup.h"
#include "kelvora/clipboard.h"
#include "kelvora/command_line.h"
#include "kelvora/editor_session.h"
#include "kelvora/input_source.h"
#include "kelvora/wide_text.h"
#include "options.h"
#include "usage.h"

namespace kelvora::cli {

namespace {

struct RunOptions {
    std::optional<std::string> drawing;
    std::optional<std::string> script;
    std::optional<std::string> output;
    std::optional<std::string> plot;
    std::optional<std::string> clipboard;
    std::optional<std::string> version;
    bool noModule = false;
    PlotTarget plotTarget;
    DxfVersion dxfVersion = DxfVersion::R2007;
};

// The usage error's text, or nothing when the arguments are good.
std::optional<std::string> parseRunArguments(std::vector<std::string> arguments, RunOptions& o, bool& help)
{
    ArgumentReader args(std::move(arguments));
    while (!args.done()) {
        std::string arg = args.take();
        if (!args.isOption()) {
            if (auto error = setOnce(o.drawing, arg, "DRAWING"))
                return "more than one drawing given (\"" + arg + "\")";
            continue;
        }
        std::string error;
        std::optional<std::string>* slot = nullptr;
        if (arg == "--help" || arg == "-h") {
            help = true;
            return std::nullopt;
        }
        if (arg == "--no-module") {
            if (auto e = args.noValue())
                return e;
            o.noModule = true;
            continue;
        }
        if (arg == "--script" || arg == "-s")
            slot = &o.script;
        else if (arg == "-o" || arg == "--output")
            slot = &o.output;
        else if (arg == "--plot")
            slot = &o.plot;
        else if (arg == "--clipboard")
            slot = &o.clipboard;
        else if (arg == "--dxf-version")
            slot = &o.version;
        else
            return "unknown option " + arg;
        auto value = args.value(error);
        if (!value)
            return error;
        if (auto e = setOnce(*slot, *value, arg))
            return e;
    }
    if (o.plot) {
        if (auto e = parsePlotTarget(*o.plot, o.plotTarget))
            return e;
    }
    if (o.version) {
        if (auto e = parseDxfVersion(*o.version, o.dxfVersion))
            return e;
    }
    return std::nullopt;
}

// Writes the clipboard's text to the --clipboard file each time it is set.
std::function<void(const std::wstring&)> clipboardWriter(std::string path)
{
    return [path = std::move(path)](const std::wstring& text) {
        std::string error;
        if (!writeClipboardFile(path, text, error))
            std::fprintf(stderr, "%s\n", error.c_str());
    };
}

}  // namespace

int runScript(std::vector<std::string> arguments)
{
    RunOptions options;
    bool help = false;
    if (auto error = parseRunArguments(std::move(arguments), options, help))
        return usageError(*error);
    if (help)
        return printHelp();
    if (options.drawing) {
        if (auto error = unreadableDrawing(*options.drawing)) {
            std::fprintf(stderr, "%s\n", error->c_str());
            return kExitFailure;
        }
    }
    std::unique_ptr<InputSource> script;
    if (options.script) {
        std::string error;
        script = openScript(*options.script, error);
        if (script == nullptr) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return kExitFailure;
        }
    }
    std::unique_ptr<AcDbDatabase> db = openDrawing(options.drawing);
    if (db == nullptr)
        return kExitFailure;
    int status = kExitOk;
    {
        EditorSession session(*db, {options.drawing.has_value(), fromUtf8(options.drawing.value_or(""))});
        loadApplications(session, options.noModule);
        session.showDrawing();
        if (options.clipboard)
            setClipboardListener(clipboardWriter(*options.clipboard));
        bool ranToEnd = true;
        if (script != nullptr) {
            CommandLine line(*script, Transcript::standardOutput(), stderr);
            ranToEnd = session.runCommands(line);
            line.transcript().flush();
        }
        setClipboardListener({});
        if (!ranToEnd)
            status = kExitFailure;
        else if (options.output && !saveDrawing(*db, *options.output, options.dxfVersion))
            status = kExitFailure;
        else if (options.plot && !plotDrawing(*db, options.plotTarget.path, PixelSize{}, std::nullopt))
            status = kExitFailure;
    }
    closeDrawing(db);
    return status;
}

}  // namespace kelvora::cli
