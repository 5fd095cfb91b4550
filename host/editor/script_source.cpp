// Script input sources: lines from a file, standard input or a text in memory.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "kelvora/input_source.h"

namespace kelvora {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

class StreamSource final : public InputSource {
public:
    StreamSource(std::string name, std::istream* stream, std::unique_ptr<std::istream> owned)
        : m_name(std::move(name)), m_stream(stream), m_owned(std::move(owned))
    {
    }

    std::optional<InputLine> readLine(std::string_view) override
    {
        std::string text;
        if (m_stream == nullptr || !std::getline(*m_stream, text)) {
            if (m_stream != nullptr && m_stream->bad() && !m_error)
                m_error = std::string("read error: ") + std::strerror(errno);
            return std::nullopt;
        }
        ++m_lineNumber;
        if (m_lineNumber == 1 && text.starts_with(kByteOrderMark))
            text.erase(0, kByteOrderMark.size());
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        return InputLine{std::move(text), m_lineNumber};
    }

    bool interactive() const override { return false; }
    const std::string& name() const override { return m_name; }
    std::optional<std::string> readError() const override { return m_error; }

private:
    std::string m_name;
    std::istream* m_stream;
    std::unique_ptr<std::istream> m_owned;
    int m_lineNumber = 0;
    std::optional<std::string> m_error;
};

}  // namespace

std::unique_ptr<InputSource> makeStreamSource(std::string name, std::unique_ptr<std::istream> stream)
{
    std::istream* raw = stream.get();
    return std::make_unique<StreamSource>(std::move(name), raw, std::move(stream));
}

std::unique_ptr<InputSource> makeStandardInputSource()
{
    return std::make_unique<StreamSource>("<stdin>", &std::cin, nullptr);
}

std::unique_ptr<InputSource> makeTextSource(std::string name, std::string text)
{
    return makeStreamSource(std::move(name), std::make_unique<std::istringstream>(std::move(text)));
}

std::unique_ptr<InputSource> openScript(const std::string& path, std::string& error)
{
    if (path == "-")
        return makeStandardInputSource();
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        error = path + ": error: cannot open: it is a directory";
        return nullptr;
    }
    auto file = std::make_unique<std::ifstream>(path, std::ios::binary);
    if (!file->is_open()) {
        error = path + ": error: cannot open: " + std::strerror(errno);
        return nullptr;
    }
    return makeStreamSource(path, std::move(file));
}

}  // namespace kelvora
