// Reading a DXF drawing into the database: tables, blocks, objects and entities under their own handles.
#include <algorithm>
#include <map>
#include <unordered_map>

#include "dbapserv.h"
#include "dbdict.h"
#include "dbents.h"
#include "dbsymtb.h"
#include "drawing_classes.h"
#include "drawing_dxf_filer.h"
#include "drawing_handles.h"
#include "drawing_header.h"
#include "drawing_names.h"
#include "drawing_object_reader.h"
#include "drawing_state.h"
#include "kelvora/database_internals.h"
#include "kelvora/drawing_file.h"
#include "kelvora/dxf_raw_io.h"
#include "kelvora/host_class.h"
#include "kelvora/wide_text.h"

namespace kelvora {

namespace {

struct StandardTable {
    const char* name;
    StandardObject which;
};

// In the order they are read: applications first (extended data of the records after them names
// them), linetypes before the layers that use them, text styles before anything that names them.
constexpr StandardTable kStandardTables[] = {
    {"APPID", StandardObject::kRegAppTable},     {"LTYPE", StandardObject::kLinetypeTable},
    {"STYLE", StandardObject::kTextStyleTable},  {"LAYER", StandardObject::kLayerTable},
    {"VPORT", StandardObject::kViewportTable},   {"VIEW", StandardObject::kViewTable},
    {"UCS", StandardObject::kUCSTable},          {"DIMSTYLE", StandardObject::kDimStyleTable},
    {"BLOCK_RECORD", StandardObject::kBlockTable},
};

const StandardTable* standardTable(std::string_view name)
{
    for (const StandardTable& t : kStandardTables)
        if (name == t.name)
            return &t;
    return nullptr;
}

AcDbSymbolTable* newTable(StandardObject which)
{
    switch (which) {
    case StandardObject::kBlockTable:
        return new AcDbBlockTable();
    case StandardObject::kLayerTable:
        return new AcDbLayerTable();
    case StandardObject::kTextStyleTable:
        return new AcDbTextStyleTable();
    case StandardObject::kLinetypeTable:
        return new AcDbLinetypeTable();
    case StandardObject::kViewTable:
        return new AcDbViewTable();
    case StandardObject::kUCSTable:
        return new AcDbUCSTable();
    case StandardObject::kViewportTable:
        return new AcDbViewportTable();
    case StandardObject::kRegAppTable:
        return new AcDbRegAppTable();
    case StandardObject::kDimStyleTable:
        return new AcDbDimStyleTable();
    case StandardObject::kNamedObjectsDictionary:
        break;
    }
    return nullptr;
}

// The database is the working one, records no undo and lists no changes while it is read: the
// classes' readers resolve names in the working database, and a drawing read is no change to take
// back or to draw again object by object.
class ReadingScope {
public:
    explicit ReadingScope(AcDbDatabase& db)
        : m_db(db), m_working(acdbHostApplicationServices()->workingDatabase()), m_undo(db.undoRecording())
    {
        acdbHostApplicationServices()->setWorkingDatabase(&db);
        db.disableUndoRecording(true);
        setDrawingLoading(&db, true);
    }
    ~ReadingScope()
    {
        setDrawingLoading(&m_db, false);
        m_db.disableUndoRecording(!m_undo);
        acdbHostApplicationServices()->setWorkingDatabase(m_working);
    }
    ReadingScope(const ReadingScope&) = delete;
    ReadingScope& operator=(const ReadingScope&) = delete;

private:
    AcDbDatabase& m_db;
    AcDbDatabase* m_working;
    bool m_undo;
};

bool is2dPolyline(const DxfRecord& record)
{
    // 8: 3D polyline, 16: polygon mesh, 64: polyface mesh; the host has classes for none of them.
    constexpr std::int64_t kNot2d = 8 | 16 | 64;
    const DxfTag* flags = record.find(70);
    return flags == nullptr || (flags->toInteger().value_or(0) & kNot2d) == 0;
}

std::optional<double> realIn(const DxfRecord& record, int code)
{
    const DxfTag* t = record.find(code);
    return t != nullptr ? t->toDouble() : std::nullopt;
}

// Every record of the drawing that becomes an object (or reserves a handle), near enough to size the
// database's handle map once.
std::size_t recordCount(const DxfRawDrawing& raw)
{
    std::size_t n = raw.objects.size();
    auto entities = [&n](const std::vector<DxfEntity>& es) {
        for (const DxfEntity& e : es)
            n += 1 + e.children.size() + (e.seqend ? 1 : 0);
    };
    for (const DxfTable& t : raw.tables)
        n += 1 + t.records.size();
    for (const DxfBlock& b : raw.blocks) {
        n += 2;
        entities(b.entities);
    }
    entities(raw.entities);
    return n;
}

// The block names of R12 files for the two spaces.
std::string blockName(std::string_view name)
{
    const std::string upper = upperAscii(name);
    if (upper == "$MODEL_SPACE")
        return "*Model_Space";
    if (upper == "$PAPER_SPACE")
        return "*Paper_Space";
    return std::string(name);
}

class DrawingReader {
public:
    // `consume`: each entity's records are freed once it is in the database (the caller does not need
    // the raw drawing afterwards), so a large drawing is not held twice.
    DrawingReader(DxfRawDrawing& raw, AcDbDatabase& db, DxfDiagnostics& diagnostics, bool consume)
        : m_raw(raw), m_db(db), m_diagnostics(diagnostics), m_state(drawingFileState(&db)), m_consume(consume)
    {
        m_version = raw.version();
        m_ctx.db = &db;
        m_ctx.version = dwgVersionOfAcadVer(m_version);
        m_ctx.diagnostics = &diagnostics;
    }

