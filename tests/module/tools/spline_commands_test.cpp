// SPLTOPLINE and MSPLTOPLINE on drawings: the polyline takes the curve's place, identity and properties.
#include <gtest/gtest.h>

#include <string>

#include "dbelipse.h"
#include "dbents.h"
#include "dbpl.h"
#include "dbspline.h"
#include "dbsymtb.h"
#include "tools_drawing.h"

namespace {

using tools_test::ToolsDrawing;

bool has(const std::string& out, const std::string& text)
{
    return out.find(text) != std::string::npos;
}

class SplineCommands : public ToolsDrawing {
protected:
    AcDbObjectId addSpline(double z1, double z2)
    {
        AcGePoint3dArray fit;
        fit.append(AcGePoint3d(0, 0, 0));
        fit.append(AcGePoint3d(10, 10, z1));
        fit.append(AcGePoint3d(20, 0, z2));
        fit.append(AcGePoint3d(30, 10, 0));
        return add(new AcDbSpline(fit));
    }

    AcDbObjectId addEllipse()
    {
        auto* ellipse = new AcDbEllipse(AcGePoint3d(50, 50, 0), AcGeVector3d::kZAxis, AcGeVector3d(20, 0, 0), 0.5);
        return add(ellipse);
    }

    const AcRxClass* classOf(AcDbObjectId id)
    {
        AcDbEntity* entity = nullptr;
        if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk)
            return nullptr;
        const AcRxClass* kind = entity->isA();
        entity->close();
        return kind;
    }
};

TEST_F(SplineCommands, EllipseBecomesAPolylineWithItsHandleLayerAndColour)
{
    AcDbLayerTable* table = nullptr;
    ASSERT_EQ(db()->getSymbolTable(table, AcDb::kForWrite), Acad::eOk);
    auto* layer = new AcDbLayerTableRecord();
    layer->setName(L"COURBES");
    AcDbObjectId layerId;
    table->add(layerId, layer);
    layer->close();
    table->close();

    const AcDbObjectId id = addEllipse();
    const AcDbHandle handle = id.handle();
    AcDbEntity* ellipse = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(ellipse, id, AcDb::kForWrite), Acad::eOk);
    ellipse->setLayer(L"COURBES");
    ellipse->setColorIndex(5);
    ellipse->close();

    const std::string out = run("SPLTOPLINE\n" + pickOf(id) + "\n");
    EXPECT_TRUE(has(out, "\nSelectionnez la spline a convertir en pline ")) << out;
    EXPECT_TRUE(has(out, "\nSegs avant optim ")) << out;
    ASSERT_EQ(classOf(id), AcDbPolyline::desc());
    AcDbPolyline* pline = nullptr;
    ASSERT_EQ(acdbOpenObject(pline, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(pline->objectId().handle(), handle);
    EXPECT_EQ(tools_test::layerOf(*pline), L"COURBES");
    EXPECT_EQ(pline->colorIndex(), 5);
    EXPECT_FALSE(pline->isClosed());
    pline->close();
    EXPECT_EQ(modelSpace().size(), 1u);
}

TEST_F(SplineCommands, NonPlanarSplineAndOtherEntitiesStay)
{
    const AcDbObjectId spline = addSpline(5, 10);
    const AcDbObjectId line = add(new AcDbLine(AcGePoint3d(0, 100, 0), AcGePoint3d(10, 100, 0)));
    const std::string out = run("SPLTOPLINE\n" + pickOf(spline) + "\nSPLTOPLINE\n" + pickOf(line) + "\n");
    EXPECT_FALSE(has(out, "Segs avant optim")) << out;
    EXPECT_EQ(classOf(spline), AcDbSpline::desc());
    EXPECT_EQ(classOf(line), AcDbLine::desc());
}

TEST_F(SplineCommands, EmptyPickSaysSo)
{
    const std::string out = run("SPLTOPLINE\n300,200\n");
    EXPECT_TRUE(has(out, "***  Aucune sélection !")) << out;
}

TEST_F(SplineCommands, SelectionConvertsWhatItCanAndShowsProgress)
{
    const AcDbObjectId planar = addSpline(0, 0);
    const AcDbObjectId raised = addSpline(5, 10);
    const AcDbObjectId ellipse = addEllipse();
    const std::string out = run("MSPLTOPLINE\nALL\n\n");
    EXPECT_TRUE(has(out, "\nSelectionnez les splines à convertir en polylines:")) << out;
    EXPECT_TRUE(has(out, "\n\n\rConversion 1 / 3 \nSegs avant optim ")) << out;
    EXPECT_TRUE(has(out, "\rConversion 2 / 3 \rConversion 3 / 3 \nSegs avant optim ")) << out;
    EXPECT_EQ(classOf(planar), AcDbPolyline::desc());
    EXPECT_EQ(classOf(raised), AcDbSpline::desc());
    EXPECT_EQ(classOf(ellipse), AcDbPolyline::desc());
}

}  // namespace
