// acutPrintf and acedPrompt: text from the module and the host's commands into the transcript.
#include <cstdarg>

#include "acedads.h"
#include "acutads.h"
#include "kelvora/transcript.h"
#include "kelvora/wide_format.h"

int acutPrintf(const ACHAR* format, ...)
{
    if (format == nullptr)
        return 0;
    va_list args;
    va_start(args, format);
    std::wstring text = kelvora::formatPrintfV(format, args);
    va_end(args);
    kelvora::currentTranscript().write(text);
    return static_cast<int>(text.size());
}

int acedPrompt(const ACHAR* text)
{
    if (text == nullptr)
        return RTERROR;
    kelvora::currentTranscript().write(std::wstring_view(text));
    return RTNORM;
}
