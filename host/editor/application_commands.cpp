// The application commands APPLOAD and ARX (load, unload, list).
#include <memory>
#include <string>

#include "accmd.h"
#include "acedads.h"
#include "acutads.h"
#include "kelvora/applications.h"
#include "kelvora/command_line.h"
#include "kelvora/host_commands.h"
#include "kelvora/script_syntax.h"
#include "text_encoding.h"

namespace kelvora {

namespace {

constexpr std::size_t kAnswerSize = 4096;

// The answer as typed, or nothing on Enter or cancel.
std::optional<std::wstring> askApplication(const ACHAR* prompt)
{
    ACHAR answer[kAnswerSize] = L"";
    if (acedGetString(1, prompt, answer) != RTNORM)
        return std::nullopt;
    std::wstring name(trimBlanks(answer));
    if (name.empty())
        return std::nullopt;
    return name;
}

// Messages name the application as the user typed it, never by a path of the machine; the
// loader's own reason goes to standard error.
void loadNamed(const std::wstring& typed)
{
    AppLoadResult result = loadApplication(applicationPathFromAnswer(typed));
    switch (result.status) {
    case AppLoadStatus::kLoaded:
        acutPrintf(L"\n%s successfully loaded.", typed.c_str());
        return;
    case AppLoadStatus::kAlreadyLoaded:
        acutPrintf(L"\n%s is already loaded.", typed.c_str());
        return;
    default:
        acutPrintf(L"\n%s could not be loaded.", typed.c_str());
        if (CommandLine* line = CommandLine::current())
            line->scriptWarning(result.detail);
        return;
    }
}

void unloadNamed(const std::wstring& typed)
{
    switch (unloadApplication(typed)) {
    case AppUnloadStatus::kUnloaded:
        acutPrintf(L"\n%s successfully unloaded.", typed.c_str());
        return;
    case AppUnloadStatus::kKeptMapped:
        acutPrintf(L"\n%s unloaded; objects it held open stay with its code.", typed.c_str());
        return;
    case AppUnloadStatus::kBusy:
        acutPrintf(L"\n%s is running and cannot be unloaded.", typed.c_str());
        return;
    case AppUnloadStatus::kNotLoaded:
        acutPrintf(L"\n%s is not loaded.", typed.c_str());
        return;
    }
}

void listApplications()
{
    for (const LoadedApplicationInfo& app : loadedApplications())
        acutPrintf(L"\n%s", app.fileName.c_str());
}

void listCommands()
{
    std::unique_ptr<AcEdCommandIterator> it(acedRegCmds->iterator());
    std::wstring group;
    for (; it != nullptr && !it->done(); it->next()) {
        if (group != it->commandGroup()) {
            group = it->commandGroup();
            acutPrintf(L"\n%s:", group.c_str());
        }
        acutPrintf(L"\n  %s (%s)", it->command()->localName(), it->command()->globalName());
    }
}

void apploadCommand()
{
    if (auto name = askApplication(L"\nEnter the application to load: "))
        loadNamed(*name);
}

void arxCommand()
{
    ACHAR answer[kAnswerSize] = L"";
    if (acedGetString(0, L"\nEnter an option [?/Load/Unload/Commands/Options]: ", answer) != RTNORM)
        return;
    std::wstring_view text = trimBlanks(answer);
    if (text == L"?") {
        listApplications();
        return;
    }
    const KeywordList options = KeywordList::parse(L"Load Unload Commands Options");
    const Keyword* option = options.match(text);
    if (option == nullptr) {
        if (!text.empty())
            acutPrintf(L"\nInvalid option keyword.");
        return;
    }
    if (option->global == L"Load") {
        if (auto name = askApplication(L"\nEnter ARX/DBX file name to load: "))
            loadNamed(*name);
    } else if (option->global == L"Unload") {
        if (auto name = askApplication(L"\nEnter ARX/DBX file name to unload: "))
            unloadNamed(*name);
    } else if (option->global == L"Commands") {
        listCommands();
    } else {
        ACHAR ignored[kAnswerSize] = L"";
        acedGetString(0, L"\nEnter options [Group/CLasses/Services]: ", ignored);
    }
}

}  // namespace

}  // namespace kelvora

KELVORA_HOST_COMMAND(APPLOAD, kelvora::apploadCommand);
KELVORA_HOST_COMMAND(ARX, kelvora::arxCommand);
