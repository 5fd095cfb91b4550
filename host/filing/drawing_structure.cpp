// The structure of an R2000+ drawing added to the database before it is written: layouts, plot styles, block ends.
#include "drawing_structure.h"

#include <set>
#include <string>

#include "acutads.h"
#include "dbdict.h"
#include "dbproxy.h"
#include "dbsymtb.h"
#include "drawing_dxf_filer.h"
#include "drawing_names.h"
#include "kelvora/database_internals.h"
#include "kelvora/wide_text.h"

namespace kelvora {

namespace {

constexpr const wchar_t* kHostApplication = L"ObjectDBX Classes";

std::vector<DxfTag> tagsOf(std::initializer_list<std::pair<int, std::string>> pairs)
{
    std::vector<DxfTag> out;
    for (const auto& [code, value] : pairs)
        out.emplace_back(code, value);
    return out;
}

// A layout's plot settings and layout data, as a new drawing of the commercial host has them: an
// A3 sheet in millimetres, no plotter.
std::vector<DxfTag> layoutGroups(const std::string& name, int tabOrder, bool model, AcDbObjectId block)
{
    return tagsOf({
        {100, "AcDbPlotSettings"}, {1, ""}, {2, "none_device"}, {4, ""}, {6, ""},
        {40, "7.5"}, {41, "20.0"}, {42, "7.5"}, {43, "20.0"}, {44, "420.0"}, {45, "297.0"},
        {46, "0.0"}, {47, "0.0"}, {48, "0.0"}, {49, "0.0"}, {140, "0.0"}, {141, "0.0"},
        {142, "1.0"}, {143, "1.0"}, {70, model ? "1024" : "0"}, {72, "1"}, {73, "0"}, {74, "5"},
        {7, ""}, {75, "16"}, {76, "0"}, {77, "2"}, {78, "300"}, {147, "1.0"}, {148, "0.0"}, {149, "0.0"},
        {100, "AcDbLayout"}, {1, name}, {70, "1"}, {71, std::to_string(tabOrder)},
        {10, "0.0"}, {20, "0.0"}, {11, "420.0"}, {21, "297.0"},
        {12, "0.0"}, {22, "0.0"}, {32, "0.0"},
        {14, "1e+20"}, {24, "1e+20"}, {34, "1e+20"}, {15, "-1e+20"}, {25, "-1e+20"}, {35, "-1e+20"},
        {146, "0.0"}, {13, "0.0"}, {23, "0.0"}, {33, "0.0"},
        {16, "1.0"}, {26, "0.0"}, {36, "0.0"}, {17, "0.0"}, {27, "1.0"}, {37, "0.0"},
        {76, "1"}, {330, handleText(block)},
    });
}

bool usable(AcDbObjectId id)
{
    return !id.isNull() && id.isValid() && !id.isErased();
}

// The entry of the named object dictionary under `key`, made as an empty dictionary when absent.
AcDbObjectId namedDictionary(AcDbDatabase& db, const wchar_t* key)
{
    AcDbDictionary* nod = nullptr;
    if (db.getNamedObjectsDictionary(nod, AcDb::kForWrite) != Acad::eOk)
        return AcDbObjectId();
    AcDbObjectId id;
    if (nod->getAt(key, id) != Acad::eOk) {
        auto* dict = new AcDbDictionary();
        if (nod->setAt(key, dict, id) == Acad::eOk)
            dict->close();
        else {
            delete dict;
            id.setNull();
        }
    }
    nod->close();
    return id;
}

bool dictionaryHas(AcDbObjectId dictId, const wchar_t* key)
{
    AcDbDictionary* dict = nullptr;
    if (acdbOpenObject(dict, dictId, AcDb::kForRead) != Acad::eOk)
        return false;
    bool has = dict->has(key);
    dict->close();
    return has;
}

void ensureLayout(AcDbDatabase& db, DrawingFileState& state, AcDbObjectId blockId, bool model)
{
    AcDbBlockTableRecord* btr = nullptr;
    if (acdbOpenObject(btr, blockId, AcDb::kForRead) != Acad::eOk)
        return;
    AcDbObjectId layoutId = btr->getLayoutId();
    btr->close();
    if (usable(layoutId))
        return;
    AcDbObjectId dictId = namedDictionary(db, L"ACAD_LAYOUT");
    if (dictId.isNull())
        return;
    std::string name = model ? "Model" : "Layout1";
    for (int n = 2; dictionaryHas(dictId, fromUtf8(name).c_str()); ++n)
        name = model ? "Model" + std::to_string(n) : "Layout" + std::to_string(n);
    layoutId = addKeptObject(db, state, dictId, fromUtf8(name).c_str(), AcDbObjectId(), "LAYOUT", "AcDbLayout",
                             layoutGroups(name, model ? 0 : 1, model, blockId));
    if (layoutId.isNull())
        return;
    if (acdbOpenObject(btr, blockId, AcDb::kForWrite) == Acad::eOk) {
        btr->setLayoutId(layoutId);
        btr->close();
    }
}

void ensurePlotStyles(AcDbDatabase& db, DrawingFileState& state)
{
    AcDbDictionary* nod = nullptr;
    if (db.getNamedObjectsDictionary(nod, AcDb::kForRead) != Acad::eOk)
        return;
    const bool present = nod->has(L"ACAD_PLOTSTYLENAME");
    AcDbObjectId nodId = nod->objectId();
    nod->close();
    if (present)
        return;
    AcDbObjectId dictId = addKeptObject(db, state, nodId, L"ACAD_PLOTSTYLENAME", AcDbObjectId(),
                                        "ACDBDICTIONARYWDFLT", "AcDbDictionaryWithDefault", {});
    if (dictId.isNull())
        return;
    AcDbObjectId normal =
        addKeptObject(db, state, AcDbObjectId(), nullptr, dictId, "ACDBPLACEHOLDER", "AcDbPlaceHolder", {});
    std::vector<DxfTag> own = tagsOf({{100, "AcDbDictionary"}, {281, "1"}});
    if (!normal.isNull()) {
        own.emplace_back(3, "Normal");
        own.emplace_back(350, handleText(normal));
    }
    own.emplace_back(100, "AcDbDictionaryWithDefault");
    own.emplace_back(340, handleText(normal));
    AcDbProxyObject* proxy = nullptr;
    if (acdbOpenObject(proxy, dictId, AcDb::kForWrite) == Acad::eOk) {
        resbuf* data = dxfTagsToResbufs(&db, own);
        proxy->setOriginalData(data);
        acutRelRb(data);
        proxy->close();
    }
    state.kept[dictId].own = std::move(own);
}

DxfRecord newEndRecord(AcDbDatabase& db, const char* type)
{
    AcDbObjectId id;
    AcDbHandle handle = db.handseed();
    while (db.getAcDbObjectId(id, false, handle) == Acad::eOk)
        ++handle;
    // Reserving a handle at or above the seed moves the seed above it.
    db.getAcDbObjectId(id, true, handle);
    DxfRecord r;
    r.tags.emplace_back(0, type);
    r.tags.emplace_back(5, handleText(id));
    return r;
}

void ensureBlockEnds(AcDbDatabase& db, DrawingFileState& state)
{
    AcDbBlockTable* table = nullptr;
    if (db.getBlockTable(table, AcDb::kForRead) != Acad::eOk)
        return;
    std::vector<AcDbObjectId> ids = table->recordIds();
    table->close();
    for (AcDbObjectId id : ids) {
        if (id.isErased() || state.blockEnds.count(id) != 0)
            continue;
        BlockEnds ends;
        ends.begin = newEndRecord(db, "BLOCK");
        ends.end = newEndRecord(db, "ENDBLK");
        state.blockEnds[id] = std::move(ends);
    }
}

void ensureApplications(AcDbDatabase& db)
{
    std::set<std::wstring> names;
    // Only the objects that have extended data are opened: most of a large drawing has none.
    const std::vector<AcDbObjectId> ids = objectIdsWhere(&db, hasExtendedData);
    for (AcDbObjectId id : ids) {
        if (id.isErased())
            continue;
        AcDbObject* obj = nullptr;
        if (acdbOpenAcDbObject(obj, id, AcDb::kForRead) != Acad::eOk)
            continue;
        resbuf* xdata = obj->xData();
        obj->close();
        for (const resbuf* rb = xdata; rb != nullptr; rb = rb->rbnext)
            if (rb->restype == AcDb::kDxfRegAppName && rb->resval.rstring != nullptr)
                names.insert(rb->resval.rstring);
        acutRelRb(xdata);
    }
    if (names.empty())
        return;
    AcDbRegAppTable* table = nullptr;
    if (db.getRegAppTable(table, AcDb::kForWrite) != Acad::eOk)
        return;
    for (const std::wstring& name : names) {
        if (table->has(name.c_str()))
            continue;
        auto* rec = new AcDbRegAppTableRecord();
        if (rec->setName(name.c_str()) == Acad::eOk && table->add(rec) == Acad::eOk)
            rec->close();
        else
            delete rec;
    }
    table->close();
}

}  // namespace

AcDbObjectId addKeptObject(AcDbDatabase& db, DrawingFileState& state, AcDbObjectId dictionaryId, const wchar_t* key,
                           AcDbObjectId owner, const char* dxfName, const char* className, std::vector<DxfTag> own)
{
    auto* proxy = new AcDbProxyObject();
    proxy->setOriginalClass(fromUtf8(className).c_str(), fromUtf8(dxfName).c_str(), kHostApplication, 0);
    resbuf* data = dxfTagsToResbufs(&db, own);
    proxy->setOriginalData(data);
    acutRelRb(data);
    AcDbObjectId id;
    Acad::ErrorStatus es = Acad::eOk;
    if (!dictionaryId.isNull()) {
        AcDbDictionary* dict = nullptr;
        es = acdbOpenObject(dict, dictionaryId, AcDb::kForWrite);
        if (es == Acad::eOk) {
            es = dict->setAt(key, proxy, id);
            dict->close();
        }
    } else {
        es = db.addAcDbObject(id, proxy);
        if (es == Acad::eOk)
            proxy->setOwnerId(owner);
    }
    if (es != Acad::eOk) {
        delete proxy;
        return AcDbObjectId();
    }
    proxy->close();
    KeptRecord kept;
    kept.dxfName = dxfName;
    kept.own = std::move(own);
    state.kept[id] = std::move(kept);
    return id;
}

void prepareDrawingStructure(AcDbDatabase& db, DrawingFileState& state)
{
    completeDefaultDrawing(&db);
    ensureLayout(db, state, db.modelSpaceId(), true);
    ensureLayout(db, state, db.paperSpaceId(), false);
    ensurePlotStyles(db, state);
    ensureBlockEnds(db, state);
    ensureApplications(db);
}

}  // namespace kelvora
