// CAcadUndoGroup: a scope that makes everything a command does one undo step.
#pragma once

#include "dbhelpers/uncopyable.h"

class AcDbDatabase;

class CAcadUndoGroup : private Uncopyable {
public:
    CAcadUndoGroup();
    virtual ~CAcadUndoGroup();

    // True when the scope opened an undo group (it ends with the scope).
    bool isOpen() const { return m_database != nullptr; }

private:
    // The drawing of the document whose undo group this scope opened; null when it opened none.
    // The drawing rather than the document object: the host may make a new document object for
    // the same drawing while the scope lives.
    AcDbDatabase* m_database = nullptr;
};
