// The editor session: setting up and taking down the editor around one drawing, and running its commands.
#include "kelvora/editor_session.h"

#include "acapdmgr.h"
#include "dbapserv.h"
#include "drawing_variables.h"
#include "kelvora/clipboard.h"
#include "kelvora/command_loop.h"
#include "kelvora/drawing_display.h"
#include "kelvora/host_commands.h"
#include "kelvora/system_variables.h"
#include "kelvora/view.h"
#include "selection_sets.h"
#include "session_state.h"

namespace kelvora {

namespace {

void resetEditorState()
{
    drawingDisplay().clear();
    resetSelectionSets();
    resetUndoCommandState();
}

}  // namespace

EditorSession::EditorSession(AcDbDatabase& db, SessionDrawing drawing)
    : m_db(db), m_drawing(std::move(drawing)), m_previousWorking(acdbHostApplicationServices()->workingDatabase())
{
    acdbHostApplicationServices()->setWorkingDatabase(&m_db);
    setDocumentFileName(m_drawing.fileName.c_str());
    SystemVariables& variables = systemVariables();
    defineEditorVariables(variables);
    defineDrawingVariables(variables);
    registerHostCommands();
    resetEditorState();
    resetClipboard();
}

EditorSession::~EditorSession()
{
    resetEditorState();
    // The editor's own storage takes LUNITS and LUPREC back from the drawing that goes.
    defineEditorVariables(systemVariables());
    setDocumentFileName(nullptr);
    acdbHostApplicationServices()->setWorkingDatabase(m_previousWorking);
}

AppLoadResult EditorSession::loadModule(const std::string& path)
{
    return loadApplication(path);
}

int EditorSession::loadApplicationsForProxies()
{
    return demandLoadForProxies(&m_db);
}

void EditorSession::showDrawing()
{
    if (m_drawing.readFromFile)
        startViewOnExtents(&m_db);
    else
        startViewOnLimits(&m_db);
}

bool EditorSession::runCommands(CommandLine& line)
{
    HostCommandDispatcher dispatcher;
    return runCommandLoop(line, dispatcher);
}

}  // namespace kelvora
