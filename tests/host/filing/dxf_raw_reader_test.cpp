// The raw drawing: sections, tables, blocks and entity sequences as read; damaged files refused or repaired by line.
#include "kelvora/dxf_raw_io.h"

#include "dxf_test_support.h"

#include <gtest/gtest.h>

namespace kelvora::test {
namespace {

// Group lines of a small file: "code value" pairs, one pair a line here.
std::string dxf(std::initializer_list<std::pair<int, const char*>> tags)
{
    std::string out;
    for (const auto& [code, value] : tags)
        out += std::to_string(code) + "\n" + value + "\n";
    return out;
}

// ---- the damaged fixtures: each gives its message at the right line ----

struct DamagedFixture {
    const char* name;
    DxfSeverity severity;
    // The line the message must name, found in the file as the acceptance
    // cases find it.
    std::uint32_t (*expectedLine)(const std::string& bytes);
    const char* words;
};

class DamagedFixtureCase : public ::testing::TestWithParam<DamagedFixture> {};

TEST_P(DamagedFixtureCase, MessageNamesTheLine)
{
    const DamagedFixture& c = GetParam();
    std::string bytes = readBytes(fixturePath(c.name));
    ASSERT_FALSE(bytes.empty()) << c.name;
    DxfRawDrawing drawing;
    DxfDiagnostics d;
    bool ok = readDxfRaw(bytes, drawing, d);
    EXPECT_EQ(ok, c.severity == DxfSeverity::kWarning) << describe(d);
    std::uint32_t line = c.expectedLine(bytes);
    ASSERT_GT(line, 0u);
    bool found = false;
    for (const DxfDiagnostic& m : d.messages())
        if (m.severity == c.severity && m.line == line && m.text.find(c.words) != std::string::npos)
            found = true;
    EXPECT_TRUE(found) << "expected line " << line << "\n" << describe(d);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, DamagedFixtureCase,
    ::testing::Values(
        DamagedFixture{"bad_truncated.dxf", DxfSeverity::kError,
                       [](const std::string& b) { return lineCount(b) + 1; }, "unexpected end of file in section ENTITIES"},
        DamagedFixture{"bad_oddlines.dxf", DxfSeverity::kError,
                       [](const std::string& b) { return lineOf(b, "LINE", lineOf(b, "ENTITIES")); },
                       "invalid group code \"LINE\""},
        DamagedFixture{"bad_number.dxf", DxfSeverity::kError, [](const std::string& b) { return lineOf(b, "abc"); },
                       "real number"},
        DamagedFixture{"bad_count.dxf", DxfSeverity::kWarning,
                       [](const std::string& b) { return lineOf(b, "2147483647"); }, "count is set to 4"},
        DamagedFixture{"bad_garbage.dxf", DxfSeverity::kError, [](const std::string&) { return 1u; },
                       "invalid group code"}),
    [](const auto& info) {
        std::string n = info.param.name;
        return n.substr(0, n.find('.'));
    });

TEST(DxfRawReader, EveryGoodFixtureReadsWithoutError)
{
    for (const char* name : {"accents_r2000.dxf", "arcs.dxf", "blocks.dxf", "bulges3.dxf", "curves.dxf",
                             "foreign_data.dxf", "line100.dxf", "nspoly_lots.dxf", "plot_fill.dxf", "plot_line.dxf",
                             "poly2d.dxf", "r12_square.dxf", "rect10x4.dxf", "square10.dxf", "tables_r2013.dxf",
                             "two_squares.dxf", "zorvel_styles.dxf", "zorvel_text.dxf"}) {
        DxfRawDrawing drawing;
        DxfDiagnostics d;
        EXPECT_TRUE(readDxfRawFile(fixturePath(name), drawing, d)) << name << "\n" << describe(d);
        EXPECT_EQ(d.warningCount(), 0u) << name << "\n" << describe(d);
        EXPECT_FALSE(drawing.entities.empty()) << name;
    }
}

TEST(DxfRawReader, MissingFileIsAnErrorWithoutLine)
{
    DxfRawDrawing drawing;
    DxfDiagnostics d;
    EXPECT_FALSE(readDxfRawFile("/nonexistent/x.dxf", drawing, d));
    ASSERT_EQ(d.messages().size(), 1u);
    EXPECT_EQ(d.messages()[0].line, 0u);
    EXPECT_EQ(DxfDiagnostics::format("x.dxf", d.messages()[0]).rfind("x.dxf: error: cannot open", 0), 0u);
}

TEST(DxfRawReader, EmptyFileIsAnError)
{
    DxfRawDrawing drawing;
    DxfDiagnostics d;
    EXPECT_FALSE(readDxfRaw("", drawing, d));
    EXPECT_EQ(d.errorCount(), 1u);
}

// ---- structure ----

TEST(DxfRawReader, FixtureStructure)
{
    DxfRawDrawing drawing;
    DxfDiagnostics d;
    ASSERT_TRUE(readDxfRawFile(fixturePath("tables_r2013.dxf"), drawing, d)) << describe(d);
    EXPECT_EQ(drawing.version(), "AC1027");
    ASSERT_EQ(drawing.sections.size(), 6u);
    EXPECT_EQ(drawing.sections[0].name, "HEADER");
    EXPECT_EQ(drawing.sections[5].name, "OBJECTS");
    EXPECT_EQ(drawing.header.front().name, "$ACADVER");
    const DxfTable* layers = drawing.table("LAYER");
    ASSERT_NE(layers, nullptr);
    bool sawClotures = false;
    for (const DxfRecord& r : layers->records)
        if (const DxfTag* name = r.find(2); name && name->value == "CLOTURES")
            sawClotures = true;
    EXPECT_TRUE(sawClotures);
    int inserts = 0;
    for (const DxfEntity& e : drawing.entities) {
        if (e.record.type() != "INSERT")
            continue;
        ++inserts;
        ASSERT_EQ(e.children.size(), 1u);
        EXPECT_EQ(e.children[0].type(), "ATTRIB");
        ASSERT_TRUE(e.seqend.has_value());
        EXPECT_EQ(e.seqend->type(), "SEQEND");
    }
    EXPECT_EQ(inserts, 3);
    bool sawBorne = false;
    for (const DxfBlock& b : drawing.blocks)
        if (b.name() == "BORNE") {
            sawBorne = true;
            EXPECT_EQ(b.entities.size(), 2u);
            EXPECT_EQ(b.end.type(), "ENDBLK");
        }
    EXPECT_TRUE(sawBorne);
}

TEST(DxfRawReader, PolylineGroupsItsVertexesAndSeqend)
{
    DxfRawDrawing drawing;
    DxfDiagnostics d;
    ASSERT_TRUE(readDxfRawFile(fixturePath("r12_square.dxf"), drawing, d)) << describe(d);
    ASSERT_EQ(drawing.entities.size(), 1u);
    const DxfEntity& pl = drawing.entities[0];
    EXPECT_EQ(pl.record.type(), "POLYLINE");
    EXPECT_EQ(pl.children.size(), 4u);
    for (const DxfRecord& v : pl.children)
        EXPECT_EQ(v.type(), "VERTEX");
    ASSERT_TRUE(pl.seqend);
}

TEST(DxfRawReader, RecordPropertiesOfForeignData)
{
    DxfRawDrawing drawing;
    DxfDiagnostics d;
    ASSERT_TRUE(readDxfRawFile(fixturePath("foreign_data.dxf"), drawing, d)) << describe(d);
    const DxfEntity* line = nullptr;
    const DxfEntity* circle = nullptr;
    const DxfEntity* widget = nullptr;
    for (const DxfEntity& e : drawing.entities) {
        if (e.record.type() == "LINE")
            line = &e;
        if (e.record.type() == "CIRCLE")
            circle = &e;
        if (e.record.type() == "KVTEST_WIDGET")
            widget = &e;
    }
    ASSERT_TRUE(line && circle && widget);
    EXPECT_EQ(line->record.xdataApplications(), std::vector<std::string_view>{"KVTEST"});
    auto xdata = line->record.xdata("KVTEST");
    ASSERT_GE(xdata.size(), 2u);
    EXPECT_EQ(xdata[0].code, 1001);
    EXPECT_EQ(xdata[1].value, "hello");
    EXPECT_TRUE(line->record.xdata("OTHER").empty());
    EXPECT_EQ(line->record.subclassMarkers(), (std::vector<std::string_view>{"AcDbEntity", "AcDbLine"}));
    EXPECT_TRUE(circle->record.extensionDictionary().has_value());
    EXPECT_EQ(widget->record.subclassMarkers(), (std::vector<std::string_view>{"AcDbEntity", "KvTestWidget"}));
    EXPECT_TRUE(widget->record.owner().has_value());
    // The unknown object: its owner is the dictionary, which also is its reactor.
    for (const DxfRecord& o : drawing.objects)
        if (o.type() == "KVTEST_DATA") {
            ASSERT_TRUE(o.owner());
            ASSERT_EQ(o.reactors().size(), 1u);
            EXPECT_EQ(o.reactors()[0], *o.owner());
        }
    EXPECT_EQ(drawing.headerValue("$KVTESTNOTE"), "relevé du 3 mars");
    const DxfHeaderVariable* origin = drawing.headerVariable("$KVTESTORIGIN");
    ASSERT_NE(origin, nullptr);
    ASSERT_EQ(origin->tags.size(), 3u);
    EXPECT_EQ(origin->tags[1].toDouble(), 2.5);
}

TEST(DxfRawReader, HandlesAbove32Bits)
{
    std::string data = dxf({{0, "SECTION"}, {2, "ENTITIES"}, {0, "LINE"}, {5, "1234ABCD5678"}, {330, "FFFFFFFFFFFFFFF0"},
                            {0, "ENDSEC"}, {0, "EOF"}});
    DxfRawDrawing drawing;
    DxfDiagnostics d;
    ASSERT_TRUE(readDxfRaw(data, drawing, d)) << describe(d);
    ASSERT_EQ(drawing.entities.size(), 1u);
    EXPECT_EQ(drawing.entities[0].record.handle(), 0x1234ABCD5678ull);
    EXPECT_EQ(drawing.entities[0].record.owner(), 0xFFFFFFFFFFFFFFF0ull);
}

TEST(DxfRawReader, HandleZeroOnATableRecordIsFlagged)
{
    std::string data = dxf({{0, "SECTION"}, {2, "TABLES"}, {0, "TABLE"}, {2, "LAYER"}, {5, "2"}, {0, "LAYER"},
                            {5, "0"}, {2, "WALLS"}, {0, "ENDTAB"}, {0, "ENDSEC"}, {0, "EOF"}});
    DxfRawDrawing drawing;
    DxfDiagnostics d;
    EXPECT_TRUE(readDxfRaw(data, drawing, d));
    ASSERT_EQ(d.warningCount(), 1u) << describe(d);
    EXPECT_EQ(d.messages()[0].line, 14u);
    EXPECT_NE(d.messages()[0].text.find("LAYER has handle 0"), std::string::npos);
    ASSERT_EQ(drawing.tables.size(), 1u);
    EXPECT_EQ(drawing.tables[0].records[0].handle(), 0u);
}

TEST(DxfRawReader, DimstyleHandleIsGroup105)
{
    std::string data = dxf({{0, "SECTION"}, {2, "TABLES"}, {0, "TABLE"}, {2, "DIMSTYLE"}, {0, "DIMSTYLE"},
                            {105, "27"}, {2, "Standard"}, {5, ""}, {0, "ENDTAB"}, {0, "ENDSEC"}, {0, "EOF"}});
    DxfRawDrawing drawing;
    DxfDiagnostics d;
    EXPECT_TRUE(readDxfRaw(data, drawing, d)) << describe(d);
    EXPECT_EQ(d.warningCount(), 0u) << describe(d);
    EXPECT_EQ(drawing.tables[0].records[0].handle(), 0x27u);
}

TEST(DxfRawReader, NonHexadecimalHandleIsFlagged)
{
    std::string data = dxf({{0, "SECTION"}, {2, "ENTITIES"}, {0, "LINE"}, {5, "XYZ"}, {0, "ENDSEC"}, {0, "EOF"}});
    DxfRawDrawing drawing;
    DxfDiagnostics d;
    EXPECT_TRUE(readDxfRaw(data, drawing, d));
    EXPECT_TRUE(hasMessage(d, DxfSeverity::kWarning, 8)) << describe(d);
}

struct Repair {
    const char* name;
    std::string data;
    std::uint32_t line;
    const char* words;
};

class RepairCase : public ::testing::TestWithParam<Repair> {};

TEST_P(RepairCase, RepairedWithAWarning)
{
    const Repair& c = GetParam();
    DxfRawDrawing drawing;
    DxfDiagnostics d;
    EXPECT_TRUE(readDxfRaw(c.data, drawing, d)) << describe(d);
    ASSERT_EQ(d.warningCount(), 1u) << describe(d);
    EXPECT_EQ(d.messages()[0].line, c.line);
    EXPECT_NE(d.messages()[0].text.find(c.words), std::string::npos) << d.messages()[0].text;
}

INSTANTIATE_TEST_SUITE_P(
    Structure, RepairCase,
    ::testing::Values(
        Repair{"missing_eof", dxf({{0, "SECTION"}, {2, "ENTITIES"}, {0, "ENDSEC"}}), 7, "no EOF"},
        Repair{"missing_endsec",
               dxf({{0, "SECTION"}, {2, "ENTITIES"}, {0, "LINE"}, {0, "SECTION"}, {2, "OBJECTS"}, {0, "ENDSEC"},
                    {0, "EOF"}}),
               7, "has no ENDSEC"},
        Repair{"missing_seqend",
               dxf({{0, "SECTION"}, {2, "ENTITIES"}, {0, "POLYLINE"}, {0, "VERTEX"}, {0, "ENDSEC"}, {0, "EOF"}}), 5,
               "has no SEQEND"},
        Repair{"missing_endblk",
               dxf({{0, "SECTION"}, {2, "BLOCKS"}, {0, "BLOCK"}, {2, "B"}, {0, "LINE"}, {0, "ENDSEC"}, {0, "EOF"}}), 5,
               "has no ENDBLK"},
        Repair{"missing_endtab",
               dxf({{0, "SECTION"}, {2, "TABLES"}, {0, "TABLE"}, {2, "LTYPE"}, {0, "LTYPE"}, {0, "ENDSEC"},
                    {0, "EOF"}}),
               5, "has no ENDTAB"},
        Repair{"stray_tags_before_sections", dxf({{8, "x"}, {0, "SECTION"}, {2, "ENTITIES"}, {0, "ENDSEC"}, {0, "EOF"}}),
               1, "outside any section"},
        Repair{"lwpolyline_count_too_small",
               dxf({{0, "SECTION"}, {2, "ENTITIES"}, {0, "LWPOLYLINE"}, {100, "AcDbPolyline"}, {90, "1"}, {10, "0"},
                    {20, "0"}, {10, "1"}, {20, "1"}, {0, "ENDSEC"}, {0, "EOF"}}),
               10, "claims 1 vertices but 2 follow"},
        Repair{"spline_knots_claimed_in_millions",
               dxf({{0, "SECTION"}, {2, "ENTITIES"}, {0, "SPLINE"}, {100, "AcDbSpline"}, {72, "30000"}, {40, "0"},
                    {40, "1"}, {0, "ENDSEC"}, {0, "EOF"}}),
               10, "knots"},
        Repair{"hatch_paths",
               dxf({{0, "SECTION"}, {2, "ENTITIES"}, {0, "HATCH"}, {100, "AcDbHatch"}, {91, "1000000"}, {92, "2"},
                    {0, "ENDSEC"}, {0, "EOF"}}),
               10, "boundary paths"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DxfRawReader, InsertWithoutAttributesHasNoSequence)
{
    std::string data = dxf({{0, "SECTION"}, {2, "ENTITIES"}, {0, "INSERT"}, {2, "B"}, {0, "LINE"}, {0, "ENDSEC"},
                            {0, "EOF"}});
    DxfRawDrawing drawing;
    DxfDiagnostics d;
    ASSERT_TRUE(readDxfRaw(data, drawing, d));
    ASSERT_EQ(drawing.entities.size(), 2u);
    EXPECT_FALSE(drawing.entities[0].seqend.has_value());
    EXPECT_EQ(d.warningCount(), 0u);
}

TEST(DxfRawReader, UnknownSectionKeepsItsGroups)
{
    std::string data = dxf({{0, "SECTION"}, {2, "THUMBNAILIMAGE"}, {90, "3"}, {310, "ABCDEF"}, {0, "ENDSEC"},
                            {0, "SECTION"}, {2, "KVSPECIAL"}, {0, "THING"}, {1, "x"}, {0, "ENDSEC"}, {0, "EOF"}});
    DxfRawDrawing drawing;
    DxfDiagnostics d;
    ASSERT_TRUE(readDxfRaw(data, drawing, d)) << describe(d);
    ASSERT_EQ(drawing.sections.size(), 2u);
    EXPECT_EQ(drawing.sections[0].kind, DxfSectionKind::kOther);
    ASSERT_EQ(drawing.sections[0].tags.size(), 2u);
    EXPECT_EQ(drawing.sections[0].tags[1].value, "ABCDEF");
    EXPECT_EQ(drawing.sections[1].tags.size(), 2u);
}

TEST(DxfRawReader, SecondEntitiesSectionIsMerged)
{
    std::string data = dxf({{0, "SECTION"}, {2, "ENTITIES"}, {0, "LINE"}, {0, "ENDSEC"}, {0, "SECTION"},
                            {2, "ENTITIES"}, {0, "CIRCLE"}, {0, "ENDSEC"}, {0, "EOF"}});
    DxfRawDrawing drawing;
    DxfDiagnostics d;
    ASSERT_TRUE(readDxfRaw(data, drawing, d));
    EXPECT_EQ(drawing.sections.size(), 1u);
    EXPECT_EQ(drawing.entities.size(), 2u);
    EXPECT_TRUE(hasMessage(d, DxfSeverity::kWarning, 9)) << describe(d);
}

TEST(DxfRawReader, FileEndingInsideASectionIsAnErrorAfterTheLastLine)
{
    std::string data = dxf({{0, "SECTION"}, {2, "ENTITIES"}, {0, "LINE"}, {8, "0"}});
    DxfRawDrawing drawing;
    DxfDiagnostics d;
    EXPECT_FALSE(readDxfRaw(data, drawing, d));
    EXPECT_TRUE(hasMessage(d, DxfSeverity::kError, 9)) << describe(d);
}

TEST(DxfRawReader, ErrorsKeepReadingToReportEveryBadValue)
{
    std::string data = dxf({{0, "SECTION"}, {2, "ENTITIES"}, {0, "CIRCLE"}, {40, "abc"}, {0, "CIRCLE"}, {40, "x"},
                            {0, "ENDSEC"}, {0, "EOF"}});
    DxfRawDrawing drawing;
    DxfDiagnostics d;
    EXPECT_FALSE(readDxfRaw(data, drawing, d));
    EXPECT_EQ(d.errorCount(), 2u);
    EXPECT_TRUE(hasMessage(d, DxfSeverity::kError, 8));
    EXPECT_TRUE(hasMessage(d, DxfSeverity::kError, 12));
}

}  // namespace
}  // namespace kelvora::test
