// The undo history of one database: steps of recorded object states, and their replay.
#pragma once

#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "database_impl.h"
#include "kelvora/memory_filer.h"

namespace kelvora {

// The state of one object as filed: its class, its erase flag and its data.
struct ObjectState {
    AcRxClass* cls = nullptr;
    bool erased = false;
    std::unique_ptr<MemoryDwgFiler> data;
};

struct UndoRecord {
    enum class Kind { kModified, kCreated };
    Kind kind = Kind::kModified;
    AcDbStub* stub = nullptr;
    ObjectState before;  // kModified: the state when the step first touched the object
    ObjectState after;   // filled when the step is undone, for redo
};

struct UndoStep {
    std::wstring name;
    std::vector<UndoRecord> records;
    std::unordered_set<AcDbStub*> recorded;
    bool headerRecorded = false;
    HeaderVars headerBefore;
    HeaderVars headerAfter;
    bool changedSomething() const { return !records.empty() || headerRecorded; }
};

class UndoManager {
public:
    explicit UndoManager(AcDbDatabase* db) : m_db(db) {}

    void begin(const ACHAR* name, bool group);
    void end(bool group);
    bool isOpen() const { return m_current != nullptr; }
    bool isApplying() const { return m_applying; }

    void recordModified(AcDbObject* obj);
    void recordCreated(AcDbStub* stub);
    void recordHeader(const HeaderVars& before);
    // Whether the open step has a record of the object; forgetting one takes it out of the step (an
    // open for write that was cancelled changed nothing).
    bool isRecorded(const AcDbStub* stub) const;
    void forget(AcDbStub* stub);

    int undo(int steps);
    int redo(int steps);
    int undoCount() const { return static_cast<int>(m_undo.size()); }
    int redoCount() const { return static_cast<int>(m_redo.size()); }
    std::wstring nextUndoName() const { return m_undo.empty() ? std::wstring() : m_undo.back()->name; }
    std::wstring nextRedoName() const { return m_redo.empty() ? std::wstring() : m_redo.back()->name; }
    void clear();

private:
    bool recording() const;
    bool capture(AcDbStub* stub, ObjectState& state);
    bool apply(AcDbStub* stub, ObjectState& state);
    void undoStep(UndoStep& step);
    void redoStep(UndoStep& step);

    AcDbDatabase* m_db;
    std::unique_ptr<UndoStep> m_current;
    int m_commandDepth = 0;
    int m_groupDepth = 0;
    bool m_applying = false;
    std::vector<std::unique_ptr<UndoStep>> m_undo;
    std::vector<std::unique_ptr<UndoStep>> m_redo;
};

}  // namespace kelvora
