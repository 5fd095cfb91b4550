// The command line: answers for prompts, lines for dialogs and boxes, the command prompt, script errors.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "kelvora/input_source.h"
#include "kelvora/script_syntax.h"
#include "kelvora/transcript.h"

namespace kelvora {

// Where a line came from, for "FILE:LINE: error: TEXT".
struct SourceLocation {
    std::string file;
    int line = 0;  // 0: no line read yet
};

// What the command prompt read.
struct CommandRequest {
    enum class Kind { Command, EndOfInput };
    Kind kind = Kind::EndOfInput;
    CommandName command;
    bool repeated = false;  // an empty line repeated the last command
};

// State the prompt functions keep between calls: acedInitGet applies to the next prompt
// only; acedGetInput gives the text behind the last RTKWORD.
struct PromptState {
    int initGetFlags = 0;
    KeywordList initGetKeywords;
    bool initGetPending = false;
    std::optional<std::wstring> lastKeyword;
};

// Every prompt, dialog and message box reads through the command line installed as current,
// and writes to its transcript. Script mode (a file or standard input): each prompt is written,
// then the answer read and "\n"; comment lines are skipped; the end of the script cancels the
// prompt that waits. Terminal mode: readline shows the prompt's last line and the typed text.
// Constructing a command line installs it as current until it is destroyed (they nest).
class CommandLine {
public:
    CommandLine(InputSource& source, Transcript& transcript, std::FILE* diagnostics = stderr);
    ~CommandLine();
    CommandLine(const CommandLine&) = delete;
    CommandLine& operator=(const CommandLine&) = delete;

    // The command line prompts, dialogs and acutPrintf use; null when none is installed.
    static CommandLine* current();

    // ---- answers to prompts

    struct Answer {
        enum class Kind { Text, Cancel };
        Kind kind = Kind::Cancel;
        std::wstring text;  // the line as read (Text only)
    };

    // Writes `prompt` and reads one answer. "^C", the end of the input, a stopped script and,
    // while a dialog is open, a line for the dialog (not taken) all answer Cancel.
    Answer ask(std::wstring_view prompt);

    // Writes a message of the prompt functions (a re-prompt's reason).
    void message(std::wstring_view text);

    // ---- lines for dialogs and message boxes

    // The next line, comments skipped, without taking it; null at the end of the input or
    // when the script stopped. A terminal shows `terminalPrompt` while the user types it.
    const std::string* peek(std::string_view terminalPrompt);

    // Takes the line peek() showed (or the next one); "" at the end of the input. `echo`
    // writes "\n" + line to the transcript, unless a terminal showed it as it was typed.
    std::string take(bool echo);

    // Dialogs mark their lifetime so that prompts run from a dialog button leave "@" lines
    // to the dialog.
    void enterDialog() { ++m_dialogDepth; }
    void leaveDialog() { --m_dialogDepth; }
    bool inDialog() const { return m_dialogDepth > 0; }

    // ---- the command prompt

    // Writes "\nCommand: " and reads a command. An empty line repeats the last command
    // (remembered with rememberCommand), "^C" does nothing.
    CommandRequest readCommand();
    void rememberCommand(const CommandName& command) { m_lastCommand = command; }

    // An unknown command: in a script, "FILE:LINE: error: unknown command "NAME"" and the
    // script stops; at a terminal, a message in the transcript and the session goes on.
    void unknownCommand(std::wstring_view name);

    // ---- diagnostics

    SourceLocation location() const { return {m_source.name(), m_lastLine}; }

    // A fault of the script: "FILE:LINE: error: TEXT" on the diagnostics stream. A script
    // stops there (every later prompt is cancelled, dialogs close with Cancel) and the run
    // fails; a terminal session goes on.
    void scriptError(std::string_view text);
    void scriptWarning(std::string_view text);
    bool failed() const { return m_failed; }
    bool stopped() const { return m_stopped; }

    Transcript& transcript() { return m_transcript; }
    bool interactive() const { return m_source.interactive(); }
    PromptState& promptState() { return m_prompt; }

private:
    struct Pending {
        InputLine line;
        bool shown = false;  // the terminal displayed it while it was typed
    };

    enum class Read { Line, Cancel, End };

    // Writes the prompt and reads the answer into `text` (the shared part of ask and readCommand).
    Read readAnswer(std::wstring_view prompt, std::wstring& text);
    // The next line that is not a comment, into m_pending; false at the end.
    bool fill(std::string_view terminalPrompt);
    void diagnostic(std::string_view kind, std::string_view text);

    InputSource& m_source;
    Transcript& m_transcript;
    std::FILE* m_diagnostics;
    CommandLine* m_previous;
    std::optional<Pending> m_pending;
    int m_lastLine = 0;
    int m_dialogDepth = 0;
    bool m_failed = false;
    bool m_stopped = false;
    bool m_ended = false;
    std::optional<CommandName> m_lastCommand;
    PromptState m_prompt;
};

}  // namespace kelvora
