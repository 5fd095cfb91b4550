// Writing the database as a DXF drawing of a chosen version: header, classes, tables, blocks, entities, objects.
#include <algorithm>
#include <map>
#include <memory>

#include "dbapserv.h"
#include "dbents.h"
#include "dbsymtb.h"
#include "drawing_classes.h"
#include "drawing_header.h"
#include "drawing_names.h"
#include "drawing_object_writer.h"
#include "drawing_state.h"
#include "drawing_structure.h"
#include "drawing_upgrade.h"
#include "kelvora/database_internals.h"
#include "kelvora/drawing_file.h"
#include "kelvora/dxf_proxy_graphics.h"
#include "kelvora/dxf_raw_io.h"
#include "kelvora/wide_text.h"

namespace kelvora {

namespace {

ProxyGraphicsMaker g_graphicsMaker = nullptr;

struct TableSpec {
    const char* name;
    StandardObject which;
};

// The order in which AutoCAD writes the tables.
constexpr TableSpec kTableOrder[] = {
    {"VPORT", StandardObject::kViewportTable},   {"LTYPE", StandardObject::kLinetypeTable},
    {"LAYER", StandardObject::kLayerTable},      {"STYLE", StandardObject::kTextStyleTable},
    {"VIEW", StandardObject::kViewTable},        {"UCS", StandardObject::kUCSTable},
    {"APPID", StandardObject::kRegAppTable},     {"DIMSTYLE", StandardObject::kDimStyleTable},
    {"BLOCK_RECORD", StandardObject::kBlockTable},
};

// An object open for read for as long as this lives; null when it cannot be opened.
template <class T = AcDbObject>
class ReadOpen {
public:
    explicit ReadOpen(AcDbObjectId id)
    {
        AcDbObject* obj = nullptr;
        if (!id.isNull() && acdbOpenAcDbObject(obj, id, AcDb::kForRead) == Acad::eOk) {
            m_object = T::cast(obj);
            if (m_object == nullptr)
                obj->close();
        }
    }
    ~ReadOpen()
    {
        if (m_object != nullptr)
            m_object->close();
    }
    ReadOpen(const ReadOpen&) = delete;
    ReadOpen& operator=(const ReadOpen&) = delete;
    T* get() const { return m_object; }
    T* operator->() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }

private:
    T* m_object = nullptr;
};

// The database is the working one and records no undo while the structure is completed and written.
class WritingScope {
public:
    explicit WritingScope(AcDbDatabase& db)
        : m_db(db), m_working(acdbHostApplicationServices()->workingDatabase()), m_undo(db.undoRecording())
    {
        acdbHostApplicationServices()->setWorkingDatabase(&db);
        db.disableUndoRecording(true);
    }
    ~WritingScope()
    {
        m_db.disableUndoRecording(!m_undo);
        acdbHostApplicationServices()->setWorkingDatabase(m_working);
    }
    WritingScope(const WritingScope&) = delete;
    WritingScope& operator=(const WritingScope&) = delete;

private:
    AcDbDatabase& m_db;
    AcDbDatabase* m_working;
    bool m_undo;
};

bool isPaperSpaceName(const std::wstring& name)
{
    return upperAscii(toUtf8(name)).rfind("*PAPER_SPACE", 0) == 0;
}

std::int64_t intIn(const std::vector<DxfTag>& tags, int code)
{
    for (const DxfTag& t : tags)
        if (t.code == code)
            return t.toInteger().value_or(0);
    return 0;
}

// The index just after the common entity groups written by AcDbEntity: the next subclass marker
// after "100 AcDbEntity" (the end when there is none).
std::size_t endOfCommonGroups(const std::vector<DxfTag>& tags)
{
    std::size_t i = 0;
    while (i < tags.size() && !(tags[i].code == 100 && tags[i].value == "AcDbEntity"))
        ++i;
    if (i == tags.size())
        return tags.size();
    for (++i; i < tags.size(); ++i)
        if (tags[i].code == 100 || tags[i].code == 1001)
            return i;
    return tags.size();
}

// Where the writer puts the records of the four sections it makes, in file order.
class RecordSink {
public:
    virtual ~RecordSink() = default;
    virtual void table(DxfTable&& table) = 0;
    virtual void block(DxfBlock&& block) = 0;
    virtual void entity(DxfEntity&& entity) = 0;
    virtual void object(DxfRecord&& object) = 0;
    // Where the entities of the ENTITIES section may be written as text directly, if anywhere.
    virtual DxfTextWriter* entityText() { return nullptr; }
};

// Keeps the records in a raw drawing.
class DrawingSink final : public RecordSink {
public:
    explicit DrawingSink(DxfRawDrawing& out) : m_out(out) {}
    void table(DxfTable&& table) override { m_out.tables.push_back(std::move(table)); }
    void block(DxfBlock&& block) override { m_out.blocks.push_back(std::move(block)); }
    void entity(DxfEntity&& entity) override { m_out.entities.push_back(std::move(entity)); }
    void object(DxfRecord&& object) override { m_out.objects.push_back(std::move(object)); }

private:
    DxfRawDrawing& m_out;
};

// Turns each record into text at once: a drawing being saved is never held twice, as records and
// as text.
class TextSink final : public RecordSink {
public:
    explicit TextSink(const std::string& version)
        : m_tables(version), m_blocks(version), m_entities(version), m_objects(version)
    {
    }
    void table(DxfTable&& table) override
    {
        m_tables.record(table.head);
        for (const DxfRecord& r : table.records)
            m_tables.record(r);
        m_tables.tag(0, "ENDTAB");
    }
    void block(DxfBlock&& block) override
    {
        m_blocks.record(block.begin);
        for (const DxfEntity& e : block.entities)
            m_blocks.entity(e);
        m_blocks.record(block.end);
    }
    void entity(DxfEntity&& entity) override { m_entities.entity(entity); }
    void object(DxfRecord&& object) override { m_objects.record(object); }
    DxfTextWriter* entityText() override { return &m_entities; }