    bool run()
    {
        const std::uint64_t highest = repairDrawingHandles(m_raw, m_diagnostics);
        ReadingScope scope(m_db);
        reserveObjects(&m_db, recordCount(m_raw) + kDefaultDrawingObjects);
        // Objects the reader makes itself take handles above every handle of the file.
        m_db.setHandseed(AcDbHandle(highest + 1));
        m_state.readVersion = m_version;
        m_state.header = m_raw.header;
        m_state.classes = m_raw.classes;
        for (DxfSection& s : m_raw.sections)
            if (s.kind == DxfSectionKind::kOther)
                m_state.otherSections.push_back(m_consume ? std::move(s) : s);
        m_classes = readClassRecords(m_raw.classes, m_diagnostics);

        // Tables first: entities name their layers, styles and blocks. Objects before entities and
        // before the defaults are completed, so that the file's own root dictionary is the one the
        // defaults complete; references between objects and entities go by handle and wait for
        // their objects under reserved ids.
        readTables();
        std::vector<AcDbObjectId> blockIds = readBlockRecords();
        readObjects();
        completeDefaultDrawing(&m_db);
        for (std::size_t i = 0; i < m_raw.blocks.size(); ++i)
            readEntities(m_raw.blocks[i].entities, [&](const DxfEntity&) { return blockIds[i]; });
        readEntities(m_raw.entities, [&](const DxfEntity& e) { return spaceOf(e.record); });
        applyHeaderVariables(m_raw.header, m_db, m_diagnostics);
        applyHandseed();
        return !m_diagnostics.hasErrors();
    }

private:
    // Objects completeDefaultDrawing may add beyond those of the file.
    static constexpr std::size_t kDefaultDrawingObjects = 32;

    template <class OwnerOf>
    void readEntities(std::vector<DxfEntity>& entities, OwnerOf ownerOf)
    {
        for (DxfEntity& e : entities) {
            readEntity(e, ownerOf(e));
            if (m_consume)
                e = DxfEntity();
        }
        if (m_consume)
            std::vector<DxfEntity>().swap(entities);
    }

