// Deep cloning: the id map, clones appended to their owner with what they own, and ids translated afterwards.
#include <gtest/gtest.h>

#include "dbdict.h"
#include "dbents.h"
#include "dbidmap.h"
#include "dbsymtb.h"
#include "kelvora/undo.h"
#include "test_entity.h"
#include "test_link.h"

namespace {

AcDbObjectId valueOf(const AcDbIdMapping& map, AcDbObjectId key)
{
    AcDbIdPair pair(key, AcDbObjectId(), false);
    return map.compute(pair) ? pair.value() : AcDbObjectId();
}

bool isPrimaryIn(const AcDbIdMapping& map, AcDbObjectId key)
{
    AcDbIdPair pair(key, AcDbObjectId(), false);
    return map.compute(pair) && pair.isPrimary();
}

std::vector<AcDbObjectId> modelSpace(AcDbDatabase* db)
{
    std::vector<AcDbObjectId> ids;
    AcDbBlockTableRecord* ms = nullptr;
    if (acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForRead) != Acad::eOk)
        return ids;
    AcDbBlockTableRecordIterator* it = nullptr;
    ms->newIterator(it);
    for (; !it->done(); it->step()) {
        AcDbObjectId id;
        it->getEntityId(id);
        ids.push_back(id);
    }
    delete it;
    ms->close();
    return ids;
}

std::wstring nameOf(AcDbObjectId id)
{
    AcDbSymbolTableRecord* rec = nullptr;
    if (acdbOpenObject(rec, id, AcDb::kForRead) != Acad::eOk)
        return L"(none)";
    const ACHAR* name = nullptr;
    rec->getName(name);
    std::wstring out = name != nullptr ? name : L"";
    rec->close();
    return out;
}

// An id the object holds, read with the object open for read; the null id when it cannot be opened.
template <class Get>
AcDbObjectId idHeldBy(AcDbObjectId id, Get get)
{
    AcDbObject* o = nullptr;
    if (acdbOpenAcDbObject(o, id, AcDb::kForRead) != Acad::eOk)
        return AcDbObjectId();
    AcDbObjectId held = get(o);
    o->close();
    return held;
}

AcDbObjectId ownerOf(AcDbObjectId id)
{
    return idHeldBy(id, [](const AcDbObject* o) { return o->ownerId(); });
}

AcDbObjectId extDictOf(AcDbObjectId id)
{
    return idHeldBy(id, [](const AcDbObject* o) { return o->extensionDictionary(); });
}