    DxfSectionTexts takeTexts()
    {
        DxfSectionTexts texts;
        texts[DxfSectionKind::kTables] = m_tables.take();
        texts[DxfSectionKind::kBlocks] = m_blocks.take();
        texts[DxfSectionKind::kEntities] = m_entities.take();
        texts[DxfSectionKind::kObjects] = m_objects.take();
        return texts;
    }

private:
    DxfTextWriter m_tables;
    DxfTextWriter m_blocks;
    DxfTextWriter m_entities;
    DxfTextWriter m_objects;
};

class DrawingWriter {
public:
    DrawingWriter(AcDbDatabase& db, std::string acadVer, DrawingFileState& state, DxfDiagnostics& diagnostics)
        : m_db(db), m_acadVer(std::move(acadVer)), m_state(state), m_fromR12(isPreR13(state.readVersion))
    {
        m_ctx.db = &db;
        m_ctx.acadVer = m_acadVer;
        m_ctx.state = &state;
        m_ctx.diagnostics = &diagnostics;
    }

    // The header, classes and section list go to `out`; the records of the other sections to `sink`.
    bool run(DxfRawDrawing& out, RecordSink& sink)
    {
        out = DxfRawDrawing();
        writeTables(sink);
        writeBlocks(sink);
        writeEntities(sink);
        writeObjects(sink);
        out.classes = buildClassRecords(m_state.classes, m_ctx.counts, m_acadVer);
        out.header = buildHeaderVariables(m_db, m_state.header, m_acadVer);
        for (DxfSectionKind kind : {DxfSectionKind::kHeader, DxfSectionKind::kClasses, DxfSectionKind::kTables,
                                    DxfSectionKind::kBlocks, DxfSectionKind::kEntities, DxfSectionKind::kObjects}) {
            DxfSection s;
            s.kind = kind;
            s.name = sectionName(kind);
            out.sections.push_back(std::move(s));
        }
        for (const DxfSection& s : m_state.otherSections)
            out.sections.push_back(s);
        return !m_ctx.failed;
    }

private:
    static const char* sectionName(DxfSectionKind kind)
    {
        switch (kind) {
        case DxfSectionKind::kHeader:
            return "HEADER";
        case DxfSectionKind::kClasses:
            return "CLASSES";
        case DxfSectionKind::kTables:
            return "TABLES";
        case DxfSectionKind::kBlocks:
            return "BLOCKS";
        case DxfSectionKind::kEntities:
            return "ENTITIES";
        case DxfSectionKind::kObjects:
            return "OBJECTS";
        case DxfSectionKind::kOther:
            break;
        }
        return "";
    }

    void count(std::string_view dxfName) { ++m_ctx.counts[upperAscii(dxfName)]; }

    const KeptRecord* keptOf(AcDbObjectId id) const
    {
        auto it = m_state.kept.find(id);
        return it != m_state.kept.end() ? &it->second : nullptr;
    }

