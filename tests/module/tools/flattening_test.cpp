// KELVORANOPROXY: the module's objects replaced by what their explode makes, counted per kind.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "dbents.h"
#include "dbpl.h"
#include "dbsymtb.h"
#include "speciallines/extended_polyline.h"
#include "surfaces/ne_surface.h"
#include "tools_drawing.h"

namespace {

using tools_test::ToolsDrawing;

constexpr const char* kConfirm = "\n[Confirmez] Cette commande supprime tous les objets spécifiques a kelvora.\n"
                                 " Vous ne pourrez plus par la suite les éditer\n"
                                 "Voulez vous vraiment effectuer cette opération";

std::string summary(int linesDone, int linesFound, int surfacesDone, int surfacesFound, int slopesDone,
                    int slopesFound)
{
    char text[256];
    std::snprintf(text, sizeof text,
                  "\n[Transformation] Transfomation effectuée\n\nLignes spéciales:  %6d / %6d\n\n"
                  "Surfaces: %6d / %6d\n\nTalus: %6d / %6d",
                  linesDone, linesFound, surfacesDone, surfacesFound, slopesDone, slopesFound);
    return text;
}

class Flattening : public ToolsDrawing {
protected:
    void SetUp() override
    {
        ToolsDrawing::SetUp();
        NESurface::rxInit();
        eXtendedPolyline::rxInit();
        acrxBuildClassHierarchy();
    }

    template <class T>
    AcDbObjectId addOutline(T* entity, double x0, double y0, bool closed, const ACHAR* layer = L"0")
    {
        entity->addVertexAt(0, AcGePoint2d(x0, y0));
        entity->addVertexAt(1, AcGePoint2d(x0 + 10, y0));
        if (closed) {
            entity->addVertexAt(2, AcGePoint2d(x0 + 10, y0 + 10));
            entity->addVertexAt(3, AcGePoint2d(x0, y0 + 10));
        }
        entity->setClosed(closed);
        entity->setLayer(layer);
        return add(entity);
    }

    void lockedLayer(const ACHAR* name)
    {
        AcDbLayerTable* table = nullptr;
        ASSERT_EQ(db()->getSymbolTable(table, AcDb::kForWrite), Acad::eOk);
        auto* record = new AcDbLayerTableRecord();
        record->setName(name);
        record->setIsLocked(true);
        AcDbObjectId id;
        table->add(id, record);
        record->close();
        table->close();
    }

    // Model space's entities of exactly that class.
    int countOf(const AcRxClass* kind)
    {
        int count = 0;
        for (AcDbObjectId id : modelSpace()) {
            AcDbEntity* entity = nullptr;
            if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk)
                continue;
            count += entity->isA() == kind ? 1 : 0;
            entity->close();
        }
        return count;
    }
};

TEST_F(Flattening, ReplacesSurfacesAndSpecialLinesByTheirPieces)
{
    const AcDbObjectId surface = addOutline(new NESurface(), 0, 0, true);
    const AcDbObjectId line = addOutline(new eXtendedPolyline(), 0, 50, false);
    const AcDbObjectId plain = addOutline(new AcDbPolyline(), 50, 50, false);
    const std::string out = run("KELVORANOPROXY\n@box OK\n@box OK\n");
    EXPECT_NE(out.find(kConfirm), std::string::npos) << out;
    EXPECT_NE(out.find(summary(1, 1, 1, 1, 0, 0)), std::string::npos) << out;
    EXPECT_TRUE(surface.isErased());
    EXPECT_TRUE(line.isErased());
    EXPECT_FALSE(plain.isErased());
    EXPECT_EQ(countOf(NESurface::desc()), 0);
    EXPECT_EQ(countOf(eXtendedPolyline::desc()), 0);
    // The surface's outline comes back as a plain polyline beside the one that was there.
    EXPECT_GE(countOf(AcDbPolyline::desc()), 2);
    EXPECT_GT(modelSpace().size(), 3u);
}

TEST_F(Flattening, ObjectOnALockedLayerIsFoundButNotReplaced)
{
    lockedLayer(L"VERROU");
    const AcDbObjectId open = addOutline(new NESurface(), 0, 0, true);
    const AcDbObjectId locked = addOutline(new NESurface(), 50, 0, true, L"VERROU");
    const std::string out = run("KELVORANOPROXY\n@box OK\n@box OK\n");
    EXPECT_NE(out.find(summary(0, 0, 1, 2, 0, 0)), std::string::npos) << out;
    EXPECT_TRUE(open.isErased());
    EXPECT_FALSE(locked.isErased());
    EXPECT_EQ(countOf(NESurface::desc()), 1);
}

TEST_F(Flattening, CancelChangesNothingAndShowsNoSummary)
{
    const AcDbObjectId surface = addOutline(new NESurface(), 0, 0, true);
    const std::string out = run("KELVORANOPROXY\n@box Cancel\n");
    EXPECT_NE(out.find(kConfirm), std::string::npos) << out;
    EXPECT_EQ(out.find("[Transformation]"), std::string::npos) << out;
    EXPECT_FALSE(surface.isErased());
    EXPECT_EQ(modelSpace().size(), 1u);
}

TEST_F(Flattening, DrawingWithoutCustomObjectsReportsZeros)
{
    const AcDbObjectId plain = addOutline(new AcDbPolyline(), 0, 0, false);
    const std::string out = run("KELVORANOPROXY\n@box OK\n@box OK\n");
    EXPECT_NE(out.find(summary(0, 0, 0, 0, 0, 0)), std::string::npos) << out;
    EXPECT_FALSE(plain.isErased());
    EXPECT_EQ(modelSpace().size(), 1u);
}

}  // namespace
