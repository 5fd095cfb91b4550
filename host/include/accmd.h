// The command stack: the commands of the host and of loaded applications, in named groups, found by global or local name.
#pragma once

#include "AdAChar.h"
#include "acadstrc.h"
#include "kelvora/win32.h"
#include "rxboiler.h"
#include "rxdict.h"

// Command flags (AcEdCommand::commandFlags). The host runs one document and no paper-space
// layout, so most of them are kept for the caller and change nothing; ACRX_CMD_NO_UNDO_MARKER
// runs the command outside any undo step (U, REDO and UNDO themselves).
#define ACRX_CMD_MODAL 0x00000000
#define ACRX_CMD_TRANSPARENT 0x00000001
#define ACRX_CMD_USEPICKSET 0x00000002
#define ACRX_CMD_REDRAW 0x00000004
#define ACRX_CMD_NOPERSPECTIVE 0x00000008
#define ACRX_CMD_NOMULTIPLE 0x00000010
#define ACRX_CMD_NOTILEMODE 0x00000020
#define ACRX_CMD_NOPAPERSPACE 0x00000040
#define ACRX_CMD_PLOTONLY 0x00000080
#define ACRX_CMD_NOOEM 0x00000100
#define ACRX_CMD_UNDEFINED 0x00000200
#define ACRX_CMD_INPROGRESS 0x00000400
#define ACRX_CMD_DEFUN 0x00000800
#define ACRX_CMD_NONEWSTACK 0x00010000
#define ACRX_CMD_NOINTERNALLOCK 0x00020000
#define ACRX_CMD_DOCREADLOCK 0x00080000
#define ACRX_CMD_DOCEXCLUSIVELOCK 0x00100000
#define ACRX_CMD_SESSION 0x00200000
#define ACRX_CMD_INTERRUPTIBLE 0x00400000
#define ACRX_CMD_NOHISTORY 0x00800000
#define ACRX_CMD_NO_UNDO_MARKER 0x01000000
#define ACRX_CMD_NOBEDIT 0x02000000

// The entry of acrxSysRegistry() that holds the command stack.
#define ACRX_COMMAND_DOCK ACRX_T("ACAD_REGISTERED_COMMANDS")

typedef void (*AcRxFunctionPtr)();

// Context menus of a command: a screen's business. The host keeps the pointer it is given.
class AcEdUIContext;

// One registered command. Names keep the case they were registered with; look-ups ignore case.
class AcEdCommand : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcEdCommand);

    virtual AcRxFunctionPtr functionAddr() const = 0;
    virtual void functionAddr(AcRxFunctionPtr function) = 0;
    // The application packet of the application that was being loaded when the command was added
    // (null for the host's own commands).
    virtual void* commandApp() const = 0;
    virtual AcEdUIContext* UIContext() const = 0;
    virtual int functionCode() const = 0;
    virtual void functionCode(int fcode) = 0;
    virtual const ACHAR* globalName() const = 0;
    virtual const ACHAR* localName() const = 0;
    virtual Adesk::Int32 commandFlags() const = 0;
    virtual HINSTANCE resourceHandle() const = 0;

protected:
    AcEdCommand() = default;
};

// Walks every command of every group, groups from the top of the stack, commands in the order
// they were added. The caller deletes it; the stack must not change while it is used.
class AcEdCommandIterator : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcEdCommandIterator);

    virtual bool done() const = 0;
    // Moves on; false when it has passed the last command.
    virtual bool next() = 0;
    virtual const AcEdCommand* command() const = 0;
    virtual const ACHAR* commandGroup() const = 0;

protected:
    AcEdCommandIterator() = default;
};

// The groups form a stack: a new group goes on top, and a look-up searches from the top down, so
// an application's command hides a host command of the same name ("_.NAME" still reaches the
// host's: see kelvora/host_commands.h). Within a group a global name and a local name are each
// unique.
class AcEdCommandStack : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcEdCommandStack);

    // eInvalidInput for a missing or empty group or name, a name with blanks, or no function;
    // eDuplicateKey when the group already has that global or local name. The command belongs to
    // the stack; cmdPtrRet (may be null) receives it.
    virtual Acad::ErrorStatus addCommand(const ACHAR* cmdGroupName, const ACHAR* cmdGlobalName,
                                         const ACHAR* cmdLocalName, Adesk::Int32 commandFlags,
                                         AcRxFunctionPtr functionAddr, AcEdUIContext* UIContext = nullptr,
                                         int fcode = -1, HINSTANCE hResourceHandle = nullptr,
                                         AcEdCommand** cmdPtrRet = nullptr) = 0;

    virtual AcEdCommandIterator* iterator() = 0;

    // The command of that name in the highest group that has it; null when none.
    virtual AcEdCommand* lookupGlobalCmd(const ACHAR* cmdName) = 0;
    virtual AcEdCommand* lookupLocalCmd(const ACHAR* cmdName) = 0;
    virtual AcEdCommand* lookupCmd(const ACHAR* cmdName, bool globalFlag, bool allGroups = true,
                                   bool skipUndef = false) = 0;

    // eKeyNotFound when there is no such group (or command).
    virtual Acad::ErrorStatus popGroupToTop(const ACHAR* cmdGroupName) = 0;
    virtual Acad::ErrorStatus removeCmd(const ACHAR* cmdGroupName, const ACHAR* cmdGlobalName) = 0;
    virtual Acad::ErrorStatus removeGroup(const ACHAR* groupName) = 0;

protected:
    AcEdCommandStack() = default;
};

// The command stack of the host (null before the host's editor has started).
#define acedRegCmds AcEdCommandStack::cast(acrxSysRegistry()->at(ACRX_COMMAND_DOCK))