    DxfRecord recordOf(AcDbObject* obj, const std::string& dxfName, std::int64_t parentFlags = 0)
    {
        return writeObjectRecord(m_ctx, obj, dxfName, parentFlags);
    }

    // ----- Tables ---------------------------------------------------------------------------------

    void writeTables(RecordSink& out)
    {
        for (const TableSpec& spec : kTableOrder) {
            ReadOpen<AcDbSymbolTable> table(standardObjectId(&m_db, spec.which));
            if (!table)
                continue;
            DxfTable t;
            t.head = recordOf(table.get(), "TABLE");
            if (!t.head.owner())
                setRecordOwner(t.head, 0);
            t.head.tags.insert(t.head.tags.begin() + 1, DxfTag(2, spec.name));
            std::vector<AcDbObjectId> ids;
            for (AcDbObjectId id : table->recordIds())
                if (!id.isErased())
                    ids.push_back(id);
            if (spec.which == StandardObject::kDimStyleTable)
                writeDimStyleTableHead(t.head, ids);
            for (AcDbObjectId id : ids) {
                ReadOpen<> rec(id);
                if (rec) {
                    t.records.push_back(recordOf(rec.get(), spec.name));
                    dropFalseElevations(spec.name, t.records.back());
                    if (spec.which == StandardObject::kLinetypeTable)
                        addDashFlags(t.records.back());
                }
            }
            out.table(std::move(t));
        }
        for (const DxfTable& t : m_state.otherTables)
            out.table(DxfTable(t));
    }

    // Viewport and view records hold 2D points (10 and up, with no z) that the records keep as
    // points: the z they would be written with is no group of theirs.
    static void dropFalseElevations(std::string_view table, DxfRecord& record)
    {
        std::vector<int> codes;
        if (table == "VPORT")
            codes = {30, 31, 32, 33, 34, 35};
        else if (table == "VIEW")
            codes = {30};
        if (codes.empty())
            return;
        std::erase_if(record.tags, [&](const DxfTag& t) {
            return std::find(codes.begin(), codes.end(), t.code) != codes.end();
        });
    }

    // From R13 on each dash of a linetype (49) is followed by its element flags (74); R12 linetypes
    // have none, and a plain dash has flags 0.
    static void addDashFlags(DxfRecord& record)
    {
        auto& tags = record.tags;
        for (std::size_t i = 0; i < tags.size(); ++i) {
            if (tags[i].code != 49)
                continue;
            if (i + 1 < tags.size() && tags[i + 1].code == 74)
                continue;
            tags.insert(tags.begin() + static_cast<std::ptrdiff_t>(i + 1), DxfTag(74, "0"));
        }
    }

    // The dimension style table lists its records (71 count, 340 each) in a subclass of its own.
    static void writeDimStyleTableHead(DxfRecord& head, const std::vector<AcDbObjectId>& ids)
    {
        auto& tags = head.tags;
        auto from = std::find_if(tags.begin(), tags.end(),
                                 [](const DxfTag& t) { return t.code == 100 && t.value == "AcDbDimStyleTable"; });
        auto to = std::find_if(from, tags.end(), [](const DxfTag& t) { return t.code == 1001; });
        if (from == tags.end())
            from = to = std::find_if(tags.begin(), tags.end(), [](const DxfTag& t) { return t.code == 1001; });
        std::vector<DxfTag> part;
        part.emplace_back(100, "AcDbDimStyleTable");
        part.push_back(makeDxfIntegerTag(71, static_cast<std::int64_t>(ids.size())));
        for (AcDbObjectId id : ids)
            part.emplace_back(340, handleText(id));
        auto at = tags.erase(from, to);
        tags.insert(at, part.begin(), part.end());
    }

    // ----- Blocks ---------------------------------------------------------------------------------

    static std::vector<DxfTag> keptGroupsOf(const DxfRecord& raw, std::initializer_list<int> modelled)
    {
        std::vector<DxfTag> out;
        const std::size_t head = afterObjectHead(raw.tags);
        for (std::size_t i = head; i < raw.xdataBegin(); ++i) {
            const DxfTag& t = raw.tags[i];
            if (std::find(modelled.begin(), modelled.end(), t.code) == modelled.end())
                out.push_back(t);
        }
        return out;
    }

