// Opening a closed boundary at one of its points, so that it starts and ends there.
#include "division/open_at_point.h"

#include "dbents.h"
#include "dbhelpers/model_space.h"
#include "division/division_tolerances.h"
#include "division/surface_pieces.h"
#include "gedblar.h"

namespace kelvora::division {

namespace {

// Colour index of the boundary left in the drawing when it cannot be opened: red.
constexpr Adesk::UInt16 kFaultColour = 1;

void markFault(AcDbPolyline* copy, const AcGePoint3d& pointWcs)
{
    addToModelSpace(new AcDbPoint(pointWcs));
    copy->setColorIndex(kFaultColour);
    addToModelSpace(copy);
}

}  // namespace

AcDbPolyline* openAtPoint(const AcDbPolyline* pline, const AcGePoint3d& pointWcs)
{
    AcDbPolyline* copy = clonePolyline(pline);
    if (copy == nullptr)
        return nullptr;
    if (!copy->isClosed())
        closeStraight(copy);
    AcGePoint3d first;
    if (copy->numVerts() > 0 && copy->getPointAt(0, first) == Acad::eOk &&
        first.distanceTo(pointWcs) <= kPointTolerance)
        return copy;
    double param = 0.0;
    if (copy->getParamAtPoint(pointWcs, param) != Acad::eOk) {
        markFault(copy, pointWcs);
        return nullptr;
    }
    AcGeDoubleArray params;
    params.append(param);
    AcDbVoidPtrArray pieces;
    const Acad::ErrorStatus status = copy->getSplitCurves(params, pieces);
    delete copy;
    if (status != Acad::eOk || pieces.isEmpty()) {
        deleteCurves(pieces);
        return nullptr;
    }
    AcDbPolyline* result = nullptr;
    if (pieces.length() == 1) {
        result = AcDbPolyline::cast(static_cast<AcRxObject*>(pieces[0]));
        if (result != nullptr)
            pieces.setLogicalLength(0);
    } else if (pieces.length() == 2) {
        // The split also cut at vertex 0: the piece after the point, then the piece before it.
        auto* before = AcDbPolyline::cast(static_cast<AcRxObject*>(pieces[0]));
        result = AcDbPolyline::cast(static_cast<AcRxObject*>(pieces[1]));
        if (before != nullptr && result != nullptr) {
            for (unsigned int k = 0; k < before->numVerts(); ++k)
                appendVertexFrom(result, before, k);
            pieces.removeAt(1);
        } else {
            result = nullptr;
        }
    }
    deleteCurves(pieces);
    if (result != nullptr)
        rebuild(result, kWorkingMergeTolerance);
    return result;
}

}  // namespace kelvora::division
