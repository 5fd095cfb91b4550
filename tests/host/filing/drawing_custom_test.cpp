// Custom entities of an application: read as its objects when it is loaded, kept as proxies when it is not, and back.
#include <gtest/gtest.h>

#include "acgi.h"
#include "acutads.h"
#include "dbproxy.h"
#include "dbsymtb.h"
#include "drawing_test_support.h"
#include "kelvora/dxf_proxy_graphics.h"
#include "kelvora/dxf_raw_io.h"
#include "kelvora/wide_text.h"

// A tiny custom entity, as an application defines one: a labelled marker with its own subclass.
class KvTestMarker : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(KvTestMarker);
    KvTestMarker() { ++s_made; }

    AcGePoint3d m_position;  // 10
    double m_size = 1.0;     // 40
    std::wstring m_label;    // 1
    static inline int s_made = 0;

    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override
    {
        assertReadEnabled();
        Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
        if (es != Acad::eOk)
            return es;
        filer->writeString(AcDb::kDxfSubclass, L"KvTestMarker");
        filer->writePoint3d(AcDb::kDxfXCoord, m_position);
        filer->writeDouble(AcDb::kDxfReal, m_size);
        filer->writeString(AcDb::kDxfText, m_label.c_str());
        return filer->filerStatus();
    }

    // Refuses a record without its subclass, as the commercial host's classes do.
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override
    {
        assertWriteEnabled();
        Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
        if (es != Acad::eOk)
            return es;
        if (!filer->atSubclassData(L"KvTestMarker"))
            return Acad::eBadDxfSequence;
        while (true) {
            resbuf* rb = acutNewRb(AcDb::kDxfReal);
            es = filer->readResBuf(rb);
            if (es != Acad::eOk) {
                rb->restype = AcDb::kDxfReal;
                acutRelRb(rb);
                return es == Acad::eEndOfObject || es == Acad::eEndOfFile ? Acad::eOk : es;
            }
            bool mine = true;
            if (rb->restype == AcDb::kDxfXCoord)
                m_position.set(rb->resval.rpoint[0], rb->resval.rpoint[1], rb->resval.rpoint[2]);
            else if (rb->restype == AcDb::kDxfReal)
                m_size = rb->resval.rreal;
            else if (rb->restype == AcDb::kDxfText)
                m_label = rb->resval.rstring != nullptr ? rb->resval.rstring : L"";
            else
                mine = false;
            acutRelRb(rb);
            if (!mine) {
                filer->pushBackItem();
                return Acad::eOk;
            }
        }
    }

    Adesk::Boolean worldDraw(AcGiWorldDraw* mode) override
    {
        mode->geometry().circle(m_position, m_size, AcGeVector3d::kZAxis);
        return Adesk::kTrue;
    }
};

ACRX_DXF_DEFINE_MEMBERS(KvTestMarker, AcDbEntity, AcDb::kDHL_CURRENT, AcDb::kMReleaseCurrent, 3, KVTEST_MARKER,
                        KvTestApp);

