// kelvora convert: a drawing read and written again through the host, in the version asked.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "commands.h"
#include "heap_setup.h"
#include "dbmain.h"
#include "kelvora/drawing_file.h"
#include "options.h"
#include "usage.h"

namespace kelvora::cli {

namespace {

struct ConvertOptions {
    std::optional<std::string> input;
    std::optional<std::string> output;
    std::optional<std::string> version;
    DxfVersion dxfVersion = DxfVersion::R2007;
    bool times = false;  // how long reading and saving took, on standard error
};

std::optional<std::string> parseConvertArguments(std::vector<std::string> arguments, ConvertOptions& o, bool& help)
{
    ArgumentReader args(std::move(arguments));
    while (!args.done()) {
        std::string arg = args.take();
        if (!args.isOption()) {
            if (setOnce(o.input, arg, "IN"))
                return "more than one input drawing given (\"" + arg + "\")";
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            help = true;
            return std::nullopt;
        }
        if (arg == "--times") {
            o.times = true;
            continue;
        }
        std::optional<std::string>* slot = nullptr;
        if (arg == "-o" || arg == "--output")
            slot = &o.output;
        else if (arg == "--dxf-version")
            slot = &o.version;
        else
            return "unknown option " + arg;
        std::string error;
        auto value = args.value(error);
        if (!value)
            return error;
        if (auto e = setOnce(*slot, *value, arg))
            return e;
    }
    if (!o.input)
        return "convert needs an input drawing";
    if (!o.output)
        return "convert needs -o OUT.dxf";
    if (o.version) {
        if (auto e = parseDxfVersion(*o.version, o.dxfVersion))
            return e;
    }
    return std::nullopt;
}

// The diagnostics of one file on standard error, in the compiler convention.
void report(const DxfDiagnostics& diagnostics, const std::string& path)
{
    std::fputs(diagnostics.formatAll(path).c_str(), stderr);
}

// "read 0.61 s (86.0 MB/s), saved 0.49 s": the reading rate is the input file's size over the read.
void reportTimes(const std::string& input, std::chrono::steady_clock::duration read,
                 std::chrono::steady_clock::duration saved)
{
    const double readSeconds = std::chrono::duration<double>(read).count();
    const double savedSeconds = std::chrono::duration<double>(saved).count();
    std::error_code error;
    const auto bytes = std::filesystem::file_size(input, error);
    const double megabytes = error ? 0.0 : static_cast<double>(bytes) / 1e6;
    std::fprintf(stderr, "read %.2f s (%.1f MB/s), saved %.2f s\n", readSeconds,
                 readSeconds > 0.0 ? megabytes / readSeconds : 0.0, savedSeconds);
}

// The command is over once the drawing is saved (or cannot be): the process ends here instead of
// handing every object of the database back to the heap one by one, a twentieth of the command's
// time for a large drawing, when the system takes the whole memory back at once. Nothing else is
// left to do at exit (no module is loaded, the saved file is complete and renamed into place), so
// only the output is flushed, as returning from main would.
[[noreturn]] void endKeepingTheDrawing(int exitCode)
{
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

}  // namespace

int runConvert(std::vector<std::string> arguments)
{
    ConvertOptions options;
    bool help = false;
    if (auto error = parseConvertArguments(std::move(arguments), options, help))
        return usageError(*error);
    if (help)
        return printHelp();
    prepareHeapForWholeDrawings();
    if (auto error = unreadableDrawing(*options.input)) {
        std::fprintf(stderr, "%s\n", error->c_str());
        return kExitFailure;
    }
    const std::optional<DrawingVersion> version = parseDrawingVersion(dxfVersionName(options.dxfVersion));
    if (!version)
        return usageError("unsupported DXF version");
    // The module is not loaded: its objects stay proxies and are written back as they were read.
    AcDbDatabase db(false);
    DxfDiagnostics readDiagnostics;
    const auto start = std::chrono::steady_clock::now();
    const bool read = readDrawingFile(*options.input, db, readDiagnostics);
    const auto readEnd = std::chrono::steady_clock::now();
    report(readDiagnostics, *options.input);
    if (!read)
        return kExitFailure;
    DxfDiagnostics saveDiagnostics;
    const bool saved = saveDrawingFile(db, *options.output, *version, saveDiagnostics);
    const auto saveEnd = std::chrono::steady_clock::now();
    report(saveDiagnostics, *options.output);
    if (options.times)
        reportTimes(*options.input, readEnd - start, saveEnd - readEnd);
    endKeepingTheDrawing(saved ? kExitOk : kExitFailure);
}

}  // namespace kelvora::cli
