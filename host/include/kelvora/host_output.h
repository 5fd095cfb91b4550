// The command-line output of the database layer (LIST), routed to whatever the editor installs.
#pragma once

#include "AdAChar.h"

namespace kelvora {

// Receives text exactly as printed (with its "\n").
using HostTextSink = void (*)(const ACHAR* text);

// Installs the sink (the editor's transcript); null restores the default, UTF-8 on standard output.
void setHostTextSink(HostTextSink sink);
// printf-like (%s and %c take wide arguments, as acutPrintf's do).
void hostPrintf(const ACHAR* format, ...);
void hostPrint(const ACHAR* text);

}  // namespace kelvora
