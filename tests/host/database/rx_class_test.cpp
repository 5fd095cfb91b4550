// The run-time class system: registration, hierarchy, casts, pseudo-constructors, deletion and the registry.
#include <gtest/gtest.h>

#include "dbcurve.h"
#include "dbdict.h"
#include "dbsymtb.h"
#include "kelvora/host_class.h"
#include "rxdict.h"
#include "rxregsvc.h"
#include "test_entity.h"

namespace {

TEST(RxClass, HostClassesAreRegisteredWithTheirDxfNames)
{
    AcRxDictionary* classes = acrxClassDictionary;
    ASSERT_NE(classes, nullptr);
    EXPECT_EQ(classes->at(L"AcDbEntity"), AcDbEntity::desc());
    EXPECT_EQ(kelvora::findClassByDxfName(L"LAYER"), AcDbLayerTableRecord::desc());
    EXPECT_EQ(kelvora::findClassByDxfName(L"block_record"), AcDbBlockTableRecord::desc());
    EXPECT_EQ(kelvora::findClassByDxfName(L"DICTIONARY"), AcDbDictionary::desc());
    EXPECT_EQ(kelvora::findClassByDxfName(L"NO_SUCH"), nullptr);
    EXPECT_STREQ(AcDbEntity::desc()->myParent()->name(), L"AcDbObject");
    EXPECT_TRUE(AcDbLayerTableRecord::desc()->isDerivedFrom(AcDbObject::desc()));
    EXPECT_FALSE(AcDbObject::desc()->isDerivedFrom(AcDbEntity::desc()));
}

TEST(RxClass, CustomClassThroughTheMacros)
{
    registerTestClasses();
    AcRxClass* cls = TestDot::desc();
    ASSERT_NE(cls, nullptr);
    EXPECT_STREQ(cls->name(), L"TestDot");
    EXPECT_STREQ(cls->dxfName(), L"KVTESTDOT");
    EXPECT_STREQ(cls->appName(), L"KELVORATEST");
    EXPECT_EQ(cls->myParent(), AcDbEntity::desc());
    int maint = -1;
    EXPECT_EQ(cls->dwgVersion(maint), AcDb::kDHL_1021);
    EXPECT_EQ(maint, AcDb::kMReleaseCurrent);
    AcRxObject* made = cls->create();
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->isA(), cls);
    EXPECT_TRUE(made->isKindOf(AcDbEntity::desc()));
    EXPECT_NE(TestDot::cast(made), nullptr);
    EXPECT_EQ(TestTag::cast(made), nullptr);
    EXPECT_EQ(AcDbLayerTableRecord::cast(made), nullptr);
    EXPECT_EQ(TestDot::cast(nullptr), nullptr);
    delete made;
}

AcRxObject* makeTag()
{
    return new TestTag(5);
}

TEST(RxClass, RegistrationByNameWithALateParent)
{
    registerTestClasses();  // TestTag::cast needs its class, whatever ran before
    // A child registered before its parent is linked by acrxBuildClassHierarchy.
    AcRxClass* child = newAcRxClass(L"KvChildOfLate", L"KvLateParent", 21, 127, 0xBFF, &makeTag, L"KVCHILD", L"APP");
    ASSERT_NE(child, nullptr);
    AcRxClass* parent = newAcRxClass(L"KvLateParent", L"AcDbEntity", 0, nullptr, L"KVPARENT", L"APP");
    acrxBuildClassHierarchy();
    EXPECT_EQ(child->myParent(), parent);
    EXPECT_TRUE(child->isDerivedFrom(AcDbEntity::desc()));
    EXPECT_EQ(child->proxyFlags(), 0xBFF);
    int maint = 0;
    EXPECT_EQ(child->dwgVersion(maint), 21);
    EXPECT_EQ(maint, 127);
    // The same name again answers the registered class and makes nothing.
    EXPECT_EQ(newAcRxClass(L"KvChildOfLate", L"AcDbObject"), child);
    AcRxObject* made = child->create();
    EXPECT_NE(TestTag::cast(made), nullptr);
    delete made;
    deleteAcRxClass(child);
    deleteAcRxClass(parent);
}

// A class asked about while its parent is missing derives from nothing else; once the parent is
// registered, the next question links it, without acrxBuildClassHierarchy.
TEST(RxClass, DerivationAskedBeforeTheParentExistsIsAskedAgainAfter)
{
    AcRxClass* child = newAcRxClass(L"KvChildAskedEarly", L"KvParentAskedEarly", 0, nullptr, L"KVASKEDC", L"APP");
    ASSERT_NE(child, nullptr);
    EXPECT_FALSE(child->isDerivedFrom(AcDbEntity::desc()));
    EXPECT_TRUE(child->isDerivedFrom(child));
    AcRxClass* parent = newAcRxClass(L"KvParentAskedEarly", L"AcDbCurve", 0, nullptr, L"KVASKEDP", L"APP");
    ASSERT_NE(parent, nullptr);
    // No acrxBuildClassHierarchy: the link is made when the chain is next walked.
    EXPECT_TRUE(child->isDerivedFrom(parent));
    EXPECT_TRUE(child->isDerivedFrom(AcDbCurve::desc()));
    EXPECT_TRUE(child->isDerivedFrom(AcDbEntity::desc()));
    EXPECT_FALSE(child->isDerivedFrom(AcDbSymbolTableRecord::desc()));
    EXPECT_FALSE(parent->isDerivedFrom(child));
    deleteAcRxClass(child);
    deleteAcRxClass(parent);
}

