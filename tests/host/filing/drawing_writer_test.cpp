// Writing drawings: a new drawing in every version, encodings, the header, stable handles, atomic saves.
#include <gtest/gtest.h>

#include <filesystem>

#include "dbents.h"
#include "dbpl.h"
#include "dbsymtb.h"
#include "drawing_test_support.h"
#include "kelvora/dxf_raw_io.h"

namespace kelvora::test {
namespace {

const char* const kAccented = "Périmètre à côté 日本";

// A new drawing (the host's defaults) with a line, a circle, a polyline with an arc and an accented text.
std::unique_ptr<AcDbDatabase> smallPlan()
{
    auto db = std::make_unique<AcDbDatabase>(true);
    AcDbBlockTableRecord* ms = nullptr;
    EXPECT_EQ(acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    auto add = [&](AcDbEntity* e) {
        EXPECT_EQ(ms->appendAcDbEntity(e), Acad::eOk);
        e->close();
    };
    add(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(30, 20, 0)));
    add(new AcDbCircle(AcGePoint3d(50, 50, 0), AcGeVector3d::kZAxis, 7.5));
    auto* pl = new AcDbPolyline();
    pl->addVertexAt(0, AcGePoint2d(0, 0));
    pl->addVertexAt(1, AcGePoint2d(10, 0), 0.5);
    pl->addVertexAt(2, AcGePoint2d(10, 10));
    add(pl);
    std::wstring text = L"P\u00e9rim\u00e8tre \u00e0 c\u00f4t\u00e9 \u65e5\u672c";
    add(new AcDbText(AcGePoint3d(5, 5, 0), text.c_str(), AcDbObjectId::kNull, 2.5));
    ms->close();
    return db;
}

const DxfHeaderVariable* variable(const DxfRawDrawing& raw, std::string_view name)
{
    return raw.headerVariable(name);
}

DxfRawDrawing parsed(const std::string& text)
{
    DxfRawDrawing raw;
    DxfDiagnostics d;
    EXPECT_TRUE(readDxfRaw(text, raw, d)) << messagesOf(d);
    return raw;
}

class NewDrawing : public ::testing::TestWithParam<DrawingVersion> {};

TEST_P(NewDrawing, IsValidForOtherReaders)
{
    const DrawingVersion version = GetParam();
    auto db = smallPlan();
    DxfDiagnostics d;
    const std::string text = writeDrawingText(*db, version, d);
    ASSERT_FALSE(text.empty()) << messagesOf(d);
    EXPECT_EQ(d.warningCount(), 0u) << messagesOf(d);
    std::vector<std::string> problems = strictProblems(text);
    EXPECT_TRUE(problems.empty()) << ::testing::PrintToString(problems);
    ScratchDir dir;
    writeBytes(dir.file("new.dxf"), text);
    EXPECT_EQ(ezdxfAuditErrors(dir.file("new.dxf")), "");

    DxfRawDrawing raw = parsed(text);
    EXPECT_EQ(raw.version(), drawingVersionAcadVer(version));
    const DxfHeaderVariable* maint = variable(raw, "$ACADMAINTVER");
    ASSERT_NE(maint, nullptr);
    ASSERT_FALSE(maint->tags.empty());
    // The maintenance version became a 32-bit group in R2018.
    EXPECT_EQ(maint->tags.front().code, version == DrawingVersion::kR2018 ? 90 : 70);
    ASSERT_NE(variable(raw, "$DWGCODEPAGE"), nullptr);
    EXPECT_EQ(raw.headerValue("$DWGCODEPAGE"), "ANSI_1252");
}

INSTANTIATE_TEST_SUITE_P(Versions, NewDrawing,
                         ::testing::Values(DrawingVersion::kR2000, DrawingVersion::kR2004, DrawingVersion::kR2007,
                                           DrawingVersion::kR2010, DrawingVersion::kR2013, DrawingVersion::kR2018),
                         [](const ::testing::TestParamInfo<DrawingVersion>& info) {
                             return std::string(drawingVersionName(info.param));
                         });

struct EncodingCase {
    const char* name;
    DrawingVersion version;
    const char* bytesWritten;  // how "é" and "日" stand in the file
    const char* cjkWritten;
};

// Cases print as their names (the structs hold pointers and padding).
void PrintTo(const EncodingCase& c, std::ostream* os)
{
    *os << c.name;
}

class WrittenTextEncoding : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(WrittenTextEncoding, FollowsTheVersionAndReadsBack)
{
    const EncodingCase& c = GetParam();
    auto db = smallPlan();
    const std::string text = writeDrawingText(*db, c.version);
    EXPECT_NE(text.find(c.bytesWritten), std::string::npos);
    EXPECT_NE(text.find(c.cjkWritten), std::string::npos);
    ReadDrawing again = readDrawingText(text);
    ASSERT_TRUE(again.ok) << messagesOf(again.diagnostics);
    const std::string rewritten = writeDrawingText(*again.db, DrawingVersion::kR2007);
    EXPECT_NE(rewritten.find(kAccented), std::string::npos) << "the text did not read back the same";
}

INSTANTIATE_TEST_SUITE_P(
    Versions, WrittenTextEncoding,
    ::testing::Values(EncodingCase{"R2000_windows_1252", DrawingVersion::kR2000, "P\xe9rim\xe8tre", "\\U+65E5"},
                      EncodingCase{"R2004_windows_1252", DrawingVersion::kR2004, "P\xe9rim\xe8tre", "\\U+65E5"},
                      EncodingCase{"R2007_utf8", DrawingVersion::kR2007, "Périmètre", "日本"},
                      EncodingCase{"R2018_utf8", DrawingVersion::kR2018, "Périmètre", "日本"}),
    [](const ::testing::TestParamInfo<EncodingCase>& info) { return std::string(info.param.name); });

TEST(DrawingWriter, SavingTwiceWritesTheSameHandles)
{
    auto db = smallPlan();
    const std::string first = writeDrawingText(*db);
    const std::string second = writeDrawingText(*db);
    EXPECT_EQ(first, second);
}

TEST(DrawingWriter, ObjectsMadeAfterASaveGoAboveTheSeedWritten)
{
    auto db = smallPlan();
    DxfRawDrawing raw = parsed(writeDrawingText(*db));
    const std::uint64_t seed = variable(raw, "$HANDSEED")->tags.front().toHandle().value_or(0);
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    AcDbObjectId id;
    ASSERT_EQ(ms->appendAcDbEntity(id, line), Acad::eOk);
    line->close();
    ms->close();
    EXPECT_GE(id.handle().value(), seed);
}

// Group 67 marks the entities of paper space, and only those: not model space, not a block whose
// name only starts like paper space's.
TEST(DrawingWriter, OnlyPaperSpaceEntitiesSayTheyAreInPaperSpace)
{
    auto db = smallPlan();
    auto addLineTo = [](AcDbObjectId spaceId, double y) {
        AcDbBlockTableRecord* space = nullptr;
        ASSERT_EQ(acdbOpenObject(space, spaceId, AcDb::kForWrite), Acad::eOk);
        auto* line = new AcDbLine(AcGePoint3d(0, y, 0), AcGePoint3d(1, y, 0));
        ASSERT_EQ(space->appendAcDbEntity(line), Acad::eOk);
        line->close();
        space->close();
    };
    addLineTo(db->paperSpaceId(), 7);
    AcDbBlockTable* blocks = nullptr;
    ASSERT_EQ(db->getBlockTable(blocks, AcDb::kForWrite), Acad::eOk);
    auto* block = new AcDbBlockTableRecord();
    ASSERT_EQ(block->setName(L"*Paper_Space_Like"), Acad::eOk);
    AcDbObjectId blockId;
    ASSERT_EQ(blocks->add(blockId, block), Acad::eOk);
    block->close();
    blocks->close();
    addLineTo(blockId, 9);

    DxfRawDrawing raw = parsed(writeDrawingText(*db));
    auto inPaperSpace = [](const DxfRecord& r) {
        for (const DxfTag& t : r.tags)
            if (t.code == 67)
                return t.value == "1";
        return false;
    };
    auto startY = [](const DxfRecord& r) {
        for (const DxfTag& t : r.tags)
            if (t.code == 20)
                return t.value;
        return std::string();
    };
    std::vector<std::string> paperStarts;
    for (const DxfEntity& e : raw.entities)
        if (inPaperSpace(e.record))
            paperStarts.push_back(std::string(e.record.type()) + " at y " + startY(e.record));
    for (const DxfBlock& b : raw.blocks)
        for (const DxfEntity& e : b.entities)
            EXPECT_FALSE(inPaperSpace(e.record)) << "a block's " << e.record.type() << " at y " << startY(e.record);
    EXPECT_EQ(raw.entities.size(), 5u);
    EXPECT_EQ(paperStarts, std::vector<std::string>{"LINE at y 7.0"});
}

TEST(DrawingWriter, HeaderKeepsWhatTheDatabaseSetsAndWhatItDoesNotModel)
{
    ReadDrawing read = readDrawingPath(fixturePath("foreign_data.dxf"));
    ASSERT_TRUE(read.ok) << messagesOf(read.diagnostics);
    ASSERT_EQ(read.db->setLuprec(2), Acad::eOk);
    DxfRawDrawing raw = parsed(writeDrawingText(*read.db));
    EXPECT_EQ(raw.headerValue("$LUPREC"), "2");
    EXPECT_EQ(raw.headerValue("$USERI1"), "42");
    EXPECT_EQ(raw.headerValue("$KVTESTNOTE"), "relevé du 3 mars");
    const DxfHeaderVariable* origin = variable(raw, "$KVTESTORIGIN");
    ASSERT_NE(origin, nullptr);
    EXPECT_EQ(origin->tags.size(), 3u);
    EXPECT_EQ(raw.header.front().name, "$ACADVER");
}

TEST(DrawingWriter, R12OnlyHeaderVariablesAreNotWritten)
{
    ReadDrawing read = readDrawingPath(fixturePath("r12_square.dxf"));
    ASSERT_TRUE(read.ok) << messagesOf(read.diagnostics);
    DxfRawDrawing raw = parsed(writeDrawingText(*read.db));
    EXPECT_EQ(variable(raw, "$HANDLING"), nullptr);
    EXPECT_EQ(variable(raw, "$OSMODE"), nullptr);
    EXPECT_NE(variable(raw, "$TDCREATE"), nullptr) << "a variable the database does not model was lost";
}

TEST(DrawingWriter, SaveIntoAMissingFolderFailsAndLeavesNothing)
{
    ScratchDir dir;
    auto db = smallPlan();
    DxfDiagnostics d;
    EXPECT_FALSE(saveDrawingFile(*db, dir.file("missing/out.dxf"), DrawingVersion::kR2007, d));
    EXPECT_TRUE(d.hasErrors());
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(DrawingWriter, SaveReplacesTheTargetWhole)
{
    ScratchDir dir;
    const std::string path = dir.file("out.dxf");
    writeBytes(path, std::string(100000, 'x'));
    auto db = smallPlan();
    DxfDiagnostics d;
    ASSERT_TRUE(saveDrawingFile(*db, path, DrawingVersion::kR2013, d)) << messagesOf(d);
    EXPECT_EQ(readBytes(path), writeDrawingText(*db, DrawingVersion::kR2013));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), std::filesystem::directory_iterator()), 1);
}

TEST(DrawingWriter, VersionNamesAreReadEitherWay)
{
    EXPECT_EQ(parseDrawingVersion("r2013"), DrawingVersion::kR2013);
    EXPECT_EQ(parseDrawingVersion("AC1032"), DrawingVersion::kR2018);
    EXPECT_FALSE(parseDrawingVersion("R14").has_value());
    EXPECT_FALSE(parseDrawingVersion("AC1009").has_value()) << "R12 is read, not written";
    EXPECT_STREQ(drawingVersionAcadVer(kDefaultDrawingVersion), "AC1021");
}

}  // namespace
}  // namespace kelvora::test
