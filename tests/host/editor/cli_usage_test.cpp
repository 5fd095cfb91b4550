// Tests of the kelvora program's command line: usage errors (status 2), --help and --version, missing files.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace {

struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string slurp(const std::filesystem::path& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs the program built beside the tests, if there is one.
class ProgramCommandLine : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_program = std::filesystem::path(KELVORA_BIN_DIR) / "kelvora";
        if (!std::filesystem::exists(m_program))
            GTEST_SKIP() << "the kelvora program is not built at " << m_program;
        m_folder = std::filesystem::temp_directory_path() / ("kelvora-cli-" + std::to_string(getpid()));
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    ProgramRun run(const std::string& arguments, const std::string& input = "/dev/null")
    {
        auto out = m_folder / "out.txt";
        auto err = m_folder / "err.txt";
        std::string command = "'" + m_program.string() + "' " + arguments + " >'" + out.string() + "' 2>'" +
                              err.string() + "' <'" + input + "'";
        int status = std::system(command.c_str());
        return ProgramRun{WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(out), slurp(err)};
    }

    std::string inFolder(const std::string& name) { return "'" + (m_folder / name).string() + "'"; }

    std::filesystem::path m_program;
    std::filesystem::path m_folder;
};

TEST_F(ProgramCommandLine, ShellFedThroughAPipeShowsEachPromptAndAnswerOnce)
{
    std::ofstream(m_folder / "answers.txt") << "LINE\n0,0\n10,0\n\n";
    ProgramRun r = run("shell --no-module", (m_folder / "answers.txt").string());
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string firstPoint = "Specify first point: 0,0\n";
    std::size_t at = r.out.find(firstPoint);
    ASSERT_NE(at, std::string::npos) << r.out;
    EXPECT_EQ(r.out.find(firstPoint, at + 1), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("Specify first point: \n"), std::string::npos) << r.out;
}

TEST_F(ProgramCommandLine, VersionOnStandardOutput)
{
    ProgramRun r = run("--version");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("kelvora ", 0), 0u) << r.out;
    EXPECT_EQ(r.err, "");
}

TEST_F(ProgramCommandLine, HelpPrintsTheUsageOnStandardOutput)
{
    ProgramRun r = run("--help");
    EXPECT_EQ(r.status, 0);
    for (const char* word : {"kelvora run [DRAWING.dxf]", "kelvora shell", "kelvora plot", "kelvora convert",
                             "--script FILE | -s FILE", "-o OUT.dxf", "--dxf-version", "--help | --version"})
        EXPECT_NE(r.out.find(word), std::string::npos) << word;
    EXPECT_EQ(run("run --help").out, r.out);
}

struct UsageCase {
    const char* name;
    const char* arguments;
    const char* message;
};

class ProgramUsageErrors : public ProgramCommandLine, public ::testing::WithParamInterface<UsageCase> {};

TEST_P(ProgramUsageErrors, StatusTwoAndAMessage)
{
    const UsageCase& c = GetParam();
    ProgramRun r = run(c.arguments);
    EXPECT_EQ(r.status, 2) << c.name;
    EXPECT_EQ(r.out, "") << c.name;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << c.name << ": " << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cli, ProgramUsageErrors,
    ::testing::Values(
        UsageCase{"no_subcommand", "", "no subcommand given"},
        UsageCase{"unknown_subcommand", "draw", "unknown subcommand \"draw\""},
        UsageCase{"unknown_option", "run --script x.scr --no-such-option -o out.dxf", "unknown option --no-such-option"},
        UsageCase{"unknown_global_option", "--verbose", "unknown option --verbose"},
        UsageCase{"dxf_version_r14", "run -o out.dxf --dxf-version R14", "unsupported DXF version \"R14\""},
        UsageCase{"plot_format", "run --plot out.bmp", "unsupported plot format \"out.bmp\""},
        UsageCase{"missing_value", "run --script", "option --script needs a value"},
        UsageCase{"flag_with_value", "run --no-module=yes", "option --no-module takes no value"},
        UsageCase{"option_twice", "run -o a.dxf -o b.dxf", "option -o given twice"},
        UsageCase{"two_drawings", "run a.dxf b.dxf", "more than one drawing given"},
        UsageCase{"convert_without_output", "convert in.dxf", "convert needs -o OUT.dxf"},
        UsageCase{"convert_without_input", "convert -o out.dxf", "convert needs an input drawing"},
        UsageCase{"convert_version", "convert in.dxf -o out.dxf --dxf-version R12", "unsupported DXF version"},
        UsageCase{"plot_without_output", "plot in.dxf", "plot needs -o"},
        UsageCase{"plot_pdf_size", "plot in.dxf -o p.pdf --size 0x10", "bad --size \"0x10\""},
        UsageCase{"plot_window", "plot in.dxf -o p.svg --window 1,2,3", "bad --window \"1,2,3\""},
        UsageCase{"plot_window_inverted", "plot in.dxf -o p.png --window 5,5,1,1", "bad --window"},
        UsageCase{"shell_unknown_option", "shell --script x.scr", "unknown option --script"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProgramCommandLine, MissingDrawingFailsWithStatusOneNamingIt)
{
    ProgramRun r = run("run " + inFolder("absent.dxf") + " -o " + inFolder("out.dxf"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("absent.dxf: error: cannot open"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(m_folder / "out.dxf"));
}

TEST_F(ProgramCommandLine, MissingScriptFailsWithStatusOneNamingIt)
{
    ProgramRun r = run("run --script " + inFolder("absent.scr") + " -o " + inFolder("out.dxf"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("absent.scr: error: cannot open"), std::string::npos) << r.err;
}

TEST_F(ProgramCommandLine, ConvertTellsHowLongReadingAndSavingTookWhenAsked)
{
    std::ofstream(m_folder / "line.scr") << "LINE\n0,0\n10,0\n\n";
    ASSERT_EQ(run("run --no-module --script " + inFolder("line.scr") + " -o " + inFolder("in.dxf")).status, 0);
    ProgramRun quiet = run("convert " + inFolder("in.dxf") + " -o " + inFolder("quiet.dxf"));
    EXPECT_EQ(quiet.status, 0) << quiet.err;
    EXPECT_EQ(quiet.err, "");
    ProgramRun timed = run("convert " + inFolder("in.dxf") + " -o " + inFolder("timed.dxf") + " --times");
    EXPECT_EQ(timed.status, 0) << timed.err;
    EXPECT_TRUE(std::regex_match(timed.err, std::regex(R"(read \d+\.\d\d s \(\d+\.\d MB/s\), saved \d+\.\d\d s\n)")))
        << timed.err;
    EXPECT_EQ(slurp(m_folder / "timed.dxf"), slurp(m_folder / "quiet.dxf"));
}

TEST_F(ProgramCommandLine, VersionNamesAndCodesAreAccepted)
{
    for (const char* version : {"R2000", "r2004", "AC1021", "R2010", "R2013", "R2018"}) {
        ProgramRun r = run(std::string("convert ") + inFolder("absent.dxf") + " -o " + inFolder("o.dxf") + " --dxf-version=" +
                    version);
        EXPECT_EQ(r.status, 1) << version << ": " << r.err;  // past the options, on to the missing file
    }
}

}  // namespace