    // The application groups (102) of a raw record, braces included.
    static std::vector<DxfTag> applicationGroupsOf(const DxfRecord& raw)
    {
        std::vector<DxfTag> out;
        bool inside = false;
        const std::size_t head = afterObjectHead(raw.tags);
        for (std::size_t i = 1; i < head; ++i) {
            const DxfTag& t = raw.tags[i];
            if (t.code == 102 && !t.value.empty() && t.value.front() == '{')
                inside = true;
            if (inside)
                out.push_back(t);
            if (t.code == 102 && t.value == "}")
                inside = false;
        }
        return out;
    }

    DxfRecord blockEnd(const DxfRecord& raw, const char* type, const AcDbBlockTableRecord* btr,
                       const std::wstring& name, bool paper)
    {
        DxfRecord r;
        r.tags.emplace_back(0, type);
        const std::optional<std::uint64_t> handle = raw.handle();
        r.tags.emplace_back(5, formatDxfHandle(handle.value_or(0)));
        std::vector<DxfTag> groups = applicationGroupsOf(raw);
        r.tags.insert(r.tags.end(), groups.begin(), groups.end());
        r.tags.emplace_back(330, handleText(btr->objectId()));
        r.tags.emplace_back(100, "AcDbEntity");
        if (paper)
            r.tags.emplace_back(67, "1");
        const DxfTag* layer = raw.find(8);
        r.tags.emplace_back(8, layer != nullptr && !layer->value.empty() ? layer->value : std::string("0"));
        const bool begin = std::string_view(type) == "BLOCK";
        r.tags.emplace_back(100, begin ? "AcDbBlockBegin" : "AcDbBlockEnd");
        if (begin) {
            const std::string utf8 = toUtf8(name);
            r.tags.emplace_back(2, utf8);
            r.tags.push_back(makeDxfIntegerTag(70, btr->blockFlags()));
            const AcGePoint3d origin = btr->origin();
            r.tags.push_back(makeDxfDoubleTag(10, origin.x));
            r.tags.push_back(makeDxfDoubleTag(20, origin.y));
            r.tags.push_back(makeDxfDoubleTag(30, origin.z));
            r.tags.emplace_back(3, utf8);
            const ACHAR* path = nullptr;
            btr->pathName(path);
            r.tags.emplace_back(1, toUtf8(path != nullptr ? path : L""));
            const ACHAR* comments = nullptr;
            btr->comments(comments);
            if (comments != nullptr && *comments != L'\0')
                r.tags.emplace_back(4, toUtf8(comments));
            std::vector<DxfTag> rest = keptGroupsOf(raw, {5, 105, 330, 100, 8, 67, 2, 3, 70, 10, 20, 30, 1, 4});
            r.tags.insert(r.tags.end(), rest.begin(), rest.end());
        }
        r.tags.insert(r.tags.end(), raw.tags.begin() + static_cast<std::ptrdiff_t>(raw.xdataBegin()), raw.tags.end());
        count(type);
        return r;
    }

    void writeBlocks(RecordSink& out)
    {
        ReadOpen<AcDbBlockTable> table(m_db.blockTableId());
        if (!table)
            return;
        std::vector<AcDbObjectId> ids;
        for (AcDbObjectId id : {m_db.modelSpaceId(), m_db.paperSpaceId()})
            if (!id.isNull())
                ids.push_back(id);
        for (AcDbObjectId id : table->recordIds())
            if (!id.isErased() && std::find(ids.begin(), ids.end(), id) == ids.end())
                ids.push_back(id);
        for (AcDbObjectId id : ids) {
            ReadOpen<AcDbBlockTableRecord> btr(id);
            if (!btr)
                continue;
            const ACHAR* name = nullptr;
            btr->getName(name);
            const std::wstring wname = name != nullptr ? name : L"";
            const bool paper = isPaperSpaceName(wname);
            const BlockEnds& ends = m_state.blockEnds[id];
            DxfBlock b;
            b.begin = blockEnd(ends.begin, "BLOCK", btr.get(), wname, paper);
            if (id != m_db.modelSpaceId() && id != m_db.paperSpaceId())
                entitiesOf(btr.get(), b.entities);
            b.end = blockEnd(ends.end, "ENDBLK", btr.get(), wname, paper);
            out.block(std::move(b));
        }
    }

    // ----- Entities -------------------------------------------------------------------------------

