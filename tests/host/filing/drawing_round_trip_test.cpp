// Round trips through the database: drawings made by ezdxf in every version read, written in every version, read again.
#include <gtest/gtest.h>

#include "drawing_test_support.h"
#include "kelvora/dxf_raw_io.h"

namespace kelvora::test {
namespace {

// The text with the value of $HANDSEED taken out.
std::string withoutSeed(std::string text)
{
    const std::string key = "$HANDSEED\n  5\n";
    const std::size_t at = text.find(key);
    if (at != std::string::npos)
        text.erase(at + key.size(), text.find('\n', at + key.size()) - at - key.size());
    return text;
}

class SampleDrawings : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new ScratchDir();
        s_made = makeSampleDrawings(s_dir->path(), s_output);
    }
    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(s_made) << s_output; }

    static std::string sample(const std::string& name) { return s_dir->file(name + ".dxf"); }

    // Reads `source`, writes it as `version` beside it, and checks the file written: nothing a
    // reader insists on is broken, ezdxf finds in it what it finds in the source, and reading and
    // writing it again gives the same text.
    static void roundTrip(const std::string& source, DrawingVersion version)
    {
        const std::string what = source + " as " + drawingVersionName(version);
        ReadDrawing read = readDrawingPath(sample(source));
        ASSERT_TRUE(read.ok) << what << "\n" << messagesOf(read.diagnostics);
        EXPECT_EQ(read.diagnostics.warningCount(), 0u) << what << "\n" << messagesOf(read.diagnostics);
        DxfDiagnostics writing;
        const std::string text = writeDrawingText(*read.db, version, writing);
        ASSERT_FALSE(text.empty()) << what << "\n" << messagesOf(writing);
        const std::string path = s_dir->file(source + "_as_" + drawingVersionName(version) + ".dxf");
        writeBytes(path, text);

        std::vector<std::string> problems = strictProblems(text);
        EXPECT_TRUE(problems.empty()) << what << ":\n" << ::testing::PrintToString(problems);
        PythonResult check = ezdxfCheck(sample(source), path);
        EXPECT_EQ(check.status, 0) << what << ":\n" << check.output;

        ReadDrawing again = readDrawingText(text);
        ASSERT_TRUE(again.ok) << what << "\n" << messagesOf(again.diagnostics);
        // The seed may grow between the two (objects the host makes while writing and does not
        // write, such as the sequence end it gives a block reference without attributes).
        EXPECT_EQ(withoutSeed(writeDrawingText(*again.db, version)), withoutSeed(text))
            << what << ": writing what was written changes it";
    }

    static inline ScratchDir* s_dir = nullptr;
    static inline bool s_made = false;
    static inline std::string s_output;
};

struct SameVersionCase {
    const char* name;    // the sample drawing
    DrawingVersion version;
};

// Cases print as their names (the structs hold pointers and padding).
void PrintTo(const SameVersionCase& c, std::ostream* os)
{
    *os << c.name;
}

class SameVersion : public SampleDrawings, public ::testing::WithParamInterface<SameVersionCase> {};

TEST_P(SameVersion, ComesBackAsRead)
{
    roundTrip(GetParam().name, GetParam().version);
}

INSTANTIATE_TEST_SUITE_P(
    EveryVersion, SameVersion,
    ::testing::Values(SameVersionCase{"R12", DrawingVersion::kR2007}, SameVersionCase{"R12_bin", DrawingVersion::kR2007},
                      SameVersionCase{"R2000", DrawingVersion::kR2000}, SameVersionCase{"R2000_bin", DrawingVersion::kR2000},
                      SameVersionCase{"R2004", DrawingVersion::kR2004}, SameVersionCase{"R2004_bin", DrawingVersion::kR2004},
                      SameVersionCase{"R2007", DrawingVersion::kR2007}, SameVersionCase{"R2007_bin", DrawingVersion::kR2007},
                      SameVersionCase{"R2010", DrawingVersion::kR2010}, SameVersionCase{"R2010_bin", DrawingVersion::kR2010},
                      SameVersionCase{"R2013", DrawingVersion::kR2013}, SameVersionCase{"R2013_bin", DrawingVersion::kR2013},
                      SameVersionCase{"R2018", DrawingVersion::kR2018}, SameVersionCase{"R2018_bin", DrawingVersion::kR2018}),
    [](const ::testing::TestParamInfo<SameVersionCase>& info) { return std::string(info.param.name); });

