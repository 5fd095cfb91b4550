// Round trips: read, write, read again gives the same groups, for every fixture and for ezdxf drawings of every version.
#include "kelvora/dxf_encoding.h"
#include "kelvora/dxf_raw_io.h"

#include "dxf_test_support.h"

#include <gtest/gtest.h>

#include <bit>
#include <filesystem>

namespace kelvora::test {
namespace {

// Compares two readings group by group; `skipVariable` names a header variable
// whose value may differ (the writer sets $DWGCODEPAGE before R2007).
void expectSameTags(const DxfRawDrawing& a, const DxfRawDrawing& b, const std::string& what,
                    std::string_view skipVariable = {})
{
    std::vector<DxfTag> ta = allTags(a);
    std::vector<DxfTag> tb = allTags(b);
    ASSERT_EQ(ta.size(), tb.size()) << what;
    bool skipNext = false;
    for (std::size_t i = 0; i < ta.size(); ++i) {
        if (skipNext) {
            skipNext = false;
            continue;
        }
        if (ta[i].code == 9 && !skipVariable.empty() && ta[i].value == skipVariable)
            skipNext = true;
        ASSERT_TRUE(sameDxfTag(ta[i], tb[i]))
            << what << ": group " << i << " (line " << ta[i].line << "): " << ta[i].code << " \"" << ta[i].value
            << "\" became " << tb[i].code << " \"" << tb[i].value << "\"";
    }
}

// Compares two texts line by line and names the first line that differs.
void expectSameText(const std::string& got, const std::string& want, const std::string& what)
{
    if (got == want)
        return;
    std::size_t line = 1;
    std::size_t i = 0;
    while (i < got.size() && i < want.size() && got[i] == want[i]) {
        if (got[i] == '\n')
            ++line;
        ++i;
    }
    auto around = [&](const std::string& s) { return s.substr(i > 40 ? i - 40 : 0, 80); };
    ADD_FAILURE() << what << ": the texts differ at line " << line << ":\n" << around(got) << "\n---\n" << around(want);
}

void roundTrip(const std::string& bytes, const std::string& what, const DxfWriteOptions& options = {})
{
    DxfRawDrawing first;
    DxfDiagnostics d1;
    ASSERT_TRUE(readDxfRaw(bytes, first, d1)) << what << "\n" << describe(d1);
    std::string written = writeDxfRaw(first, options);
    DxfRawDrawing second;
    DxfDiagnostics d2;
    ASSERT_TRUE(readDxfRaw(written, second, d2)) << what << "\n" << describe(d2);
    EXPECT_EQ(d2.warningCount(), 0u) << what << "\n" << describe(d2);
    std::string page(first.headerValue("$DWGCODEPAGE"));
    bool pageChanged = !isDxfUtf8Version(first.version()) && page != "ANSI_1252";
    expectSameTags(first, second, what, pageChanged ? "$DWGCODEPAGE" : "");
    // Writing what was read back gives the same bytes: the writer is stable.
    expectSameText(writeDxfRaw(second, options), written, what);
}

class FixtureRoundTrip : public ::testing::TestWithParam<const char*> {};

TEST_P(FixtureRoundTrip, SameGroupsAfterWriting)
{
    roundTrip(readBytes(fixturePath(GetParam())), GetParam());
}

TEST_P(FixtureRoundTrip, WrittenTextMatchesTheOriginalLineForLine)
{
    // ezdxf writes codes as AutoCAD does and values without decoration, so the
    // raw writer reproduces its files exactly (R2000 files here are ASCII only).
    std::string bytes = readBytes(fixturePath(GetParam()));
    DxfRawDrawing drawing;
    DxfDiagnostics d;
    ASSERT_TRUE(readDxfRaw(bytes, drawing, d));
    std::string written = writeDxfRaw(drawing);
    expectSameText(written, bytes, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Fixtures, FixtureRoundTrip,
                         ::testing::Values("accents_r2000.dxf", "arcs.dxf", "blocks.dxf", "bulges3.dxf", "curves.dxf",
                                           "foreign_data.dxf", "line100.dxf", "nspoly_lots.dxf", "plot_fill.dxf",
                                           "plot_line.dxf", "poly2d.dxf", "r12_square.dxf", "rect10x4.dxf",
                                           "square10.dxf", "tables_r2013.dxf", "two_squares.dxf", "zorvel_styles.dxf",
                                           "zorvel_text.dxf"),
                         [](const auto& info) {
                             std::string n = info.param;
                             return n.substr(0, n.find('.'));
                         });

// ---- ezdxf drawings of every version, ASCII and binary ----

class EzdxfDrawings : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new ScratchDir();
        PythonResult r = runPython("import runpy, sys\nsys.argv = ['x', '" + s_dir->path() + "']\nrunpy.run_path('" +
                                   testDataPath("ezdxf_drawings.py") + "', run_name='__main__')\n");
        s_made = r.status == 0;
        s_output = r.output;
    }
    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(s_made) << s_output; }

