// KELVORANOPROXY end to end: the kelvora program draws a slope, a special line and a surface by
// script, flattens them and saves; ezdxf then reads the saved drawing back and audits it.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

// Debian's own interpreter, the one python3-ezdxf is installed for.
constexpr const char* kPython = "/usr/bin/python3";

constexpr const char* kModuleClasses[] = {"NSPOLY", "NTALUS", "KVRA_ZORVEL"};

// A slope on a straight polyline, a special line on layer CLOTURE and a closed surface.
constexpr const char* kDrawCustomObjects = "PLINE\n10,10\n30,10\n\nTALUT\n20,10\n\n"
                                           "LAYER\nM\nCLOTURE\n\nPLINE\n10,60\n110,60\n\nXPOLY\n20,60\n"
                                           "LAYER\nS\n0\n\n"
                                           "PLINE\n150,10\n160,10\n160,20\n150,20\nC\nSPOLY\n155,10\n";
constexpr const char* kFlatten = "KELVORANOPROXY\n@box OK\n@box OK\n";

// Counts, before ezdxf's audit changes anything, every entity and object of the module's classes
// anywhere in the drawing, then the audit's errors and the plain entities of model space.
constexpr const char* kChecker = R"(import sys
import ezdxf
doc = ezdxf.readfile(sys.argv[1])
for name in sys.argv[2:]:
    print(name, sum(1 for e in doc.entitydb.values() if e.dxftype() == name))
msp = doc.modelspace()
print("LINE", len(msp.query("LINE")))
print("LWPOLYLINE", len(msp.query("LWPOLYLINE")))
auditor = doc.audit()
print("audit_errors", len(auditor.errors))
for error in auditor.errors[:5]:
    print("#", error.message)
)";

std::string slurp(const fs::path& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class FlatteningProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_program = fs::path(KELVORA_BIN_DIR) / "kelvora";
        if (!fs::exists(m_program))
            GTEST_SKIP() << "the kelvora program is not built at " << m_program;
        if (!fs::exists(kPython) || std::system((std::string(kPython) + " -c 'import ezdxf' 2>/dev/null").c_str()) != 0)
            GTEST_SKIP() << kPython << " with ezdxf is not available";
        m_folder = fs::temp_directory_path() / ("kelvora-flatten-" + std::to_string(getpid()));
        fs::create_directories(m_folder);
        std::ofstream(m_folder / "check.py") << kChecker;
    }
    void TearDown() override
    {
        if (!m_folder.empty())
            fs::remove_all(m_folder);
    }

    // Runs the script and saves the drawing to out.dxf; answers the exit status, the transcript in `out`.
    int runScript(const std::string& script, std::string& out)
    {
        std::ofstream(m_folder / "case.scr") << script;
        const std::string command = "cd '" + m_folder.string() + "' && KELVORA_REGISTRY='" +
                                    (m_folder / "registry.ini").string() + "' '" + m_program.string() +
                                    "' run --script case.scr -o out.dxf >out.txt 2>err.txt </dev/null";
        const int status = std::system(command.c_str());
        out = slurp(m_folder / "out.txt") + slurp(m_folder / "err.txt");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // The checker's counts of the saved drawing, by name.
    std::map<std::string, int> checkSavedDrawing(std::string& report)
    {
        std::string command = std::string(kPython) + " '" + (m_folder / "check.py").string() + "' '" +
                              (m_folder / "out.dxf").string() + "'";
        for (const char* name : kModuleClasses)
            command += std::string(" ") + name;
        command += " >'" + (m_folder / "check.txt").string() + "' 2>&1";
        const int status = std::system(command.c_str());
        report = slurp(m_folder / "check.txt");
        std::map<std::string, int> counts;
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            return counts;
        std::istringstream lines(report);
        std::string name;
        int count = 0;
        while (lines >> name) {
            if (name == "#") {
                std::getline(lines, name);
                continue;
            }
            if (lines >> count)
                counts[name] = count;
        }
        return counts;
    }

    fs::path m_program;
    fs::path m_folder;
};

// Without the flattening the saved drawing holds one object of each class: the check sees them.
TEST_F(FlatteningProgram, SavedDrawingHoldsTheModulesObjectsBeforeFlattening)
{
    std::string out;
    ASSERT_EQ(runScript(kDrawCustomObjects, out), 0) << out;
    std::string report;
    std::map<std::string, int> counts = checkSavedDrawing(report);
    ASSERT_FALSE(counts.empty()) << report;
    for (const char* name : kModuleClasses)
        EXPECT_EQ(counts[name], 1) << name << "\n" << report;
}

TEST_F(FlatteningProgram, FlattenedDrawingHoldsNoModuleObjectAndPassesTheAudit)
{
    std::string out;
    ASSERT_EQ(runScript(std::string(kDrawCustomObjects) + kFlatten, out), 0) << out;
    EXPECT_NE(out.find("Lignes spéciales:       1 /      1\n\nSurfaces:      1 /      1\n\n"
                       "Talus:      1 /      1"),
              std::string::npos)
        << out;
    std::string report;
    std::map<std::string, int> counts = checkSavedDrawing(report);
    ASSERT_FALSE(counts.empty()) << report;
    for (const char* name : kModuleClasses)
        EXPECT_EQ(counts[name], 0) << name << "\n" << report;
    EXPECT_EQ(counts["audit_errors"], 0) << report;
    // What the explodes made is there: the slope's strokes and the special line's pieces as lines,
    // the slope's and the surface's outlines as polylines.
    EXPECT_GT(counts["LINE"], 0) << report;
    EXPECT_GE(counts["LWPOLYLINE"], 2) << report;
}

}  // namespace
