// System variables backed by the working drawing's header (CLAYER, TEXTSIZE, LUPREC ...) and by the view.
#include "drawing_variables.h"

#include <limits>
#include <string>

#include "acapdmgr.h"
#include "dbapserv.h"
#include "dbmain.h"
#include "dbsymtb.h"
#include "kelvora/view.h"

namespace kelvora {

namespace {

AcDbDatabase* working()
{
    return acdbHostApplicationServices()->workingDatabase();
}

SysVarStatus statusOf(Acad::ErrorStatus es)
{
    return es == Acad::eOk ? SysVarStatus::Ok : SysVarStatus::OutOfRange;
}

// An integer variable read and written through the header. Without a drawing it reads `fallback`
// and refuses changes.
template <typename Get, typename Set>
SysVarDefinition headerInteger(std::wstring name, long long fallback, Get get, Set set)
{
    return {std::move(name), SysVarType::Integer,
            [=] {
                AcDbDatabase* db = working();
                return SysVarValue(db != nullptr ? static_cast<long long>(get(*db)) : fallback);
            },
            [=](const SysVarValue& v) {
                AcDbDatabase* db = working();
                long long value = std::get<long long>(v);
                if (db == nullptr)
                    return SysVarStatus::ReadOnly;
                if (value < std::numeric_limits<Adesk::Int16>::min() || value > std::numeric_limits<Adesk::Int16>::max())
                    return SysVarStatus::OutOfRange;
                return statusOf(set(*db, static_cast<Adesk::Int16>(value)));
            }};
}

template <typename Get, typename Set>
SysVarDefinition headerReal(std::wstring name, double fallback, Get get, Set set)
{
    return {std::move(name), SysVarType::Real,
            [=] {
                AcDbDatabase* db = working();
                return SysVarValue(db != nullptr ? get(*db) : fallback);
            },
            [=](const SysVarValue& v) {
                AcDbDatabase* db = working();
                if (db == nullptr)
                    return SysVarStatus::ReadOnly;
                return statusOf(set(*db, std::get<double>(v)));
            }};
}

template <typename Get>
SysVarDefinition readOnlyPoint(std::wstring name, Get get)
{
    return {std::move(name), SysVarType::Point, [=] { return SysVarValue(get()); }, nullptr};
}

std::wstring recordName(AcDbObjectId id)
{
    AcDbSymbolTableRecord* record = nullptr;
    if (acdbOpenObject(record, id, AcDb::kForRead) != Acad::eOk)
        return {};
    const ACHAR* name = nullptr;
    std::wstring copy;
    if (record->getName(name) == Acad::eOk && name != nullptr)
        copy = name;
    record->close();
    return copy;
}

// A variable holding the name of a record of one table (CLAYER, TEXTSTYLE).
template <typename Table, typename GetId, typename SetId>
SysVarDefinition recordVariable(std::wstring name, std::wstring fallback, AcDbObjectId (AcDbDatabase::*tableId)() const,
                                GetId getId, SetId setId)
{
    return {std::move(name), SysVarType::String,
            [=] {
                AcDbDatabase* db = working();
                return SysVarValue(db != nullptr ? recordName(getId(*db)) : fallback);
            },
            [=](const SysVarValue& v) {
                AcDbDatabase* db = working();
                if (db == nullptr)
                    return SysVarStatus::ReadOnly;
                Table* table = nullptr;
                if (acdbOpenObject(table, (db->*tableId)(), AcDb::kForRead) != Acad::eOk)
                    return SysVarStatus::OutOfRange;
                AcDbObjectId id;
                Acad::ErrorStatus es = table->getAt(std::get<std::wstring>(v).c_str(), id);
                table->close();
                if (es != Acad::eOk)
                    return SysVarStatus::OutOfRange;
                return statusOf(setId(*db, id));
            }};
}

ScriptPoint point2(const AcGePoint2d& p)
{
    return {p.x, p.y, 0.0};
}

ScriptPoint point3(const AcGePoint3d& p)
{
    return {p.x, p.y, p.z};
}

SysVarDefinition limitVariable(std::wstring name, bool upper)
{
    return {std::move(name), SysVarType::Point,
            [=] {
                AcDbDatabase* db = working();
                if (db == nullptr)
                    return SysVarValue(upper ? ScriptPoint{kDefaultLimitsWidth, kDefaultLimitsHeight, 0.0} : ScriptPoint{});
                return SysVarValue(point2(upper ? db->limmax() : db->limmin()));
            },
            [=](const SysVarValue& v) {
                AcDbDatabase* db = working();
                if (db == nullptr)
                    return SysVarStatus::ReadOnly;
                const ScriptPoint& p = std::get<ScriptPoint>(v);
                AcGePoint2d pt(p.x, p.y);
                return statusOf(upper ? db->setLimmax(pt) : db->setLimmin(pt));
            }};
}

}  // namespace

void defineDrawingVariables(SystemVariables& variables)
{
    using DB = AcDbDatabase;
    variables.define(headerInteger(L"LUNITS", 2, [](DB& d) { return d.lunits(); },
                                   [](DB& d, Adesk::Int16 v) { return d.setLunits(v); }));
    variables.define(headerInteger(L"LUPREC", 4, [](DB& d) { return d.luprec(); },
                                   [](DB& d, Adesk::Int16 v) { return d.setLuprec(v); }));
    variables.define(headerInteger(L"AUNITS", 0, [](DB& d) { return d.aunits(); },
                                   [](DB& d, Adesk::Int16 v) { return d.setAunits(v); }));
    variables.define(headerInteger(L"AUPREC", 0, [](DB& d) { return d.auprec(); },
                                   [](DB& d, Adesk::Int16 v) { return d.setAuprec(v); }));
    variables.define(headerInteger(L"PLINETYPE", 2, [](DB& d) { return d.plinetype(); },
                                   [](DB& d, Adesk::Int16 v) { return d.setPlinetype(v); }));
    variables.define(headerInteger(L"PDMODE", 0, [](DB& d) { return d.pdmode(); },
                                   [](DB& d, Adesk::Int16 v) { return d.setPdmode(v); }));
    variables.define(headerInteger(L"INSUNITS", 0, [](DB& d) { return d.insunits(); },
                                   [](DB& d, Adesk::Int16 v) { return d.setInsunits(v); }));
    variables.define(headerInteger(L"MEASUREMENT", 1, [](DB& d) { return d.measurement(); },
                                   [](DB& d, Adesk::Int16 v) { return d.setMeasurement(v); }));
    variables.define(headerInteger(L"ORTHOMODE", 0, [](DB& d) { return d.orthomode() ? 1 : 0; },
                                   [](DB& d, Adesk::Int16 v) {
                                       return v == 0 || v == 1 ? d.setOrthomode(v == 1) : Acad::eInvalidInput;
                                   }));
    variables.define(headerReal(L"TEXTSIZE", 2.5, [](DB& d) { return d.textsize(); },
                                [](DB& d, double v) { return d.setTextsize(v); }));
    variables.define(headerReal(L"PDSIZE", 0.0, [](DB& d) { return d.pdsize(); },
                                [](DB& d, double v) { return d.setPdsize(v); }));
    variables.define(headerReal(L"LTSCALE", 1.0, [](DB& d) { return d.ltscale(); },
                                [](DB& d, double v) { return d.setLtscale(v); }));
    variables.define(headerReal(L"CELTSCALE", 1.0, [](DB& d) { return d.celtscale(); },
                                [](DB& d, double v) { return d.setCeltscale(v); }));
    variables.define(headerReal(L"ELEVATION", 0.0, [](DB& d) { return d.elevation(); },
                                [](DB& d, double v) { return d.setElevation(v); }));
    variables.define(headerReal(L"THICKNESS", 0.0, [](DB& d) { return d.thickness(); },
                                [](DB& d, double v) { return d.setThickness(v); }));
    variables.define(headerReal(L"FILLETRAD", 0.0, [](DB& d) { return d.filletrad(); },
                                [](DB& d, double v) { return d.setFilletrad(v); }));
    variables.define(headerReal(L"PLINEWID", 0.0, [](DB& d) { return d.plinewid(); },
                                [](DB& d, double v) { return d.setPlinewid(v); }));
    variables.define(recordVariable<AcDbLayerTable>(
        L"CLAYER", L"0", &DB::layerTableId, [](DB& d) { return d.clayer(); },
        [](DB& d, AcDbObjectId id) { return d.setClayer(id); }));
    variables.define(recordVariable<AcDbTextStyleTable>(
        L"TEXTSTYLE", L"Standard", &DB::textStyleTableId, [](DB& d) { return d.textstyle(); },
        [](DB& d, AcDbObjectId id) { return d.setTextstyle(id); }));
    variables.define(recordVariable<AcDbLinetypeTable>(
        L"CELTYPE", L"ByLayer", &DB::linetypeTableId, [](DB& d) { return d.celtype(); },
        [](DB& d, AcDbObjectId id) { return d.setCeltype(id); }));
    variables.define(limitVariable(L"LIMMIN", false));
    variables.define(limitVariable(L"LIMMAX", true));
    variables.define(readOnlyPoint(L"EXTMIN", [] {
        AcDbDatabase* db = working();
        return db != nullptr ? point3(db->extmin()) : ScriptPoint{};
    }));
    variables.define(readOnlyPoint(L"EXTMAX", [] {
        AcDbDatabase* db = working();
        return db != nullptr ? point3(db->extmax()) : ScriptPoint{};
    }));
    variables.define({L"HANDSEED", SysVarType::String,
                      [] {
                          AcDbDatabase* db = working();
                          ACHAR hex[20] = L"0";
                          if (db != nullptr)
                              db->handseed().getIntoAsciiBuffer(hex, 20);
                          return SysVarValue(std::wstring(hex));
                      },
                      nullptr});
    variables.define({L"DWGNAME", SysVarType::String,
                      [] {
                          AcApDocument* doc = acDocManager->curDocument();
                          return SysVarValue(std::wstring(doc != nullptr ? doc->docTitle() : L"Drawing1.dxf"));
                      },
                      nullptr});
    variables.define(readOnlyPoint(L"VIEWCTR", [] {
        const ViewState& view = currentView();
        return ScriptPoint{view.centre.x, view.centre.y, 0.0};
    }));
    variables.define({L"VIEWSIZE", SysVarType::Real, [] { return SysVarValue(currentView().height()); }, nullptr});
    variables.define(readOnlyPoint(L"SCREENSIZE", [] {
        return ScriptPoint{static_cast<double>(kViewportWidthPx), static_cast<double>(kViewportHeightPx), 0.0};
    }));
    if (!variables.contains(L"ERRNO"))
        variables.defineInteger(L"ERRNO", 0, 0, 1000000);
}

}  // namespace kelvora
