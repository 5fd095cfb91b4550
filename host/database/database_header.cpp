// The header variables of a drawing, with range checks and undo recording.
#include <cmath>

#include "dbmain.h"
#include "dbsymtb.h"
#include "object_access.h"

using kelvora::DatabaseImpl;

namespace {

// Sets one header variable: records the header for undo the first time in a step, then assigns.
template <class T>
Acad::ErrorStatus setVar(DatabaseImpl* impl, T& field, const T& value)
{
    impl->recordHeaderChange();
    field = value;
    return Acad::eOk;
}

bool isFiniteValue(double v)
{
    return std::isfinite(v);
}

// An id must be a record of the database's table of that kind (not erased).
bool isRecordOf(const AcDbDatabase* db, AcDbObjectId id, AcDbObjectId tableId)
{
    if (id.isNull() || id.database() != db || id.isErased())
        return false;
    auto* rec = kelvora::objectOf(id);
    return rec != nullptr && rec->ownerId() == tableId;
}

}  // namespace

#define KELVORA_GET(NAME, TYPE) \
    TYPE AcDbDatabase::NAME() const { return m_impl->header.NAME; }

KELVORA_GET(textsize, double)
KELVORA_GET(textstyle, AcDbObjectId)
KELVORA_GET(clayer, AcDbObjectId)
KELVORA_GET(celtype, AcDbObjectId)
KELVORA_GET(cecolor, AcCmColor)
KELVORA_GET(celweight, AcDb::LineWeight)
KELVORA_GET(celtscale, double)
KELVORA_GET(ltscale, double)
KELVORA_GET(lunits, Adesk::Int16)
KELVORA_GET(luprec, Adesk::Int16)
KELVORA_GET(aunits, Adesk::Int16)
KELVORA_GET(auprec, Adesk::Int16)
KELVORA_GET(angbase, double)
KELVORA_GET(angdir, bool)
KELVORA_GET(pdmode, Adesk::Int16)
KELVORA_GET(pdsize, double)
KELVORA_GET(plinetype, Adesk::Int16)
KELVORA_GET(plinewid, double)
KELVORA_GET(filletrad, double)
KELVORA_GET(orthomode, bool)
KELVORA_GET(tilemode, bool)
KELVORA_GET(elevation, double)
KELVORA_GET(thickness, double)
KELVORA_GET(dimstyle, AcDbObjectId)
KELVORA_GET(measurement, Adesk::Int16)
KELVORA_GET(insunits, Adesk::Int16)
KELVORA_GET(insbase, AcGePoint3d)
KELVORA_GET(limmin, AcGePoint2d)
KELVORA_GET(limmax, AcGePoint2d)
KELVORA_GET(extmin, AcGePoint3d)
KELVORA_GET(extmax, AcGePoint3d)
#undef KELVORA_GET

Acad::ErrorStatus AcDbDatabase::setTextsize(double size)
{
    if (!isFiniteValue(size) || size <= 0.0)
        return Acad::eInvalidInput;
    return setVar(m_impl, m_impl->header.textsize, size);
}

Acad::ErrorStatus AcDbDatabase::setTextstyle(AcDbObjectId objId)
{
    if (!isRecordOf(this, objId, textStyleTableId()))
        return Acad::eInvalidInput;
    return setVar(m_impl, m_impl->header.textstyle, objId);
}

Acad::ErrorStatus AcDbDatabase::setClayer(AcDbObjectId objId)
{
    if (!isRecordOf(this, objId, layerTableId()))
        return Acad::eInvalidInput;
    return setVar(m_impl, m_impl->header.clayer, objId);
}

Acad::ErrorStatus AcDbDatabase::setCeltype(AcDbObjectId objId)
{
    if (!isRecordOf(this, objId, linetypeTableId()))
        return Acad::eInvalidInput;
    return setVar(m_impl, m_impl->header.celtype, objId);
}

Acad::ErrorStatus AcDbDatabase::setCecolor(const AcCmColor& color)
{
    return setVar(m_impl, m_impl->header.cecolor, color);
}

Acad::ErrorStatus AcDbDatabase::setCelweight(AcDb::LineWeight weight)
{
    if (weight < AcDb::kLnWtByLwDefault || weight > AcDb::kLnWt211)
        return Acad::eInvalidInput;
    return setVar(m_impl, m_impl->header.celweight, weight);
}

Acad::ErrorStatus AcDbDatabase::setCeltscale(double scale)
{
    if (!isFiniteValue(scale) || scale <= 0.0)
        return Acad::eInvalidInput;
    return setVar(m_impl, m_impl->header.celtscale, scale);
}

Acad::ErrorStatus AcDbDatabase::setLtscale(double scale)
{
    if (!isFiniteValue(scale) || scale <= 0.0)
        return Acad::eInvalidInput;
    return setVar(m_impl, m_impl->header.ltscale, scale);
}

Acad::ErrorStatus AcDbDatabase::setLunits(Adesk::Int16 units)
{
    if (units < 1 || units > 5)
        return Acad::eInvalidInput;
    return setVar(m_impl, m_impl->header.lunits, units);
}

Acad::ErrorStatus AcDbDatabase::setLuprec(Adesk::Int16 prec)
{
    if (prec < 0 || prec > 8)
        return Acad::eInvalidInput;
    return setVar(m_impl, m_impl->header.luprec, prec);
}

