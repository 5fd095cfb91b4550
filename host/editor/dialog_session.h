// Running a modal dialog from the script: the "@" lines that set controls, click buttons, close it.
#pragma once

#include <string>
#include <string_view>

#include "afxwin.h"
#include "kelvora/command_line.h"
#include "window.h"

namespace kelvora {

// Runs an open dialog until it ends: OnInitDialog, "\n<TITLE>", the "@" lines that follow in
// the input, "\n</TITLE OK>" or "\n</TITLE Cancel>". The result of EndDialog.
INT_PTR runModal(CDialog& dialog, KelvoraWindow& window);

// Carries out one "@" line on a dialog (the line as read, "@" included). Faults of the line
// are script errors reported through `line`.
void runDialogLine(KelvoraWindow& dialog, std::string_view text, CommandLine& line);

// The control a script names: an id, a caption with or without its "&", or the name of a
// control without caption; a label stands for the control it labels. Null when none.
KelvoraWindow* resolveControl(KelvoraWindow& dialog, std::wstring_view address);

// The dialog's controls and their values as text, for a terminal.
std::wstring describeDialog(const KelvoraWindow& dialog);

}  // namespace kelvora
