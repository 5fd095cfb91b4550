// The transcript writer and its sinks.
#include "kelvora/transcript.h"

#include "kelvora/command_line.h"
#include "text_encoding.h"

namespace kelvora {

void FileTranscriptSink::put(std::string_view utf8)
{
    std::fwrite(utf8.data(), 1, utf8.size(), m_file);
}

void FileTranscriptSink::flush()
{
    std::fflush(m_file);
}

void Transcript::write(std::string_view utf8)
{
    if (!utf8.empty())
        m_sink->put(utf8);
}

void Transcript::write(std::wstring_view text)
{
    if (!text.empty())
        m_sink->put(utf8FromWide(text));
}

Transcript& Transcript::standardOutput()
{
    static FileTranscriptSink sink(stdout);
    static Transcript transcript(sink);
    return transcript;
}

Transcript& currentTranscript()
{
    CommandLine* line = CommandLine::current();
    return line != nullptr ? line->transcript() : Transcript::standardOutput();
}

}  // namespace kelvora
