// Test sessions of the drawing commands: a new working drawing, a script in memory, and helpers to read what the commands made.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dbmain.h"
#include "dbobjptr.h"
#include "dbsymtb.h"
#include "host/editor/editor_session.h"
#include "kelvora/editor_session.h"
#include "kelvora/host_class.h"
#include "kelvora/host_commands.h"
#include "kelvora/script_syntax.h"

namespace kelvora::test {

// Coordinates typed in the scripts are short decimals; what the commands compute from them
// (circle centres, bulge arcs) is exact to a few units in the last place.
constexpr double kCoordTolerance = 1e-9;

// A new drawing (the host's defaults) shown in the editor as the program shows it: the working
// database, the drawing's system variables, the host's commands, the view over the limits. The
// script answers the commands run with run().
class CommandSession {
public:
    explicit CommandSession(std::string script)
    {
        registerHostClasses();
        m_db = std::make_unique<AcDbDatabase>(true);
        m_script = std::make_unique<ScriptSession>(std::move(script));
        m_editor = std::make_unique<EditorSession>(*m_db, SessionDrawing{});
        m_editor->showDrawing();
    }
    ~CommandSession()
    {
        // The editor lets go of the drawing before the drawing goes.
        m_editor.reset();
        m_script.reset();
        m_db.reset();
    }
    CommandSession(const CommandSession&) = delete;
    CommandSession& operator=(const CommandSession&) = delete;

    // Runs a command as the command prompt does (one undo step, then what changed is drawn).
    void run(const wchar_t* command)
    {
        std::optional<CommandName> name = parseCommandName(command);
        ASSERT_TRUE(name.has_value());
        ASSERT_TRUE(runCommand(*name)) << "no command " << ::testing::PrintToString(name->name);
    }

    AcDbDatabase* db() const { return m_db.get(); }
    const std::string& out() const { return m_script->out(); }

    // The entities of model space that are not erased, in drawing order.
    std::vector<AcDbObjectId> modelSpace() const
    {
        std::vector<AcDbObjectId> ids;
        AcDbObjectPointer<AcDbBlockTableRecord> space(m_db->modelSpaceId(), AcDb::kForRead);
        if (space.openStatus() != Acad::eOk)
            return ids;
        for (AcDbObjectId id : space->entityIds()) {
            AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForRead);
            if (entity.openStatus() == Acad::eOk)
                ids.push_back(id);
        }
        return ids;
    }

    // The ids of the entities of model space that are of class T.
    template <class T>
    std::vector<AcDbObjectId> modelSpaceOf() const
    {
        std::vector<AcDbObjectId> ids;
        for (AcDbObjectId id : modelSpace()) {
            AcDbObjectPointer<T> entity(id, AcDb::kForRead);
            if (entity.openStatus() == Acad::eOk)
                ids.push_back(id);
        }
        return ids;
    }

    // The layer of that name (null id when missing).
    AcDbObjectId layer(const wchar_t* name) const
    {
        AcDbObjectPointer<AcDbLayerTable> table(m_db->layerTableId(), AcDb::kForRead);
        AcDbObjectId id;
        if (table.openStatus() == Acad::eOk)
            table->getAt(name, id);
        return id;
    }

private:
    std::unique_ptr<AcDbDatabase> m_db;
    std::unique_ptr<ScriptSession> m_script;
    std::unique_ptr<EditorSession> m_editor;
};

inline void expectPoint(const AcGePoint3d& got, double x, double y, double z = 0.0)
{
    EXPECT_NEAR(got.x, x, kCoordTolerance);
    EXPECT_NEAR(got.y, y, kCoordTolerance);
    EXPECT_NEAR(got.z, z, kCoordTolerance);
}

inline std::wstring layerNameOf(const AcDbEntity& entity)
{
    ACHAR* name = entity.layer();
    std::wstring out = name != nullptr ? name : L"";
    delete[] name;
    return out;
}

}  // namespace kelvora::test
