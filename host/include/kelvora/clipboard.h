// The host's clipboard: the text the module puts there, and the program's copy of it in a file.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kelvora {

// The clipboard's text, or nothing while it holds none.
std::optional<std::wstring> clipboardText();

// Puts a text on the clipboard, as SetClipboardData(CF_UNICODETEXT) does.
void setClipboardText(std::wstring_view text);

// Called with the new text each time the clipboard is set (the program writes its
// --clipboard file from here). One listener; an empty function removes it.
void setClipboardListener(std::function<void(const std::wstring&)> listener);

// Empties the clipboard and closes it if it was left open (between two runs in one process).
void resetClipboard();

// Writes the clipboard's text to `path` in UTF-8, atomically (a file beside it renamed over
// it), as the program's --clipboard file. False and a message ("PATH: error: cannot write:
// REASON") when it cannot be written; the old file is then left as it was.
bool writeClipboardFile(const std::string& path, std::wstring_view text, std::string& error);

}  // namespace kelvora
