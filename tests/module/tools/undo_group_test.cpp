// CAcadUndoGroup: everything done inside the scope is one undo step, also outside a command.
#include <gtest/gtest.h>

#include "dbapserv.h"
#include "dbhelpers/undo_group.h"
#include "dbpl.h"
#include "kelvora/undo.h"
#include "tools_drawing.h"

namespace {

using tools_test::sameVertices;
using tools_test::ToolsDrawing;

class UndoGroup : public ToolsDrawing {
protected:
    void movePoint(AcDbObjectId id, unsigned int index, double x, double y)
    {
        AcDbPolyline* pline = nullptr;
        ASSERT_EQ(acdbOpenObject(pline, id, AcDb::kForWrite), Acad::eOk);
        pline->setPointAt(index, AcGePoint2d(x, y));
        pline->close();
    }
};

TEST_F(UndoGroup, ChangesInsideTheScopeAreOneStep)
{
    const AcDbObjectId first = addPolyline({{0, 0, 0}, {10, 0, 0}});
    const AcDbObjectId second = addPolyline({{0, 5, 0}, {10, 5, 0}});
    const int before = kelvora::undoStepCount(db());
    {
        CAcadUndoGroup group;
        EXPECT_TRUE(group.isOpen());
        EXPECT_TRUE(kelvora::isUndoStepOpen(db()));
        movePoint(first, 1, 20, 0);
        movePoint(second, 0, -5, 5);
    }
    EXPECT_FALSE(kelvora::isUndoStepOpen(db()));
    ASSERT_EQ(kelvora::undoStepCount(db()), before + 1);
    EXPECT_EQ(kelvora::undo(1, db()), 1);
    EXPECT_TRUE(sameVertices(verticesOf(first), {{0, 0, 0}, {10, 0, 0}}));
    EXPECT_TRUE(sameVertices(verticesOf(second), {{0, 5, 0}, {10, 5, 0}}));
}

TEST_F(UndoGroup, NestedInsideAnOpenStepAddsNoStep)
{
    const AcDbObjectId id = addPolyline({{0, 0, 0}, {10, 0, 0}});
    const int before = kelvora::undoStepCount(db());
    kelvora::beginCommandUndo(L"OUTER", db());
    {
        CAcadUndoGroup group;
        movePoint(id, 0, 1, 1);
    }
    EXPECT_TRUE(kelvora::isUndoStepOpen(db()));
    kelvora::endCommandUndo(db());
    EXPECT_EQ(kelvora::undoStepCount(db()), before + 1);
}

TEST(UndoGroupWithoutDrawing, OpensNothing)
{
    AcDbHostApplicationServices* services = acdbHostApplicationServices();
    AcDbDatabase* previous = services->workingDatabase();
    services->setWorkingDatabase(nullptr);
    {
        CAcadUndoGroup group;
        EXPECT_FALSE(group.isOpen());
    }
    services->setWorkingDatabase(previous);
}

}  // namespace