    // The class of a record type, looked up once per type and kind: the registry does not change
    // while a drawing is read. `info` is the type's CLASSES record or null (sub-entities), so the
    // answers are kept apart by kind and by whether it is given.
    AcRxClass* classFor(const std::string& type, const ClassRecordInfo* info, bool entity)
    {
        auto& cache = m_classCache[(entity ? 2 : 0) + (info != nullptr ? 1 : 0)];
        auto it = cache.find(type);
        if (it == cache.end())
            it = cache.emplace(type, classForRecord(type, info, entity)).first;
        return it->second;
    }

    const ClassRecordInfo* classInfo(std::string_view dxfName) const
    {
        auto it = m_classes.find(upperAscii(dxfName));
        return it != m_classes.end() ? &it->second : nullptr;
    }

    void reserveHandle(const DxfRecord& record)
    {
        std::optional<std::uint64_t> h = record.handle();
        AcDbObjectId id;
        if (h && *h != 0)
            m_db.getAcDbObjectId(id, true, AcDbHandle(*h));
    }

    // ----- Tables ---------------------------------------------------------------------------------

    void readTables()
    {
        std::map<std::string, const DxfTable*> byName;
        for (const DxfTable& t : m_raw.tables) {
            std::string name = upperAscii(t.name());
            if (standardTable(name) == nullptr) {
                m_state.otherTables.push_back(t);
                reserveHandle(t.head);
                for (const DxfRecord& r : t.records)
                    reserveHandle(r);
                continue;
            }
            if (!byName.emplace(name, &t).second) {
                m_diagnostics.warning(t.head.line(), "a second " + name + " table: its records join the first");
                m_extraTables.push_back(&t);
            }
        }
        for (const StandardTable& st : kStandardTables) {
            auto it = byName.find(st.name);
            if (it == byName.end())
                continue;
            AcDbObjectId tableId = readTableHead(*it->second, st);
            if (tableId.isNull())
                continue;
            readTableRecords(*it->second, tableId, st.name);
            for (const DxfTable* extra : m_extraTables)
                if (upperAscii(extra->name()) == st.name)
                    readTableRecords(*extra, tableId, st.name);
        }
    }

    AcDbObjectId readTableHead(const DxfTable& t, const StandardTable& st)
    {
        // The table's name (group 2) is the writer's to give: the table object reads what follows.
        DxfRecord head = t.head;
        for (auto it = head.tags.begin() + 1; it != head.tags.end(); ++it) {
            if (it->code == 2) {
                head.tags.erase(it);
                break;
            }
        }
        AcDbSymbolTable* table = newTable(st.which);
        std::span<const DxfTag> groups(head.tags.data() + 1, head.xdataBegin() - 1);
        DrawingDxfFiler filer(&m_db, m_ctx.version, groups);
        Acad::ErrorStatus es = table->dxfInFields(&filer);
        if (es != Acad::eOk) {
            m_diagnostics.warning(t.head.line(), std::string("the ") + st.name + " table head is not read; a new one is made");
            delete table;
            table = newTable(st.which);
        }
        setExtendedData(m_ctx, table, head);
        AcDbObjectId id;
        if (m_db.addAcDbObject(id, table) != Acad::eOk) {
            delete table;
            return AcDbObjectId();
        }
        std::vector<DxfTag> rest(groups.begin() + static_cast<std::ptrdiff_t>(filer.position()), groups.end());
        if (st.which == StandardObject::kDimStyleTable)
            dropDimStyleTableList(rest);
        if (!rest.empty())
            m_state.leftovers[id] = UnreadGroups{table->isA(), std::move(rest)};
        table->close();
        setStandardObjectId(&m_db, st.which, id);
        return id;
    }

    // The list of records in the dimension style table's own subclass is the writer's to make.
    static void dropDimStyleTableList(std::vector<DxfTag>& rest)
    {
        auto from = std::find_if(rest.begin(), rest.end(),
                                 [](const DxfTag& t) { return t.code == 100 && t.value == "AcDbDimStyleTable"; });
        if (from == rest.end())
            return;
        auto to = std::find_if(from + 1, rest.end(), [](const DxfTag& t) { return t.code == 100; });
        rest.erase(from, to);
    }

