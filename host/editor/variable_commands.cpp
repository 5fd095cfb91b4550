// The system variable commands SETVAR and GETVAR.
#include <string>

#include "acedads.h"
#include "acutads.h"
#include "kelvora/host_commands.h"
#include "kelvora/script_syntax.h"
#include "kelvora/system_variables.h"
#include "text_encoding.h"
#include "variable_text.h"

namespace kelvora {

namespace {

constexpr std::size_t kAnswerSize = 1024;

// The variable name asked with `prompt`; nothing on Enter or cancel.
std::optional<std::wstring> askName(const ACHAR* prompt)
{
    ACHAR answer[kAnswerSize] = L"";
    if (acedGetString(0, prompt, answer) != RTNORM)
        return std::nullopt;
    std::wstring name = toUpper(trimBlanks(answer));
    if (name.empty())
        return std::nullopt;
    return name;
}

void listVariables()
{
    SystemVariables& variables = systemVariables();
    for (const std::wstring& name : variables.names()) {
        SysVarValue value;
        if (variables.get(name, value) == SysVarStatus::Ok)
            acutPrintf(L"\n%s = %s", name.c_str(), variableText(value).c_str());
    }
}

void setvarCommand()
{
    std::optional<std::wstring> name = askName(L"\nEnter variable name or [?]: ");
    if (!name)
        return;
    if (*name == L"?") {
        listVariables();
        return;
    }
    SystemVariables& variables = systemVariables();
    SysVarValue current;
    if (variables.get(*name, current) != SysVarStatus::Ok) {
        acutPrintf(L"\nUnknown variable name.  Type SETVAR ? for a list of variables.");
        return;
    }
    std::wstring prompt = L"\nEnter new value for " + *name + L" <" + variableText(current) + L">: ";
    ACHAR answer[kAnswerSize] = L"";
    if (acedGetString(1, prompt.c_str(), answer) != RTNORM)
        return;
    std::wstring_view text = trimBlanks(answer);
    if (text.empty())
        return;
    switch (variables.setFromText(*name, text)) {
    case SysVarStatus::Ok:
    case SysVarStatus::Unknown:
        break;
    case SysVarStatus::ReadOnly:
        acutPrintf(L"\n%s is read-only.", name->c_str());
        break;
    case SysVarStatus::WrongType:
        acutPrintf(L"\nInvalid value for %s.", name->c_str());
        break;
    case SysVarStatus::OutOfRange:
        acutPrintf(L"\nValue not accepted for %s.", name->c_str());
        break;
    }
}

void getvarCommand()
{
    std::optional<std::wstring> name = askName(L"\nEnter variable name: ");
    if (!name)
        return;
    SysVarValue value;
    if (systemVariables().get(*name, value) != SysVarStatus::Ok) {
        acutPrintf(L"\nUnknown variable name.");
        return;
    }
    acutPrintf(L"\n%s = %s", name->c_str(), variableText(value).c_str());
}

}  // namespace

}  // namespace kelvora

KELVORA_HOST_COMMAND(SETVAR, kelvora::setvarCommand);
KELVORA_HOST_COMMAND(GETVAR, kelvora::getvarCommand);
