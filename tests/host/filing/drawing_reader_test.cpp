// Reading drawings that break the rules: handles, classes, extended data, proxies, comments, damage.
#include <gtest/gtest.h>

#include "dbents.h"
#include "dbproxy.h"
#include "dbsymtb.h"
#include "drawing_test_support.h"
#include "kelvora/dxf_proxy_graphics.h"
#include "kelvora/dxf_raw_io.h"

namespace kelvora::test {
namespace {

// square10.dxf (R2000, by ezdxf): one LWPOLYLINE of handle 30 in model space (block record 17).
std::string base()
{
    return readBytes(fixturePath("square10.dxf"));
}

std::string pairs(std::initializer_list<std::pair<int, std::string>> groups)
{
    std::string out;
    for (const auto& [code, value] : groups)
        out += std::to_string(code) + "\n" + value + "\n";
    return out;
}

std::string lineRecord(const std::string& handle, const std::string& extra = {})
{
    std::string out = "0\nLINE\n";
    if (!handle.empty())
        out += "5\n" + handle + "\n";
    return out + pairs({{330, "17"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbLine"}, {10, "1.0"}, {20, "2.0"},
                        {30, "0.0"}, {11, "3.0"}, {21, "4.0"}, {31, "0.0"}}) +
           extra;
}

// The text with `records` put at the end of the ENTITIES section (or of `section`).
std::string withRecords(std::string text, const std::string& records, const std::string& section = "ENTITIES")
{
    std::size_t at = text.find("\n" + section + "\n");
    EXPECT_NE(at, std::string::npos);
    at = text.find("  0\nENDSEC\n", at);
    text.insert(at, records);
    return text;
}

std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

bool hasWarningAt(const DxfDiagnostics& d, std::uint32_t line)
{
    return hasMessage(d, DxfSeverity::kWarning, line);
}

// The handles and types of the written file's entities (model space).
std::vector<std::pair<std::string, std::string>> writtenEntities(const std::string& text)
{
    DxfRawDrawing raw;
    DxfDiagnostics d;
    EXPECT_TRUE(readDxfRaw(text, raw, d));
    std::vector<std::pair<std::string, std::string>> out;
    for (const DxfEntity& e : raw.entities)
        out.emplace_back(std::string(e.record.type()), e.record.handleTag() ? e.record.handleTag()->value : "");
    return out;
}

const DxfRecord* writtenEntity(const DxfRawDrawing& raw, std::string_view type)
{
    for (const DxfEntity& e : raw.entities)
        if (e.record.type() == type)
            return &e.record;
    return nullptr;
}

// The groups of the first written entity of `type` from its subclass `marker` on, as code and value.
std::vector<std::pair<int, std::string>> writtenGroupsFrom(const std::string& text, std::string_view type,
                                                           std::string_view marker)
{
    DxfRawDrawing raw;
    DxfDiagnostics d;
    EXPECT_TRUE(readDxfRaw(text, raw, d));
    std::vector<std::pair<int, std::string>> out;
    const DxfRecord* r = writtenEntity(raw, type);
    if (r == nullptr)
        return out;
    bool inside = false;
    for (std::size_t i = 0; i < r->xdataBegin(); ++i) {
        const DxfTag& t = r->tags[i];
        inside = inside || (t.code == 100 && t.value == marker);
        if (inside)
            out.emplace_back(t.code, t.value);
    }
    return out;
}

// ----- Handles ----------------------------------------------------------------------------------

struct HandleCase {
    const char* name;
    const char* handle;       // the LINE's handle as written ("" for none)
    const char* writtenAs;    // its handle when written back ("" for any new one)
    bool warned;              // a warning names the line
};

// Cases print as their names (the structs hold pointers and padding).
void PrintTo(const HandleCase& c, std::ostream* os)
{
    *os << c.name;
}

class Handles : public ::testing::TestWithParam<HandleCase> {};

TEST_P(Handles, AreKeptOrRepaired)
{
    const HandleCase& c = GetParam();
    const std::string text = withRecords(base(), lineRecord(c.handle));
    ReadDrawing read = readDrawingText(text);
    ASSERT_TRUE(read.ok) << messagesOf(read.diagnostics);
    const std::uint32_t line = lineOf(text, "LINE");
    // The message names the record (its group 0) or its handle's value.
    const bool warned = hasWarningAt(read.diagnostics, line - 1) || hasWarningAt(read.diagnostics, line + 2);
    EXPECT_EQ(warned, c.warned) << messagesOf(read.diagnostics);
    const std::string out = writeDrawingText(*read.db);
    auto entities = writtenEntities(out);
    ASSERT_EQ(entities.size(), 2u);
    EXPECT_EQ(entities[0], (std::pair<std::string, std::string>{"LWPOLYLINE", "30"}));
    EXPECT_EQ(entities[1].first, "LINE");
    if (*c.writtenAs != '\0')
        EXPECT_EQ(entities[1].second, c.writtenAs);
    else
        EXPECT_NE(entities[1].second, "30");
    EXPECT_TRUE(strictProblems(out).empty()) << ::testing::PrintToString(strictProblems(out));
}

INSTANTIATE_TEST_SUITE_P(
    Drawing, Handles,
    ::testing::Values(HandleCase{"kept", "2F0", "2F0", false},
                      HandleCase{"above_32_bits", "1FFFFFFFF", "1FFFFFFFF", false},
                      HandleCase{"sixteen_digits", "0FFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFF", false},
                      HandleCase{"too_high_for_new_objects", "7FFFFFFFFFFFFFFF", "", true},
                      HandleCase{"repeated", "30", "", true},
                      HandleCase{"zero", "0", "", true},
                      HandleCase{"not_hexadecimal", "XYZ", "", true},
                      HandleCase{"missing", "", "", true}),
    [](const ::testing::TestParamInfo<HandleCase>& info) { return std::string(info.param.name); });

TEST(DrawingHandles, AHandleHeldThriceStaysWithItsFirstHolder)
{
    // The polyline of the base drawing holds handle 30; both lines claim it too.
    const std::string text = withRecords(base(), lineRecord("30") + lineRecord("30"));
    ReadDrawing read = readDrawingText(text);
    ASSERT_TRUE(read.ok) << messagesOf(read.diagnostics);
    // Named at the line of its group 0, the line before its type.
    const std::string firstHolder = "which LWPOLYLINE at line " + std::to_string(lineOf(text, "LWPOLYLINE") - 1);
    int named = 0;
    for (const DxfDiagnostic& m : read.diagnostics.messages())
        named += m.text.find(firstHolder) != std::string::npos ? 1 : 0;
    EXPECT_EQ(named, 2) << messagesOf(read.diagnostics);
    auto entities = writtenEntities(writeDrawingText(*read.db));
    ASSERT_EQ(entities.size(), 3u);
    EXPECT_EQ(entities[0], (std::pair<std::string, std::string>{"LWPOLYLINE", "30"}));
    // New handles in file order, above every handle read.
    const std::uint64_t first = std::stoull(entities[1].second, nullptr, 16);
    const std::uint64_t second = std::stoull(entities[2].second, nullptr, 16);
    EXPECT_GT(first, 0x30u);
    EXPECT_EQ(second, first + 1);
}

// Handles in any order, rising through a few runs (as through the sections of a file) or through
// hundreds: every handle stays with its first holder in file order, and only the later holders of a
// handle get new ones, in file order.
TEST(DrawingHandles, HandlesInAnyOrderStayWithTheirFirstHolders)
{
    constexpr int kLines = 400;
    for (int runs : {4, 200}) {
        std::vector<std::string> handles(kLines);
        const int perRun = kLines / runs;
        for (int k = 0; k < kLines; ++k) {
            // Runs in falling order of their first handle, rising within.
            const int run = k / perRun;
            handles[k] = formatDxfHandle(0x1000 + (runs - 1 - run) * perRun + k % perRun);
        }
        for (int k = 49; k < kLines; k += 50)
            handles[k] = handles[k - 7];
        std::string records;
        std::uint64_t highestRead = 0x30;  // the base drawing's polyline
        for (const std::string& h : handles) {
            records += lineRecord(h);
            highestRead = std::max<std::uint64_t>(highestRead, std::stoull(h, nullptr, 16));
        }
        ReadDrawing read = readDrawingText(withRecords(base(), records));
        ASSERT_TRUE(read.ok) << messagesOf(read.diagnostics);
        auto entities = writtenEntities(writeDrawingText(*read.db));
        ASSERT_EQ(entities.size(), kLines + 1u) << runs << " runs";
        std::uint64_t lastNew = 0;
        for (int k = 0; k < kLines; ++k) {
            const std::string& written = entities[static_cast<std::size_t>(k) + 1].second;
            if (k % 50 != 49) {
                EXPECT_EQ(written, handles[k]) << runs << " runs, line " << k;
                continue;
            }
            const std::uint64_t fresh = std::stoull(written, nullptr, 16);
            EXPECT_GT(fresh, highestRead) << runs << " runs, line " << k;
            EXPECT_GT(fresh, lastNew) << runs << " runs, line " << k;
            lastNew = fresh;
        }
    }
}

TEST(DrawingHandles, SeedIsAboveAHandleBeyond32Bits)
{
    ReadDrawing read = readDrawingText(withRecords(base(), lineRecord("1FFFFFFFF")));
    ASSERT_TRUE(read.ok);
    EXPECT_GT(read.db->handseed().value(), 0x1FFFFFFFFull);
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, read.db->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0));
    AcDbObjectId id;
    ASSERT_EQ(ms->appendAcDbEntity(id, line), Acad::eOk);
    line->close();
    ms->close();
    EXPECT_GT(id.handle().value(), 0x1FFFFFFFFull) << "a new object must go above every handle read";
}

TEST(DrawingHandles, ASeedBelowTheHandlesIsRaised)
{
    std::string text = base();
    const std::size_t at = text.find("$HANDSEED\n  5\n") + std::string("$HANDSEED\n  5\n").size();
    text.replace(at, text.find('\n', at) - at, "1");
    ReadDrawing read = readDrawingText(text);
    ASSERT_TRUE(read.ok) << messagesOf(read.diagnostics);
    EXPECT_GT(read.db->handseed().value(), 0x30u);
}

TEST(DrawingHandles, TableRecordWithHandleZeroGetsOne)
{
    // Some writers give table records handle 0.
    const std::string text = replaced(base(), "APPID\n  5\n2A\n", "APPID\n  5\n0\n");
    ReadDrawing read = readDrawingText(text);
    ASSERT_TRUE(read.ok) << messagesOf(read.diagnostics);
    EXPECT_TRUE(hasWarningAt(read.diagnostics, lineOf(text, "APPID", lineOf(text, "TABLES")) + 2) ||
                read.diagnostics.warningCount() > 0);
    const std::string out = writeDrawingText(*read.db);
    EXPECT_TRUE(strictProblems(out).empty()) << ::testing::PrintToString(strictProblems(out));
}

TEST(DrawingReader, RefusesADatabaseThatHoldsObjects)
{
    AcDbDatabase db(true);
    DxfDiagnostics d;
    EXPECT_FALSE(readDrawingData(base(), db, d));
    EXPECT_TRUE(d.hasErrors());
}

// ----- Extended data, classes, proxies ------------------------------------------------------------

TEST(DrawingReader, ApplicationMissingFromAppidIsAddedWithAWarning)
{
    const std::string text = withRecords(base(), lineRecord("2F0", pairs({{1001, "NOSUCHAPP"}, {1000, "kept"}})));
    ReadDrawing read = readDrawingText(text);
    ASSERT_TRUE(read.ok) << messagesOf(read.diagnostics);
    EXPECT_TRUE(hasWarningAt(read.diagnostics, lineOf(text, "NOSUCHAPP") - 1)) << messagesOf(read.diagnostics);
    const std::string out = writeDrawingText(*read.db);
    EXPECT_NE(out.find("1001\nNOSUCHAPP\n1000\nkept\n"), std::string::npos);
    EXPECT_TRUE(strictProblems(out).empty()) << ::testing::PrintToString(strictProblems(out));
}

TEST(DrawingReader, ClassWithout280IsReadWithAWarningAndWrittenWhole)
{
    const std::string cls = pairs({{0, "CLASS"}, {1, "KVTEST_THING"}, {2, "KvTestThing"}, {3, "KvTest"}, {90, "0"},
                                   {281, "1"}});
    const std::string text = withRecords(base(), cls, "CLASSES");
    ReadDrawing read = readDrawingText(text);
    ASSERT_TRUE(read.ok) << messagesOf(read.diagnostics);
    EXPECT_TRUE(hasWarningAt(read.diagnostics, lineOf(text, "KVTEST_THING") - 3)) << messagesOf(read.diagnostics);
    DxfRawDrawing raw;
    DxfDiagnostics d;
    ASSERT_TRUE(readDxfRaw(writeDrawingText(*read.db, DrawingVersion::kR2004), raw, d));
    const DxfRecord* written = nullptr;
    for (const DxfRecord& r : raw.classes)
        if (r.find(1) != nullptr && r.find(1)->value == "KVTEST_THING")
            written = &r;
    ASSERT_NE(written, nullptr);
    ASSERT_NE(written->find(280), nullptr);
    EXPECT_EQ(written->find(280)->value, "0");
    EXPECT_EQ(written->find(281)->value, "1");
    ASSERT_NE(written->find(91), nullptr) << "instance counts are written from R2004";
}

std::string blobRecord(int sizeCode, const std::vector<std::uint8_t>& graphics)
{
    std::string out = pairs({{0, "KVTEST_BLOB"}, {5, "2F1"}, {330, "17"}, {100, "AcDbEntity"}, {8, "0"}});
    for (const DxfTag& t : proxyGraphicsTags(graphics, sizeCode == 92 ? "AC1024" : "AC1027"))
        out += std::to_string(t.code) + "\n" + t.value + "\n";
    return out + pairs({{100, "KvTestBlob"}, {1, "blob"}, {10, "5.0"}, {20, "6.0"}, {90, "7"}});
}

struct GraphicsCase {
    const char* name;
    int readSize;            // 92 or 160 in the file read
    DrawingVersion written;
    int writtenSize;
};

// Cases print as their names (the structs hold pointers and padding).
void PrintTo(const GraphicsCase& c, std::ostream* os)
{
    *os << c.name;
}

class ProxyGraphicsKept : public ::testing::TestWithParam<GraphicsCase> {};

TEST_P(ProxyGraphicsKept, InTheSizeGroupOfTheVersion)
{
    const GraphicsCase& c = GetParam();
    ProxyGraphicsWriter w;
    w.circle({5, 6, 0}, 2.0, {0, 0, 1});
    const std::string text = withRecords(base(), blobRecord(c.readSize, w.bytes()));
    ReadDrawing read = readDrawingText(text);
    ASSERT_TRUE(read.ok) << messagesOf(read.diagnostics);
    DxfRawDrawing raw;
    DxfDiagnostics d;
    ASSERT_TRUE(readDxfRaw(writeDrawingText(*read.db, c.written), raw, d));
    const DxfRecord* blob = writtenEntity(raw, "KVTEST_BLOB");
    ASSERT_NE(blob, nullptr);
    const DxfTag* size = blob->find(c.writtenSize);
    ASSERT_NE(size, nullptr) << "no size group " << c.writtenSize;
    std::size_t at = static_cast<std::size_t>(size - blob->tags.data());
    std::vector<std::uint8_t> data;
    std::size_t used = 0;
    std::string error;
    ASSERT_TRUE(proxyGraphicsFromTags(std::span<const DxfTag>(blob->tags).subspan(at), data, used, error)) << error;
    EXPECT_EQ(data, w.bytes());
    EXPECT_EQ(blob->find(c.writtenSize == 92 ? 160 : 92), nullptr) << "both size groups written";
    ASSERT_NE(blob->find(90), nullptr);
    EXPECT_EQ(blob->find(90)->value, "7");
}

INSTANTIATE_TEST_SUITE_P(
    Drawing, ProxyGraphicsKept,
    ::testing::Values(GraphicsCase{"92_as_R2010", 92, DrawingVersion::kR2010, 92},
                      GraphicsCase{"92_as_R2013", 92, DrawingVersion::kR2013, 160},
                      GraphicsCase{"160_as_R2018", 160, DrawingVersion::kR2018, 160},
                      GraphicsCase{"160_as_R2000", 160, DrawingVersion::kR2000, 92}),
    [](const ::testing::TestParamInfo<GraphicsCase>& info) { return std::string(info.param.name); });

TEST(DrawingReader, ForeignProxyEntityIsWrittenBackAsRead)
{
    const std::vector<std::pair<int, std::string>> own = {{100, "AcDbProxyEntity"}, {90, "498"}, {91, "500"},
                                                          {92, "0"}, {93, "16"}, {310, "0102"}, {94, "0"},
                                                          {95, "33"}, {70, "0"}};
    std::string record = pairs({{0, "ACAD_PROXY_ENTITY"}, {5, "2F2"}, {330, "17"}, {100, "AcDbEntity"}, {8, "0"}});
    for (const auto& [code, value] : own)
        record += std::to_string(code) + "\n" + value + "\n";
    ReadDrawing read = readDrawingText(withRecords(base(), record));
    ASSERT_TRUE(read.ok) << messagesOf(read.diagnostics);
    EXPECT_EQ(writtenGroupsFrom(writeDrawingText(*read.db), "ACAD_PROXY_ENTITY", "AcDbProxyEntity"), own);
}

TEST(DrawingReader, UnknownEntityKeepsItsTwoDimensionalVertices)
{
    // A record of an unknown class derived from the lightweight polyline: 10 and 20 with no 30.
    const std::vector<std::pair<int, std::string>> own = {{100, "AcDbPolyline"}, {90, "2"}, {70, "0"},
                                                          {10, "1.5"}, {20, "2.5"}, {10, "3.5"}, {20, "4.5"},
                                                          {100, "KvTestParcel"}, {1, "lot"}};
    std::string record = pairs({{0, "KVTEST_PARCEL"}, {5, "2F3"}, {330, "17"}, {100, "AcDbEntity"}, {8, "0"}});
    for (const auto& [code, value] : own)
        record += std::to_string(code) + "\n" + value + "\n";
    ReadDrawing read = readDrawingText(withRecords(base(), record));
    ASSERT_TRUE(read.ok) << messagesOf(read.diagnostics);
    EXPECT_EQ(writtenGroupsFrom(writeDrawingText(*read.db), "KVTEST_PARCEL", "AcDbPolyline"), own);
}

// ----- Text of the file ---------------------------------------------------------------------------

TEST(DrawingReader, CommentsAndCrLfReadAsThePlainFile)
{
    std::string text = base();
    std::string crlf;
    for (char ch : text) {
        if (ch == '\n')
            crlf += '\r';
        crlf += ch;
    }
    crlf = "999\r\nwritten by hand\r\n" + crlf;
    ReadDrawing plain = readDrawingText(text);
    ReadDrawing odd = readDrawingText(crlf);
    ASSERT_TRUE(plain.ok);
    ASSERT_TRUE(odd.ok) << messagesOf(odd.diagnostics);
    EXPECT_EQ(writeDrawingText(*odd.db), writeDrawingText(*plain.db));
}

TEST(DrawingReader, Utf8InACodePageFileKeepsItsLetters)
{
    // An R2000 file declares Windows-1252 but a careless writer put UTF-8 in it.
    const std::string text = replaced(base(), "PARCELLES", "Bâtiments");
    ReadDrawing read = readDrawingText(text);
    ASSERT_TRUE(read.ok) << messagesOf(read.diagnostics);
    EXPECT_GT(read.diagnostics.warningCount(), 0u);
    const std::string out = writeDrawingText(*read.db, DrawingVersion::kR2007);
    EXPECT_NE(out.find("Bâtiments"), std::string::npos);
}

// ----- Damaged files ------------------------------------------------------------------------------

struct DamagedCase {
    const char* file;
    DxfSeverity severity;
    std::uint32_t (*line)(const std::string& bytes);
};

// Cases print as their names (the structs hold pointers and padding).
void PrintTo(const DamagedCase& c, std::ostream* os)
{
    *os << c.file;
}

class DamagedFile : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedFile, IsRefusedOrRepairedNamingTheLine)
{
    const DamagedCase& c = GetParam();
    const std::string bytes = readBytes(fixturePath(c.file));
    ReadDrawing read = readDrawingText(bytes);
    EXPECT_EQ(read.ok, c.severity == DxfSeverity::kWarning) << messagesOf(read.diagnostics);
    EXPECT_TRUE(hasMessage(read.diagnostics, c.severity, c.line(bytes))) << messagesOf(read.diagnostics);
    if (read.ok) {
        const std::string out = writeDrawingText(*read.db);
        EXPECT_TRUE(strictProblems(out).empty()) << ::testing::PrintToString(strictProblems(out));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, DamagedFile,
    ::testing::Values(
        DamagedCase{"bad_truncated.dxf", DxfSeverity::kError, [](const std::string& b) { return lineCount(b) + 1; }},
        DamagedCase{"bad_oddlines.dxf", DxfSeverity::kError, [](const std::string& b) { return lineOf(b, "LINE"); }},
        DamagedCase{"bad_number.dxf", DxfSeverity::kError, [](const std::string& b) { return lineOf(b, "abc"); }},
        DamagedCase{"bad_count.dxf", DxfSeverity::kWarning, [](const std::string& b) { return lineOf(b, "2147483647"); }},
        DamagedCase{"bad_garbage.dxf", DxfSeverity::kError, [](const std::string&) { return 1u; }}),
    [](const ::testing::TestParamInfo<DamagedCase>& info) {
        std::string name = info.param.file;
        return name.substr(0, name.find('.'));
    });

TEST(DrawingReader, SectionsTheHostDoesNotStructureAreWrittenBack)
{
    std::string text = base();
    const std::string thumbnail = pairs({{0, "SECTION"}, {2, "THUMBNAILIMAGE"}, {90, "4"}, {310, "01020304"},
                                         {0, "ENDSEC"}});
    text.insert(text.rfind("  0\nEOF"), thumbnail);
    ReadDrawing read = readDrawingText(text);
    ASSERT_TRUE(read.ok) << messagesOf(read.diagnostics);
    DxfRawDrawing raw;
    DxfDiagnostics d;
    ASSERT_TRUE(readDxfRaw(writeDrawingText(*read.db), raw, d));
    const DxfSection* kept = nullptr;
    for (const DxfSection& section : raw.sections)
        if (section.name == "THUMBNAILIMAGE")
            kept = &section;
    ASSERT_NE(kept, nullptr) << "the THUMBNAILIMAGE section is gone";
    ASSERT_EQ(kept->tags.size(), 2u);
    EXPECT_EQ(kept->tags[1].value, "01020304");
}

TEST(DrawingReader, FileOfEntitiesAloneGetsEverythingElse)
{
    // The smallest DXF many programs write: an ENTITIES section and nothing more (read as R12).
    const std::string text = pairs({{0, "SECTION"}, {2, "ENTITIES"}, {0, "LINE"}, {8, "MURS"}, {10, "0"}, {20, "0"},
                                    {11, "5"}, {21, "5"}, {0, "ENDSEC"}, {0, "EOF"}});
    ReadDrawing read = readDrawingText(text);
    ASSERT_TRUE(read.ok) << messagesOf(read.diagnostics);
    EXPECT_EQ(read.diagnostics.warningCount(), 0u) << messagesOf(read.diagnostics);
    for (DrawingVersion v : {DrawingVersion::kR2000, DrawingVersion::kR2018}) {
        const std::string out = writeDrawingText(*read.db, v);
        EXPECT_TRUE(strictProblems(out).empty()) << ::testing::PrintToString(strictProblems(out));
        auto entities = writtenEntities(out);
        ASSERT_EQ(entities.size(), 1u);
        EXPECT_EQ(entities[0].first, "LINE");
    }
}

// ----- R12 ----------------------------------------------------------------------------------------

TEST(DrawingReader, R12PaperSpaceEntityGoesToPaperSpace)
{
    std::string text = readBytes(fixturePath("r12_square.dxf"));
    text = withRecords(text, pairs({{0, "CIRCLE"}, {5, "90"}, {8, "0"}, {67, "1"}, {10, "1.0"}, {20, "1.0"},
                                    {30, "0.0"}, {40, "2.0"}}));
    ReadDrawing read = readDrawingText(text);
    ASSERT_TRUE(read.ok) << messagesOf(read.diagnostics);
    AcDbObjectId id;
    ASSERT_EQ(read.db->getAcDbObjectId(id, false, AcDbHandle(0x90)), Acad::eOk);
    AcDbEntity* circle = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(circle, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(circle->ownerId(), read.db->paperSpaceId());
    circle->close();
}

TEST(DrawingReader, R12SolidKeptAsReadGetsItsSubclassMarker)
{
    std::string text = readBytes(fixturePath("r12_square.dxf"));
    text = withRecords(text, pairs({{0, "SOLID"}, {5, "91"}, {8, "0"}, {10, "0.0"}, {20, "0.0"}, {30, "0.0"},
                                    {11, "1.0"}, {21, "0.0"}, {31, "0.0"}, {12, "0.0"}, {22, "1.0"}, {32, "0.0"},
                                    {13, "1.0"}, {23, "1.0"}, {33, "0.0"}}));
    ReadDrawing read = readDrawingText(text);
    ASSERT_TRUE(read.ok) << messagesOf(read.diagnostics);
    const std::string out = writeDrawingText(*read.db, DrawingVersion::kR2000);
    DxfRawDrawing raw;
    DxfDiagnostics d;
    ASSERT_TRUE(readDxfRaw(out, raw, d));
    const DxfRecord* solid = writtenEntity(raw, "SOLID");
    ASSERT_NE(solid, nullptr);
    EXPECT_EQ(solid->subclassMarkers(), (std::vector<std::string_view>{"AcDbEntity", "AcDbTrace"}));
    EXPECT_TRUE(strictProblems(out).empty()) << ::testing::PrintToString(strictProblems(out));
}

}  // namespace
}  // namespace kelvora::test