    static std::string path(const std::string& version, bool binary)
    {
        return s_dir->file(version + (binary ? "_bin.dxf" : ".dxf"));
    }

    static inline ScratchDir* s_dir = nullptr;
    static inline bool s_made = false;
    static inline std::string s_output;
};

const char* const kVersions[] = {"R12", "R2000", "R2004", "R2007", "R2010", "R2013", "R2018"};

TEST_F(EzdxfDrawings, AsciiRoundTripOfEveryVersion)
{
    for (const char* v : kVersions)
        roundTrip(readBytes(path(v, false)), v);
}

TEST_F(EzdxfDrawings, BinaryRoundTripOfEveryVersion)
{
    for (const char* v : kVersions)
        roundTrip(readBytes(path(v, true)), std::string(v) + " binary");
}

TEST_F(EzdxfDrawings, BinaryReadsAsTheAsciiFileOfTheSameDrawing)
{
    for (const char* v : kVersions) {
        DxfRawDrawing ascii;
        DxfRawDrawing binary;
        DxfDiagnostics d;
        ASSERT_TRUE(readDxfRawFile(path(v, false), ascii, d)) << v << describe(d);
        ASSERT_TRUE(readDxfRawFile(path(v, true), binary, d)) << v << describe(d);
        std::vector<DxfTag> ta = allTags(ascii);
        std::vector<DxfTag> tb = allTags(binary);
        ASSERT_EQ(ta.size(), tb.size()) << v;
        for (std::size_t i = 0; i < ta.size(); ++i) {
            ASSERT_EQ(ta[i].code, tb[i].code) << v << " group " << i;
            if (ta[i].type() == DxfValueType::kDouble) {
                // Same double, whatever text each writer chose for it.
                ASSERT_EQ(std::bit_cast<std::uint64_t>(*ta[i].toDouble()),
                          std::bit_cast<std::uint64_t>(*tb[i].toDouble()))
                    << v << " line " << ta[i].line << ": " << ta[i].value << " vs " << tb[i].value;
            } else if (ta[i].type() == DxfValueType::kString || ta[i].type() == DxfValueType::kHandle ||
                       ta[i].type() == DxfValueType::kBinary) {
                ASSERT_EQ(ta[i].value, tb[i].value) << v << " line " << ta[i].line;
            } else {
                ASSERT_EQ(ta[i].toInteger(), tb[i].toInteger()) << v << " line " << ta[i].line;
            }
        }
    }
}

TEST_F(EzdxfDrawings, AccentsAndEscapesDecodeInEveryVersion)
{
    for (const char* v : kVersions) {
        for (bool binary : {false, true}) {
            DxfRawDrawing drawing;
            DxfDiagnostics d;
            ASSERT_TRUE(readDxfRawFile(path(v, binary), drawing, d)) << v;
            bool sawText = false;
            bool sawMtext = false;
            for (const DxfEntity& e : drawing.entities) {
                if (e.record.type() == "TEXT") {
                    sawText = true;
                    EXPECT_EQ(e.record.find(1)->value, "Périmètre à côté") << v;
                    EXPECT_EQ(e.record.find(8)->value, "Bâtiments") << v;
                }
                if (e.record.type() == "MTEXT") {
                    sawMtext = true;
                    EXPECT_EQ(e.record.find(1)->value, "Surface élevée\\PŁódź 日本") << v;
                }
            }
            EXPECT_TRUE(sawText) << v;
            EXPECT_EQ(sawMtext, std::string(v) != "R12") << v;
        }
    }
}

