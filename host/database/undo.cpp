// Undo and redo: step records of object states filed through their own dwgOutFields, replayed through dwgInFields.
#include "kelvora/undo.h"

#include "dbapserv.h"
#include "kelvora/diagnostics.h"
#include "kelvora/wide_text.h"
#include "object_access.h"
#include "undo_manager.h"

namespace kelvora {

namespace {

UndoManager* managerOf(AcDbDatabase* db)
{
    if (db == nullptr)
        db = acdbHostApplicationServices()->workingDatabase();
    DatabaseImpl* impl = databaseImpl(db);
    return impl != nullptr ? impl->undo.get() : nullptr;
}

// Files a closed object in or out: write access for the time of the call, isUndoing() true.
class UndoAccess {
public:
    explicit UndoAccess(AcDbObject* obj) : m_obj(obj), m_granted(!ObjectAccess::isOpen(obj))
    {
        if (m_granted)
            ObjectAccess::beginUndoAccess(obj);
    }
    ~UndoAccess()
    {
        if (m_granted)
            ObjectAccess::endUndoAccess(m_obj);
    }
    UndoAccess(const UndoAccess&) = delete;
    UndoAccess& operator=(const UndoAccess&) = delete;

private:
    AcDbObject* m_obj;
    bool m_granted;
};

std::string describe(const AcDbStub* stub)
{
    wchar_t hex[20] = L"0";
    stub->handle.getIntoAsciiBuffer(hex, 20);
    return toUtf8(hex);
}

}  // namespace

// ----- UndoManager --------------------------------------------------------------------------------

void UndoManager::begin(const ACHAR* name, bool group)
{
    if (m_current == nullptr) {
        m_current = std::make_unique<UndoStep>();
        if (name != nullptr)
            m_current->name = name;
    } else if (m_current->name.empty() && name != nullptr) {
        m_current->name = name;
    }
    if (group)
        ++m_groupDepth;
    else
        ++m_commandDepth;
}

void UndoManager::end(bool group)
{
    int& depth = group ? m_groupDepth : m_commandDepth;
    if (depth == 0) {
        reportMisuse(group ? "endUndoGroup without beginUndoGroup" : "endCommandUndo without beginCommandUndo");
        return;
    }
    --depth;
    if (m_groupDepth > 0 || m_commandDepth > 0 || m_current == nullptr)
        return;
    std::unique_ptr<UndoStep> step = std::move(m_current);
    if (step->changedSomething())
        m_redo.clear();
    if (step->headerRecorded)
        step->headerAfter = databaseImpl(m_db)->header;
    m_undo.push_back(std::move(step));
}

bool UndoManager::recording() const
{
    return m_current != nullptr && !m_applying && !databaseImpl(m_db)->undoDisabled;
}

bool UndoManager::capture(AcDbStub* stub, ObjectState& state)
{
    AcDbObject* obj = stub->object;
    if (obj == nullptr)
        return false;
    state.cls = obj->isA();
    state.erased = stub->erased;
    state.data = std::make_unique<MemoryDwgFiler>(AcDb::kUndoFiler, m_db);
    UndoAccess access(obj);
    return obj->dwgOut(state.data.get()) == Acad::eOk;
}

void UndoManager::recordModified(AcDbObject* obj)
{
    if (!recording())
        return;
    AcDbStub* stub = ObjectAccess::stub(obj);
    if (stub == nullptr || stub->object != obj || m_current->recorded.count(stub) != 0)
        return;
    m_current->recorded.insert(stub);
    UndoRecord record;
    record.kind = UndoRecord::Kind::kModified;
    record.stub = stub;
    if (!capture(stub, record.before)) {
        reportMisuse(("the state of object " + describe(stub) + " could not be recorded for undo").c_str());
        return;
    }
    m_current->records.push_back(std::move(record));
}

void UndoManager::recordCreated(AcDbStub* stub)
{
    if (!recording() || m_current->recorded.count(stub) != 0)
        return;
    m_current->recorded.insert(stub);
    UndoRecord record;
    record.kind = UndoRecord::Kind::kCreated;
    record.stub = stub;
    m_current->records.push_back(std::move(record));
}

void UndoManager::recordHeader(const HeaderVars& before)
{
    if (!recording() || m_current->headerRecorded)
        return;
    m_current->headerRecorded = true;
    m_current->headerBefore = before;
}

bool UndoManager::isRecorded(const AcDbStub* stub) const
{
    return m_current != nullptr && m_current->recorded.count(const_cast<AcDbStub*>(stub)) != 0;
}

void UndoManager::forget(AcDbStub* stub)
{
    if (m_current == nullptr || m_current->recorded.erase(stub) == 0)
        return;
    auto& records = m_current->records;
    for (auto it = records.begin(); it != records.end(); ++it) {
        if (it->stub == stub) {
            records.erase(it);
            return;
        }
    }
}

bool UndoManager::apply(AcDbStub* stub, ObjectState& state)
{
    AcDbObject* obj = stub->object;
    if (obj == nullptr || state.data == nullptr)
        return false;
    if (ObjectAccess::isOpen(obj)) {
        reportMisuse(("undo or redo found object " + describe(stub) + " open; it is left as it is").c_str());
        return false;
    }
    if (state.cls != obj->isA()) {
        // The object changed class (handOverTo): rebuild one of the recorded class.
        AcDbObject* fresh = AcDbObject::cast(state.cls != nullptr ? state.cls->create() : nullptr);
        if (fresh == nullptr) {
            reportMisuse(("undo cannot rebuild object " + describe(stub) + ": its class cannot be created").c_str());
            return false;
        }
        ObjectAccess::unbind(obj);
        ObjectAccess::bind(fresh, stub);
        delete obj;
        obj = fresh;
    }
    state.data->rewind();
    {
        UndoAccess access(obj);
        if (obj->dwgIn(state.data.get()) != Acad::eOk)
            reportMisuse(("undo could not read back object " + describe(stub)).c_str());
    }
    stub->erased = state.erased;
    databaseImpl(m_db)->noteChanged(stub);
    return true;
}

void UndoManager::undoStep(UndoStep& step)
{
    for (auto it = step.records.rbegin(); it != step.records.rend(); ++it) {
        UndoRecord& r = *it;
        r.after = ObjectState();
        if (!capture(r.stub, r.after))
            continue;
        if (r.kind == UndoRecord::Kind::kCreated) {
            r.stub->erased = true;
            databaseImpl(m_db)->noteChanged(r.stub);
        } else {
            apply(r.stub, r.before);
        }
    }
    if (step.headerRecorded) {
        step.headerAfter = databaseImpl(m_db)->header;
        databaseImpl(m_db)->header = step.headerBefore;
    }
}

void UndoManager::redoStep(UndoStep& step)
{
    for (UndoRecord& r : step.records)
        apply(r.stub, r.after);
    if (step.headerRecorded)
        databaseImpl(m_db)->header = step.headerAfter;
}

int UndoManager::undo(int steps)
{
    if (m_current != nullptr) {
        reportMisuse("undo while an undo step is open");
        return 0;
    }
    int done = 0;
    m_applying = true;
    while (done < steps && !m_undo.empty()) {
        std::unique_ptr<UndoStep> step = std::move(m_undo.back());
        m_undo.pop_back();
        undoStep(*step);
        m_redo.push_back(std::move(step));
        ++done;
    }
    m_applying = false;
    return done;
}

int UndoManager::redo(int steps)
{
    if (m_current != nullptr) {
        reportMisuse("redo while an undo step is open");
        return 0;
    }
    int done = 0;
    m_applying = true;
    while (done < steps && !m_redo.empty()) {
        std::unique_ptr<UndoStep> step = std::move(m_redo.back());
        m_redo.pop_back();
        redoStep(*step);
        m_undo.push_back(std::move(step));
        ++done;
    }
    m_applying = false;
    return done;
}

void UndoManager::clear()
{
    m_undo.clear();
    m_redo.clear();
}

// ----- Public API ---------------------------------------------------------------------------------

void beginCommandUndo(const ACHAR* commandName, AcDbDatabase* db)
{
    if (UndoManager* m = managerOf(db))
        m->begin(commandName, false);
}

void endCommandUndo(AcDbDatabase* db)
{
    if (UndoManager* m = managerOf(db))
        m->end(false);
}

void beginUndoGroup(AcDbDatabase* db)
{
    if (UndoManager* m = managerOf(db))
        m->begin(nullptr, true);
}

void endUndoGroup(AcDbDatabase* db)
{
    if (UndoManager* m = managerOf(db))
        m->end(true);
}

bool isUndoStepOpen(AcDbDatabase* db)
{
    UndoManager* m = managerOf(db);
    return m != nullptr && m->isOpen();
}

int undo(int steps, AcDbDatabase* db)
{
    UndoManager* m = managerOf(db);
    return (m != nullptr && steps > 0) ? m->undo(steps) : 0;
}

int redo(int steps, AcDbDatabase* db)
{
    UndoManager* m = managerOf(db);
    return (m != nullptr && steps > 0) ? m->redo(steps) : 0;
}

int undoStepCount(AcDbDatabase* db)
{
    UndoManager* m = managerOf(db);
    return m != nullptr ? m->undoCount() : 0;
}

int redoStepCount(AcDbDatabase* db)
{
    UndoManager* m = managerOf(db);
    return m != nullptr ? m->redoCount() : 0;
}

std::wstring nextUndoStepName(AcDbDatabase* db)
{
    UndoManager* m = managerOf(db);
    return m != nullptr ? m->nextUndoName() : std::wstring();
}

std::wstring nextRedoStepName(AcDbDatabase* db)
{
    UndoManager* m = managerOf(db);
    return m != nullptr ? m->nextRedoName() : std::wstring();
}

void clearUndoHistory(AcDbDatabase* db)
{
    if (UndoManager* m = managerOf(db))
        m->clear();
}

UndoGroupScope::UndoGroupScope(AcDbDatabase* db)
    : m_db(db != nullptr ? db : acdbHostApplicationServices()->workingDatabase())
{
    beginUndoGroup(m_db);
}

UndoGroupScope::~UndoGroupScope()
{
    endUndoGroup(m_db);
}

}  // namespace kelvora