    void readTableRecords(const DxfTable& t, AcDbObjectId tableId, const char* type)
    {
        for (const DxfRecord& record : t.records) {
            if (upperAscii(record.type()) != type) {
                m_diagnostics.warning(record.line(), std::string(record.type()) + " in the " + type + " table is dropped");
                continue;
            }
            AcRxClass* cls = findClassByDxfName(fromUtf8(type).c_str());
            AcRxObject* made = cls != nullptr ? cls->create() : nullptr;
            auto* rec = AcDbSymbolTableRecord::cast(made);
            if (rec == nullptr) {
                delete made;
                continue;
            }
            std::span<const DxfTag> groups(record.tags.data() + 1, record.xdataBegin() - 1);
            DrawingDxfFiler filer(&m_db, m_ctx.version, groups);
            Acad::ErrorStatus es = rec->dxfInFields(&filer);
            for (const DrawingDxfFiler::Message& m : filer.messages())
                m_diagnostics.warning(m.line != 0 ? m.line : record.line(), std::string(type) + ": " + m.text);
            if (es != Acad::eOk) {
                m_diagnostics.warning(record.line(), std::string(type) + " record is not read (" +
                                                         toUtf8(acadErrorStatusText(es)) + "); it is dropped");
                delete rec;
                continue;
            }
            setExtendedData(m_ctx, rec, record);
            AcDbSymbolTable* table = nullptr;
            if (acdbOpenObject(table, tableId, AcDb::kForWrite) != Acad::eOk) {
                delete rec;
                continue;
            }
            AcDbObjectId id;
            es = table->add(id, rec);
            table->close();
            if (es != Acad::eOk) {
                const ACHAR* name = nullptr;
                rec->getName(name);
                m_diagnostics.warning(record.line(), std::string(type) + " \"" + toUtf8(name != nullptr ? name : L"") +
                                                         "\" is dropped (" +
                                                         (es == Acad::eDuplicateRecordName ? std::string("a record of that name comes first")
                                                                                           : toUtf8(acadErrorStatusText(es))) +
                                                         ")");
                delete rec;
                continue;
            }
            std::vector<DxfTag> rest(groups.begin() + static_cast<std::ptrdiff_t>(filer.position()), groups.end());
            if (!rest.empty())
                m_state.leftovers[id] = UnreadGroups{rec->isA(), std::move(rest)};
            rec->close();
        }
    }

    // ----- Blocks ---------------------------------------------------------------------------------

    AcDbObjectId blockTableId()
    {
        AcDbObjectId id = standardObjectId(&m_db, StandardObject::kBlockTable);
        if (!id.isNull())
            return id;
        auto* table = new AcDbBlockTable();
        if (m_db.addAcDbObject(id, table) != Acad::eOk) {
            delete table;
            return AcDbObjectId();
        }
        table->close();
        setStandardObjectId(&m_db, StandardObject::kBlockTable, id);
        return id;
    }

    AcDbObjectId blockRecordNamed(const std::string& name)
    {
        AcDbBlockTable* table = nullptr;
        AcDbObjectId id;
        if (acdbOpenObject(table, blockTableId(), AcDb::kForRead) == Acad::eOk) {
            table->getAt(fromUtf8(name).c_str(), id);
            table->close();
        }
        return id;
    }