TEST(RxClass, DeletedClassStaysReadableButMakesNothing)
{
    AcRxClass* cls = newAcRxClass(L"KvDeletedClass", L"AcDbEntity", 0, &makeTag, L"KVDELETED", L"APP");
    ASSERT_NE(cls, nullptr);
    deleteAcRxClass(cls);
    EXPECT_EQ(acrxFindAcRxClass(L"KvDeletedClass"), nullptr);
    EXPECT_FALSE(cls->isRegistered());
    EXPECT_STREQ(cls->name(), L"KvDeletedClass");
    EXPECT_EQ(cls->create(), nullptr);
    EXPECT_EQ(kelvora::findClassByDxfName(L"KVDELETED"), nullptr);
    // Registering again (an application loaded a second time) makes a new class.
    AcRxClass* again = newAcRxClass(L"KvDeletedClass", L"AcDbEntity", 0, &makeTag, L"KVDELETED", L"APP");
    ASSERT_NE(again, nullptr);
    EXPECT_NE(again, cls);
    deleteAcRxClass(again);
    deleteAcRxClass(nullptr);
}

TEST(RxClass, SystemRegistryHoldsTheClassDictionary)
{
    AcRxDictionary* registry = acrxSysRegistry();
    ASSERT_NE(registry, nullptr);
    EXPECT_TRUE(registry->has(L"ClassDictionary"));
    // Another layer puts its command stack there; any run-time object can stand for it.
    AcRxDictionary stack;
    EXPECT_EQ(registry->atPut(L"ACAD_REGISTERED_COMMANDS", &stack), nullptr);
    EXPECT_EQ(registry->at(L"ACAD_REGISTERED_COMMANDS"), &stack);
    EXPECT_EQ(registry->remove(L"ACAD_REGISTERED_COMMANDS"), &stack);
}

TEST(RxDictionary, KeysIdsAndIteration)
{
    AcRxDictionary dict(true);
    Adesk::UInt32 id = 0;
    dict.atPut(L"b", new AcRxDictionary(), id);
    EXPECT_EQ(id, 0u);
    dict.atPut(L"a", new AcRxDictionary(), id);
    EXPECT_EQ(id, 1u);
    EXPECT_EQ(dict.numEntries(), 2u);
    EXPECT_FALSE(dict.has(L"A")) << "keys are case-sensitive";
    EXPECT_EQ(dict.idAt(L"a"), 1u);
    EXPECT_STREQ(dict.keyAt(0), L"b");
    AcRxDictionaryIterator* it = dict.newIterator(AcRx::kDictSorted);
    ASSERT_FALSE(it->done());
    EXPECT_STREQ(it->key(), L"a");
    it->next();
    EXPECT_STREQ(it->key(), L"b");
    it->next();
    EXPECT_TRUE(it->done());
    delete it;
    delete dict.remove(L"a");
    EXPECT_FALSE(dict.has(1u));
    EXPECT_EQ(dict.at(1u), nullptr);
    EXPECT_TRUE(dict.resetKey(L"b", L"c"));
    EXPECT_TRUE(dict.has(L"c"));
}

TEST(RxRegistration, MdiAwareness)
{
    int packet = 0;
    EXPECT_FALSE(acrxIsAppMDIAware(&packet));
    EXPECT_TRUE(acrxRegisterAppMDIAware(&packet));
    EXPECT_TRUE(acrxIsAppMDIAware(&packet));
    EXPECT_TRUE(acrxRegisterAppNotMDIAware(&packet));
    EXPECT_FALSE(acrxIsAppMDIAware(&packet));
    EXPECT_FALSE(acrxRegisterAppMDIAware(nullptr));
}

TEST(RxAbortDeathTest, PrintsAndStops)
{
    EXPECT_DEATH(acrx_abort(L"Class mismatch %s", L"NESurface"), "kelvora: fatal: Class mismatch NESurface");
}

}  // namespace

// A class defined the way the host defines its own, which nobody asks for before the test.
class KvHostProbe : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(KvHostProbe);
    KvHostProbe() = default;
};

KELVORA_HOST_DEFINE_MEMBERS(KvHostProbe, AcDbObject, L"KVHOSTPROBE")

namespace {

TEST(RxClass, HostClassesRegisterThemselvesWhenTheirFileIsLoaded)
{
    AcRxClass* byName = acrxFindAcRxClass(L"KvHostProbe");
    ASSERT_NE(byName, nullptr);
    EXPECT_EQ(kelvora::findClassByDxfName(L"KVHOSTPROBE"), byName);
    EXPECT_EQ(byName->myParent(), AcDbObject::desc());
    AcRxObject* made = byName->create();
    EXPECT_NE(KvHostProbe::cast(made), nullptr);
    delete made;
}

}  // namespace
