// Header variables of drawing files: the modelled ones between the file and the database, the rest kept in order.
#include "drawing_header.h"

#include <optional>
#include <set>
#include <string>

#include "dbmain.h"
#include "dbsymtb.h"
#include "kelvora/database_internals.h"
#include "kelvora/wide_text.h"

namespace kelvora {

namespace {

using Tags = std::vector<DxfTag>;

std::optional<double> realOf(const Tags& tags, int code)
{
    for (const DxfTag& t : tags)
        if (t.code == code)
            return t.toDouble();
    return std::nullopt;
}

std::optional<std::int64_t> intOf(const Tags& tags, int code)
{
    for (const DxfTag& t : tags)
        if (t.code == code)
            return t.toInteger();
    return std::nullopt;
}

std::optional<std::string> textOf(const Tags& tags, int code)
{
    for (const DxfTag& t : tags)
        if (t.code == code)
            return t.value;
    return std::nullopt;
}

std::optional<AcGePoint3d> pointOf(const Tags& tags)
{
    std::optional<double> x = realOf(tags, 10);
    std::optional<double> y = realOf(tags, 20);
    if (!x || !y)
        return std::nullopt;
    return AcGePoint3d(*x, *y, realOf(tags, 30).value_or(0.0));
}

Tags real(int code, double value)
{
    return {makeDxfDoubleTag(code, value)};
}

Tags integer(int code, std::int64_t value)
{
    return {makeDxfIntegerTag(code, value)};
}

Tags point3(const AcGePoint3d& p)
{
    return {makeDxfDoubleTag(10, p.x), makeDxfDoubleTag(20, p.y), makeDxfDoubleTag(30, p.z)};
}

Tags point2(const AcGePoint2d& p)
{
    return {makeDxfDoubleTag(10, p.x), makeDxfDoubleTag(20, p.y)};
}

// The id of the record of that name in the table; null when there is none.
AcDbObjectId recordNamed(AcDbObjectId tableId, const std::string& name)
{
    AcDbSymbolTable* table = nullptr;
    AcDbObjectId id;
    if (acdbOpenObject(table, tableId, AcDb::kForRead) != Acad::eOk)
        return id;
    table->getAt(fromUtf8(name).c_str(), id);
    table->close();
    return id;
}

std::string nameOf(AcDbObjectId id, const char* fallback)
{
    AcDbSymbolTableRecord* rec = nullptr;
    if (acdbOpenObject(rec, id, AcDb::kForRead) != Acad::eOk)
        return fallback;
    const ACHAR* name = nullptr;
    std::string out = rec->getName(name) == Acad::eOk && name != nullptr ? toUtf8(name) : std::string(fallback);
    rec->close();
    return out;
}

enum class Applied { kApplied, kRefused, kMissing, kUnknownName };

Applied status(bool present, Acad::ErrorStatus es)
{
    if (!present)
        return Applied::kMissing;
    return es == Acad::eOk ? Applied::kApplied : Applied::kRefused;
}

template <class T, class SET>
Applied applyValue(const std::optional<T>& v, SET set)
{
    return status(v.has_value(), v ? set(*v) : Acad::eOk);
}

Applied applyName(AcDbDatabase& db, const Tags& tags, int code, AcDbObjectId tableId,
                  Acad::ErrorStatus (AcDbDatabase::*set)(AcDbObjectId))
{
    std::optional<std::string> name = textOf(tags, code);
    if (!name)
        return Applied::kMissing;
    AcDbObjectId id = recordNamed(tableId, *name);
    if (id.isNull())
        return Applied::kUnknownName;
    return status(true, (db.*set)(id));
}

// One variable the database models: how it is read from the file and written back.
struct HeaderBinding {
    const char* name;
    Applied (*read)(AcDbDatabase& db, const Tags& tags);
    Tags (*write)(const AcDbDatabase& db);
};

// In the order AutoCAD writes them, which is the order a new drawing gets.
const HeaderBinding kBindings[] = {
    {"$INSBASE", [](AcDbDatabase& db, const Tags& t) { return applyValue(pointOf(t), [&](const AcGePoint3d& p) { return db.setInsbase(p); }); },
     [](const AcDbDatabase& db) { return point3(db.insbase()); }},
    {"$EXTMIN", [](AcDbDatabase& db, const Tags& t) { return applyValue(pointOf(t), [&](const AcGePoint3d& p) { return db.setExtmin(p); }); },
     [](const AcDbDatabase& db) { return point3(db.extmin()); }},
    {"$EXTMAX", [](AcDbDatabase& db, const Tags& t) { return applyValue(pointOf(t), [&](const AcGePoint3d& p) { return db.setExtmax(p); }); },
     [](const AcDbDatabase& db) { return point3(db.extmax()); }},
    {"$LIMMIN", [](AcDbDatabase& db, const Tags& t) { return applyValue(pointOf(t), [&](const AcGePoint3d& p) { return db.setLimmin(AcGePoint2d(p.x, p.y)); }); },
     [](const AcDbDatabase& db) { return point2(db.limmin()); }},
    {"$LIMMAX", [](AcDbDatabase& db, const Tags& t) { return applyValue(pointOf(t), [&](const AcGePoint3d& p) { return db.setLimmax(AcGePoint2d(p.x, p.y)); }); },
     [](const AcDbDatabase& db) { return point2(db.limmax()); }},
    {"$ORTHOMODE", [](AcDbDatabase& db, const Tags& t) { return applyValue(intOf(t, 70), [&](std::int64_t v) { return db.setOrthomode(v != 0); }); },
     [](const AcDbDatabase& db) { return integer(70, db.orthomode() ? 1 : 0); }},
    {"$LTSCALE", [](AcDbDatabase& db, const Tags& t) { return applyValue(realOf(t, 40), [&](double v) { return db.setLtscale(v); }); },
     [](const AcDbDatabase& db) { return real(40, db.ltscale()); }},
    {"$TEXTSIZE", [](AcDbDatabase& db, const Tags& t) { return applyValue(realOf(t, 40), [&](double v) { return db.setTextsize(v); }); },
     [](const AcDbDatabase& db) { return real(40, db.textsize()); }},
    {"$TEXTSTYLE", [](AcDbDatabase& db, const Tags& t) { return applyName(db, t, 7, db.textStyleTableId(), &AcDbDatabase::setTextstyle); },
     [](const AcDbDatabase& db) { return Tags{DxfTag(7, nameOf(db.textstyle(), "Standard"))}; }},
    {"$CLAYER", [](AcDbDatabase& db, const Tags& t) { return applyName(db, t, 8, db.layerTableId(), &AcDbDatabase::setClayer); },
     [](const AcDbDatabase& db) { return Tags{DxfTag(8, nameOf(db.clayer(), "0"))}; }},
    {"$CELTYPE", [](AcDbDatabase& db, const Tags& t) { return applyName(db, t, 6, db.linetypeTableId(), &AcDbDatabase::setCeltype); },
     [](const AcDbDatabase& db) { return Tags{DxfTag(6, nameOf(db.celtype(), "ByLayer"))}; }},
    {"$CECOLOR", [](AcDbDatabase& db, const Tags& t) {
         return applyValue(intOf(t, 62), [&](std::int64_t v) {
             AcCmColor c;
             if (v < 0 || v > 256 || c.setColorIndex(static_cast<Adesk::UInt16>(v)) != Acad::eOk)
                 return Acad::eInvalidInput;
             return db.setCecolor(c);
         });
     },
     [](const AcDbDatabase& db) { return integer(62, db.cecolor().colorIndex()); }},
    {"$CELTSCALE", [](AcDbDatabase& db, const Tags& t) { return applyValue(realOf(t, 40), [&](double v) { return db.setCeltscale(v); }); },
     [](const AcDbDatabase& db) { return real(40, db.celtscale()); }},
    {"$ELEVATION", [](AcDbDatabase& db, const Tags& t) { return applyValue(realOf(t, 40), [&](double v) { return db.setElevation(v); }); },
     [](const AcDbDatabase& db) { return real(40, db.elevation()); }},
    {"$THICKNESS", [](AcDbDatabase& db, const Tags& t) { return applyValue(realOf(t, 40), [&](double v) { return db.setThickness(v); }); },
     [](const AcDbDatabase& db) { return real(40, db.thickness()); }},
    {"$DIMSTYLE", [](AcDbDatabase& db, const Tags& t) { return applyName(db, t, 2, db.dimStyleTableId(), &AcDbDatabase::setDimstyle); },
     [](const AcDbDatabase& db) { return Tags{DxfTag(2, nameOf(db.dimstyle(), "Standard"))}; }},
    {"$LUNITS", [](AcDbDatabase& db, const Tags& t) { return applyValue(intOf(t, 70), [&](std::int64_t v) { return db.setLunits(static_cast<Adesk::Int16>(v)); }); },
     [](const AcDbDatabase& db) { return integer(70, db.lunits()); }},
    {"$LUPREC", [](AcDbDatabase& db, const Tags& t) { return applyValue(intOf(t, 70), [&](std::int64_t v) { return db.setLuprec(static_cast<Adesk::Int16>(v)); }); },
     [](const AcDbDatabase& db) { return integer(70, db.luprec()); }},
    {"$FILLETRAD", [](AcDbDatabase& db, const Tags& t) { return applyValue(realOf(t, 40), [&](double v) { return db.setFilletrad(v); }); },
     [](const AcDbDatabase& db) { return real(40, db.filletrad()); }},
    {"$AUNITS", [](AcDbDatabase& db, const Tags& t) { return applyValue(intOf(t, 70), [&](std::int64_t v) { return db.setAunits(static_cast<Adesk::Int16>(v)); }); },
     [](const AcDbDatabase& db) { return integer(70, db.aunits()); }},
    {"$AUPREC", [](AcDbDatabase& db, const Tags& t) { return applyValue(intOf(t, 70), [&](std::int64_t v) { return db.setAuprec(static_cast<Adesk::Int16>(v)); }); },
     [](const AcDbDatabase& db) { return integer(70, db.auprec()); }},
    {"$ANGBASE", [](AcDbDatabase& db, const Tags& t) { return applyValue(realOf(t, 50), [&](double v) { return db.setAngbase(v); }); },
     [](const AcDbDatabase& db) { return real(50, db.angbase()); }},
    {"$ANGDIR", [](AcDbDatabase& db, const Tags& t) { return applyValue(intOf(t, 70), [&](std::int64_t v) { return db.setAngdir(v != 0); }); },
     [](const AcDbDatabase& db) { return integer(70, db.angdir() ? 1 : 0); }},
    {"$PDMODE", [](AcDbDatabase& db, const Tags& t) { return applyValue(intOf(t, 70), [&](std::int64_t v) { return db.setPdmode(static_cast<Adesk::Int16>(v)); }); },
     [](const AcDbDatabase& db) { return integer(70, db.pdmode()); }},
    {"$PDSIZE", [](AcDbDatabase& db, const Tags& t) { return applyValue(realOf(t, 40), [&](double v) { return db.setPdsize(v); }); },
     [](const AcDbDatabase& db) { return real(40, db.pdsize()); }},
    {"$PLINEWID", [](AcDbDatabase& db, const Tags& t) { return applyValue(realOf(t, 40), [&](double v) { return db.setPlinewid(v); }); },
     [](const AcDbDatabase& db) { return real(40, db.plinewid()); }},
    {"$TILEMODE", [](AcDbDatabase& db, const Tags& t) { return applyValue(intOf(t, 70), [&](std::int64_t v) { return db.setTilemode(v != 0); }); },
     [](const AcDbDatabase& db) { return integer(70, db.tilemode() ? 1 : 0); }},
    {"$CELWEIGHT", [](AcDbDatabase& db, const Tags& t) { return applyValue(intOf(t, 370), [&](std::int64_t v) { return db.setCelweight(static_cast<AcDb::LineWeight>(v)); }); },
     [](const AcDbDatabase& db) { return integer(370, db.celweight()); }},
    {"$MEASUREMENT", [](AcDbDatabase& db, const Tags& t) { return applyValue(intOf(t, 70), [&](std::int64_t v) { return db.setMeasurement(static_cast<Adesk::Int16>(v)); }); },
     [](const AcDbDatabase& db) { return integer(70, db.measurement()); }},
    {"$INSUNITS", [](AcDbDatabase& db, const Tags& t) { return applyValue(intOf(t, 70), [&](std::int64_t v) { return db.setInsunits(static_cast<Adesk::Int16>(v)); }); },
     [](const AcDbDatabase& db) { return integer(70, db.insunits()); }},
};

const HeaderBinding* bindingOf(std::string_view name)
{
    for (const HeaderBinding& b : kBindings)
        if (name == b.name)
            return &b;
    return nullptr;
}

// Variables of R12 files that later versions keep in the registry instead: not written from R13 on.
bool isPreR13Only(std::string_view name)
{
    return name == "$DRAGMODE" || name == "$OSMODE" || name == "$COORDS" || name == "$ATTDIA" || name == "$ATTREQ" ||
           name == "$HANDLING";
}

// Variables the writer makes itself, whatever was read.
bool isWriterVariable(std::string_view name)
{
    return name == "$ACADVER" || name == "$ACADMAINTVER" || name == "$DWGCODEPAGE" || name == "$HANDSEED";
}

Tags writerVariable(const AcDbDatabase& db, std::string_view name, std::string_view acadVer)
{
    if (name == "$ACADVER")
        return {DxfTag(1, std::string(acadVer))};
    if (name == "$ACADMAINTVER")
        // The group became a 32-bit one in R2018.
        return acadVer >= "AC1032" ? integer(90, 0) : integer(70, 0);
    if (name == "$DWGCODEPAGE")
        return {DxfTag(3, "ANSI_1252")};
    return {DxfTag(5, formatDxfHandle(db.handseed().value()))};
}

}  // namespace

bool isModelledHeaderVariable(std::string_view name)
{
    return bindingOf(name) != nullptr || isWriterVariable(name);
}

void applyHeaderVariables(const std::vector<DxfHeaderVariable>& header, AcDbDatabase& db, DxfDiagnostics& diagnostics)
{
    for (const DxfHeaderVariable& v : header) {
        const HeaderBinding* b = bindingOf(v.name);
        if (b == nullptr)
            continue;
        Applied result = b->read(db, v.tags);
        if (result == Applied::kApplied)
            continue;
        const std::uint32_t line = v.tags.empty() ? v.line : v.tags.front().valueLine();
        const std::string value = v.tags.empty() ? std::string() : v.tags.front().value;
        if (result == Applied::kMissing)
            diagnostics.warning(line, v.name + " has no value of the expected group; the default is used");
        else if (result == Applied::kUnknownName)
            diagnostics.warning(line, v.name + " names \"" + value + "\", which the drawing does not define; the default is used");
        else
            diagnostics.warning(line, v.name + " value \"" + value + "\" is out of range; the default is used");
    }
}

std::vector<DxfHeaderVariable> buildHeaderVariables(const AcDbDatabase& db, const std::vector<DxfHeaderVariable>& read,
                                                    std::string_view acadVer)
{
    std::vector<DxfHeaderVariable> out;
    std::set<std::string> written;
    auto emit = [&](const std::string& name, Tags tags) {
        if (!written.insert(name).second)
            return;
        DxfHeaderVariable v;
        v.name = name;
        v.tags = std::move(tags);
        out.push_back(std::move(v));
    };
    for (const char* name : {"$ACADVER", "$ACADMAINTVER", "$DWGCODEPAGE"})
        emit(name, writerVariable(db, name, acadVer));
    for (const DxfHeaderVariable& v : read) {
        if (isWriterVariable(v.name))
            emit(v.name, writerVariable(db, v.name, acadVer));
        else if (const HeaderBinding* b = bindingOf(v.name))
            emit(v.name, b->write(db));
        else if (!isPreR13Only(v.name))
            emit(v.name, v.tags);
    }
    for (const HeaderBinding& b : kBindings)
        emit(b.name, b.write(db));
    emit("$HANDSEED", writerVariable(db, "$HANDSEED", acadVer));
    return out;
}

}  // namespace kelvora