    AcDbObjectId blockRecordFor(const DxfBlock& block)
    {
        if (std::optional<std::uint64_t> owner = block.begin.owner()) {
            AcDbObjectId id;
            if (m_db.getAcDbObjectId(id, false, AcDbHandle(*owner)) == Acad::eOk &&
                AcDbBlockTableRecord::cast(peekObject(id)) != nullptr)
                return id;
        }
        const std::string name = blockName(block.name());
        if (name.empty())
            return AcDbObjectId();
        AcDbObjectId id = blockRecordNamed(name);
        if (!id.isNull())
            return id;
        if (!isPreR13(m_version))
            m_diagnostics.warning(block.begin.line(), "block \"" + name + "\" has no BLOCK_RECORD; one is made");
        AcDbBlockTable* table = nullptr;
        if (acdbOpenObject(table, blockTableId(), AcDb::kForWrite) != Acad::eOk)
            return AcDbObjectId();
        auto* btr = new AcDbBlockTableRecord();
        if (btr->setName(fromUtf8(name).c_str()) != Acad::eOk || table->add(id, btr) != Acad::eOk) {
            m_diagnostics.warning(block.begin.line(), "block \"" + name + "\" cannot be made; it is dropped");
            delete btr;
            table->close();
            return AcDbObjectId();
        }
        btr->close();
        table->close();
        return id;
    }

    // The block record of each block of the BLOCKS section (null for a block that cannot be read),
    // with what its BLOCK record says of it.
    std::vector<AcDbObjectId> readBlockRecords()
    {
        std::vector<AcDbObjectId> ids;
        for (const DxfBlock& block : m_raw.blocks) {
            AcDbObjectId id = blockRecordFor(block);
            ids.push_back(id);
            reserveHandle(block.begin);
            reserveHandle(block.end);
            if (id.isNull())
                continue;
            if (m_state.blockEnds.count(id) != 0) {
                m_diagnostics.warning(block.begin.line(), "block \"" + std::string(block.name()) +
                                                              "\" is defined twice; its entities join the first");
                continue;
            }
            m_state.blockEnds[id] = BlockEnds{block.begin, block.end};
            AcDbBlockTableRecord* btr = nullptr;
            if (acdbOpenObject(btr, id, AcDb::kForWrite) != Acad::eOk)
                continue;
            std::optional<double> x = realIn(block.begin, 10);
            std::optional<double> y = realIn(block.begin, 20);
            if (x && y)
                btr->setOrigin(AcGePoint3d(*x, *y, realIn(block.begin, 30).value_or(0.0)));
            if (const DxfTag* flags = block.begin.find(70))
                btr->setBlockFlags(static_cast<Adesk::Int16>(flags->toInteger().value_or(0)));
            if (const DxfTag* path = block.begin.find(1); path != nullptr && !path->value.empty())
                btr->setPathName(fromUtf8(path->value).c_str());
            if (const DxfTag* description = block.begin.find(4); description != nullptr && !description->value.empty())
                btr->setComments(fromUtf8(description->value).c_str());
            btr->close();
        }
        return ids;
    }

    // ----- Objects --------------------------------------------------------------------------------

    void readObjects()
    {
        bool first = true;
        for (const DxfRecord& record : m_raw.objects) {
            const std::string type = upperAscii(record.type());
            const ClassRecordInfo* info = classInfo(type);
            BuiltObject built = buildObject(m_ctx, record, classFor(type, info, false), info, false);
            AcDbObjectId id;
            if (m_db.addAcDbObject(id, built.object) != Acad::eOk) {
                m_diagnostics.warning(record.line(), type + " cannot join the drawing; it is dropped");
                delete built.object;
                continue;
            }
            // The first object is the named object dictionary, the root of every other.
            if (first && AcDbDictionary::cast(built.object) != nullptr)
                setStandardObjectId(&m_db, StandardObject::kNamedObjectsDictionary, id);
            first = false;
            keep(id, built);
            built.object->close();
        }
    }

    void keep(AcDbObjectId id, BuiltObject& built)
    {
        if (!built.leftovers.empty())
            m_state.leftovers[id] = UnreadGroups{built.object->isA(), std::move(built.leftovers)};
        if (built.kept)
            m_state.kept[id] = std::move(*built.kept);
    }

    // ----- Entities -------------------------------------------------------------------------------

