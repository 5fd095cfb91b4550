// The command line: reading answers and dialog lines, the command prompt, script diagnostics.
#include "kelvora/command_line.h"

#include "kelvora/host_output.h"
#include "text_encoding.h"

namespace kelvora {

namespace {

CommandLine* g_current = nullptr;

constexpr std::wstring_view kCommandPrompt = L"\nCommand: ";

// What the drawing database prints (LIST) goes to the transcript like everything else.
void writeHostText(const ACHAR* text)
{
    if (text != nullptr)
        currentTranscript().write(std::wstring_view(text));
}

}  // namespace

CommandLine::CommandLine(InputSource& source, Transcript& transcript, std::FILE* diagnostics)
    : m_source(source), m_transcript(transcript), m_diagnostics(diagnostics), m_previous(g_current)
{
    g_current = this;
    setHostTextSink(&writeHostText);
}

CommandLine::~CommandLine()
{
    g_current = m_previous;
}

CommandLine* CommandLine::current()
{
    return g_current;
}

bool CommandLine::fill(std::string_view terminalPrompt)
{
    if (m_pending)
        return true;
    while (!m_ended && !m_stopped) {
        if (interactive())
            m_transcript.flush();
        std::optional<InputLine> line = m_source.readLine(terminalPrompt);
        if (!line) {
            m_ended = true;
            if (auto error = m_source.readError())
                diagnostic("error", *error);
            break;
        }
        if (isCommentLine(line->text))
            continue;
        m_pending = Pending{std::move(*line), interactive()};
        return true;
    }
    return false;
}

CommandLine::Read CommandLine::readAnswer(std::wstring_view prompt, std::wstring& text)
{
    bool freshlyRead = false;
    if (!m_pending && interactive() && !m_stopped && !m_ended) {
        // readline shows the prompt's last line itself, so that editing redraws it.
        std::string promptUtf8 = utf8FromWide(prompt);
        std::size_t newline = promptUtf8.rfind('\n');
        std::size_t split = newline == std::string::npos ? 0 : newline + 1;
        m_transcript.write(std::string_view(promptUtf8).substr(0, split));
        freshlyRead = fill(std::string_view(promptUtf8).substr(split));
    } else {
        m_transcript.write(prompt);
        fill("");
    }
    if (!m_pending)
        return Read::End;
    if (inDialog() && isDialogLine(m_pending->line.text))
        return Read::Cancel;  // the line is the dialog's: the prompt gets no answer
    Pending taken = std::move(*m_pending);
    m_pending.reset();
    m_lastLine = taken.line.lineNumber;
    if (!freshlyRead) {
        m_transcript.write(taken.line.text);
        m_transcript.write(std::string_view("\n"));
    }
    text = wideFromUtf8(taken.line.text);
    return isCancelLine(text) ? Read::Cancel : Read::Line;
}

CommandLine::Answer CommandLine::ask(std::wstring_view prompt)
{
    Answer answer;
    std::wstring text;
    if (readAnswer(prompt, text) == Read::Line) {
        answer.kind = Answer::Kind::Text;
        answer.text = std::move(text);
    }
    return answer;
}

void CommandLine::message(std::wstring_view text)
{
    m_transcript.write(text);
}

const std::string* CommandLine::peek(std::string_view terminalPrompt)
{
    if (m_stopped)
        return nullptr;
    if (!fill(terminalPrompt))
        return nullptr;
    return &m_pending->line.text;
}

std::string CommandLine::take(bool echo)
{
    if (!m_pending && (m_stopped || !fill("")))
        return {};
    Pending taken = std::move(*m_pending);
    m_pending.reset();
    m_lastLine = taken.line.lineNumber;
    if (echo && !taken.shown) {
        m_transcript.write(std::string_view("\n"));
        m_transcript.write(taken.line.text);
    }
    return std::move(taken.line.text);
}

CommandRequest CommandLine::readCommand()
{
    while (true) {
        if (m_stopped)
            return {};
        std::wstring text;
        Read read = readAnswer(kCommandPrompt, text);
        if (read == Read::End)
            return {};
        if (read == Read::Cancel)
            continue;  // ^C at the command prompt does nothing
        std::wstring_view trimmed = trimBlanks(text);
        if (trimmed.empty()) {
            if (!m_lastCommand)
                continue;
            CommandRequest request;
            request.kind = CommandRequest::Kind::Command;
            request.command = *m_lastCommand;
            request.repeated = true;
            return request;
        }
        std::optional<CommandName> name = parseCommandName(trimmed);
        if (!name) {
            unknownCommand(trimmed);
            continue;
        }
        CommandRequest request;
        request.kind = CommandRequest::Kind::Command;
        request.command = std::move(*name);
        return request;
    }
}

void CommandLine::unknownCommand(std::wstring_view name)
{
    if (interactive()) {
        m_transcript.write(L"\nUnknown command \"" + std::wstring(name) + L"\".");
        return;
    }
    scriptError("unknown command \"" + utf8FromWide(name) + "\"");
}

void CommandLine::scriptError(std::string_view text)
{
    diagnostic("error", text);
    m_failed = true;
    if (!interactive()) {
        m_stopped = true;
        m_pending.reset();
    }
}

void CommandLine::scriptWarning(std::string_view text)
{
    diagnostic("warning", text);
}

void CommandLine::diagnostic(std::string_view kind, std::string_view text)
{
    if (m_diagnostics == nullptr)
        return;
    m_transcript.flush();
    const std::string& file = m_source.name();
    if (m_lastLine > 0)
        std::fprintf(m_diagnostics, "%s:%d: %.*s: %.*s\n", file.c_str(), m_lastLine, static_cast<int>(kind.size()),
                     kind.data(), static_cast<int>(text.size()), text.data());
    else
        std::fprintf(m_diagnostics, "%s: %.*s: %.*s\n", file.c_str(), static_cast<int>(kind.size()), kind.data(),
                     static_cast<int>(text.size()), text.data());
    std::fflush(m_diagnostics);
}

}  // namespace kelvora
