// NESurface editing: label grips, stretch points, transformation of the labels, and explode into plain entities.
#include "dbents.h"
#include "dbgrip.h"
#include "surfaces/ne_surface.h"

Acad::ErrorStatus NESurface::transformSurface(const AcGeMatrix3d& xform)
{
    if (AcDbPolyline::transformBy(xform) != Acad::eOk)
        return Acad::eOk;
    m_lotPoint.transformBy(xform);
    m_areaPoint.transformBy(xform);
    m_perimeterPoint.transformBy(xform);
    m_textHeight *= xform.scale();
    m_labelDirection.transformBy(xform);
    return Acad::eOk;
}

Acad::ErrorStatus NESurface::getGripPoints(AcDbGripDataPtrArray& grips, const double curViewUnitSize,
                                           const int gripSize, const AcGeVector3d& curViewDir,
                                           const int bitflags) const
{
    const Acad::ErrorStatus status =
        AcDbPolyline::getGripPoints(grips, curViewUnitSize, gripSize, curViewDir, bitflags);
    if (status != Acad::eOk)
        return status;
    grips.append(new AcDbGripData(m_lotPoint, reinterpret_cast<void*>(kLotGrip)));
    grips.append(new AcDbGripData(m_areaPoint, reinterpret_cast<void*>(kAreaGrip)));
    grips.append(new AcDbGripData(m_perimeterPoint, reinterpret_cast<void*>(kPerimeterGrip)));
    return Acad::eOk;
}

Acad::ErrorStatus NESurface::moveSurfaceGrips(const AcDbVoidPtrArray& gripAppData, const AcGeVector3d& offset,
                                              const int bitflags)
{
    AcDbVoidPtrArray others;
    for (int i = 0; i < gripAppData.length(); ++i) {
        const auto tag = reinterpret_cast<Adesk::IntPtr>(gripAppData[i]);
        if (tag >= kLotGrip && tag <= kPerimeterGrip) {
            assertWriteEnabled();
            labelPoint(static_cast<int>(tag - kLotGrip)) += offset;
        } else {
            others.append(gripAppData[i]);
        }
    }
    if (others.length() == 0)
        return Acad::eOk;
    return AcDbEntity::moveGripPointsAt(others, offset, bitflags);
}

Acad::ErrorStatus NESurface::getSurfaceStretchPoints(AcGePoint3dArray& stretchPoints) const
{
    assertReadEnabled();
    const Acad::ErrorStatus status = AcDbPolyline::getStretchPoints(stretchPoints);
    if (status != Acad::eOk)
        return status;
    stretchPoints.append(m_lotPoint);
    stretchPoints.append(m_areaPoint);
    stretchPoints.append(m_perimeterPoint);
    return Acad::eOk;
}

Acad::ErrorStatus NESurface::moveSurfaceStretchPoints(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    assertWriteEnabled();
    AcGePoint3dArray own;
    AcDbPolyline::getStretchPoints(own);
    const int n = own.length();
    AcDbIntArray outline;
    for (int i = 0; i < indices.length(); ++i) {
        const int index = indices[i];
        if (index >= n && index <= n + 2) {
            labelPoint(index - n) += offset;
            recordGraphicsModified(true);
        } else {
            outline.append(index);
        }
    }
    return AcDbPolyline::moveStretchPointsAt(outline, offset);
}

AcDbPolyline* NESurface::toPlainPolyline() const
{
    const unsigned count = numVerts();
    auto* copy = new AcDbPolyline(count);
    for (unsigned i = 0; i < count; ++i) {
        AcGePoint2d point;
        double bulge = 0.0;
        getPointAt(i, point);
        getBulgeAt(i, bulge);
        copy->addVertexAt(i, point, bulge, -1.0, -1.0);
    }
    // An open copy that returns to its start, rather than a closed one.
    if (isClosed() && count > 0) {
        AcGePoint2d first;
        getPointAt(0, first);
        copy->addVertexAt(count, first, 0.0, -1.0, -1.0);
    }
    copy->setNormal(normal());
    return copy;
}

Acad::ErrorStatus NESurface::explodeSurface(AcDbVoidPtrArray& entitySet) const
{
    AcDbPolyline* outline = toPlainPolyline();
    outline->AcDbEntity::setPropertiesFrom(this, Adesk::kTrue);
    entitySet.append(outline);
    const double rotation = labelRotation();
    auto addText = [&](const AcGePoint3d& at, const std::wstring& text) {
        auto* label = new AcDbText(at, text.c_str(), m_textStyleId, m_textHeight, rotation);
        label->setPropertiesFrom(this, Adesk::kTrue);
        entitySet.append(label);
    };
    if ((m_labelFlags & kShowLot) != 0)
        addText(m_lotPoint, m_strings[kLotText]);
    if ((m_labelFlags & kShowArea) != 0) {
        std::wstring text;
        formatAreaText(text);
        addText(m_areaPoint, text);
    }
    if ((m_labelFlags & kShowPerimeter) != 0)
        addText(m_perimeterPoint, perimeterText());
    return Acad::eOk;
}