    void writeEntities(RecordSink& out)
    {
        for (AcDbObjectId id : {m_db.modelSpaceId(), m_db.paperSpaceId()}) {
            ReadOpen<AcDbBlockTableRecord> btr(id);
            if (!btr)
                continue;
            for (AcDbObjectId entityId : btr->entityIds()) {
                if (entityId.isErased())
                    continue;
                ReadOpen<AcDbEntity> entity(entityId);
                if (!entity)
                    continue;
                // Most entities go to the text as they are written; those whose groups are completed
                // afterwards (custom graphics, kept records) are made as records first.
                DxfTextWriter* text = out.entityText();
                if (text != nullptr && !hasCustomGraphics(entity.get()) && keptOf(entityId) == nullptr)
                    eachRecordOf(entity.get(), [&](AcDbObject* obj, const std::string& dxfName, RecordRole) {
                        writeObjectText(m_ctx, obj, dxfName, *text);
                    });
                else
                    out.entity(entityOf(entity.get()));
            }
        }
    }

    void entitiesOf(const AcDbBlockTableRecord* btr, std::vector<DxfEntity>& into)
    {
        for (AcDbObjectId id : btr->entityIds()) {
            if (id.isErased())
                continue;
            ReadOpen<AcDbEntity> entity(id);
            if (entity)
                into.push_back(entityOf(entity.get()));
        }
    }

    static bool hasCustomGraphics(const AcDbEntity* entity)
    {
        return g_graphicsMaker != nullptr && isCustomClass(entity->isA());
    }

    void addCustomGraphics(AcDbEntity* entity, DxfRecord& record)
    {
        if (!hasCustomGraphics(entity))
            return;
        std::vector<std::uint8_t> bytes = g_graphicsMaker(entity);
        if (bytes.empty())
            return;
        std::vector<DxfTag> tags = proxyGraphicsTags(bytes, m_acadVer);
        const std::size_t at = endOfCommonGroups(record.tags);
        record.tags.insert(record.tags.begin() + static_cast<std::ptrdiff_t>(at), tags.begin(), tags.end());
    }

    enum class RecordRole { kEntity, kChild, kSequenceEnd };

    // The records of an entity in file order, each as (object, DXF name, role): the entity, then the
    // vertices of a 2D polyline or the attributes of a block reference, then their SEQEND.
    template <class Visit>
    void eachRecordOf(AcDbEntity* entity, Visit visit)
    {
        visit(entity, dxfNameOf(entity, &m_state), RecordRole::kEntity);
        static const std::string kVertex = "VERTEX";
        static const std::string kAttribute = "ATTRIB";
        static const std::string kSequenceEnd = "SEQEND";
        if (auto* pline = AcDb2dPolyline::cast(entity)) {
            std::unique_ptr<AcDbObjectIterator> it(pline->vertexIterator());
            for (; it != nullptr && !it->done(); it->step()) {
                ReadOpen<> vertex(it->objectId());
                if (vertex)
                    visit(vertex.get(), kVertex, RecordRole::kChild);
            }
            AcDbSequenceEnd* end = nullptr;
            if (pline->openSequenceEnd(end, AcDb::kForRead) == Acad::eOk) {
                visit(end, kSequenceEnd, RecordRole::kSequenceEnd);
                end->close();
            }
        } else if (auto* ref = AcDbBlockReference::cast(entity)) {
            std::unique_ptr<AcDbObjectIterator> it(ref->attributeIterator());
            bool any = false;
            for (; it != nullptr && !it->done(); it->step()) {
                ReadOpen<> attribute(it->objectId());
                if (attribute) {
                    visit(attribute.get(), kAttribute, RecordRole::kChild);
                    any = true;
                }
            }
            AcDbSequenceEnd* end = nullptr;
            if (any && ref->openSequenceEnd(end, AcDb::kForRead) == Acad::eOk) {
                visit(end, kSequenceEnd, RecordRole::kSequenceEnd);
                end->close();
            }
        }
    }

    DxfEntity entityOf(AcDbEntity* entity)
    {
        DxfEntity e;
        const KeptRecord* kept = keptOf(entity->objectId());
        const std::int64_t flags = kept != nullptr ? intIn(kept->own, 70) : 0;
        eachRecordOf(entity, [&](AcDbObject* obj, const std::string& dxfName, RecordRole role) {
            switch (role) {
            case RecordRole::kEntity:
                e.record = recordOf(obj, dxfName, flags);
                addCustomGraphics(entity, e.record);
                break;
            case RecordRole::kChild:
                e.children.push_back(recordOf(obj, dxfName));
                break;
            case RecordRole::kSequenceEnd:
                e.seqend = recordOf(obj, dxfName);
                break;
            }
        });
        // An entity whose sub-entities the host does not model keeps the records read.
        if (kept != nullptr && AcDb2dPolyline::cast(entity) == nullptr && AcDbBlockReference::cast(entity) == nullptr) {
            for (const DxfRecord& c : kept->children)
                e.children.push_back(keptChild(c, entity->objectId(), flags));
            if (kept->seqend)
                e.seqend = keptChild(*kept->seqend, entity->objectId(), flags);
        }
        return e;
    }

