// Tests of the terminal source over GNU readline, fed through a pipe: lines, history, end of input, Ctrl-C.
#include <gtest/gtest.h>
#include <pthread.h>
#include <readline/history.h>
#include <readline/readline.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>

#include "kelvora/input_source.h"

namespace kelvora {
namespace {

// Readline reads from one end of a pipe and writes its display to /dev/null.
class TerminalSource : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(pipe(m_pipe), 0);
        m_in = fdopen(m_pipe[0], "r");
        m_out = std::fopen("/dev/null", "w");
        ASSERT_NE(m_in, nullptr);
        ASSERT_NE(m_out, nullptr);
        m_savedIn = rl_instream;
        m_savedOut = rl_outstream;
        rl_instream = m_in;
        rl_outstream = m_out;
    }

    void TearDown() override
    {
        rl_instream = m_savedIn;
        rl_outstream = m_savedOut;
        closeWriter();
        if (m_in != nullptr)
            std::fclose(m_in);
        if (m_out != nullptr)
            std::fclose(m_out);
    }

    void type(const std::string& text)
    {
        ASSERT_EQ(write(m_pipe[1], text.data(), text.size()), static_cast<ssize_t>(text.size()));
    }

    void closeWriter()
    {
        if (m_pipe[1] >= 0) {
            close(m_pipe[1]);
            m_pipe[1] = -1;
        }
    }

    int m_pipe[2] = {-1, -1};
    std::FILE* m_in = nullptr;
    std::FILE* m_out = nullptr;
    std::FILE* m_savedIn = nullptr;
    std::FILE* m_savedOut = nullptr;
};

TEST_F(TerminalSource, ReadsLinesAndKeepsThemInHistory)
{
    auto source = makeTerminalSource();
    ASSERT_TRUE(source->interactive());
    EXPECT_EQ(source->name(), "<terminal>");
    int before = history_length;
    type("LINE\n10,20\n\n");
    closeWriter();
    auto first = source->readLine("Command: ");
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->text, "LINE");
    EXPECT_EQ(first->lineNumber, 1);
    EXPECT_EQ(source->readLine("Point: ")->text, "10,20");
    EXPECT_EQ(source->readLine("Command: ")->text, "");
    EXPECT_EQ(history_length, before + 2);  // empty lines stay out of the history
    EXPECT_FALSE(source->readLine("Command: ").has_value());
}

TEST_F(TerminalSource, InterruptCancelsTheLineBeingTyped)
{
    auto source = makeTerminalSource();
    type("half typed");
    std::atomic<bool> done{false};
    pthread_t reader = pthread_self();
    // Interrupt until the read returns: the first signal may come before the read starts.
    std::thread interrupter([&] {
        while (!done) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            if (!done)
                pthread_kill(reader, SIGINT);
        }
    });
    auto line = source->readLine("Point: ");
    done = true;
    interrupter.join();
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(line->text, "^C");
}

}  // namespace
}  // namespace kelvora