TEST_F(EzdxfDrawings, EzdxfReadsWhatWeWriteAsTheOriginal)
{
    ScratchDir out;
    std::string script = "import runpy, sys\n";
    for (const char* v : kVersions) {
        DxfRawDrawing drawing;
        DxfDiagnostics d;
        ASSERT_TRUE(readDxfRawFile(path(v, true), drawing, d)) << v;
        std::string target = out.file(std::string(v) + ".dxf");
        ASSERT_TRUE(saveDxfRawFile(target, drawing, {}, d)) << describe(d);
        script += "sys.argv = ['x', '" + path(v, false) + "', '" + target + "']\n";
        script += "try:\n    runpy.run_path('" + testDataPath("ezdxf_compare.py") +
                  "', run_name='__main__')\nexcept SystemExit as e:\n    if e.code:\n        print('FAILED " + v +
                  "')\n";
    }
    PythonResult r = runPython(script);
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(r.output.find("FAILED"), std::string::npos) << r.output;
}

TEST_F(EzdxfDrawings, WritingR2000FromR2018EncodesInWindows1252)
{
    DxfRawDrawing drawing;
    DxfDiagnostics d;
    ASSERT_TRUE(readDxfRawFile(path("R2018", false), drawing, d));
    DxfWriteOptions options;
    options.version = "AC1015";
    std::string written = writeDxfRaw(drawing, options);
    EXPECT_NE(written.find("P\xE9rim\xE8tre \xE0 c\xF4t\xE9"), std::string::npos);
    EXPECT_NE(written.find("\\U+0141\xF3" "d\\U+017A \\U+65E5\\U+672C"), std::string::npos);
    DxfRawDrawing back;
    ASSERT_TRUE(readDxfRaw(written, back, d)) << describe(d);
    EXPECT_EQ(back.version(), "AC1015");
    EXPECT_EQ(back.headerValue("$DWGCODEPAGE"), "ANSI_1252");
    expectSameTags(drawing, back, "R2018 as R2000", "$ACADVER");
}

// ---- hand-made files ----

TEST(DxfRoundTrip, RepairedCountIsWrittenRepaired)
{
    DxfRawDrawing drawing;
    DxfDiagnostics d;
    ASSERT_TRUE(readDxfRawFile(fixturePath("bad_count.dxf"), drawing, d));
    std::string written = writeDxfRaw(drawing);
    EXPECT_EQ(written.find("2147483647"), std::string::npos);
    DxfRawDrawing back;
    DxfDiagnostics d2;
    ASSERT_TRUE(readDxfRaw(written, back, d2));
    EXPECT_EQ(d2.warningCount(), 0u) << describe(d2);
    expectSameTags(drawing, back, "bad_count repaired");
}

TEST(DxfRoundTrip, CrLfFileReadsAsTheLfFile)
{
    std::string lf = readBytes(fixturePath("square10.dxf"));
    std::string crlf;
    for (char c : lf) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    DxfRawDrawing a;
    DxfRawDrawing b;
    DxfDiagnostics d;
    ASSERT_TRUE(readDxfRaw(lf, a, d));
    ASSERT_TRUE(readDxfRaw(crlf, b, d));
    expectSameTags(a, b, "CR LF");
    DxfWriteOptions options;
    options.crlf = true;
    expectSameText(writeDxfRaw(a, options), crlf, "CR LF");
}

TEST(DxfRoundTrip, ValuesWithLineEndsAreWrittenInCaretForm)
{
    DxfRawDrawing drawing;
    DxfEntity text;
    text.record.tags = {DxfTag(0, "TEXT"), DxfTag(1, "two\nlines\r")};
    drawing.entities.push_back(text);
    std::string written = writeDxfRaw(drawing);
    EXPECT_NE(written.find("\ntwo^Jlines^M\n"), std::string::npos) << written;
    DxfRawDrawing back;
    DxfDiagnostics d;
    ASSERT_TRUE(readDxfRaw(written, back, d)) << describe(d);
    EXPECT_EQ(back.entities.size(), 1u);
}

TEST(DxfRoundTrip, DrawingMadeInMemoryGetsTheUsualSections)
{
    DxfRawDrawing drawing;
    drawing.setHeaderValue("$ACADVER", 1, "AC1021");
    DxfEntity line;
    line.record.tags = {DxfTag(0, "LINE"), DxfTag(5, "2A"), makeDxfDoubleTag(10, 0.1)};
    drawing.entities.push_back(line);
    std::string written = writeDxfRaw(drawing);
    EXPECT_EQ(written,
              "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1021\n  0\nENDSEC\n"
              "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  5\n2A\n 10\n0.1\n  0\nENDSEC\n  0\nEOF\n");
}

