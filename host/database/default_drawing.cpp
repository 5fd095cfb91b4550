// The standard objects of a new drawing, and the completion of a drawing read without them.
#include "dbdict.h"
#include "dbsymtb.h"
#include "kelvora/database_internals.h"
#include "object_access.h"

namespace kelvora {

namespace {

// The table of `which`, made and registered when the database has none.
template <class TABLE>
AcDbObjectId ensureTable(AcDbDatabase* db, StandardObject which)
{
    AcDbObjectId id = standardObjectId(db, which);
    if (!id.isNull() && id.isValid())
        return id;
    auto* table = new TABLE();
    if (db->addAcDbObject(id, table) != Acad::eOk) {
        delete table;
        return AcDbObjectId();
    }
    table->close();
    setStandardObjectId(db, which, id);
    return id;
}

// The record of that name in the table, made when absent; `setUp` fills a new record.
template <class RECORD, class SETUP>
AcDbObjectId ensureRecord(AcDbObjectId tableId, const ACHAR* name, SETUP setUp)
{
    AcDbObjectId id = findRecord(tableId, name);
    if (!id.isNull())
        return id;
    AcDbSymbolTable* table = nullptr;
    if (acdbOpenObject(table, tableId, AcDb::kForWrite) != Acad::eOk)
        return AcDbObjectId();
    auto* rec = new RECORD();
    rec->setName(name);
    setUp(rec);
    if (table->add(id, rec) != Acad::eOk) {
        delete rec;
        table->close();
        return AcDbObjectId();
    }
    rec->close();
    table->close();
    return id;
}

void noSetUp(AcDbSymbolTableRecord*) {}

}  // namespace

void completeDefaultDrawing(AcDbDatabase* db)
{
    if (db == nullptr)
        return;
    // Tables first, so that they get the lowest handles, as in the commercial host's drawings.
    AcDbObjectId blocks = ensureTable<AcDbBlockTable>(db, StandardObject::kBlockTable);
    AcDbObjectId layers = ensureTable<AcDbLayerTable>(db, StandardObject::kLayerTable);
    AcDbObjectId styles = ensureTable<AcDbTextStyleTable>(db, StandardObject::kTextStyleTable);
    AcDbObjectId linetypes = ensureTable<AcDbLinetypeTable>(db, StandardObject::kLinetypeTable);
    ensureTable<AcDbViewTable>(db, StandardObject::kViewTable);
    ensureTable<AcDbUCSTable>(db, StandardObject::kUCSTable);
    AcDbObjectId viewports = ensureTable<AcDbViewportTable>(db, StandardObject::kViewportTable);
    AcDbObjectId regapps = ensureTable<AcDbRegAppTable>(db, StandardObject::kRegAppTable);
    AcDbObjectId dimstyles = ensureTable<AcDbDimStyleTable>(db, StandardObject::kDimStyleTable);

    AcDbObjectId nodId = standardObjectId(db, StandardObject::kNamedObjectsDictionary);
    if (nodId.isNull() || !nodId.isValid()) {
        auto* nod = new AcDbDictionary();
        if (db->addAcDbObject(nodId, nod) == Acad::eOk) {
            nod->close();
            setStandardObjectId(db, StandardObject::kNamedObjectsDictionary, nodId);
        } else {
            delete nod;
        }
    }
    AcDbDictionary* nod = nullptr;
    if (acdbOpenObject(nod, nodId, AcDb::kForWrite) == Acad::eOk) {
        if (!nod->has(ACRX_T("ACAD_GROUP"))) {
            auto* groups = new AcDbDictionary();
            AcDbObjectId groupsId;
            if (nod->setAt(ACRX_T("ACAD_GROUP"), groups, groupsId) == Acad::eOk)
                groups->close();
            else
                delete groups;
        }
        nod->close();
    }

    AcDbObjectId byBlock = ensureRecord<AcDbLinetypeTableRecord>(linetypes, ACRX_T("ByBlock"), noSetUp);
    AcDbObjectId byLayer = ensureRecord<AcDbLinetypeTableRecord>(linetypes, ACRX_T("ByLayer"), noSetUp);
    AcDbObjectId continuous = ensureRecord<AcDbLinetypeTableRecord>(
        linetypes, ACRX_T("Continuous"),
        [](AcDbLinetypeTableRecord* lt) { lt->setComments(ACRX_T("Solid line")); });
    (void)byBlock;
    AcDbObjectId layer0 = ensureRecord<AcDbLayerTableRecord>(layers, ACRX_T("0"), [&](AcDbLayerTableRecord* layer) {
        AcCmColor white;
        white.setColorIndex(7);
        layer->setColor(white);
        layer->setLinetypeObjectId(continuous);
    });
    AcDbObjectId standard =
        ensureRecord<AcDbTextStyleTableRecord>(styles, ACRX_T("Standard"), [](AcDbTextStyleTableRecord* style) {
            style->setFileName(ACRX_T("txt.shx"));
            style->setPriorSize(2.5);
        });
    ensureRecord<AcDbRegAppTableRecord>(regapps, ACRX_T("ACAD"), noSetUp);
    AcDbObjectId dimStandard = ensureRecord<AcDbDimStyleTableRecord>(dimstyles, ACRX_T("Standard"), noSetUp);
    ensureRecord<AcDbViewportTableRecord>(viewports, ACRX_T("*Active"), noSetUp);
    ensureRecord<AcDbBlockTableRecord>(blocks, ACDB_MODEL_SPACE, noSetUp);
    ensureRecord<AcDbBlockTableRecord>(blocks, ACDB_PAPER_SPACE, noSetUp);

    // Header ids that point nowhere take the defaults.
    auto valid = [](AcDbObjectId id) { return !id.isNull() && id.isValid() && !id.isErased(); };
    if (!valid(db->clayer()) && !layer0.isNull())
        db->setClayer(layer0);
    if (!valid(db->textstyle()) && !standard.isNull())
        db->setTextstyle(standard);
    if (!valid(db->celtype()) && !byLayer.isNull())
        db->setCeltype(byLayer);
    if (!valid(db->dimstyle()) && !dimStandard.isNull())
        db->setDimstyle(dimStandard);
}

}  // namespace kelvora