class OtherVersion : public SampleDrawings,
                     public ::testing::WithParamInterface<std::tuple<const char*, DrawingVersion>> {};

TEST_P(OtherVersion, ComesBackAsRead)
{
    roundTrip(std::get<0>(GetParam()), std::get<1>(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(
    EveryPair, OtherVersion,
    ::testing::Combine(::testing::Values("R12", "R2000", "R2018"),
                       ::testing::Values(DrawingVersion::kR2000, DrawingVersion::kR2004, DrawingVersion::kR2010,
                                         DrawingVersion::kR2013, DrawingVersion::kR2018)),
    [](const ::testing::TestParamInfo<std::tuple<const char*, DrawingVersion>>& info) {
        return std::string(std::get<0>(info.param)) + "_as_" + drawingVersionName(std::get<1>(info.param));
    });

TEST_F(SampleDrawings, HostClassesReadEveryGroupOfTheirRecords)
{
    // A group a host class leaves unread is kept and written back after its data; in the samples
    // every record of a host class must be read whole, or a class reader stops too early.
    for (const char* name : {"R12", "R2000", "R2018"}) {
        ReadDrawing read = readDrawingPath(sample(name));
        ASSERT_TRUE(read.ok) << messagesOf(read.diagnostics);
        KeptDrawingData kept = keptDrawingData(*read.db);
        EXPECT_TRUE(kept.unreadGroups.empty()) << name << ": " << ::testing::PrintToString(kept.unreadGroups);
        for (const char* type : {"LINE", "LWPOLYLINE", "INSERT", "CIRCLE", "ARC", "TEXT", "ATTRIB", "SPLINE",
                                 "ELLIPSE", "HATCH", "POINT"})
            EXPECT_EQ(kept.wholeRecords.count(type), 0u) << name << ": " << type << " became a proxy";
        // The 3D polyline and the polyface mesh have no class of the host's; the 2D ones have.
        EXPECT_EQ(kept.wholeRecords["POLYLINE"], 2) << name;
    }
}

TEST_F(SampleDrawings, SplineFramePolylineKeepsItsControlAndFitVertices)
{
    ReadDrawing read = readDrawingPath(sample("R12"));
    ASSERT_TRUE(read.ok) << messagesOf(read.diagnostics);
    const std::string text = writeDrawingText(*read.db);
    DxfRawDrawing written;
    DxfDiagnostics d;
    ASSERT_TRUE(readDxfRaw(text, written, d));
    const DxfEntity* spline = nullptr;
    for (const DxfEntity& e : written.entities) {
        const DxfTag* flags = e.record.find(70);
        if (e.record.type() == "POLYLINE" && flags != nullptr && (flags->toInteger().value_or(0) & 4) != 0)
            spline = &e;
    }
    ASSERT_NE(spline, nullptr) << "the spline-fit POLYLINE did not stay a POLYLINE";
    EXPECT_NE(std::find(spline->record.subclassMarkers().begin(), spline->record.subclassMarkers().end(),
                        "AcDb2dPolyline"),
              spline->record.subclassMarkers().end());
    std::vector<std::int64_t> flags;
    for (const DxfRecord& v : spline->children)
        flags.push_back(v.find(70) != nullptr ? v.find(70)->toInteger().value_or(0) & 0x1F : -1);
    EXPECT_EQ(flags, (std::vector<std::int64_t>{16, 16, 16, 16, 8, 8, 8, 8}));
    ASSERT_TRUE(spline->seqend.has_value());
    EXPECT_TRUE(spline->seqend->handle().has_value()) << "the SEQEND has no handle";
}

}  // namespace
}  // namespace kelvora::test
