// The terminal input source: GNU readline with history, Ctrl-C cancelling the line being typed.
#include <poll.h>
#include <readline/history.h>
#include <readline/readline.h>

#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "kelvora/input_source.h"

namespace kelvora {

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

// Readline's callback interface hands the finished line here.
bool g_lineDone = false;
std::optional<std::string> g_line;

extern "C" void onInterrupt(int)
{
    g_interrupted = 1;
}

extern "C" void onLine(char* line)
{
    g_lineDone = true;
    if (line == nullptr) {
        g_line.reset();
        return;
    }
    g_line = std::string(line);
    std::free(line);
}

class TerminalSource final : public InputSource {
public:
    TerminalSource()
    {
        // Multibyte line editing needs the user's character type; numbers keep the C locale.
        std::setlocale(LC_CTYPE, "");
        rl_catch_signals = 0;
        rl_readline_name = "kelvora";
        using_history();
        struct sigaction action {};
        action.sa_handler = onInterrupt;
        sigemptyset(&action.sa_mask);
        action.sa_flags = 0;  // no SA_RESTART: poll() must wake up on Ctrl-C
        sigaction(SIGINT, &action, &m_previous);
    }

    ~TerminalSource() override { sigaction(SIGINT, &m_previous, nullptr); }

    TerminalSource(const TerminalSource&) = delete;
    TerminalSource& operator=(const TerminalSource&) = delete;

    std::optional<InputLine> readLine(std::string_view prompt) override
    {
        std::string promptText(prompt);
        g_lineDone = false;
        g_line.reset();
        g_interrupted = 0;
        rl_callback_handler_install(promptText.c_str(), onLine);
        while (!g_lineDone) {
            if (g_interrupted != 0) {
                g_interrupted = 0;
                rl_free_line_state();
                rl_callback_sigcleanup();
                rl_callback_handler_remove();
                std::fputs("^C\n", rl_outstream != nullptr ? rl_outstream : stdout);
                return InputLine{"^C", ++m_lineNumber};
            }
            pollfd fd{fileno(rl_instream != nullptr ? rl_instream : stdin), POLLIN, 0};
            int ready = poll(&fd, 1, -1);
            if (ready < 0) {
                if (errno == EINTR)
                    continue;
                break;
            }
            rl_callback_read_char();
        }
        rl_callback_handler_remove();
        if (!g_lineDone || !g_line)
            return std::nullopt;
        if (!g_line->empty())
            add_history(g_line->c_str());
        return InputLine{std::move(*g_line), ++m_lineNumber};
    }

    bool interactive() const override { return true; }
    const std::string& name() const override { return m_name; }

private:
    std::string m_name = "<terminal>";
    int m_lineNumber = 0;
    struct sigaction m_previous {};
};

}  // namespace

std::unique_ptr<InputSource> makeTerminalSource()
{
    return std::make_unique<TerminalSource>();
}

}  // namespace kelvora
