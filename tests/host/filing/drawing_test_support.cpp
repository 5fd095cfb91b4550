// Helpers of the drawing file tests: reading and writing through the database, and checks of written files.
#include "drawing_test_support.h"

#include <map>
#include <set>

#include "kelvora/dxf_raw_io.h"

namespace kelvora::test {

namespace {

std::string upper(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

// What the validator knows of the records of one file.
class StrictCheck {
public:
    explicit StrictCheck(const DxfRawDrawing& d) : m_d(d) {}

    std::vector<std::string> run()
    {
        collectHandles();
        checkSeed();
        checkTables();
        checkOwnersAndMarkers();
        checkNames();
        checkClasses();
        checkRootAndLayouts();
        return m_problems;
    }

private:
    struct Entry {
        const DxfRecord* record;
        enum Kind { kTableHead, kTableRecord, kEntity, kBlockEnd, kObject } kind;
    };

    void problem(std::string text) { m_problems.push_back(std::move(text)); }

    static std::string describe(const DxfRecord& r)
    {
        const DxfTag* h = r.handleTag();
        return std::string(r.type()) + " " + (h != nullptr ? h->value : std::string("(no handle)"));
    }

    void add(const DxfRecord& r, Entry::Kind kind) { m_entries.push_back({&r, kind}); }

    void addEntity(const DxfEntity& e)
    {
        add(e.record, Entry::kEntity);
        for (const DxfRecord& c : e.children)
            add(c, Entry::kEntity);
        if (e.seqend)
            add(*e.seqend, Entry::kEntity);
    }

    void collectHandles()
    {
        for (const DxfTable& t : m_d.tables) {
            add(t.head, Entry::kTableHead);
            for (const DxfRecord& r : t.records)
                add(r, Entry::kTableRecord);
        }
        for (const DxfBlock& b : m_d.blocks) {
            add(b.begin, Entry::kBlockEnd);
            for (const DxfEntity& e : b.entities)
                addEntity(e);
            add(b.end, Entry::kBlockEnd);
        }
        for (const DxfEntity& e : m_d.entities)
            addEntity(e);
        for (const DxfRecord& r : m_d.objects)
            add(r, Entry::kObject);
        for (const Entry& e : m_entries) {
            const DxfTag* tag = e.record->handleTag();
            if (tag == nullptr) {
                problem(std::string(e.record->type()) + " has no handle");
                continue;
            }
            std::optional<std::uint64_t> h = tag->toHandle();
            if (!h || tag->value.size() > 16 || *h == 0) {
                problem(describe(*e.record) + ": the handle is not a number of 1 to 16 hexadecimal digits above 0");
                continue;
            }
            if (!m_handles.emplace(*h, e.record).second)
                problem(describe(*e.record) + ": the handle is used twice");
        }
    }

    void checkSeed()
    {
        std::optional<std::uint64_t> seed;
        if (const DxfHeaderVariable* v = m_d.headerVariable("$HANDSEED"); v != nullptr && !v->tags.empty())
            seed = v->tags.front().toHandle();
        if (!seed) {
            problem("no $HANDSEED");
            return;
        }
        if (!m_handles.empty() && m_handles.rbegin()->first >= *seed)
            problem("$HANDSEED is not above handle " + formatDxfHandle(m_handles.rbegin()->first));
    }

    void checkTables()
    {
        for (const DxfTable& t : m_d.tables) {
            const std::string name = upper(t.name());
            std::set<std::string>& names = m_tableNames[name];
            for (const DxfRecord& r : t.records) {
                const DxfTag* n = r.find(2);
                if (n != nullptr)
                    names.insert(upper(n->value));
            }
            const DxfTag* count = t.head.find(70);
            if (count == nullptr || count->toInteger().value_or(-1) != static_cast<std::int64_t>(t.records.size()))
                problem("table " + name + " says " + (count ? count->value : std::string("nothing")) + " records, holds " +
                        std::to_string(t.records.size()));
        }
        const std::pair<const char*, const char*> required[] = {
            {"LTYPE", "BYBLOCK"},       {"LTYPE", "BYLAYER"},          {"LTYPE", "CONTINUOUS"},
            {"LAYER", "0"},             {"STYLE", "STANDARD"},         {"DIMSTYLE", "STANDARD"},
            {"APPID", "ACAD"},          {"BLOCK_RECORD", "*MODEL_SPACE"}, {"BLOCK_RECORD", "*PAPER_SPACE"},
        };
        for (const auto& [table, record] : required)
            if (m_tableNames[table].count(record) == 0)
                problem(std::string("table ") + table + " lacks " + record);
        if (m_tableNames.count("VPORT") == 0)
            problem("no VPORT table");
    }

    void checkOwnersAndMarkers()
    {
        for (std::size_t i = 0; i < m_entries.size(); ++i) {
            const Entry& e = m_entries[i];
            const DxfRecord& r = *e.record;
            std::optional<std::uint64_t> owner = r.owner();
            const bool ownedByNothing = e.kind == Entry::kTableHead || (e.kind == Entry::kObject && &r == &m_d.objects.front());
            if (!owner)
                problem(describe(r) + " has no owner (330)");
            else if (ownedByNothing ? *owner != 0 : m_handles.count(*owner) == 0)
                problem(describe(r) + " is owned by " + formatDxfHandle(*owner) + ", which is no record of the file");
            std::vector<std::string_view> markers = r.subclassMarkers();
            auto has = [&](std::string_view m) { return std::find(markers.begin(), markers.end(), m) != markers.end(); };
            if ((e.kind == Entry::kEntity || e.kind == Entry::kBlockEnd) && !has("AcDbEntity"))
                problem(describe(r) + " lacks 100 AcDbEntity");
            if (e.kind == Entry::kTableRecord && !has("AcDbSymbolTableRecord"))
                problem(describe(r) + " lacks 100 AcDbSymbolTableRecord");
            if (e.kind == Entry::kTableHead && !has("AcDbSymbolTable"))
                problem(describe(r) + " lacks 100 AcDbSymbolTable");
            if (r.type() == "DICTIONARY" && !has("AcDbDictionary"))
                problem(describe(r) + " lacks 100 AcDbDictionary");
            for (std::string_view app : r.xdataApplications())
                if (m_tableNames["APPID"].count(upper(app)) == 0)
                    problem(describe(r) + " has extended data of " + std::string(app) + ", which is not in APPID");
        }
    }

    void checkNames()
    {
        for (const Entry& e : m_entries) {
            if (e.kind != Entry::kEntity)
                continue;
            const DxfRecord& r = *e.record;
            if (const DxfTag* layer = r.find(8); layer == nullptr || m_tableNames["LAYER"].count(upper(layer->value)) == 0)
                problem(describe(r) + " is on layer " + (layer ? layer->value : std::string("(none)")) +
                        ", which LAYER lacks");
            if (const DxfTag* lt = r.find(6); lt != nullptr && m_tableNames["LTYPE"].count(upper(lt->value)) == 0)
                problem(describe(r) + " has linetype " + lt->value + ", which LTYPE lacks");
            const std::string type(r.type());
            if (type == "TEXT" || type == "ATTRIB" || type == "ATTDEF" || type == "MTEXT")
                if (const DxfTag* st = r.find(7); st != nullptr && m_tableNames["STYLE"].count(upper(st->value)) == 0)
                    problem(describe(r) + " has text style " + st->value + ", which STYLE lacks");
        }
    }

    void checkClasses()
    {
        const bool counts = m_d.version() >= "AC1018";
        for (const DxfRecord& c : m_d.classes) {
            for (int code : {1, 2, 3, 90, 280, 281})
                if (c.find(code) == nullptr)
                    problem("a CLASS lacks group " + std::to_string(code));
            if (counts && c.find(91) == nullptr)
                problem("a CLASS lacks its instance count (91)");
        }
    }

    const DxfRecord* record(std::uint64_t handle) const
    {
        auto it = m_handles.find(handle);
        return it != m_handles.end() ? it->second : nullptr;
    }

    void checkRootAndLayouts()
    {
        if (m_d.objects.empty() || m_d.objects.front().type() != "DICTIONARY") {
            problem("the first object is not the root dictionary");
            return;
        }
        std::set<std::string> keys;
        for (const DxfTag& t : m_d.objects.front().tags)
            if (t.code == 3)
                keys.insert(t.value);
        for (const char* key : {"ACAD_GROUP", "ACAD_LAYOUT"})
            if (keys.count(key) == 0)
                problem(std::string("the root dictionary lacks ") + key);
        std::set<std::uint64_t> blockOwners;
        for (const DxfBlock& b : m_d.blocks)
            if (std::optional<std::uint64_t> o = b.begin.owner())
                blockOwners.insert(*o);
        for (const DxfTable& t : m_d.tables) {
            if (upper(t.name()) != "BLOCK_RECORD")
                continue;
            for (const DxfRecord& r : t.records) {
                const std::string name = r.find(2) ? upper(r.find(2)->value) : std::string();
                if (r.handle() && blockOwners.count(*r.handle()) == 0)
                    problem("block record " + name + " has no BLOCK");
                if (name != "*MODEL_SPACE" && name != "*PAPER_SPACE")
                    continue;
                const DxfTag* layout = r.find(340);
                const DxfRecord* l = layout ? record(layout->toHandle().value_or(0)) : nullptr;
                if (l == nullptr || l->type() != "LAYOUT") {
                    problem(name + " has no layout");
                    continue;
                }
                std::optional<std::uint64_t> back;
                for (const DxfTag& tag : l->tags)
                    if (tag.code == 330)
                        back = tag.toHandle();
                if (back != r.handle())
                    problem("the layout of " + name + " points to another block");
            }
        }
    }

    const DxfRawDrawing& m_d;
    std::vector<Entry> m_entries;
    std::map<std::uint64_t, const DxfRecord*> m_handles;
    std::map<std::string, std::set<std::string>> m_tableNames;
    std::vector<std::string> m_problems;
};

}  // namespace

ReadDrawing readDrawingPath(const std::string& path)
{
    ReadDrawing r;
    r.db = std::make_unique<AcDbDatabase>(false);
    r.ok = readDrawingFile(path, *r.db, r.diagnostics);
    return r;
}

ReadDrawing readDrawingText(std::string_view text)
{
    ReadDrawing r;
    r.db = std::make_unique<AcDbDatabase>(false);
    r.ok = readDrawingData(text, *r.db, r.diagnostics);
    return r;
}

std::string writeDrawingText(AcDbDatabase& db, DrawingVersion version, DxfDiagnostics& diagnostics)
{
    DxfRawDrawing raw;
    if (!buildDrawing(db, version, raw, diagnostics))
        return std::string();
    DxfWriteOptions options;
    options.version = drawingVersionAcadVer(version);
    return writeDxfRaw(raw, options);
}

std::string writeDrawingText(AcDbDatabase& db, DrawingVersion version)
{
    DxfDiagnostics diagnostics;
    return writeDrawingText(db, version, diagnostics);
}

std::vector<std::string> strictProblems(std::string_view text)
{
    DxfRawDrawing d;
    DxfDiagnostics diagnostics;
    if (!readDxfRaw(text, d, diagnostics))
        return {"the text does not read: " + messagesOf(diagnostics)};
    std::vector<std::string> out;
    if (diagnostics.warningCount() > 0)
        out.push_back("reading it needs repairs: " + messagesOf(diagnostics));
    std::vector<std::string> more = StrictCheck(d).run();
    out.insert(out.end(), more.begin(), more.end());
    return out;
}

PythonResult ezdxfCheck(const std::string& original, const std::string& written)
{
    return runPython("import runpy, sys\nsys.argv = ['x', '" + original + "', '" + written + "']\nrunpy.run_path('" +
                     testDataPath("drawing_check.py") + "', run_name='__main__')\n");
}

std::string ezdxfAuditErrors(const std::string& path)
{
    PythonResult r = runPython("import ezdxf\n"
                               "doc = ezdxf.readfile('" + path + "')\n"
                               "for e in doc.audit().errors:\n"
                               "    print(e.message)\n");
    return r.status == 0 ? r.output : "ezdxf failed: " + r.output;
}

bool makeSampleDrawings(const std::string& folder, std::string& output)
{
    PythonResult r = runPython("import runpy, sys\nsys.argv = ['x', '" + folder + "']\nrunpy.run_path('" +
                               testDataPath("drawing_samples.py") + "', run_name='__main__')\n");
    output = r.output;
    return r.status == 0;
}

std::string messagesOf(const DxfDiagnostics& diagnostics)
{
    return diagnostics.formatAll("drawing");
}

}  // namespace kelvora::test
