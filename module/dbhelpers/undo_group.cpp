// The undo group of a command: the host's undo group (its StartUndoMark and EndUndoMark) on the
// document of the working database, so that one undo takes back everything done in the scope.
#include "dbhelpers/undo_group.h"

#include "acapdmgr.h"
#include "dbapserv.h"
#include "kelvora/undo.h"

CAcadUndoGroup::CAcadUndoGroup()
{
    AcDbHostApplicationServices* services = acdbHostApplicationServices();
    AcDbDatabase* db = services != nullptr ? services->workingDatabase() : nullptr;
    if (db == nullptr || acDocManager == nullptr)
        return;
    AcApDocument* document = acDocManager->document(db);
    if (document == nullptr || document->database() == nullptr)
        return;
    // Groups nest in the host's undo: inside a command, already one step, this changes nothing;
    // outside one (a command run by another module, several commands of a script) it makes the step.
    m_database = document->database();
    kelvora::beginUndoGroup(m_database);
}

CAcadUndoGroup::~CAcadUndoGroup()
{
    if (m_database == nullptr)
        return;
    kelvora::endUndoGroup(m_database);
    m_database = nullptr;
}