    AcDbObjectId spaceOf(const DxfRecord& record)
    {
        if (std::optional<std::uint64_t> owner = record.owner()) {
            AcDbObjectId id;
            if (m_db.getAcDbObjectId(id, false, AcDbHandle(*owner)) == Acad::eOk &&
                AcDbBlockTableRecord::cast(peekObject(id)) != nullptr)
                return id;
        }
        const DxfTag* paper = record.find(67);
        const bool inPaperSpace = paper != nullptr && paper->toInteger().value_or(0) == 1;
        return inPaperSpace ? m_db.paperSpaceId() : m_db.modelSpaceId();
    }

    // The class that holds the sub-entities of an entity of that DXF name; null when it has none.
    static AcRxClass* childClass(std::string_view type)
    {
        if (type == "POLYLINE")
            return AcDb2dVertex::desc();
        if (type == "INSERT")
            return AcDbAttribute::desc();
        return nullptr;
    }

    static bool isSubEntityClass(const AcRxClass* cls)
    {
        return cls->isDerivedFrom(AcDbVertex::desc()) || cls->isDerivedFrom(AcDbSequenceEnd::desc()) ||
               cls->isDerivedFrom(AcDbAttribute::desc());
    }

    static void discard(std::vector<BuiltObject>& built)
    {
        for (BuiltObject& b : built)
            delete b.object;
        built.clear();
    }

    void readEntity(DxfEntity& e, AcDbObjectId btrId)
    {
        if (btrId.isNull())
            return;
        const std::string type = upperAscii(e.record.type());
        const ClassRecordInfo* info = classInfo(type);
        AcRxClass* cls = classFor(type, info, true);
        if (cls != nullptr && type == "POLYLINE" && !is2dPolyline(e.record))
            cls = nullptr;
        if (cls != nullptr && isSubEntityClass(cls)) {
            m_diagnostics.warning(e.record.line(), type + " outside the entity that owns it is kept as it is");
            cls = nullptr;
        }
        BuiltObject parent = buildObject(m_ctx, e.record, cls, info, true);
        std::vector<BuiltObject> children;
        std::optional<BuiltObject> seqend;
        bool whole = parent.kept.has_value();
        if (!whole && (!e.children.empty() || e.seqend)) {
            AcRxClass* holds = childClass(type);
            for (const DxfRecord& c : e.children) {
                if (holds == nullptr) {
                    whole = true;
                    break;
                }
                BuiltObject child = buildObject(m_ctx, c, classFor(upperAscii(c.type()), nullptr, true), nullptr, true);
                const bool fits = !child.kept && child.object->isKindOf(holds);
                children.push_back(std::move(child));
                if (!fits) {
                    whole = true;
                    break;
                }
            }
            if (!whole && e.seqend && holds != nullptr) {
                seqend = buildObject(m_ctx, *e.seqend, AcDbSequenceEnd::desc(), nullptr, true);
                if (seqend->kept) {
                    delete seqend->object;
                    seqend.reset();
                }
            }
        }
        if (whole && !parent.kept) {
            m_diagnostics.warning(e.record.line(), type + " has sub-entities the host does not read; it is kept as it is");
            delete parent.object;
            parent = buildProxy(m_ctx, e.record, info, true);
        }
        if (whole) {
            discard(children);
            if (seqend)
                delete seqend->object;
            seqend.reset();
            for (const DxfRecord& c : e.children)
                reserveHandle(c);
            if (e.seqend)
                reserveHandle(*e.seqend);
            if (m_consume) {
                parent.kept->children = std::move(e.children);
                parent.kept->seqend = std::move(e.seqend);
            } else {
                parent.kept->children = e.children;
                parent.kept->seqend = e.seqend;
            }
        }
        AcDbBlockTableRecord* btr = nullptr;
        AcDbObjectId id;
        auto* entity = AcDbEntity::cast(parent.object);
        if (acdbOpenObject(btr, btrId, AcDb::kForWrite) != Acad::eOk || btr->appendAcDbEntity(id, entity) != Acad::eOk) {
            if (btr != nullptr)
                btr->close();
            m_diagnostics.warning(e.record.line(), type + " cannot join its block; it is dropped");
            delete parent.object;
            discard(children);
            if (seqend)
                delete seqend->object;
            return;
        }
        btr->close();
        keep(id, parent);
        if (!whole)
            attachSubEntities(entity, children, seqend, e);
        entity->close();
    }

