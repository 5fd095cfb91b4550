// The in-memory DWG filer: every item type round trips; wrong types and the end of data are reported.
#include <gtest/gtest.h>

#include <ostream>

#include <cstring>
#include <functional>

#include "gepnt2d.h"
#include "gepnt3d.h"
#include "gevec2d.h"
#include "gevec3d.h"
#include "kelvora/memory_filer.h"
#include "test_entity.h"

namespace {

using kelvora::MemoryDwgFiler;

struct ItemCase {
    const char* name;
    std::function<void(AcDbDwgFiler&)> write;
    std::function<bool(AcDbDwgFiler&)> readBack;  // true when the value read equals the one written
};

// Test names print the case name (the rest of the row is not printable).
void PrintTo(const ItemCase& c, std::ostream* os)
{
    *os << c.name;
}


class MemoryFilerItem : public ::testing::TestWithParam<ItemCase> {};

TEST_P(MemoryFilerItem, RoundTrips)
{
    const ItemCase& c = GetParam();
    MemoryDwgFiler filer;
    c.write(filer);
    filer.writeInt16(0x5A5A);  // a sentinel: the item must not read more or less than it wrote
    filer.rewind();
    EXPECT_TRUE(c.readBack(filer)) << c.name;
    Adesk::Int16 sentinel = 0;
    EXPECT_EQ(filer.readInt16(&sentinel), Acad::eOk) << c.name;
    EXPECT_EQ(sentinel, 0x5A5A) << c.name;
}

template <class T>
ItemCase plain(const char* name, T value)
{
    return ItemCase{name, [value](AcDbDwgFiler& f) { f.writeItem(value); },
                    [value](AcDbDwgFiler& f) {
                        T v{};
                        return f.readItem(&v) == Acad::eOk && v == value;
                    }};
}

INSTANTIATE_TEST_SUITE_P(
    Database, MemoryFilerItem,
    ::testing::Values(
        plain<Adesk::Int8>("int8", -7), plain<Adesk::Int16>("int16", -12345), plain<Adesk::Int32>("int32", -1234567),
        plain<Adesk::Int64>("int64", -123456789012345LL), plain<Adesk::UInt8>("uint8", 250),
        plain<Adesk::UInt16>("uint16", 65000), plain<Adesk::UInt32>("uint32", 4000000000u),
        plain<Adesk::UInt64>("uint64", 18000000000000000000ull), plain<Adesk::Boolean>("bool", true),
        plain<double>("double", -0.1 / 3.0), plain<AcDbHandle>("handle", AcDbHandle(0xABCDEF0123ull)),
        ItemCase{"point2d", [](AcDbDwgFiler& f) { f.writePoint2d(AcGePoint2d(1.5, -2.5)); },
                 [](AcDbDwgFiler& f) {
                     AcGePoint2d p;
                     return f.readPoint2d(&p) == Acad::eOk && p.x == 1.5 && p.y == -2.5;
                 }},
        ItemCase{"point3d", [](AcDbDwgFiler& f) { f.writePoint3d(AcGePoint3d(1, 2, 3)); },
                 [](AcDbDwgFiler& f) {
                     AcGePoint3d p;
                     return f.readPoint3d(&p) == Acad::eOk && p.x == 1 && p.y == 2 && p.z == 3;
                 }},
        ItemCase{"vector2d", [](AcDbDwgFiler& f) { f.writeVector2d(AcGeVector2d(0.25, 4)); },
                 [](AcDbDwgFiler& f) {
                     AcGeVector2d v;
                     return f.readVector2d(&v) == Acad::eOk && v.x == 0.25 && v.y == 4;
                 }},
        ItemCase{"vector3d", [](AcDbDwgFiler& f) { f.writeVector3d(AcGeVector3d(0, -1, 1e-300)); },
                 [](AcDbDwgFiler& f) {
                     AcGeVector3d v;
                     return f.readVector3d(&v) == Acad::eOk && v.x == 0 && v.y == -1 && v.z == 1e-300;
                 }},
        ItemCase{"string", [](AcDbDwgFiler& f) { f.writeString(L"Lot \u00e9 "); },
                 [](AcDbDwgFiler& f) {
                     ACHAR* s = nullptr;
                     bool ok = f.readString(&s) == Acad::eOk && s != nullptr && std::wcscmp(s, L"Lot \u00e9 ") == 0;
                     delete[] s;
                     return ok;
                 }},
        ItemCase{"empty_string", [](AcDbDwgFiler& f) { f.writeString(L""); },
                 [](AcDbDwgFiler& f) {
                     ACHAR* s = nullptr;
                     bool ok = f.readString(&s) == Acad::eOk && s != nullptr && *s == L'\0';
                     delete[] s;
                     return ok;
                 }},
        ItemCase{"null_string", [](AcDbDwgFiler& f) { f.writeString(nullptr); },
                 [](AcDbDwgFiler& f) {
                     ACHAR* s = reinterpret_cast<ACHAR*>(0x1);
                     return f.readString(&s) == Acad::eOk && s == nullptr;
                 }},
        ItemCase{"binary_chunk",
                 [](AcDbDwgFiler& f) {
                     char bytes[5] = {1, 0, 2, 0, 3};
                     ads_binary b{5, bytes};
                     f.writeBChunk(b);
                 },
                 [](AcDbDwgFiler& f) {
                     ads_binary b{0, nullptr};
                     char expected[5] = {1, 0, 2, 0, 3};
                     bool ok = f.readBChunk(&b) == Acad::eOk && b.clen == 5 && std::memcmp(b.buf, expected, 5) == 0;
                     delete[] b.buf;
                     return ok;
                 }},
        ItemCase{"bytes",
                 [](AcDbDwgFiler& f) {
                     const char data[3] = {'a', 'b', 'c'};
                     f.writeBytes(data, 3);
                 },
                 [](AcDbDwgFiler& f) {
                     char data[3] = {};
                     return f.readBytes(data, 3) == Acad::eOk && data[0] == 'a' && data[2] == 'c';
                 }},
        ItemCase{"address", [](AcDbDwgFiler& f) { f.writeAddress(reinterpret_cast<void*>(0x1234)); },
                 [](AcDbDwgFiler& f) {
                     void* p = nullptr;
                     return f.readAddress(&p) == Acad::eOk && p == reinterpret_cast<void*>(0x1234);
                 }},
        ItemCase{"ids",
                 [](AcDbDwgFiler& f) {
                     AcDbObjectId id;
                     id.setFromOldId(0x1000);
                     f.writeHardOwnershipId(id);
                     f.writeSoftOwnershipId(id);
                     f.writeHardPointerId(id);
                     f.writeSoftPointerId(AcDbObjectId());
                 },
                 [](AcDbDwgFiler& f) {
                     AcDbHardOwnershipId a;
                     AcDbSoftOwnershipId b;
                     AcDbHardPointerId c;
                     AcDbSoftPointerId d;
                     return f.readHardOwnershipId(&a) == Acad::eOk && f.readSoftOwnershipId(&b) == Acad::eOk &&
                            f.readHardPointerId(&c) == Acad::eOk && f.readSoftPointerId(&d) == Acad::eOk &&
                            a.asOldId() == 0x1000 && b.asOldId() == 0x1000 && c.asOldId() == 0x1000 && d.isNull();
                 }}),
    [](const ::testing::TestParamInfo<ItemCase>& info) { return std::string(info.param.name); });

TEST(MemoryFiler, WrongTypeFailsAndLeavesTheOutputAlone)
{
    MemoryDwgFiler filer;
    filer.writeInt16(3);
    filer.rewind();
    Adesk::Int32 v = 99;
    EXPECT_EQ(filer.readInt32(&v), Acad::eFilerError);
    EXPECT_EQ(v, 99);
    EXPECT_EQ(filer.filerStatus(), Acad::eFilerError);
    // The failed read consumed nothing; a seek clears the status.
    EXPECT_EQ(filer.seek(0, AcDb::kSeekFromStart), Acad::eOk);
    EXPECT_EQ(filer.filerStatus(), Acad::eOk);
    Adesk::Int16 s = 0;
    EXPECT_EQ(filer.readInt16(&s), Acad::eOk);
    EXPECT_EQ(s, 3);
}

TEST(MemoryFiler, EndOfDataAnswersEndOfFile)
{
    MemoryDwgFiler filer;
    double d = 0;
    EXPECT_EQ(filer.readDouble(&d), Acad::eEndOfFile);
    filer.writeDouble(1.0);
    filer.rewind();
    EXPECT_EQ(filer.readDouble(&d), Acad::eOk);
    EXPECT_EQ(filer.readDouble(&d), Acad::eEndOfFile);
}

TEST(MemoryFiler, TellAndSeek)
{
    MemoryDwgFiler filer;
    filer.writeInt32(1);
    Adesk::Int64 mark = filer.tell();
    filer.writeInt32(2);
    EXPECT_EQ(filer.seek(mark, AcDb::kSeekFromStart), Acad::eOk);
    Adesk::Int32 v = 0;
    ASSERT_EQ(filer.readInt32(&v), Acad::eOk);
    EXPECT_EQ(v, 2);
    EXPECT_EQ(filer.seek(-1, AcDb::kSeekFromStart), Acad::eInvalidInput);
    EXPECT_EQ(filer.seek(1, AcDb::kSeekFromEnd), Acad::eInvalidInput);
    EXPECT_EQ(filer.seek(0, 7), Acad::eInvalidInput);
    AcDb::AcDbDwgVersion ver;
    AcDb::MaintenanceReleaseVersion maint;
    filer.dwgVersion(ver, maint);
    EXPECT_EQ(ver, AcDb::kDHL_1021);
}

TEST(MemoryFiler, TruncatedStringIsRefused)
{
    MemoryDwgFiler raw;
    raw.writeString(L"abcdef");
    // Writing after a seek drops what follows: the string's characters are cut short.
    raw.seek(static_cast<Adesk::Int64>(raw.size()) - 8, AcDb::kSeekFromStart);
    raw.writeInt8(0);
    raw.rewind();
    ACHAR* s = nullptr;
    EXPECT_EQ(raw.readString(&s), Acad::eEndOfFile);
    EXPECT_EQ(s, nullptr);
}

TEST(MemoryFiler, NullOutputPointersAreRefused)
{
    MemoryDwgFiler filer;
    filer.writeInt32(1);
    filer.rewind();
    EXPECT_EQ(filer.readInt32(nullptr), Acad::eNullObjectPointer);
    EXPECT_EQ(filer.readString(nullptr), Acad::eNullObjectPointer);
}

}  // namespace

#if __has_include("gescl3d.h")
#include "gescl3d.h"

namespace {

TEST(MemoryFiler, ScaleRoundTrips)
{
    kelvora::MemoryDwgFiler filer;
    ASSERT_EQ(filer.writeScale3d(AcGeScale3d(2.0, -1.0, 0.5)), Acad::eOk);
    filer.rewind();
    AcGeScale3d s;
    ASSERT_EQ(filer.readScale3d(&s), Acad::eOk);
    EXPECT_EQ(s.sx, 2.0);
    EXPECT_EQ(s.sy, -1.0);
    EXPECT_EQ(s.sz, 0.5);
}

}  // namespace
#endif
