// CAcadUndoGroup: a scope that makes everything a command does one undo step.
#pragma once

#include "dbhelpers/uncopyable.h"

class AcApDocument;

class CAcadUndoGroup : private Uncopyable {
public:
    CAcadUndoGroup();
    virtual ~CAcadUndoGroup();

    // True when the scope found a document to group the changes of.
    bool isOpen() const { return m_document != nullptr; }

private:
    AcApDocument* m_document = nullptr;
};
