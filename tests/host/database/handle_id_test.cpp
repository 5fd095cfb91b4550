// Handles and ids: hexadecimal text, the handle seed that only grows, id queries and ads names.
#include <gtest/gtest.h>

#include <ostream>

#include "dbsymtb.h"
#include "kelvora/database_internals.h"
#include "test_entity.h"

namespace {

struct HexCase {
    const char* name;
    const wchar_t* text;
    Adesk::UInt64 value;
};

// Test names print the case name (the rest of the row is not printable).
void PrintTo(const HexCase& c, std::ostream* os)
{
    *os << c.name;
}


class HandleHex : public ::testing::TestWithParam<HexCase> {};

TEST_P(HandleHex, ParsesAndPrints)
{
    const HexCase& c = GetParam();
    AcDbHandle h(c.text);
    EXPECT_EQ(h.value(), c.value) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Database, HandleHex,
                         ::testing::Values(HexCase{"upper", L"2A", 0x2A}, HexCase{"lower", L"2a", 0x2A},
                                           HexCase{"sixteen_digits", L"FFFFFFFFFFFFFFFF", 0xFFFFFFFFFFFFFFFFull},
                                           HexCase{"seventeen_digits_is_null", L"10000000000000000", 0},
                                           HexCase{"not_hex_is_null", L"2G", 0}, HexCase{"empty_is_null", L"", 0},
                                           HexCase{"above_32_bits", L"123456789A", 0x123456789Aull}),
                         [](const ::testing::TestParamInfo<HexCase>& info) { return std::string(info.param.name); });

TEST(Handle, PrintsUpperCaseWithoutLeadingZeros)
{
    wchar_t buf[20];
    ASSERT_TRUE(AcDbHandle(0x00ABull).getIntoAsciiBuffer(buf, 20));
    EXPECT_STREQ(buf, L"AB");
    ASSERT_TRUE(AcDbHandle(0ull).getIntoAsciiBuffer(buf, 20));
    EXPECT_STREQ(buf, L"0");
    wchar_t small[3];
    EXPECT_FALSE(AcDbHandle(0x1234ull).getIntoAsciiBuffer(small, 3));
    EXPECT_STREQ(small, L"");
    AcDbHandle h(0x12345678, 0x9A);
    EXPECT_EQ(h.high(), 0x9Au);
    EXPECT_EQ(h.low(), 0x12345678u);
}

TEST(Handle, NewObjectsGetHandlesAboveEveryOther)
{
    ScopedDatabase db;
    AcDbHandle seed = db->handseed();
    AcDbObjectId a = appendToModelSpace(db.get(), new TestDot());
    AcDbObjectId b = appendToModelSpace(db.get(), new TestDot());
    EXPECT_GE(a.handle(), seed);
    EXPECT_GT(b.handle(), a.handle());
    EXPECT_GT(db->handseed(), b.handle());
}

TEST(Handle, SeedOnlyGrows)
{
    ScopedDatabase db;
    AcDbHandle seed = db->handseed();
    db->setHandseed(AcDbHandle(1ull));
    EXPECT_EQ(db->handseed(), seed);
    db->setHandseed(AcDbHandle(0x1000ull));
    EXPECT_EQ(db->handseed().value(), 0x1000u);
    AcDbObjectId id = appendToModelSpace(db.get(), new TestDot());
    EXPECT_EQ(id.handle().value(), 0x1000u);
}

TEST(Handle, ErasedAndUndoneHandlesAreNeverReused)
{
    ScopedDatabase db;
    AcDbObjectId a = appendToModelSpace(db.get(), new TestDot());
    AcDbObject* o = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(o, a, AcDb::kForWrite), Acad::eOk);
    o->erase();
    o->close();
    AcDbObjectId b = appendToModelSpace(db.get(), new TestDot());
    EXPECT_GT(b.handle(), a.handle());
}

