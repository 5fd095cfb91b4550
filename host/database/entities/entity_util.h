// Helpers shared by the entity classes: DXF group reading, normals and angles, curve chains of entities, LIST lines.
#pragma once

#include <string>

#include "acdb.h"
#include "adsdef.h"
#include "curve_pieces.h"
#include "dbfiler.h"
#include "dbmain.h"
#include "gedblar.h"

class AcGePlane;

namespace kelvora {

// True when the object may be changed now. Otherwise the misuse is reported (by assertWriteEnabled)
// and the caller answers eNotOpenForWrite without changing anything.
inline bool beginWrite(AcDbObject* object)
{
    if (!object->isWriteEnabled()) {
        object->assertWriteEnabled();
        return false;
    }
    object->assertWriteEnabled();
    return true;
}

// One group read from a DXF filer; its value is freed with it.
class DxfGroup {
public:
    DxfGroup();
    ~DxfGroup();
    DxfGroup(const DxfGroup&) = delete;
    DxfGroup& operator=(const DxfGroup&) = delete;

    resbuf* rb() { return &m_rb; }
    const resbuf& value() const { return m_rb; }
    int code() const { return m_rb.restype; }
    double real() const { return m_rb.resval.rreal; }
    AcGePoint3d point() const;
    AcGeVector3d vector() const;
    // The integer value whatever its width (16, 32 or 64 bits, booleans).
    long long integer() const;
    const ACHAR* text() const;
    // The subclass name of a group 100 ("" for other groups).
    std::wstring subclassName() const;

private:
    resbuf m_rb;
};

// What a group handler answers.
enum class GroupUse {
    kTaken,   // the group belongs to the object and was used
    kNotMine, // the first group of something else: pushed back, the read ends
};

// Reads groups and hands each to `handler` (DxfGroup& -> GroupUse) until the object ends or a group
// is not its own (pushed back to the filer). A read error other than the end of the data is answered.
template <class Handler>
Acad::ErrorStatus readDxfGroups(AcDbDxfFiler* filer, Handler&& handler)
{
    while (true) {
        DxfGroup group;
        Acad::ErrorStatus es = filer->readResBuf(group.rb());
        if (es == Acad::eEndOfObject || es == Acad::eEndOfFile)
            return Acad::eOk;
        if (es != Acad::eOk)
            return es;
        if (handler(group) == GroupUse::kNotMine) {
            filer->pushBackItem();
            return Acad::eOk;
        }
    }
}

// Consumes the subclass marker when it is next. Files of R12 have none: a missing marker is not an
// error, the groups are read all the same.
void skipSubclassMarker(AcDbDxfFiler* filer, const ACHAR* name);

double radiansToDegrees(double radians);
double degreesToRadians(double degrees);
// An angle brought into [0, 2pi).
double normalizeAngle(double radians);

// The unit normal, or false for a vector too short to give a direction.
bool unitNormal(const AcGeVector3d& vector, AcGeVector3d& unit);

// The pieces of a curve entity (lines, arcs, circles, polylines, rays, xlines; ellipses and splines
// as fine chords); false for an entity that is not a curve.
bool entityChain(const AcDbEntity* entity, PieceChain& chain);

// intersectWith for curve entities: self is "this", other the argument; plane is null for the plain
// form. eInvalidInput for a null argument; eNotApplicable when either entity is not a curve.
Acad::ErrorStatus intersectEntities(const AcDbEntity* self, const AcDbEntity* other, AcDb::Intersect intType,
                                    const AcGePlane* plane, AcGePoint3dArray& points);

// The nearest point of a curve entity's chain (optionally seen along a direction).
Acad::ErrorStatus closestPointOfEntity(const AcDbEntity* entity, const AcGePoint3d& pt, const AcGeVector3d* direction,
                                       bool extend, AcGePoint3d& nearest);

// The cut parameters of getSplitCurves: sorted, duplicates (closer than tol) merged. An open curve
// keeps those strictly inside (start, end); a closed one keeps every parameter of [start, end], the
// end counting as the start. False when a parameter is not a number.
bool normalizeSplitParams(const AcGeDoubleArray& params, double start, double end, bool closed, double tol,
                          std::vector<double>& out);

// LIST lines: "\n<label> X=... Y=... Z=..." and "\n<label> value", reals with the drawing's LUPREC
// decimals.
void listPoint(const AcDbObject* object, const ACHAR* label, const AcGePoint3d& pt);
void listReal(const AcDbObject* object, const ACHAR* label, double value);
void listAngle(const AcDbObject* object, const ACHAR* label, double radians);
void listText(const ACHAR* label, const ACHAR* text);

// The world points of an arc of a piece, as a drawing primitive would take them.
Adesk::Boolean drawPiece(AcGiWorldDraw* mode, const CurvePiece& piece);

}  // namespace kelvora