// Gives the object an extension dictionary holding one sub-dictionary under "K"; answers the sub-dictionary.
AcDbObjectId addDictionaryEntry(AcDbObjectId id)
{
    AcDbObject* o = nullptr;
    EXPECT_EQ(acdbOpenAcDbObject(o, id, AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(o->createExtensionDictionary(), Acad::eOk);
    AcDbObjectId dictId = o->extensionDictionary();
    o->close();
    AcDbDictionary* dict = nullptr;
    EXPECT_EQ(acdbOpenObject(dict, dictId, AcDb::kForWrite), Acad::eOk);
    AcDbObjectId entry;
    auto* sub = new AcDbDictionary();
    EXPECT_EQ(dict->setAt(L"K", sub, entry), Acad::eOk);
    sub->close();
    dict->close();
    return entry;
}

AcDbObjectId addLink(AcDbDatabase* db, TestLink*& link)
{
    AcDbObjectId id;
    link = new TestLink();
    EXPECT_EQ(db->addAcDbObject(id, link), Acad::eOk);
    link->close();
    return id;
}

struct CloneFixture : ::testing::Test {
    ScopedDatabase db;
    void SetUp() override { registerTestLink(); }
};

TEST_F(CloneFixture, EntitiesGoToTheOwnerWithTheirDictionaries)
{
    AcDbObjectId a = appendToModelSpace(db.get(), new TestDot(AcGePoint3d(1, 2, 0), 1.5, L"a"));
    AcDbObjectId b = appendToModelSpace(db.get(), new TestDot(AcGePoint3d(5, 2, 0), 2.5, L"b"));
    AcDbObjectId entry = addDictionaryEntry(a);
    AcDbObjectId dict = extDictOf(a);

    AcDbObjectIdArray ids;
    ids.append(a);
    ids.append(b);
    AcDbObjectId owner = db->modelSpaceId();
    AcDbIdMapping map;
    ASSERT_EQ(db->deepCloneObjects(ids, owner, map), Acad::eOk);
    EXPECT_EQ(map.deepCloneContext(), AcDb::kDcObjects);
    AcDbDatabase* dest = nullptr;
    ASSERT_EQ(map.destDb(dest), Acad::eOk);
    EXPECT_EQ(dest, db.get());

    const AcDbObjectId a2 = valueOf(map, a);
    const AcDbObjectId b2 = valueOf(map, b);
    ASSERT_FALSE(a2.isNull());
    ASSERT_FALSE(b2.isNull());
    EXPECT_EQ(modelSpace(db.get()), (std::vector<AcDbObjectId>{a, b, a2, b2}));
    EXPECT_TRUE(isPrimaryIn(map, a));
    EXPECT_TRUE(isPrimaryIn(map, b));
    EXPECT_FALSE(isPrimaryIn(map, dict));
    EXPECT_FALSE(isPrimaryIn(map, entry));
    EXPECT_EQ(map.numPairs(), 4);

    TestDot* copy = nullptr;
    ASSERT_EQ(acdbOpenObject(copy, b2, AcDb::kForRead), Acad::eOk);
    EXPECT_DOUBLE_EQ(copy->radius(), 2.5);
    EXPECT_EQ(copy->label(), L"b");
    EXPECT_EQ(copy->ownerId(), db->modelSpaceId());
    EXPECT_TRUE(copy->extensionDictionary().isNull());
    AcDbHandle newHandle;
    copy->getAcDbHandle(newHandle);
    copy->close();
    EXPECT_GT(newHandle.value(), b.handle().value());

    // The extension dictionary and its entry are new objects, owned by the clones.
    const AcDbObjectId dict2 = extDictOf(a2);
    ASSERT_FALSE(dict2.isNull());
    EXPECT_NE(dict2, dict);
    EXPECT_EQ(dict2, valueOf(map, dict));
    EXPECT_EQ(ownerOf(dict2), a2);
    AcDbDictionary* d2 = nullptr;
    ASSERT_EQ(acdbOpenObject(d2, dict2, AcDb::kForRead), Acad::eOk);
    AcDbObjectId entry2;
    EXPECT_EQ(d2->getAt(L"K", entry2), Acad::eOk);
    d2->close();
    EXPECT_EQ(entry2, valueOf(map, entry));
    EXPECT_NE(entry2, entry);
    EXPECT_EQ(ownerOf(entry2), dict2);
    // The original keeps its own.
    EXPECT_EQ(extDictOf(a), dict);
    EXPECT_EQ(ownerOf(entry), dict);
}

struct Linked {
    AcDbObjectId a, b, outside, owned;
};

// a points hard at b and soft at outside, and owns owned.
Linked makeLinked(AcDbDatabase* db)
{
    Linked l;
    TestLink* link = nullptr;
    l.b = addLink(db, link);
    l.outside = addLink(db, link);
    l.owned = addLink(db, link);
    l.a = addLink(db, link);
    TestLink* a = nullptr;
    EXPECT_EQ(acdbOpenObject(a, l.a, AcDb::kForWrite), Acad::eOk);
    a->hardTarget = l.b;
    a->softTarget = l.outside;
    a->ownedObject = l.owned;
    a->setNumber(11);
    a->close();
    return l;
}

TestLink* openLink(AcDbObjectId id)
{
    TestLink* l = nullptr;
    EXPECT_EQ(acdbOpenObject(l, id, AcDb::kForRead), Acad::eOk);
    return l;
}

TEST_F(CloneFixture, IdsAreTranslatedThroughTheMap)
{
    Linked l = makeLinked(db.get());
    AcDbObjectIdArray ids;
    ids.append(l.a);
    ids.append(l.b);
    AcDbObjectId owner = db->namedObjectsDictionaryId();
    AcDbIdMapping map;
    ASSERT_EQ(db->deepCloneObjects(ids, owner, map), Acad::eOk);
    const AcDbObjectId a2 = valueOf(map, l.a);
    const AcDbObjectId b2 = valueOf(map, l.b);
    const AcDbObjectId owned2 = valueOf(map, l.owned);
    ASSERT_FALSE(owned2.isNull());
    EXPECT_NE(owned2, l.owned);
    EXPECT_TRUE(valueOf(map, l.outside).isNull());

    TestLink* clone = openLink(a2);
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->hardTarget, b2);          // cloned: translated
    EXPECT_EQ(clone->softTarget, l.outside);   // not cloned: kept
    EXPECT_EQ(clone->ownedObject, owned2);     // owned: cloned along and translated
    EXPECT_EQ(clone->number, 11);
    EXPECT_EQ(clone->ownerId(), owner);
    clone->close();
    EXPECT_EQ(ownerOf(owned2), a2);
    // The original still points at its own objects.
    TestLink* original = openLink(l.a);
    EXPECT_EQ(original->hardTarget, l.b);
    EXPECT_EQ(original->ownedObject, l.owned);
    original->close();
}

TEST_F(CloneFixture, DeferredTranslationWaitsForTheCaller)
{
    Linked l = makeLinked(db.get());
    AcDbObjectIdArray ids;
    ids.append(l.a);
    ids.append(l.b);
    AcDbObjectId owner = db->namedObjectsDictionaryId();
    AcDbIdMapping map;
    ASSERT_EQ(db->deepCloneObjects(ids, owner, map, true), Acad::eOk);
    TestLink* clone = openLink(valueOf(map, l.a));
    EXPECT_EQ(clone->hardTarget, l.b);
    clone->close();
    ASSERT_EQ(acdbTranslateIdMap(map), Acad::eOk);
    clone = openLink(valueOf(map, l.a));
    EXPECT_EQ(clone->hardTarget, valueOf(map, l.b));
    clone->close();
}

TEST_F(CloneFixture, ObjectAlreadyInTheMapIsNotClonedAgain)
{
    AcDbObjectId a = appendToModelSpace(db.get(), new TestDot(AcGePoint3d(1, 2, 0), 1.5, L"a"));
    CountingReactor counter;
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    TestDot* src = nullptr;
    ASSERT_EQ(acdbOpenObject(src, a, AcDb::kForRead), Acad::eOk);
    src->addReactor(&counter);
    AcDbIdMapping map;
    AcDbObject* first = nullptr;
    AcDbObject* second = reinterpret_cast<AcDbObject*>(0x1);
    EXPECT_EQ(src->deepClone(ms, first, map), Acad::eOk);
    EXPECT_EQ(src->deepClone(ms, second, map), Acad::eOk);
    src->removeReactor(&counter);
    src->close();
    ms->close();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(valueOf(map, a), first->objectId());
    EXPECT_FALSE(first->isWriteEnabled());  // handed back closed
    EXPECT_EQ(counter.copiedCount, 1);
    EXPECT_EQ(counter.lastCopy, first);
    EXPECT_EQ(modelSpace(db.get()).size(), 2u);
}

TEST_F(CloneFixture, WblockCloneWithinTheDatabase)
{
    AcDbObjectId a = appendToModelSpace(db.get(), new TestDot(AcGePoint3d(1, 2, 0), 1.5, L"a"));
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    TestDot* src = nullptr;
    ASSERT_EQ(acdbOpenObject(src, a, AcDb::kForRead), Acad::eOk);
    AcDbIdMapping map;
    AcDbObject* clone = nullptr;
    EXPECT_EQ(src->wblockClone(nullptr, clone, map), Acad::eNullObjectPointer);
    EXPECT_EQ(src->wblockClone(db.get(), clone, map), Acad::eWrongObjectType);
    EXPECT_EQ(map.numPairs(), 0);
    EXPECT_EQ(src->wblockClone(ms, clone, map), Acad::eOk);
    src->close();
    ms->close();
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->ownerId(), db->modelSpaceId());
    EXPECT_EQ(modelSpace(db.get()).size(), 2u);
}

