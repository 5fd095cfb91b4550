// Test sessions of the editor: a command line over a script in memory or a fake terminal, with captured output.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "kelvora/command_line.h"
#include "kelvora/input_source.h"
#include "kelvora/system_variables.h"
#include "kelvora/transcript.h"

namespace kelvora::test {

// Lines handed out one by one; records the prompt each read was given. `interactive` makes it
// behave as a terminal (shows prompts itself), for the terminal paths of the command line.
class FakeSource final : public InputSource {
public:
    FakeSource(std::vector<std::string> lines, bool interactive) : m_lines(std::move(lines)), m_interactive(interactive)
    {
    }

    std::optional<InputLine> readLine(std::string_view prompt) override
    {
        prompts.emplace_back(prompt);
        if (m_next >= m_lines.size())
            return std::nullopt;
        ++m_next;
        return InputLine{m_lines[m_next - 1], static_cast<int>(m_next)};
    }
    bool interactive() const override { return m_interactive; }
    const std::string& name() const override { return m_name; }

    std::vector<std::string> prompts;

private:
    std::vector<std::string> m_lines;
    std::size_t m_next = 0;
    bool m_interactive;
    std::string m_name = "fake.scr";
};

// Standard error of a session, captured in memory.
class CapturedErrors {
public:
    CapturedErrors() : m_file(open_memstream(&m_buffer, &m_size)) {}
    ~CapturedErrors()
    {
        std::fclose(m_file);
        std::free(m_buffer);
    }
    CapturedErrors(const CapturedErrors&) = delete;
    CapturedErrors& operator=(const CapturedErrors&) = delete;

    std::FILE* file() { return m_file; }
    std::string text()
    {
        std::fflush(m_file);
        return std::string(m_buffer, m_size);
    }

private:
    char* m_buffer = nullptr;
    std::size_t m_size = 0;
    std::FILE* m_file;
};

// A command line over a script text ("test.scr"), installed as current for its lifetime;
// the editor's system variables start from their defaults.
class ScriptSession {
public:
    explicit ScriptSession(std::string script)
        : m_source(makeTextSource("test.scr", std::move(script))), m_transcript(m_sink),
          m_line(std::make_unique<CommandLine>(*m_source, m_transcript, m_errors.file()))
    {
        defineEditorVariables(systemVariables());
    }

    CommandLine& line() { return *m_line; }
    const std::string& out() const { return m_sink.text(); }
    std::string errors() { return m_errors.text(); }
    void clearOut() { m_sink.clear(); }

private:
    std::unique_ptr<InputSource> m_source;
    StringTranscriptSink m_sink;
    Transcript m_transcript;
    CapturedErrors m_errors;
    std::unique_ptr<CommandLine> m_line;
};

// The same over a fake terminal.
class TerminalSession {
public:
    explicit TerminalSession(std::vector<std::string> lines)
        : m_source(std::move(lines), true), m_transcript(m_sink),
          m_line(std::make_unique<CommandLine>(m_source, m_transcript, m_errors.file()))
    {
        defineEditorVariables(systemVariables());
    }

    CommandLine& line() { return *m_line; }
    const std::string& out() const { return m_sink.text(); }
    std::string errors() { return m_errors.text(); }
    const std::vector<std::string>& prompts() const { return m_source.prompts; }

private:
    FakeSource m_source;
    StringTranscriptSink m_sink;
    Transcript m_transcript;
    CapturedErrors m_errors;
    std::unique_ptr<CommandLine> m_line;
};

}  // namespace kelvora::test