TEST(Handle, ForwardReferenceIsTakenByItsObject)
{
    ScopedDatabase db;
    AcDbObjectId reserved;
    ASSERT_EQ(db->getAcDbObjectId(reserved, true, AcDbHandle(0x500ull)), Acad::eOk);
    EXPECT_GT(db->handseed().value(), 0x500u);
    auto* dot = new TestDot();
    AcDbObjectId id;
    ASSERT_EQ(kelvora::addObjectWithHandle(db.get(), dot, AcDbHandle(0x500ull), id), Acad::eOk);
    EXPECT_EQ(id, reserved);
    EXPECT_TRUE(reserved.isValid());
    dot->close();
    auto* other = new TestDot();
    EXPECT_EQ(kelvora::addObjectWithHandle(db.get(), other, AcDbHandle(0x500ull), id), Acad::eHandleInUse);
    EXPECT_EQ(kelvora::addObjectWithHandle(db.get(), other, AcDbHandle(), id), Acad::eNullHandle);
    delete other;
}

TEST(Handle, LookUp)
{
    ScopedDatabase db;
    AcDbObjectId a = appendToModelSpace(db.get(), new TestDot());
    AcDbObjectId found;
    EXPECT_EQ(db->getAcDbObjectId(found, false, a.handle()), Acad::eOk);
    EXPECT_EQ(found, a);
    EXPECT_EQ(db->getAcDbObjectId(found, false, AcDbHandle(0x7FFF0000ull)), Acad::eUnknownHandle);
    EXPECT_TRUE(found.isNull());
    EXPECT_EQ(db->getAcDbObjectId(found, true, AcDbHandle()), Acad::eNullHandle);
}

TEST(ObjectId, Queries)
{
    ScopedDatabase db;
    AcDbObjectId id = appendToModelSpace(db.get(), new TestDot());
    EXPECT_FALSE(id.isNull());
    EXPECT_TRUE(id.isValid());
    EXPECT_FALSE(id.isErased());
    EXPECT_EQ(id.database(), db.get());
    EXPECT_EQ(id.objectClass(), TestDot::desc());
    AcDbObjectId null;
    EXPECT_TRUE(null.isNull());
    EXPECT_FALSE(null.isValid());
    EXPECT_FALSE(null.isErased());
    EXPECT_EQ(null.database(), nullptr);
    EXPECT_TRUE(null.handle().isNull());
    EXPECT_EQ(null.objectClass(), nullptr);
    EXPECT_TRUE(null < id);
    EXPECT_FALSE(id < null);
}

TEST(ObjectId, AdsNamesRoundTripAndRefuseForgeries)
{
    ScopedDatabase db;
    AcDbObjectId id = appendToModelSpace(db.get(), new TestDot());
    ads_name name;
    ASSERT_EQ(acdbGetAdsName(name, id), Acad::eOk);
    AcDbObjectId back;
    ASSERT_EQ(acdbGetObjectId(back, name), Acad::eOk);
    EXPECT_EQ(back, id);
    ads_name forged = {name[0], name[1] + 1000};
    EXPECT_EQ(acdbGetObjectId(back, forged), Acad::eInvalidAdsName);
    EXPECT_TRUE(back.isNull());
    ads_name zero = {0, 0};
    EXPECT_EQ(acdbGetObjectId(back, zero), Acad::eInvalidAdsName);
    ads_name unknownHandle = {0x7FFFFFFF, name[1]};
    EXPECT_EQ(acdbGetObjectId(back, unknownHandle), Acad::eInvalidAdsName);
    EXPECT_EQ(acdbGetAdsName(name, AcDbObjectId()), Acad::eNullObjectId);
}

TEST(ObjectId, AdsNameOfADeletedDatabaseIsRefused)
{
    ads_name name;
    {
        ScopedDatabase db;
        AcDbObjectId id = appendToModelSpace(db.get(), new TestDot());
        ASSERT_EQ(acdbGetAdsName(name, id), Acad::eOk);
    }
    AcDbObjectId back;
    EXPECT_EQ(acdbGetObjectId(back, name), Acad::eInvalidAdsName);
}

}  // namespace
