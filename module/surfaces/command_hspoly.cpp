// HSPOLY: fills a surface with a solid hatch whose islands keep the label texts free.
#include "acedads.h"
#include "acutads.h"
#include "adscodes.h"
#include "dbhatch.h"
#include "dbhelpers/model_space.h"
#include "gedblar.h"
#include "surfaces/ne_surface.h"
#include "surfaces/surface_commands.h"
#include "surfaces/surface_labels.h"

namespace kelvora::surfaces {

namespace {

constexpr Adesk::Int32 kOutlineLoop = AcDbHatch::kDefault;
constexpr Adesk::Int32 kLabelLoop = AcDbHatch::kOutermost;

AcDbHatch* hatchOf(const NESurface& surface)
{
    auto* hatch = new AcDbHatch();
    hatch->setNormal(AcGeVector3d::kZAxis);
    hatch->setElevation(0.0);
    hatch->setAssociative(false);
    hatch->setPattern(AcDbHatch::kPreDefined, ACRX_T("SOLID"));

    AcGePoint2dArray outline;
    AcGeDoubleArray bulges;
    for (unsigned i = 0; i < surface.numVerts(); ++i) {
        AcGePoint2d point;
        double bulge = 0.0;
        surface.getPointAt(i, point);
        surface.getBulgeAt(i, bulge);
        outline.append(point);
        bulges.append(bulge);
    }
    if (outline.length() > 0) {
        outline.append(outline[0]);
        bulges.append(bulges[0]);
    }
    hatch->appendLoop(kOutlineLoop, outline, bulges);

    auto addLabelLoop = [&](const AcGePoint3d& at, const std::wstring& text) {
        AcGePoint2dArray box;
        labelBox(surface, at, text, box);
        AcGeDoubleArray straight;
        for (int i = 0; i < box.length(); ++i)
            straight.append(0.0);
        hatch->appendLoop(kLabelLoop, box, straight);
    };
    const Adesk::UInt16 flags = surface.labelFlags();
    if ((flags & NESurface::kShowLot) != 0)
        addLabelLoop(surface.lotPoint(), surface.getLabelString(NESurface::kLotText));
    if ((flags & NESurface::kShowArea) != 0) {
        std::wstring text;
        surface.formatAreaText(text);
        addLabelLoop(surface.areaPoint(), text);
    }
    if ((flags & NESurface::kShowPerimeter) != 0)
        addLabelLoop(surface.perimeterPoint(), surface.perimeterText());
    hatch->evaluateHatch();
    return hatch;
}

}  // namespace

void commandHspoly()
{
    ads_name picked;
    ads_point at;
    if (acedEntSel(ACRX_T("\nSelectionnez la surface a hachurer:"), picked, at) != RTNORM)
        return;
    AcDbObjectId id;
    AcDbEntity* entity = nullptr;
    if (acdbGetObjectId(id, picked) != Acad::eOk || acdbOpenAcDbEntity(entity, id, AcDb::kForWrite) != Acad::eOk) {
        acutPrintf(ACRX_T("\nErreur "));
        return;
    }
    if (entity->isA() == NESurface::desc()) {
        AcDbHatch* hatch = hatchOf(*static_cast<NESurface*>(entity));
        AcDbObjectId hatchId;
        if (appendToModelSpace(hatch, hatchId) != Acad::eOk && hatchId.isNull())
            delete hatch;
    }
    entity->close();
}

}  // namespace kelvora::surfaces