namespace kelvora::test {
namespace {

void loadClass()
{
    KvTestMarker::gpDesc = nullptr;
    KvTestMarker::rxInit();
    acrxBuildClassHierarchy();
}

void unloadClass()
{
    if (AcRxClass* cls = acrxFindAcRxClass(L"KvTestMarker"))
        deleteAcRxClass(cls);
    KvTestMarker::gpDesc = nullptr;
}

// The application's class registered for the test's length, as a loaded module's would be.
class ClassLoaded {
public:
    ClassLoaded() { loadClass(); }
    ~ClassLoaded() { unloadClass(); }
    ClassLoaded(const ClassLoaded&) = delete;
    ClassLoaded& operator=(const ClassLoaded&) = delete;
};

const std::vector<std::pair<int, std::string>> kMarkerGroups = {
    {100, "KvTestMarker"}, {10, "5.5"}, {20, "6.5"}, {30, "0.0"}, {40, "2.25"}, {1, "Borne 12"}};

// square10.dxf with the class's CLASS record and one marker of handle 2F0 in model space.
std::string drawingWithMarker(const std::vector<std::pair<int, std::string>>& groups = kMarkerGroups)
{
    std::string text = readBytes(fixturePath("square10.dxf"));
    auto insertBefore = [&](const std::string& section, const std::string& records) {
        std::size_t at = text.find("  0\nENDSEC\n", text.find("\n" + section + "\n"));
        text.insert(at, records);
    };
    insertBefore("CLASSES", "0\nCLASS\n1\nKVTEST_MARKER\n2\nKvTestMarker\n3\nKvTestApp\n90\n3\n280\n0\n281\n1\n");
    std::string record = "0\nKVTEST_MARKER\n5\n2F0\n330\n17\n100\nAcDbEntity\n8\nPARCELLES\n";
    for (const auto& [code, value] : groups)
        record += std::to_string(code) + "\n" + value + "\n";
    insertBefore("ENTITIES", record);
    return text;
}

AcDbObjectId markerId(AcDbDatabase& db)
{
    AcDbObjectId id;
    db.getAcDbObjectId(id, false, AcDbHandle(0x2F0));
    return id;
}

DxfRawDrawing parsed(const std::string& text)
{
    DxfRawDrawing raw;
    DxfDiagnostics d;
    EXPECT_TRUE(readDxfRaw(text, raw, d)) << messagesOf(d);
    return raw;
}

const DxfRecord* entityOf(const DxfRawDrawing& raw, std::string_view type)
{
    for (const DxfEntity& e : raw.entities)
        if (e.record.type() == type)
            return &e.record;
    return nullptr;
}

// The groups of a record from the subclass marker `marker` on, typed by their numbers where the
// writer may format them otherwise ("5.5" and "5.50" are one value).
std::vector<std::pair<int, std::string>> groupsFrom(const DxfRecord& r, std::string_view marker)
{
    std::vector<std::pair<int, std::string>> out;
    bool inside = false;
    for (std::size_t i = 0; i < r.xdataBegin(); ++i) {
        const DxfTag& t = r.tags[i];
        inside = inside || (t.code == 100 && t.value == marker);
        if (!inside)
            continue;
        if (t.type() == DxfValueType::kDouble)
            out.emplace_back(t.code, formatDxfDouble(t.toDouble().value_or(0)));
        else
            out.emplace_back(t.code, t.value);
    }
    return out;
}

std::vector<std::pair<int, std::string>> normalised(const std::vector<std::pair<int, std::string>>& groups)
{
    DxfRecord r;
    r.tags.emplace_back(0, "X");
    for (const auto& [code, value] : groups)
        r.tags.emplace_back(code, value);
    return groupsFrom(r, groups.front().second);
}

const DxfRecord* classNamed(const DxfRawDrawing& raw, std::string_view dxfName)
{
    for (const DxfRecord& r : raw.classes)
        if (r.find(1) != nullptr && r.find(1)->value == dxfName)
            return &r;
    return nullptr;
}

void expectMarker(AcDbObjectId id, const AcGePoint3d& position, double size, const wchar_t* label)
{
    AcDbEntity* e = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(e, id, AcDb::kForRead), Acad::eOk);
    auto* marker = KvTestMarker::cast(e);
    EXPECT_NE(marker, nullptr) << "the object is no marker";
    if (marker != nullptr) {
        EXPECT_TRUE(marker->m_position.isEqualTo(position));
        EXPECT_DOUBLE_EQ(marker->m_size, size);
        EXPECT_EQ(marker->m_label, label);
        ACHAR* layer = marker->layer();
        EXPECT_STREQ(layer, L"PARCELLES");
        acutDelString(layer);
    }
    e->close();
}

bool isProxy(AcDbObjectId id)
{
    AcDbObject* obj = nullptr;
    if (acdbOpenAcDbObject(obj, id, AcDb::kForRead) != Acad::eOk)
        return false;
    const bool proxy = AcDbProxyEntity::cast(obj) != nullptr;
    obj->close();
    return proxy;
}

TEST(CustomEntity, ReadWithItsClassIsItsObject)
{
    ClassLoaded loaded;
    const int made = KvTestMarker::s_made;
    ReadDrawing read = readDrawingText(drawingWithMarker());
    ASSERT_TRUE(read.ok) << messagesOf(read.diagnostics);
    EXPECT_GT(KvTestMarker::s_made, made) << "the class's pseudo-constructor was not used";
    expectMarker(markerId(*read.db), AcGePoint3d(5.5, 6.5, 0), 2.25, L"Borne 12");
}

TEST(CustomEntity, IsWrittenThroughItsOwnFilingAfterTheCommonGroups)
{
    ClassLoaded loaded;
    ReadDrawing read = readDrawingText(drawingWithMarker());
    ASSERT_TRUE(read.ok) << messagesOf(read.diagnostics);
    const std::string text = writeDrawingText(*read.db, DrawingVersion::kR2013);
    DxfRawDrawing raw = parsed(text);
    const DxfRecord* marker = entityOf(raw, "KVTEST_MARKER");
    ASSERT_NE(marker, nullptr);
    EXPECT_EQ(marker->handle(), 0x2F0u);
    EXPECT_EQ(marker->subclassMarkers(), (std::vector<std::string_view>{"AcDbEntity", "KvTestMarker"}));
    EXPECT_EQ(groupsFrom(*marker, "KvTestMarker"), normalised(kMarkerGroups));
    EXPECT_TRUE(strictProblems(text).empty()) << ::testing::PrintToString(strictProblems(text));
}

struct ClassRecordCase {
    const char* name;
    DrawingVersion version;
    bool withCount;
};

// Cases print as their names (the structs hold pointers and padding).
void PrintTo(const ClassRecordCase& c, std::ostream* os)
{
    *os << c.name;
}

class RegisteredClassListed : public ::testing::TestWithParam<ClassRecordCase> {};

TEST_P(RegisteredClassListed, EvenWithoutAnObjectOfIt)
{
    ClassLoaded loaded;
    AcDbDatabase db(true);
    DxfRawDrawing raw = parsed(writeDrawingText(db, GetParam().version));
    const DxfRecord* cls = classNamed(raw, "KVTEST_MARKER");
    ASSERT_NE(cls, nullptr) << "the registered class is not in CLASSES";
    EXPECT_EQ(cls->find(2)->value, "KvTestMarker");
    EXPECT_EQ(cls->find(3)->value, "KvTestApp");
    EXPECT_EQ(cls->find(90)->value, "3");
    EXPECT_EQ(cls->find(280)->value, "0");
    EXPECT_EQ(cls->find(281)->value, "1");
    if (GetParam().withCount) {
        ASSERT_NE(cls->find(91), nullptr);
        EXPECT_EQ(cls->find(91)->value, "0");
    } else {
        EXPECT_EQ(cls->find(91), nullptr) << "R2000 has no instance count";
    }
}

INSTANTIATE_TEST_SUITE_P(Versions, RegisteredClassListed,
                         ::testing::Values(ClassRecordCase{"R2000", DrawingVersion::kR2000, false},
                                           ClassRecordCase{"R2004", DrawingVersion::kR2004, true},
                                           ClassRecordCase{"R2018", DrawingVersion::kR2018, true}),
                         [](const ::testing::TestParamInfo<ClassRecordCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(CustomEntity, WithoutItsClassIsAProxyWrittenBackUnchanged)
{
    unloadClass();
    ReadDrawing read = readDrawingText(drawingWithMarker());
    ASSERT_TRUE(read.ok) << messagesOf(read.diagnostics);
    EXPECT_TRUE(isProxy(markerId(*read.db)));
    DxfRawDrawing raw = parsed(writeDrawingText(*read.db, DrawingVersion::kR2004));
    const DxfRecord* marker = entityOf(raw, "KVTEST_MARKER");
    ASSERT_NE(marker, nullptr);
    EXPECT_EQ(marker->handle(), 0x2F0u);
    EXPECT_EQ(marker->find(8)->value, "PARCELLES");
    EXPECT_EQ(groupsFrom(*marker, "KvTestMarker"), normalised(kMarkerGroups));
    const DxfRecord* cls = classNamed(raw, "KVTEST_MARKER");
    ASSERT_NE(cls, nullptr) << "the class record read was not kept";
    EXPECT_EQ(cls->find(91)->value, "1");
}

TEST(CustomEntity, BecomesItsObjectWhenTheClassIsLoadedLater)
{
    unloadClass();
    ReadDrawing read = readDrawingText(drawingWithMarker());
    ASSERT_TRUE(read.ok) << messagesOf(read.diagnostics);
    const AcDbObjectId id = markerId(*read.db);
    ASSERT_TRUE(isProxy(id));
    ClassLoaded loaded;
    EXPECT_EQ(convertProxiesToClasses(*read.db), 1);
    expectMarker(id, AcGePoint3d(5.5, 6.5, 0), 2.25, L"Borne 12");
    EXPECT_EQ(id.handle().value(), 0x2F0u);
    EXPECT_EQ(convertProxiesToClasses(*read.db), 0) << "a second load converts nothing more";
}

TEST(CustomEntity, UnloadingAndLoadingAgainKeepsItsData)
{
    loadClass();
    ReadDrawing read = readDrawingText(drawingWithMarker());
    ASSERT_TRUE(read.ok) << messagesOf(read.diagnostics);
    const AcDbObjectId id = markerId(*read.db);
    // Editing while loaded; the proxy made at unloading must carry the edit.
    {
        AcDbEntity* e = nullptr;
        ASSERT_EQ(acdbOpenAcDbEntity(e, id, AcDb::kForWrite), Acad::eOk);
        KvTestMarker::cast(e)->m_label = L"Borne 13";
        e->close();
    }
    const AcRxClass* cls = KvTestMarker::desc();
    EXPECT_EQ(convertObjectsToProxies(*read.db, [&](const AcRxClass* c) { return c == cls; }), 1);
    unloadClass();
    ASSERT_TRUE(isProxy(id));
    DxfRawDrawing raw = parsed(writeDrawingText(*read.db));
    const DxfRecord* marker = entityOf(raw, "KVTEST_MARKER");
    ASSERT_NE(marker, nullptr);
    std::vector<std::pair<int, std::string>> edited = kMarkerGroups;
    edited.back().second = "Borne 13";
    EXPECT_EQ(groupsFrom(*marker, "KvTestMarker"), normalised(edited));
    ClassLoaded loaded;
    EXPECT_EQ(convertProxiesToClasses(*read.db), 1);
    expectMarker(id, AcGePoint3d(5.5, 6.5, 0), 2.25, L"Borne 13");
}

TEST(CustomEntity, RecordItsClassRefusesStaysAProxyWithAWarning)
{
    ClassLoaded loaded;
    // No subclass marker: the class refuses the record.
    std::vector<std::pair<int, std::string>> groups(kMarkerGroups.begin() + 1, kMarkerGroups.end());
    const std::string text = drawingWithMarker(groups);
    ReadDrawing read = readDrawingText(text);
    ASSERT_TRUE(read.ok) << messagesOf(read.diagnostics);
    EXPECT_TRUE(hasMessage(read.diagnostics, DxfSeverity::kWarning, lineOf(text, "KVTEST_MARKER", lineOf(text, "ENTITIES")) - 1))
        << messagesOf(read.diagnostics);
    EXPECT_TRUE(isProxy(markerId(*read.db)));
    DxfRawDrawing raw = parsed(writeDrawingText(*read.db));
    const DxfRecord* marker = entityOf(raw, "KVTEST_MARKER");
    ASSERT_NE(marker, nullptr);
    ASSERT_NE(marker->find(1), nullptr);
    EXPECT_EQ(marker->find(1)->value, "Borne 12");
}

std::vector<std::uint8_t> circleGraphics(AcDbEntity*)
{
    ProxyGraphicsWriter w;
    w.circle({1, 2, 0}, 3.0, {0, 0, 1});
    return w.bytes();
}

struct GraphicsCase {
    const char* name;
    DrawingVersion version;
    int sizeCode;
};

// Cases print as their names (the structs hold pointers and padding).
void PrintTo(const GraphicsCase& c, std::ostream* os)
{
    *os << c.name;
}

class CustomEntityGraphics : public ::testing::TestWithParam<GraphicsCase> {};

TEST_P(CustomEntityGraphics, StandAmongTheCommonGroups)
{
    ClassLoaded loaded;
    ReadDrawing read = readDrawingText(drawingWithMarker());
    ASSERT_TRUE(read.ok) << messagesOf(read.diagnostics);
    setProxyGraphicsMaker(&circleGraphics);
    const std::string text = writeDrawingText(*read.db, GetParam().version);
    setProxyGraphicsMaker(nullptr);
    DxfRawDrawing raw = parsed(text);
    const DxfRecord* marker = entityOf(raw, "KVTEST_MARKER");
    ASSERT_NE(marker, nullptr);
    const DxfTag* size = marker->find(GetParam().sizeCode);
    ASSERT_NE(size, nullptr);
    const std::size_t at = static_cast<std::size_t>(size - marker->tags.data());
    std::size_t subclass = 0;
    for (std::size_t i = 0; i < marker->tags.size(); ++i)
        if (marker->tags[i].code == 100 && marker->tags[i].value == "KvTestMarker")
            subclass = i;
    EXPECT_LT(at, subclass) << "the graphics are not among the common groups";
    std::vector<std::uint8_t> data;
    std::size_t used = 0;
    std::string error;
    ASSERT_TRUE(proxyGraphicsFromTags(std::span<const DxfTag>(marker->tags).subspan(at), data, used, error)) << error;
    EXPECT_EQ(data, circleGraphics(nullptr));
    for (std::size_t i = at + 1; i < at + used; ++i)
        EXPECT_LE(marker->tags[i].value.size(), 254u) << "a 310 group holds more than 127 bytes";
    EXPECT_TRUE(strictProblems(text).empty()) << ::testing::PrintToString(strictProblems(text));
}

INSTANTIATE_TEST_SUITE_P(Versions, CustomEntityGraphics,
                         ::testing::Values(GraphicsCase{"R2010_size_in_92", DrawingVersion::kR2010, 92},
                                           GraphicsCase{"R2013_size_in_160", DrawingVersion::kR2013, 160}),
                         [](const ::testing::TestParamInfo<GraphicsCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace kelvora::test
