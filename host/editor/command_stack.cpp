// The command stack: adding, finding and removing commands by group, global and local name.
#include "command_stack_impl.h"

#include <algorithm>
#include <cwctype>

#include "kelvora/host_class.h"
#include "text_encoding.h"

KELVORA_HOST_NO_CONS_DEFINE_MEMBERS(AcEdCommand, AcRxObject, nullptr)
KELVORA_HOST_NO_CONS_DEFINE_MEMBERS(AcEdCommandIterator, AcRxObject, nullptr)
KELVORA_HOST_NO_CONS_DEFINE_MEMBERS(AcEdCommandStack, AcRxObject, nullptr)

namespace kelvora {

namespace {

void* g_loadingApp = nullptr;

// A command name a user can type: not empty, no blank or control character in it.
bool isTypableName(const ACHAR* name)
{
    if (name == nullptr || *name == L'\0')
        return false;
    for (const ACHAR* c = name; *c != L'\0'; ++c) {
        if (std::iswspace(static_cast<wint_t>(*c)) || std::iswcntrl(static_cast<wint_t>(*c)))
            return false;
    }
    return true;
}

HostCommand* findIn(const CommandGroup& group, std::wstring_view name, bool globalFlag)
{
    for (const auto& command : group.commands) {
        const ACHAR* candidate = globalFlag ? command->globalName() : command->localName();
        if (equalNoCase(candidate, name))
            return command.get();
    }
    return nullptr;
}

// A snapshot of the stack's commands, so that the iterator never walks a changing vector.
class HostCommandIterator final : public AcEdCommandIterator {
public:
    explicit HostCommandIterator(const HostCommandStack& stack)
    {
        for (const auto& group : stack.groups()) {
            for (const auto& command : group->commands)
                m_entries.push_back({group->name, command.get()});
        }
    }