// The writer that saves a drawing record by record: codes right-aligned in three columns (four
// digits past 999), values encoded as whole-drawing writing encodes them, text handed over in pieces
// of about a megabyte that join into exactly the text of writeDxfRaw.
TEST(DxfRoundTrip, TextWriterPiecesJoinIntoTheWholeDrawingsText)
{
    DxfRawDrawing drawing;
    const std::string longValue(3000, 'x');
    for (int i = 0; i < 20000; ++i) {
        DxfEntity e;
        e.record.tags = {DxfTag(0, "TEXT"), DxfTag(5, formatDxfHandle(0x100 + i)), DxfTag(62, "1"),
                         DxfTag(100, "AcDbText"), DxfTag(1, i % 1000 == 0 ? longValue : "n\u00b0 " + std::to_string(i)),
                         DxfTag(1071, "7")};
        if (i % 5000 == 0)
            e.record.tags.emplace_back(1000, "tab\tand line\nend");
        drawing.entities.push_back(std::move(e));
    }
    for (bool crlf : {false, true}) {
        DxfTextWriter writer("AC1015", crlf);
        for (const DxfEntity& e : drawing.entities)
            writer.entity(e);
        const std::vector<std::string> pieces = writer.take();
        ASSERT_GT(pieces.size(), 1u);
        std::string joined;
        for (const std::string& piece : pieces) {
            EXPECT_LT(piece.size(), std::size_t{2} << 20);
            joined += piece;
        }
        const std::string eol = crlf ? "\r\n" : "\n";
        EXPECT_NE(joined.find("  0" + eol + "TEXT" + eol + "  5" + eol + "100" + eol + " 62" + eol + "1" + eol + "100" +
                              eol + "AcDbText" + eol),
                  std::string::npos);
        EXPECT_NE(joined.find("1071" + eol + "7" + eol), std::string::npos);
        // Before R2007 text is Windows-1252: the degree sign is one byte.
        EXPECT_NE(joined.find("n\xB0 19999" + eol), std::string::npos);
        EXPECT_NE(joined.find("tab\tand line^Jend" + eol), std::string::npos);
        EXPECT_NE(joined.find(eol + longValue + eol), std::string::npos);
        DxfWriteOptions options;
        options.version = "AC1015";
        options.crlf = crlf;
        const std::string whole = writeDxfRaw(drawing, options);
        const std::string marker = "ENTITIES" + eol;
        const std::size_t from = whole.find(marker) + marker.size();
        EXPECT_EQ(whole.substr(from, joined.size()), joined) << (crlf ? "CR LF" : "LF");
        EXPECT_TRUE(writer.take().empty());
    }
}

TEST(DxfRoundTrip, SaveIsAtomicAndReplacesTheTarget)
{
    ScratchDir dir;
    std::string target = dir.file("out.dxf");
    writeBytes(target, "old");
    DxfRawDrawing drawing;
    DxfDiagnostics d;
    ASSERT_TRUE(readDxfRawFile(fixturePath("square10.dxf"), drawing, d));
    ASSERT_TRUE(saveDxfRawFile(target, drawing, {}, d)) << describe(d);
    expectSameText(readBytes(target), readBytes(fixturePath("square10.dxf")), "saved");
    // Nothing is left beside the target.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, 1);
}

TEST(DxfRoundTrip, FailedSaveLeavesTheTargetAndSaysWhy)
{
    DxfRawDrawing drawing;
    DxfDiagnostics d;
    EXPECT_FALSE(saveDxfRawFile("/nonexistent-folder/out.dxf", drawing, {}, d));
    ASSERT_EQ(d.errorCount(), 1u);
    EXPECT_EQ(d.messages()[0].line, 0u);
    EXPECT_NE(d.messages()[0].text.find("cannot write"), std::string::npos);
}

TEST(DxfRoundTrip, SaveKeepsTheModeOfTheReplacedFile)
{
    ScratchDir dir;
    std::string target = dir.file("out.dxf");
    writeBytes(target, "old");
    std::filesystem::permissions(target, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                             std::filesystem::perms::group_read);
    std::string error;
    ASSERT_TRUE(writeFileAtomically(target, "new", error)) << error;
    EXPECT_EQ(readBytes(target), "new");
    auto perms = std::filesystem::status(target).permissions();
    EXPECT_EQ(perms & std::filesystem::perms::all, std::filesystem::perms::owner_read |
                                                       std::filesystem::perms::owner_write |
                                                       std::filesystem::perms::group_read);
}

}  // namespace
}  // namespace kelvora::test
