// Message boxes: caption and text to the transcript, the button from "@box BUTTON" or the default one.
#include <optional>
#include <string>
#include <vector>

#include "acedads.h"
#include "afxwin.h"
#include "kelvora/command_line.h"
#include "kelvora/script_syntax.h"
#include "text_encoding.h"

namespace {

struct Button {
    int id;
    const wchar_t* name;
};

// The caption of a box that gives none.
constexpr std::wstring_view kHostCaption = L"Kelvora";

std::vector<Button> buttonsFor(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{IDOK, L"OK"}, {IDCANCEL, L"Cancel"}};
    case MB_ABORTRETRYIGNORE: return {{IDABORT, L"Abort"}, {IDRETRY, L"Retry"}, {IDIGNORE, L"Ignore"}};
    case MB_YESNOCANCEL: return {{IDYES, L"Yes"}, {IDNO, L"No"}, {IDCANCEL, L"Cancel"}};
    case MB_YESNO: return {{IDYES, L"Yes"}, {IDNO, L"No"}};
    case MB_RETRYCANCEL: return {{IDRETRY, L"Retry"}, {IDCANCEL, L"Cancel"}};
    case MB_CANCELTRYCONTINUE: return {{IDCANCEL, L"Cancel"}, {IDTRYAGAIN, L"Try Again"}, {IDCONTINUE, L"Continue"}};
    default: return {{IDOK, L"OK"}};
    }
}

bool sameButtonName(std::wstring_view given, std::wstring_view name)
{
    if (kelvora::equalNoCase(given, name))
        return true;
    std::wstring compact;  // "TryAgain" for "Try Again"
    for (wchar_t ch : name) {
        if (ch != L' ')
            compact += ch;
    }
    return kelvora::equalNoCase(given, compact);
}

// "@box NAME": the name, or nothing for another line.
std::optional<std::wstring> boxAnswer(const std::string& line)
{
    std::wstring wide = kelvora::wideFromUtf8(line);
    std::wstring_view text = wide;
    if (text.size() < 4 || !kelvora::equalNoCase(text.substr(0, 4), L"@box"))
        return std::nullopt;
    if (text.size() > 4 && text[4] != L' ' && text[4] != L'\t')
        return std::nullopt;
    return std::wstring(kelvora::trimBlanks(text.substr(4)));
}

std::string terminalPrompt(const std::vector<Button>& buttons, std::size_t chosen)
{
    std::wstring prompt = L" ";
    for (std::size_t i = 0; i < buttons.size(); ++i)
        prompt += (i == chosen ? L"<" : L"[") + std::wstring(buttons[i].name) + (i == chosen ? L"> " : L"] ");
    return kelvora::utf8FromWide(prompt + L"@box ");
}

}  // namespace

int MessageBoxW(HWND, LPCWSTR text, LPCWSTR caption, UINT type)
{
    kelvora::CommandLine* line = kelvora::CommandLine::current();
    kelvora::Transcript& transcript = kelvora::currentTranscript();
    std::wstring_view shownCaption = caption != nullptr && caption[0] != 0 ? std::wstring_view(caption) : kHostCaption;
    transcript.write(L"\n[" + std::wstring(shownCaption) + L"] " + std::wstring(text != nullptr ? text : L""));

    std::vector<Button> buttons = buttonsFor(type);
    std::size_t chosen = ((type & MB_DEFMASK) >> 8) < buttons.size() ? ((type & MB_DEFMASK) >> 8) : 0;
    if (line != nullptr && !line->stopped()) {
        const std::string* next = line->peek(terminalPrompt(buttons, chosen));
        if (next != nullptr) {
            if (auto answer = boxAnswer(*next)) {
                line->take(false);
                std::size_t found = buttons.size();
                for (std::size_t i = 0; i < buttons.size(); ++i) {
                    if (sameButtonName(*answer, buttons[i].name)) {
                        found = i;
                        break;
                    }
                }
                if (found < buttons.size())
                    chosen = found;
                else
                    line->scriptWarning("the message box has no button \"" + kelvora::utf8FromWide(*answer) +
                                        "\": it takes its default button");
            } else if (line->interactive() && next->empty()) {
                line->take(false);  // Enter at a terminal: the default button
            }
        }
    }
    transcript.write(L"[" + std::wstring(buttons[chosen].name) + L"]");
    return buttons[chosen].id;
}

int AfxMessageBox(LPCTSTR text, UINT type, UINT)
{
    return MessageBoxW(nullptr, text, nullptr, type);
}

int acedAlert(const ACHAR* text)
{
    if (text == nullptr)
        return RTERROR;
    MessageBoxW(nullptr, text, nullptr, MB_OK);
    return RTNORM;
}