    bool done() const override { return m_index >= m_entries.size(); }
    bool next() override
    {
        if (m_index < m_entries.size())
            ++m_index;
        return !done();
    }
    const AcEdCommand* command() const override { return done() ? nullptr : m_entries[m_index].command; }
    const ACHAR* commandGroup() const override { return done() ? nullptr : m_entries[m_index].group.c_str(); }

private:
    struct Entry {
        std::wstring group;
        const AcEdCommand* command;
    };
    std::vector<Entry> m_entries;
    std::size_t m_index = 0;
};

}  // namespace

CommandGroup* HostCommandStack::findGroup(std::wstring_view name) const
{
    for (const auto& group : m_groups) {
        if (equalNoCase(group->name, name))
            return group.get();
    }
    return nullptr;
}

Acad::ErrorStatus HostCommandStack::addCommand(const ACHAR* cmdGroupName, const ACHAR* cmdGlobalName,
                                               const ACHAR* cmdLocalName, Adesk::Int32 commandFlags,
                                               AcRxFunctionPtr functionAddr, AcEdUIContext* UIContext, int fcode,
                                               HINSTANCE hResourceHandle, AcEdCommand** cmdPtrRet)
{
    if (cmdPtrRet != nullptr)
        *cmdPtrRet = nullptr;
    if (cmdGroupName == nullptr || *cmdGroupName == L'\0' || !isTypableName(cmdGlobalName) ||
        !isTypableName(cmdLocalName) || functionAddr == nullptr)
        return Acad::eInvalidInput;
    CommandGroup* group = findGroup(cmdGroupName);
    if (group != nullptr &&
        (findIn(*group, cmdGlobalName, true) != nullptr || findIn(*group, cmdLocalName, false) != nullptr))
        return Acad::eDuplicateKey;
    if (group == nullptr) {
        auto made = std::make_unique<CommandGroup>();
        made->name = cmdGroupName;
        group = made.get();
        m_groups.insert(m_groups.begin(), std::move(made));
    }
    group->commands.push_back(std::make_unique<HostCommand>(cmdGlobalName, cmdLocalName, commandFlags, functionAddr,
                                                            UIContext, fcode, hResourceHandle, g_loadingApp));
    if (cmdPtrRet != nullptr)
        *cmdPtrRet = group->commands.back().get();
    return Acad::eOk;
}

AcEdCommandIterator* HostCommandStack::iterator()
{
    return new HostCommandIterator(*this);
}

AcEdCommand* HostCommandStack::lookupGlobalCmd(const ACHAR* cmdName)
{
    return lookupCmd(cmdName, true, true, false);
}

AcEdCommand* HostCommandStack::lookupLocalCmd(const ACHAR* cmdName)
{
    return lookupCmd(cmdName, false, true, false);
}

AcEdCommand* HostCommandStack::lookupCmd(const ACHAR* cmdName, bool globalFlag, bool allGroups, bool skipUndef)
{
    if (cmdName == nullptr)
        return nullptr;
    for (const auto& group : m_groups) {
        HostCommand* command = findIn(*group, cmdName, globalFlag);
        if (command != nullptr && !(skipUndef && (command->commandFlags() & ACRX_CMD_UNDEFINED) != 0))
            return command;
        if (!allGroups)
            break;
    }
    return nullptr;
}

AcEdCommand* HostCommandStack::lookupInGroup(const ACHAR* groupName, const ACHAR* cmdName, bool globalFlag) const
{
    if (groupName == nullptr || cmdName == nullptr)
        return nullptr;
    const CommandGroup* group = findGroup(groupName);
    return group != nullptr ? findIn(*group, cmdName, globalFlag) : nullptr;
}

Acad::ErrorStatus HostCommandStack::popGroupToTop(const ACHAR* cmdGroupName)
{
    if (cmdGroupName == nullptr)
        return Acad::eInvalidInput;
    auto it = std::find_if(m_groups.begin(), m_groups.end(),
                           [&](const auto& group) { return equalNoCase(group->name, cmdGroupName); });
    if (it == m_groups.end())
        return Acad::eKeyNotFound;
    std::rotate(m_groups.begin(), it, it + 1);
    return Acad::eOk;
}

Acad::ErrorStatus HostCommandStack::removeCmd(const ACHAR* cmdGroupName, const ACHAR* cmdGlobalName)
{
    if (cmdGroupName == nullptr || cmdGlobalName == nullptr)
        return Acad::eInvalidInput;
    CommandGroup* group = findGroup(cmdGroupName);
    if (group == nullptr)
        return Acad::eKeyNotFound;
    auto it = std::find_if(group->commands.begin(), group->commands.end(),
                           [&](const auto& command) { return equalNoCase(command->globalName(), cmdGlobalName); });
    if (it == group->commands.end())
        return Acad::eKeyNotFound;
    group->commands.erase(it);
    if (group->commands.empty())
        return removeGroup(cmdGroupName);
    return Acad::eOk;
}

Acad::ErrorStatus HostCommandStack::removeGroup(const ACHAR* groupName)
{
    if (groupName == nullptr)
        return Acad::eInvalidInput;
    auto it = std::find_if(m_groups.begin(), m_groups.end(),
                           [&](const auto& group) { return equalNoCase(group->name, groupName); });
    if (it == m_groups.end())
        return Acad::eKeyNotFound;
    m_groups.erase(it);
    return Acad::eOk;
}

int HostCommandStack::removeCommandsOf(void* app)
{
    if (app == nullptr)
        return 0;
    int removed = 0;
    for (auto& group : m_groups) {
        auto& commands = group->commands;
        auto end = std::remove_if(commands.begin(), commands.end(),
                                  [&](const auto& command) { return command->commandApp() == app; });
        removed += static_cast<int>(commands.end() - end);
        commands.erase(end, commands.end());
    }
    std::erase_if(m_groups, [](const auto& group) { return group->commands.empty(); });
    return removed;
}

bool HostCommandStack::contains(const AcEdCommand* command) const
{
    for (const auto& group : m_groups) {
        for (const auto& candidate : group->commands) {
            if (candidate.get() == command)
                return true;
        }
    }
    return false;
}

HostCommandStack& hostCommandStack()
{
    static HostCommandStack stack;
    static bool registered = false;
    if (!registered) {
        registered = true;
        acrxSysRegistry()->atPut(ACRX_COMMAND_DOCK, &stack);
    }
    return stack;
}

void setLoadingApplication(void* app)
{
    g_loadingApp = app;
}

void* loadingApplication()
{
    return g_loadingApp;
}

}  // namespace kelvora
