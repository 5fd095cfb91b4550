// Undo and redo of a drawing: one step per command, explicit groups, and the step records kept by each database.
#pragma once

#include <string>

#include "AdAChar.h"

class AcDbDatabase;

// How it works. While a step is open, the first open-for-write of an object (or its first
// assertWriteEnabled, or its erasure) records the object's state through its own dwgOutFields into
// a memory filer (kUndoFiler); a new object added to the database is recorded as created; a change of
// a header variable records the header once. undo() restores each recorded object through its own
// dwgInFields (custom classes included: a state of another class, after handOverTo, is rebuilt
// through that class's pseudo-constructor), marks created objects erased, and keeps the state it
// replaced so that redo() can put it back. Objects must be closed when undo or redo runs (an open
// object is reported and left alone).
//
// Steps nest: beginCommandUndo and beginUndoGroup both open the step when none is open and only count
// otherwise; the step ends when the last one is closed. So a command is one step, and an undo group
// inside a command changes nothing; a group around several commands makes them one step.
// Changes made while no step is open (a drawing being read, tests) are not recorded.
// Ending a step that recorded changes clears the redo list; a step that changed nothing is kept
// (undoing it changes nothing), as the commercial host does for commands such as LIST.
namespace kelvora {

// The database is the working database when null.
void beginCommandUndo(const ACHAR* commandName, AcDbDatabase* db = nullptr);
void endCommandUndo(AcDbDatabase* db = nullptr);
void beginUndoGroup(AcDbDatabase* db = nullptr);
void endUndoGroup(AcDbDatabase* db = nullptr);
// True while a step is open.
bool isUndoStepOpen(AcDbDatabase* db = nullptr);

// Undo the last `steps` steps (redo the next `steps`). Answers how many were done: fewer when the
// list runs out; 0, with a misuse report, when called while a step is open.
int undo(int steps = 1, AcDbDatabase* db = nullptr);
int redo(int steps = 1, AcDbDatabase* db = nullptr);

int undoStepCount(AcDbDatabase* db = nullptr);
int redoStepCount(AcDbDatabase* db = nullptr);
// The name of the step that undo() (redo()) would take back next ("" for a group without a command,
// or when there is none).
std::wstring nextUndoStepName(AcDbDatabase* db = nullptr);
std::wstring nextRedoStepName(AcDbDatabase* db = nullptr);
// Forgets every step (a drawing newly read or saved as a template).
void clearUndoHistory(AcDbDatabase* db = nullptr);

// Scope form of beginUndoGroup/endUndoGroup.
class UndoGroupScope {
public:
    explicit UndoGroupScope(AcDbDatabase* db = nullptr);
    ~UndoGroupScope();
    UndoGroupScope(const UndoGroupScope&) = delete;
    UndoGroupScope& operator=(const UndoGroupScope&) = delete;

private:
    AcDbDatabase* m_db;
};

}  // namespace kelvora
