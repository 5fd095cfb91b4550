// The undo group of a command. The host records every change a command makes as one undo step, so
// the scope only has to find the working database's document; there is no automation layer to call.
#include "dbhelpers/undo_group.h"

#include "acapdmgr.h"
#include "dbapserv.h"

CAcadUndoGroup::CAcadUndoGroup()
{
    AcDbHostApplicationServices* services = acdbHostApplicationServices();
    AcDbDatabase* db = services != nullptr ? services->workingDatabase() : nullptr;
    if (db == nullptr || acDocManager == nullptr)
        return;
    m_document = acDocManager->document(db);
}

CAcadUndoGroup::~CAcadUndoGroup() { m_document = nullptr; }
