// The editor around one drawing: working database, system variables, host commands, view and display, and the command loop.
#pragma once

#include <string>

#include "kelvora/applications.h"
#include "kelvora/command_line.h"

class AcDbDatabase;

namespace kelvora {

struct SessionDrawing {
    bool readFromFile = false;  // shown zoomed to its extents; a new drawing shows its limits
    std::wstring fileName;      // as named on the command line (DWGNAME shows its last part)
};

// Making a session makes `db` the working database, sets the system variables back to their
// defaults (CMDECHO 1, PICKBOX 3, LASTPOINT 0,0,0) with the drawing's variables read from `db`'s
// header, registers the host's commands and empties the selection sets, the display and the
// clipboard. Destroying it undoes that; the database outlives the session (destroy the session,
// then the database, then unload the applications: their objects' code must outlive them).
//
//   EditorSession session(*db, {true, L"plan.dxf"});
//   session.loadModule(defaultModulePath());   // and/or loadApplicationsForProxies()
//   session.showDrawing();
//   bool ranToEnd = session.runCommands(line);
class EditorSession {
public:
    EditorSession(AcDbDatabase& db, SessionDrawing drawing);
    ~EditorSession();
    EditorSession(const EditorSession&) = delete;
    EditorSession& operator=(const EditorSession&) = delete;

    AcDbDatabase& database() { return m_db; }

    // Loads an application; its proxies in the drawing become its objects.
    AppLoadResult loadModule(const std::string& path);
    // Loads the applications whose registry records ask for loading on proxy detection.
    int loadApplicationsForProxies();

    // The starting view and the first display of every entity (after the applications are
    // loaded, so that their entities draw themselves).
    void showDrawing();

    // Reads and runs commands until the input ends; true when a script ran to its end.
    bool runCommands(CommandLine& line);

private:
    AcDbDatabase& m_db;
    SessionDrawing m_drawing;
    AcDbDatabase* m_previousWorking;
};

}  // namespace kelvora
