// Input sources: where the command line reads its lines (a script file, standard input, a terminal).
#pragma once

#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kelvora {

// One line as read, in UTF-8, without its line end ("\n" or "\r\n"); lineNumber counts from 1.
struct InputLine {
    std::string text;
    int lineNumber = 0;
};

// A source of lines. Commands never see it: they ask the command line, which reads from
// whichever source the program set up, so a script and a person at a terminal drive the
// same code.
class InputSource {
public:
    virtual ~InputSource() = default;

    // The next line, or nothing at the end of the input. An interactive source shows
    // `prompt` itself (the last line of the prompt text) and lets the user edit the line;
    // Ctrl-C there gives the line "^C". A script source ignores the prompt.
    virtual std::optional<InputLine> readLine(std::string_view prompt) = 0;

    // True when the source shows prompts and the typed answers itself (a terminal).
    virtual bool interactive() const = 0;

    // The name for diagnostics: the script path as given, "<stdin>", or "<terminal>".
    virtual const std::string& name() const = 0;

    // Why reading stopped early (an I/O error), or nothing.
    virtual std::optional<std::string> readError() const { return std::nullopt; }
};

// Lines from a stream. A UTF-8 byte-order mark at the start is skipped.
std::unique_ptr<InputSource> makeStreamSource(std::string name, std::unique_ptr<std::istream> stream);

// Lines from standard input, named "<stdin>".
std::unique_ptr<InputSource> makeStandardInputSource();

// Lines from a text held in memory (tests, and texts a command feeds to the command line).
std::unique_ptr<InputSource> makeTextSource(std::string name, std::string text);

// A script: "-" is standard input, anything else a file path. Nothing and a message
// ("FILE: error: cannot open: REASON") when the file cannot be opened.
std::unique_ptr<InputSource> openScript(const std::string& path, std::string& error);

// A terminal with GNU readline: line editing, history, Ctrl-C cancelling the line.
std::unique_ptr<InputSource> makeTerminalSource();

}  // namespace kelvora
