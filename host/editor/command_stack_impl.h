// The host's command stack: groups of commands behind AcEdCommandStack, and the application whose commands are being added.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "accmd.h"

namespace kelvora {

class HostCommand final : public AcEdCommand {
public:
    HostCommand(std::wstring global, std::wstring local, Adesk::Int32 flags, AcRxFunctionPtr function,
                AcEdUIContext* context, int fcode, HINSTANCE resources, void* app)
        : m_global(std::move(global)), m_local(std::move(local)), m_flags(flags), m_function(function),
          m_context(context), m_fcode(fcode), m_resources(resources), m_app(app)
    {
    }

    AcRxFunctionPtr functionAddr() const override { return m_function; }
    void functionAddr(AcRxFunctionPtr function) override { m_function = function; }
    void* commandApp() const override { return m_app; }
    AcEdUIContext* UIContext() const override { return m_context; }
    int functionCode() const override { return m_fcode; }
    void functionCode(int fcode) override { m_fcode = fcode; }
    const ACHAR* globalName() const override { return m_global.c_str(); }
    const ACHAR* localName() const override { return m_local.c_str(); }
    Adesk::Int32 commandFlags() const override { return m_flags; }
    HINSTANCE resourceHandle() const override { return m_resources; }

private:
    std::wstring m_global;
    std::wstring m_local;
    Adesk::Int32 m_flags;
    AcRxFunctionPtr m_function;
    AcEdUIContext* m_context;
    int m_fcode;
    HINSTANCE m_resources;
    void* m_app;
};

struct CommandGroup {
    std::wstring name;
    std::vector<std::unique_ptr<HostCommand>> commands;  // in the order they were added
};

class HostCommandStack final : public AcEdCommandStack {
public:
    Acad::ErrorStatus addCommand(const ACHAR* cmdGroupName, const ACHAR* cmdGlobalName, const ACHAR* cmdLocalName,
                                 Adesk::Int32 commandFlags, AcRxFunctionPtr functionAddr, AcEdUIContext* UIContext,
                                 int fcode, HINSTANCE hResourceHandle, AcEdCommand** cmdPtrRet) override;
    AcEdCommandIterator* iterator() override;
    AcEdCommand* lookupGlobalCmd(const ACHAR* cmdName) override;
    AcEdCommand* lookupLocalCmd(const ACHAR* cmdName) override;
    AcEdCommand* lookupCmd(const ACHAR* cmdName, bool globalFlag, bool allGroups, bool skipUndef) override;
    Acad::ErrorStatus popGroupToTop(const ACHAR* cmdGroupName) override;
    Acad::ErrorStatus removeCmd(const ACHAR* cmdGroupName, const ACHAR* cmdGlobalName) override;
    Acad::ErrorStatus removeGroup(const ACHAR* groupName) override;

    // The command of that name in one group only; null when none.
    AcEdCommand* lookupInGroup(const ACHAR* groupName, const ACHAR* cmdName, bool globalFlag) const;
    // Removes every command an application added (after its unload message); how many were left.
    int removeCommandsOf(void* app);
    // True while the command is registered (a command may remove itself or its group while it runs).
    bool contains(const AcEdCommand* command) const;

    // Groups, the top of the stack first.
    const std::vector<std::unique_ptr<CommandGroup>>& groups() const { return m_groups; }

private:
    CommandGroup* findGroup(std::wstring_view name) const;
    std::vector<std::unique_ptr<CommandGroup>> m_groups;  // index 0 is the top
};

// The stack, made and put in acrxSysRegistry() under ACRX_COMMAND_DOCK on first use.
HostCommandStack& hostCommandStack();

// The packet of the application whose acrxEntryPoint is running (commands added meanwhile are its).
void setLoadingApplication(void* app);
void* loadingApplication();

}  // namespace kelvora
