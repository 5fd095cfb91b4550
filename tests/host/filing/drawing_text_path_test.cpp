// Saving record by record and reading with the raw drawing freed as it goes: the same bytes as the whole-drawing paths.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dbents.h"
#include "drawing_test_support.h"
#include "kelvora/database_internals.h"
#include "kelvora/dxf_raw_io.h"

namespace kelvora::test {
namespace {

constexpr DrawingVersion kEveryVersion[] = {DrawingVersion::kR2000, DrawingVersion::kR2004, DrawingVersion::kR2007,
                                            DrawingVersion::kR2010, DrawingVersion::kR2013, DrawingVersion::kR2018};

class TextPathSamples : public ::testing::TestWithParam<const char*> {
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

    static ScratchDir* s_dir;
    static bool s_made;
    static std::string s_output;
};

ScratchDir* TextPathSamples::s_dir = nullptr;
bool TextPathSamples::s_made = false;
std::string TextPathSamples::s_output;

// What writeDrawingData and saveDrawingFile give is what buildDrawing and writeDxfRaw give, in every
// version the host writes, and the file holds exactly those bytes.
TEST_P(TextPathSamples, RecordByRecordTextIsTheWholeDrawingsText)
{
    ReadDrawing read = readDrawingPath(sample(GetParam()));
    ASSERT_TRUE(read.ok) << messagesOf(read.diagnostics);
    for (DrawingVersion version : kEveryVersion) {
        const std::string what = std::string(GetParam()) + " as " + drawingVersionName(version);
        DxfDiagnostics streamed;
        std::string text;
        ASSERT_TRUE(writeDrawingData(*read.db, version, text, streamed)) << what << "\n" << messagesOf(streamed);
        EXPECT_EQ(text, writeDrawingText(*read.db, version)) << what;
        const std::string path = s_dir->file(std::string(GetParam()) + "_saved.dxf");
        DxfDiagnostics saving;
        ASSERT_TRUE(saveDrawingFile(*read.db, path, version, saving)) << what << "\n" << messagesOf(saving);
        EXPECT_EQ(readBytes(path), text) << what;
    }
}

// readDrawingFile frees each entity's records once it is read; readDrawing keeps the raw drawing for
// its caller. Both make the same database.
TEST_P(TextPathSamples, FreeingTheRawDrawingWhileReadingChangesNothingRead)
{
    ReadDrawing freed = readDrawingPath(sample(GetParam()));
    ASSERT_TRUE(freed.ok) << messagesOf(freed.diagnostics);

    DxfRawDrawing raw;
    DxfDiagnostics rawDiagnostics;
    ASSERT_TRUE(readDxfRaw(readBytes(sample(GetParam())), raw, rawDiagnostics)) << messagesOf(rawDiagnostics);
    // The reader's repairs may add groups (handles of R12 records), but every entity stays.
    auto entityTypes = [](const DxfRawDrawing& d) {
        std::vector<std::string> types;
        for (const DxfBlock& b : d.blocks)
            for (const DxfEntity& e : b.entities)
                types.emplace_back(e.record.type());
        for (const DxfEntity& e : d.entities)
            types.emplace_back(e.record.type());
        return types;
    };
    const std::vector<std::string> typesBefore = entityTypes(raw);
    ASSERT_FALSE(typesBefore.empty());
    AcDbDatabase kept(false);
    DxfDiagnostics keptDiagnostics;
    ASSERT_TRUE(readDrawing(raw, kept, keptDiagnostics)) << messagesOf(keptDiagnostics);
    EXPECT_EQ(entityTypes(raw), typesBefore) << "readDrawing took records from its caller's raw drawing";
    EXPECT_EQ(messagesOf(keptDiagnostics), messagesOf(freed.diagnostics));
    EXPECT_EQ(writeDrawingText(kept), writeDrawingText(*freed.db));
}

TEST_P(TextPathSamples, ReadingListsNoObjectForTheEditorToDrawAgain)
{
    ReadDrawing read = readDrawingPath(sample(GetParam()));
    ASSERT_TRUE(read.ok) << messagesOf(read.diagnostics);
    EXPECT_TRUE(takeChangedObjects(read.db.get()).empty());
}

INSTANTIATE_TEST_SUITE_P(Drawing, TextPathSamples,
                         ::testing::Values("R12", "R12_bin", "R2000", "R2000_bin", "R2004", "R2007", "R2010_bin",
                                           "R2013", "R2018", "R2018_bin"));

// Fixtures with what the samples lack: proxies of foreign data, custom objects without their
// application, damaged counts repaired on reading, accents in an R2000 file.
class TextPathFixtures : public ::testing::TestWithParam<const char*> {};

TEST_P(TextPathFixtures, RecordByRecordTextIsTheWholeDrawingsText)
{
    ReadDrawing read = readDrawingPath(fixturePath(GetParam()));
    ASSERT_TRUE(read.ok) << messagesOf(read.diagnostics);
    for (DrawingVersion version : kEveryVersion) {
        DxfDiagnostics streamed;
        std::string text;
        ASSERT_TRUE(writeDrawingData(*read.db, version, text, streamed)) << messagesOf(streamed);
        EXPECT_EQ(text, writeDrawingText(*read.db, version)) << GetParam() << " as " << drawingVersionName(version);
    }
}

INSTANTIATE_TEST_SUITE_P(Drawing, TextPathFixtures,
                         ::testing::Values("foreign_data.dxf", "nspoly_lots.dxf", "bad_count.dxf", "accents_r2000.dxf",
                                           "tables_r2013.dxf", "blocks.dxf", "r12_square.dxf", "zorvel_styles.dxf"));

// Text made in pieces of about a megabyte joins into the text writeDxfRaw makes of the same records,
// strings encoded for the version (Windows-1252 with \U+ escapes before R2007).
TEST(DxfTextWriter, PiecesJoinIntoTheTextOfTheWholeDrawing)
{
    for (const char* version : {"AC1015", "AC1021"}) {
        DxfRawDrawing whole;
        whole.header.push_back(DxfHeaderVariable{"$ACADVER", {DxfTag(1, version)}, 0});
        DxfSection entities;
        entities.kind = DxfSectionKind::kEntities;
        entities.name = "ENTITIES";
        whole.sections.push_back(entities);
        DxfTextWriter writer(version);
        // Enough texts to fill several pieces.
        for (int i = 0; i < 40000; ++i) {
            DxfEntity e;
            e.record.tags = {DxfTag(0, "TEXT"), DxfTag(5, formatDxfHandle(0x100 + static_cast<std::uint64_t>(i))),
                             DxfTag(8, "0"), DxfTag(1, "Parcelle n\xC2\xB0 " + std::to_string(i) + " \xE2\x88\x9A")};
            writer.entity(e);
            whole.entities.push_back(std::move(e));
        }
        std::vector<std::string> pieces = writer.take();
        EXPECT_GT(pieces.size(), 1u) << version;
        DxfSectionTexts made;
        made[DxfSectionKind::kEntities] = pieces;
        DxfWriteOptions options;
        options.version = version;
        DxfRawDrawing shell = whole;
        shell.entities.clear();
        EXPECT_EQ(writeDxfRaw(shell, options, made), writeDxfRaw(whole, options)) << version;
        EXPECT_TRUE(writer.take().empty()) << "taking empties the writer";
    }
}

}  // namespace
}  // namespace kelvora::test