Acad::ErrorStatus AcDbDatabase::setAunits(Adesk::Int16 units)
{
    if (units < 0 || units > 4)
        return Acad::eInvalidInput;
    return setVar(m_impl, m_impl->header.aunits, units);
}

Acad::ErrorStatus AcDbDatabase::setAuprec(Adesk::Int16 prec)
{
    if (prec < 0 || prec > 8)
        return Acad::eInvalidInput;
    return setVar(m_impl, m_impl->header.auprec, prec);
}

Acad::ErrorStatus AcDbDatabase::setAngbase(double angle)
{
    if (!isFiniteValue(angle))
        return Acad::eInvalidInput;
    return setVar(m_impl, m_impl->header.angbase, angle);
}

Acad::ErrorStatus AcDbDatabase::setAngdir(bool clockwise)
{
    return setVar(m_impl, m_impl->header.angdir, clockwise);
}

Acad::ErrorStatus AcDbDatabase::setPdmode(Adesk::Int16 mode)
{
    return setVar(m_impl, m_impl->header.pdmode, mode);
}

Acad::ErrorStatus AcDbDatabase::setPdsize(double size)
{
    if (!isFiniteValue(size))
        return Acad::eInvalidInput;
    return setVar(m_impl, m_impl->header.pdsize, size);
}

Acad::ErrorStatus AcDbDatabase::setPlinetype(Adesk::Int16 type)
{
    if (type < 0 || type > 2)
        return Acad::eInvalidInput;
    return setVar(m_impl, m_impl->header.plinetype, type);
}

Acad::ErrorStatus AcDbDatabase::setPlinewid(double width)
{
    if (!isFiniteValue(width) || width < 0.0)
        return Acad::eInvalidInput;
    return setVar(m_impl, m_impl->header.plinewid, width);
}

Acad::ErrorStatus AcDbDatabase::setFilletrad(double radius)
{
    if (!isFiniteValue(radius) || radius < 0.0)
        return Acad::eInvalidInput;
    return setVar(m_impl, m_impl->header.filletrad, radius);
}

Acad::ErrorStatus AcDbDatabase::setOrthomode(bool mode)
{
    return setVar(m_impl, m_impl->header.orthomode, mode);
}

Acad::ErrorStatus AcDbDatabase::setTilemode(bool mode)
{
    return setVar(m_impl, m_impl->header.tilemode, mode);
}

Acad::ErrorStatus AcDbDatabase::setElevation(double elev)
{
    if (!isFiniteValue(elev))
        return Acad::eInvalidInput;
    return setVar(m_impl, m_impl->header.elevation, elev);
}

Acad::ErrorStatus AcDbDatabase::setThickness(double thickness)
{
    if (!isFiniteValue(thickness))
        return Acad::eInvalidInput;
    return setVar(m_impl, m_impl->header.thickness, thickness);
}

Acad::ErrorStatus AcDbDatabase::setDimstyle(AcDbObjectId styleId)
{
    if (!isRecordOf(this, styleId, dimStyleTableId()))
        return Acad::eInvalidInput;
    return setVar(m_impl, m_impl->header.dimstyle, styleId);
}

Acad::ErrorStatus AcDbDatabase::setMeasurement(Adesk::Int16 type)
{
    if (type != 0 && type != 1)
        return Acad::eInvalidInput;
    return setVar(m_impl, m_impl->header.measurement, type);
}

Acad::ErrorStatus AcDbDatabase::setInsunits(Adesk::Int16 units)
{
    if (units < 0 || units > 24)
        return Acad::eInvalidInput;
    return setVar(m_impl, m_impl->header.insunits, units);
}

Acad::ErrorStatus AcDbDatabase::setInsbase(const AcGePoint3d& base)
{
    return setVar(m_impl, m_impl->header.insbase, base);
}

Acad::ErrorStatus AcDbDatabase::setLimmin(const AcGePoint2d& pt)
{
    return setVar(m_impl, m_impl->header.limmin, pt);
}

Acad::ErrorStatus AcDbDatabase::setLimmax(const AcGePoint2d& pt)
{
    return setVar(m_impl, m_impl->header.limmax, pt);
}

Acad::ErrorStatus AcDbDatabase::setExtmin(const AcGePoint3d& pt)
{
    return setVar(m_impl, m_impl->header.extmin, pt);
}

Acad::ErrorStatus AcDbDatabase::setExtmax(const AcGePoint3d& pt)
{
    return setVar(m_impl, m_impl->header.extmax, pt);
}

Acad::ErrorStatus AcDbDatabase::updateExt(bool)
{
    AcDbExtents total;
    AcDbBlockTableRecord* ms = nullptr;
    Acad::ErrorStatus es = acdbOpenObject(ms, modelSpaceId(), AcDb::kForRead);
    if (es != Acad::eOk)
        return es;
    total.addBlockExt(ms);
    ms->close();
    if (!total.isValid()) {
        // An empty drawing: the empty box, as a new drawing has.
        setExtmin(AcGePoint3d(1e20, 1e20, 1e20));
        setExtmax(AcGePoint3d(-1e20, -1e20, -1e20));
        return Acad::eOk;
    }
    setExtmin(total.minPoint());
    setExtmax(total.maxPoint());
    return Acad::eOk;
}
