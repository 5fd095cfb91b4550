// The database layer's command-line output, sent to the sink the editor installs.
#include "kelvora/host_output.h"

#include <cstdarg>
#include <cstdio>

#include "kelvora/wide_text.h"
#include "kelvora/wide_format.h"

namespace kelvora {

namespace {

void printToStdout(const ACHAR* text)
{
    std::string utf8 = toUtf8(text != nullptr ? text : L"");
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
}

HostTextSink g_sink = &printToStdout;

}  // namespace

void setHostTextSink(HostTextSink sink)
{
    g_sink = sink != nullptr ? sink : &printToStdout;
}

void hostPrint(const ACHAR* text)
{
    g_sink(text);
}

void hostPrintf(const ACHAR* format, ...)
{
    va_list args;
    va_start(args, format);
    std::wstring text = formatPrintfV(format, args);
    va_end(args);
    g_sink(text.c_str());
}

}  // namespace kelvora