    // The sequence end first, so that it keeps its handle (the owner would make one of its own), then
    // the sub-entities in order.
    void attachSubEntities(AcDbEntity* owner, std::vector<BuiltObject>& children, std::optional<BuiltObject>& seqend,
                           const DxfEntity& e)
    {
        auto* pline = AcDb2dPolyline::cast(owner);
        auto* ref = AcDbBlockReference::cast(owner);
        if (seqend) {
            auto* end = AcDbSequenceEnd::cast(seqend->object);
            Acad::ErrorStatus es = pline != nullptr ? pline->setSequenceEnd(end)
                                   : ref != nullptr ? ref->setSequenceEnd(end)
                                                    : Acad::eNotApplicable;
            if (es != Acad::eOk)
                delete seqend->object;
            else
                keep(end->objectId(), *seqend);
        }
        for (std::size_t i = 0; i < children.size(); ++i) {
            BuiltObject& child = children[i];
            AcDbObjectId id;
            Acad::ErrorStatus es = Acad::eNotApplicable;
            if (pline != nullptr)
                es = pline->appendVertex(id, AcDb2dVertex::cast(child.object));
            else if (ref != nullptr)
                es = ref->appendAttribute(id, AcDbAttribute::cast(child.object));
            if (es != Acad::eOk) {
                m_diagnostics.warning(e.children[i].line(), std::string(e.children[i].type()) + " cannot join its owner; it is dropped");
                delete child.object;
                continue;
            }
            keep(id, child);
            child.object->close();
        }
    }

    void applyHandseed()
    {
        const DxfHeaderVariable* v = m_raw.headerVariable("$HANDSEED");
        if (v == nullptr || v->tags.empty())
            return;
        std::optional<std::uint64_t> seed = v->tags.front().toHandle();
        if (!seed || *seed > kHighestUsableHandle) {
            m_diagnostics.warning(v->tags.front().valueLine(), "$HANDSEED \"" + v->tags.front().value +
                                                                   "\" is not used; new objects go above every handle");
            return;
        }
        // The seed only grows: one below a handle of the file is raised above it.
        m_db.setHandseed(AcDbHandle(*seed));
    }

    DxfRawDrawing& m_raw;
    AcDbDatabase& m_db;
    DxfDiagnostics& m_diagnostics;
    DrawingFileState& m_state;
    std::string m_version;
    ObjectReadContext m_ctx;
    bool m_consume;
    std::map<std::string, ClassRecordInfo> m_classes;
    std::vector<const DxfTable*> m_extraTables;
    std::unordered_map<std::string, AcRxClass*> m_classCache[4];
};

}  // namespace

namespace {

bool readInto(DxfRawDrawing& raw, AcDbDatabase& db, DxfDiagnostics& diagnostics, bool consume)
{
    if (!allObjectIds(&db).empty()) {
        diagnostics.error(0, "the drawing is read into a database that already holds objects");
        return false;
    }
    DrawingReader reader(raw, db, diagnostics, consume);
    return reader.run();
}

}  // namespace

bool readDrawing(DxfRawDrawing& raw, AcDbDatabase& db, DxfDiagnostics& diagnostics)
{
    return readInto(raw, db, diagnostics, false);
}

bool readDrawingData(std::string_view bytes, AcDbDatabase& db, DxfDiagnostics& diagnostics)
{
    DxfRawDrawing raw;
    if (!readDxfRaw(bytes, raw, diagnostics))
        return false;
    return readInto(raw, db, diagnostics, true);
}

bool readDrawingFile(const std::string& path, AcDbDatabase& db, DxfDiagnostics& diagnostics)
{
    DxfRawDrawing raw;
    if (!readDxfRawFile(path, raw, diagnostics))
        return false;
    return readInto(raw, db, diagnostics, true);
}

}  // namespace kelvora