    DxfRecord keptChild(const DxfRecord& raw, AcDbObjectId owner, std::int64_t flags)
    {
        count(raw.type());
        if (m_fromR12)
            return upgradePreR13EntityRecord(raw, owner.handle().value(), flags);
        return raw;
    }

    // ----- Objects --------------------------------------------------------------------------------

    void writeObjects(RecordSink& out)
    {
        std::vector<AcDbObjectId> ids;
        const AcDbObjectId root = m_db.namedObjectsDictionaryId();
        if (!root.isNull())
            ids.push_back(root);
        const std::vector<AcDbObjectId> others = objectIdsWhere(&m_db, [](const AcDbObject* obj) {
            return AcDbEntity::cast(obj) == nullptr && AcDbSymbolTable::cast(obj) == nullptr &&
                   AcDbSymbolTableRecord::cast(obj) == nullptr;
        });
        for (AcDbObjectId id : others)
            if (id != root && !id.isErased())
                ids.push_back(id);
        for (AcDbObjectId id : ids) {
            ReadOpen<> obj(id);
            if (!obj)
                continue;
            DxfRecord record = recordOf(obj.get(), dxfNameOf(obj.get(), &m_state));
            // The root dictionary is owned by nothing, which readers expect to be said (330 0).
            if (id == root && !record.owner())
                setRecordOwner(record, 0);
            out.object(std::move(record));
        }
    }

    AcDbDatabase& m_db;
    std::string m_acadVer;
    DrawingFileState& m_state;
    bool m_fromR12;
    ObjectWriteContext m_ctx;
};

}  // namespace

void setProxyGraphicsMaker(ProxyGraphicsMaker maker)
{
    g_graphicsMaker = maker;
}

ProxyGraphicsMaker proxyGraphicsMaker()
{
    return g_graphicsMaker;
}

bool buildDrawing(AcDbDatabase& db, DrawingVersion version, DxfRawDrawing& out, DxfDiagnostics& diagnostics)
{
    WritingScope scope(db);
    DrawingFileState& state = drawingFileState(&db);
    prepareDrawingStructure(db, state);
    DrawingWriter writer(db, drawingVersionAcadVer(version), state, diagnostics);
    DrawingSink sink(out);
    return writer.run(out, sink);
}

namespace {

// The drawing written as text section by section, its records never all held at once; false when an
// object refuses to be written.
bool writeDrawingText(AcDbDatabase& db, const DxfWriteOptions& options, DxfRawDrawing& headerAndClasses,
                      DxfSectionTexts& texts, DxfDiagnostics& diagnostics)
{
    TextSink sink(options.version);
    {
        WritingScope scope(db);
        DrawingFileState& state = drawingFileState(&db);
        prepareDrawingStructure(db, state);
        DrawingWriter writer(db, options.version, state, diagnostics);
        if (!writer.run(headerAndClasses, sink))
            return false;
    }
    texts = sink.takeTexts();
    return true;
}

DxfWriteOptions optionsFor(DrawingVersion version)
{
    DxfWriteOptions options;
    options.version = drawingVersionAcadVer(version);
    return options;
}

}  // namespace

bool writeDrawingData(AcDbDatabase& db, DrawingVersion version, std::string& bytes, DxfDiagnostics& diagnostics)
{
    const DxfWriteOptions options = optionsFor(version);
    DxfRawDrawing raw;
    DxfSectionTexts texts;
    if (!writeDrawingText(db, options, raw, texts, diagnostics))
        return false;
    bytes = writeDxfRaw(raw, options, texts);
    return true;
}

bool saveDrawingFile(AcDbDatabase& db, const std::string& path, DrawingVersion version, DxfDiagnostics& diagnostics)
{
    const DxfWriteOptions options = optionsFor(version);
    DxfRawDrawing raw;
    DxfSectionTexts texts;
    if (!writeDrawingText(db, options, raw, texts, diagnostics))
        return false;
    return saveDxfRawFile(path, raw, options, diagnostics, &texts);
}

}  // namespace kelvora
