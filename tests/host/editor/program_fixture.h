// A drawing under an editor session with a script in memory, for the tests of picks, selections and commands.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "dbents.h"
#include "dbmain.h"
#include "dbsymtb.h"
#include "editor_session.h"
#include "kelvora/drawing_display.h"
#include "kelvora/editor_session.h"

namespace kelvora::test {

// A new drawing (limits 0,0 to 420,297: 0.2625 units a pixel) made the working database, with the
// editor around it and a command line reading `script`.
class ProgramDrawing {
public:
    explicit ProgramDrawing(std::string script = "")
        : m_db(std::make_unique<AcDbDatabase>(true, false)), m_script(std::make_unique<ScriptSession>(std::move(script))),
          m_editor(std::make_unique<EditorSession>(*m_db, SessionDrawing{}))
    {
        m_editor->showDrawing();
    }
    ~ProgramDrawing()
    {
        m_editor.reset();
        m_script.reset();
        m_db.reset();
    }
    ProgramDrawing(const ProgramDrawing&) = delete;
    ProgramDrawing& operator=(const ProgramDrawing&) = delete;

    AcDbDatabase* db() { return m_db.get(); }
    ScriptSession& script() { return *m_script; }
    EditorSession& editor() { return *m_editor; }

    // Adds an entity to model space (closed), drawn as a command's would be.
    AcDbObjectId add(AcDbEntity* entity)
    {
        AcDbBlockTableRecord* space = nullptr;
        EXPECT_EQ(acdbOpenObject(space, m_db->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
        AcDbObjectId id;
        EXPECT_EQ(space->appendAcDbEntity(id, entity), Acad::eOk);
        entity->close();
        space->close();
        drawingDisplay().redrawChanged(m_db.get());
        return id;
    }

    AcDbObjectId addCircle(double x, double y, double radius)
    {
        return add(new AcDbCircle(AcGePoint3d(x, y, 0.0), AcGeVector3d::kZAxis, radius));
    }

    AcDbObjectId addLine(double x1, double y1, double x2, double y2)
    {
        return add(new AcDbLine(AcGePoint3d(x1, y1, 0.0), AcGePoint3d(x2, y2, 0.0)));
    }

    // A layer (made when missing) and its state.
    AcDbObjectId layer(const wchar_t* name, bool locked = false, bool off = false)
    {
        AcDbLayerTable* table = nullptr;
        EXPECT_EQ(m_db->getLayerTable(table, AcDb::kForWrite), Acad::eOk);
        AcDbObjectId id;
        if (table->getAt(name, id) != Acad::eOk) {
            auto* record = new AcDbLayerTableRecord();
            record->setName(name);
            table->add(id, record);
            record->close();
        }
        table->close();
        AcDbLayerTableRecord* record = nullptr;
        EXPECT_EQ(acdbOpenObject(record, id, AcDb::kForWrite), Acad::eOk);
        record->setIsLocked(locked);
        record->setIsOff(off);
        record->close();
        return id;
    }

    bool isErased(AcDbObjectId id) { return id.isErased(); }

private:
    std::unique_ptr<AcDbDatabase> m_db;
    std::unique_ptr<ScriptSession> m_script;
    std::unique_ptr<EditorSession> m_editor;
};

}  // namespace kelvora::test