// A drawing with an entity on its own layer and a reference to its own block, cloned into a default
// drawing: the layer and the block come along by name, layer "0" and Continuous are the destination's.
TEST_F(CloneFixture, WblockIntoAnotherDatabaseBringsRecordsByName)
{
    AcDbObjectId red = addLayer(db.get(), L"Red");
    AcDbLayerTableRecord* redRecord = nullptr;
    ASSERT_EQ(acdbOpenObject(redRecord, red, AcDb::kForWrite), Acad::eOk);
    redRecord->setLinetypeObjectId(db->continuousLinetype());
    redRecord->close();
    auto* onRed = new TestDot(AcGePoint3d(1, 2, 0), 1.5, L"red");
    onRed->setLayer(red);
    AcDbObjectId dotId = appendToModelSpace(db.get(), onRed);
    AcDbObjectId plainId = appendToModelSpace(db.get(), new TestDot(AcGePoint3d(3, 2, 0), 1.0, L"plain"));
    AcDbBlockTable* table = nullptr;
    ASSERT_EQ(db->getBlockTable(table, AcDb::kForWrite), Acad::eOk);
    AcDbObjectId blockId;
    auto* block = new AcDbBlockTableRecord();
    block->setName(L"SYMBOL");
    ASSERT_EQ(table->add(blockId, block), Acad::eOk);
    auto* inside = new TestDot(AcGePoint3d(0, 0, 0), 0.5, L"inside");
    ASSERT_EQ(block->appendAcDbEntity(inside), Acad::eOk);
    inside->close();
    block->close();
    table->close();
    AcDbObjectId refId = appendToModelSpace(db.get(), new AcDbBlockReference(AcGePoint3d(9, 9, 0), blockId));

    AcDbDatabase other(true);
    AcDbObjectIdArray ids;
    ids.append(dotId);
    ids.append(plainId);
    ids.append(refId);
    AcDbObjectId owner = other.modelSpaceId();
    AcDbIdMapping map;
    ASSERT_EQ(db->wblockCloneObjects(ids, owner, map, AcDb::kDrcIgnore), Acad::eOk);
    EXPECT_EQ(map.deepCloneContext(), AcDb::kDcWblkObjects);
    ASSERT_EQ(modelSpace(&other).size(), 3u);

    TestDot* dot = nullptr;
    ASSERT_EQ(acdbOpenObject(dot, valueOf(map, dotId), AcDb::kForRead), Acad::eOk);
    const AcDbObjectId newRed = dot->layerId();
    EXPECT_EQ(dot->database(), &other);
    EXPECT_DOUBLE_EQ(dot->radius(), 1.5);
    dot->close();
    EXPECT_EQ(newRed.database(), &other);
    EXPECT_EQ(nameOf(newRed), L"Red");
    AcDbLayerTableRecord* layer = nullptr;
    ASSERT_EQ(acdbOpenObject(layer, newRed, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(layer->linetypeObjectId(), other.continuousLinetype());
    layer->close();

    TestDot* plain = nullptr;
    ASSERT_EQ(acdbOpenObject(plain, valueOf(map, plainId), AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(nameOf(plain->layerId()), L"0");
    EXPECT_EQ(plain->layerId().database(), &other);
    plain->close();

    AcDbBlockReference* ref = nullptr;
    ASSERT_EQ(acdbOpenObject(ref, valueOf(map, refId), AcDb::kForRead), Acad::eOk);
    const AcDbObjectId newBlock = ref->blockTableRecord();
    ref->close();
    EXPECT_EQ(newBlock.database(), &other);
    EXPECT_EQ(nameOf(newBlock), L"SYMBOL");
    AcDbBlockTableRecord* copiedBlock = nullptr;
    ASSERT_EQ(acdbOpenObject(copiedBlock, newBlock, AcDb::kForRead), Acad::eOk);
    AcDbBlockTableRecordIterator* it = nullptr;
    copiedBlock->newIterator(it);
    int count = 0;
    for (; !it->done(); it->step()) {
        AcDbObjectId id;
        it->getEntityId(id);
        EXPECT_EQ(id.database(), &other);
        EXPECT_EQ(ownerOf(id), newBlock);
        ++count;
    }
    delete it;
    copiedBlock->close();
    EXPECT_EQ(count, 1);
    // The source is untouched.
    EXPECT_EQ(modelSpace(db.get()).size(), 3u);
}

TEST_F(CloneFixture, WblockIntoAnotherDatabaseNullsWhatDoesNotComeAlong)
{
    Linked l = makeLinked(db.get());
    AcDbDatabase other(true);
    AcDbObjectIdArray ids;
    ids.append(l.a);
    AcDbObjectId owner = other.namedObjectsDictionaryId();
    AcDbIdMapping map;
    ASSERT_EQ(db->wblockCloneObjects(ids, owner, map, AcDb::kDrcIgnore), Acad::eOk);
    TestLink* clone = nullptr;
    ASSERT_EQ(acdbOpenObject(clone, valueOf(map, l.a), AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(clone->hardTarget.isNull());   // b stayed behind
    EXPECT_TRUE(clone->softTarget.isNull());
    EXPECT_EQ(clone->ownedObject, valueOf(map, l.owned));  // owned: came along
    EXPECT_EQ(clone->ownedObject.database(), &other);
    EXPECT_EQ(clone->number, 11);
    clone->close();
}

TEST_F(CloneFixture, BadArgumentsCloneNothing)
{
    AcDbObjectId a = appendToModelSpace(db.get(), new TestDot(AcGePoint3d(1, 2, 0), 1.5, L"a"));
    AcDbDatabase other(true);
    AcDbObjectId foreign = appendToModelSpace(&other, new TestDot(AcGePoint3d(0, 0, 0), 1.0, L"f"));
    AcDbIdMapping map;
    AcDbObjectIdArray ids;
    ids.append(a);
    AcDbObjectId nullOwner;
    EXPECT_EQ(db->deepCloneObjects(ids, nullOwner, map), Acad::eNullObjectId);
    AcDbObjectId otherOwner = other.modelSpaceId();
    EXPECT_EQ(db->deepCloneObjects(ids, otherOwner, map), Acad::eWrongDatabase);
    ids.append(foreign);
    AcDbObjectId owner = db->modelSpaceId();
    EXPECT_EQ(db->deepCloneObjects(ids, owner, map), Acad::eWrongDatabase);
    EXPECT_EQ(map.numPairs(), 0);
    EXPECT_EQ(modelSpace(db.get()).size(), 1u);
}

TEST_F(CloneFixture, ErasedObjectIsSkippedAndReported)
{
    AcDbObjectId a = appendToModelSpace(db.get(), new TestDot(AcGePoint3d(1, 2, 0), 1.5, L"a"));
    AcDbObjectId gone = appendToModelSpace(db.get(), new TestDot(AcGePoint3d(3, 2, 0), 1.5, L"gone"));
    AcDbObject* o = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(o, gone, AcDb::kForWrite), Acad::eOk);
    o->erase();
    o->close();
    AcDbObjectIdArray ids;
    ids.append(gone);
    ids.append(a);
    AcDbObjectId owner = db->modelSpaceId();
    AcDbIdMapping map;
    EXPECT_EQ(db->deepCloneObjects(ids, owner, map), Acad::eWasErased);
    EXPECT_FALSE(valueOf(map, a).isNull());
    EXPECT_TRUE(valueOf(map, gone).isNull());
}

TEST_F(CloneFixture, CloneIsOneUndoableCreation)
{
    AcDbObjectId a = appendToModelSpace(db.get(), new TestDot(AcGePoint3d(1, 2, 0), 1.5, L"a"));
    kelvora::clearUndoHistory(db.get());
    AcDbObjectIdArray ids;
    ids.append(a);
    AcDbObjectId owner = db->modelSpaceId();
    AcDbIdMapping map;
    kelvora::beginCommandUndo(L"CLONE", db.get());
    ASSERT_EQ(db->deepCloneObjects(ids, owner, map), Acad::eOk);
    kelvora::endCommandUndo(db.get());
    const AcDbObjectId a2 = valueOf(map, a);
    ASSERT_EQ(kelvora::undo(1, db.get()), 1);
    EXPECT_TRUE(a2.isErased());
    ASSERT_EQ(kelvora::redo(1, db.get()), 1);
    EXPECT_FALSE(a2.isErased());
}

TEST(IdMapping, AssignComputeChangeDeleteInOrder)
{
    ScopedDatabase db;
    std::vector<AcDbObjectId> keys;
    for (int i = 0; i < 3; ++i)
        keys.push_back(appendToModelSpace(db.get(), new TestDot(AcGePoint3d(i, 0, 0), 1.0, L"")));
    AcDbIdMapping map;
    EXPECT_EQ(map.assign(AcDbIdPair(AcDbObjectId(), keys[0], true)), Acad::eInvalidInput);
    for (size_t i = 0; i < keys.size(); ++i)
        ASSERT_EQ(map.assign(AcDbIdPair(keys[i], keys[(i + 1) % 3], true, i == 0)), Acad::eOk);
    EXPECT_EQ(map.assign(AcDbIdPair(keys[1], keys[0], false)), Acad::eAlreadyInDb);

    AcDbIdPair pair(keys[0], AcDbObjectId(), false);
    ASSERT_TRUE(map.compute(pair));
    EXPECT_EQ(pair.value(), keys[1]);
    EXPECT_TRUE(pair.isCloned());
    EXPECT_TRUE(pair.isPrimary());
    AcDbIdPair missing(db->modelSpaceId(), AcDbObjectId(), false);
    EXPECT_FALSE(map.compute(missing));

    EXPECT_TRUE(map.change(AcDbIdPair(keys[2], keys[2], false)));
    EXPECT_FALSE(map.change(AcDbIdPair(db->modelSpaceId(), keys[2], false)));
    EXPECT_TRUE(map.del(keys[1]));
    EXPECT_FALSE(map.del(keys[1]));

    std::vector<AcDbObjectId> walked;
    AcDbIdMappingIter iter(map);
    for (iter.start(); !iter.done(); iter.next()) {
        AcDbIdPair p;
        ASSERT_TRUE(iter.getMap(p));
        walked.push_back(p.key());
        if (p.key() == keys[2]) {
            EXPECT_EQ(p.value(), keys[2]);
            EXPECT_FALSE(p.isCloned());
        }
    }
    EXPECT_EQ(walked, (std::vector<AcDbObjectId>{keys[0], keys[2]}));
    AcDbIdPair afterEnd;
    EXPECT_FALSE(iter.getMap(afterEnd));
    AcDbDatabase* none = nullptr;
    EXPECT_EQ(map.origDb(none), Acad::eNoDatabase);
}

}  // namespace

// Sub-entities filed with their owner (vertices here) come with the clone as new objects of its own.
TEST(DeepCloneOwned, OldStylePolylineBringsItsVertices)
{
    ScopedDatabase db;
    AcGePoint3dArray pts;
    pts.append(AcGePoint3d(0, 0, 0));
    pts.append(AcGePoint3d(4, 0, 0));
    pts.append(AcGePoint3d(4, 3, 0));
    AcDbObjectId pl = appendToModelSpace(db.get(), new AcDb2dPolyline(AcDb::k2dSimplePoly, pts));
    AcDbObjectIdArray ids;
    ids.append(pl);
    AcDbObjectId owner = db->modelSpaceId();
    AcDbIdMapping map;
    ASSERT_EQ(db->deepCloneObjects(ids, owner, map), Acad::eOk);
    const AcDbObjectId clone = valueOf(map, pl);
    ASSERT_FALSE(clone.isNull());
    auto verticesOf = [](AcDbObjectId id) {
        std::vector<std::pair<AcDbObjectId, AcGePoint3d>> out;
        AcDb2dPolyline* p = nullptr;
        EXPECT_EQ(acdbOpenObject(p, id, AcDb::kForRead), Acad::eOk);
        AcDbObjectIterator* it = p->vertexIterator();
        for (; !it->done(); it->step()) {
            AcDb2dVertex* v = nullptr;
            EXPECT_EQ(acdbOpenObject(v, it->objectId(), AcDb::kForRead), Acad::eOk);
            out.emplace_back(it->objectId(), v->position());
            EXPECT_EQ(v->ownerId(), id);
            v->close();
        }
        delete it;
        p->close();
        return out;
    };
    const auto original = verticesOf(pl);
    const auto copied = verticesOf(clone);
    ASSERT_EQ(copied.size(), 3u);
    ASSERT_EQ(original.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_NE(copied[i].first, original[i].first);
        EXPECT_TRUE(copied[i].second.isEqualTo(original[i].second));
    }
}
