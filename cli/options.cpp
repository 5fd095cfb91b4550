// The option parse helpers of the program.
#include "options.h"

#include <cmath>
#include <cstdlib>

namespace kelvora::cli {

namespace {

struct VersionName {
    const char* release;
    const char* code;
    DxfVersion version;
};

constexpr VersionName kVersions[] = {
    {"R2000", "AC1015", DxfVersion::R2000}, {"R2004", "AC1018", DxfVersion::R2004},
    {"R2007", "AC1021", DxfVersion::R2007}, {"R2010", "AC1024", DxfVersion::R2010},
    {"R2013", "AC1027", DxfVersion::R2013}, {"R2018", "AC1032", DxfVersion::R2018},
};

// A plot of more than this many pixels a side is refused rather than allocated.
constexpr long kLargestPlotSide = 20000;

char upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

bool equalNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (upper(a[i]) != upper(b[i]))
            return false;
    }
    return true;
}

std::optional<long> wholeNumber(std::string_view text)
{
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<double> realNumber(std::string_view text)
{
    std::string copy(text);
    if (copy.empty())
        return std::nullopt;
    char* end = nullptr;
    double value = std::strtod(copy.c_str(), &end);
    if (end != copy.c_str() + copy.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

}  // namespace

std::optional<std::string> parseDxfVersion(std::string_view value, DxfVersion& out)
{
    for (const VersionName& v : kVersions) {
        if (equalNoCase(value, v.release) || equalNoCase(value, v.code)) {
            out = v.version;
            return std::nullopt;
        }
    }
    return "unsupported DXF version \"" + std::string(value) + "\" (R2000, R2004, R2007, R2010, R2013 or R2018)";
}

const char* dxfVersionName(DxfVersion version)
{
    for (const VersionName& v : kVersions) {
        if (v.version == version)
            return v.release;
    }
    return "R2007";
}

std::optional<std::string> parsePlotTarget(std::string_view value, PlotTarget& out)
{
    std::size_t dot = value.rfind('.');
    std::size_t slash = value.rfind('/');
    std::string_view extension =
        dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash) ? std::string_view()
                                                                                          : value.substr(dot + 1);
    PlotTarget target{std::string(value), PlotFormat::Png};
    if (equalNoCase(extension, "png"))
        target.format = PlotFormat::Png;
    else if (equalNoCase(extension, "svg"))
        target.format = PlotFormat::Svg;
    else if (equalNoCase(extension, "pdf"))
        target.format = PlotFormat::Pdf;
    else
        return "unsupported plot format \"" + std::string(value) + "\" (.png, .svg or .pdf)";
    out = std::move(target);
    return std::nullopt;
}

std::optional<std::string> parseSize(std::string_view value, PixelSize& out)
{
    std::size_t x = value.find_first_of("xX");
    auto width = x == std::string_view::npos ? std::nullopt : wholeNumber(value.substr(0, x));
    auto height = x == std::string_view::npos ? std::nullopt : wholeNumber(value.substr(x + 1));
    if (!width || !height || *width < 1 || *height < 1 || *width > kLargestPlotSide || *height > kLargestPlotSide)
        return "bad --size \"" + std::string(value) + "\": WIDTHxHEIGHT in pixels, 1 to " +
               std::to_string(kLargestPlotSide);
    out = PixelSize{static_cast<int>(*width), static_cast<int>(*height)};
    return std::nullopt;
}

std::optional<std::string> parseWindow(std::string_view value, ViewWindow& out)
{
    double numbers[4] = {};
    std::size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        std::size_t comma = value.find(',', start);
        if ((i < 3) == (comma == std::string_view::npos))
            return "bad --window \"" + std::string(value) + "\": X1,Y1,X2,Y2";
        auto number = realNumber(value.substr(start, i < 3 ? comma - start : std::string_view::npos));
        if (!number)
            return "bad --window \"" + std::string(value) + "\": X1,Y1,X2,Y2";
        numbers[i] = *number;
        start = comma + 1;
    }
    if (!(numbers[0] < numbers[2]) || !(numbers[1] < numbers[3]))
        return "bad --window \"" + std::string(value) + "\": the second corner must lie above and right of the first";
    out = ViewWindow{numbers[0], numbers[1], numbers[2], numbers[3]};
    return std::nullopt;
}

std::string ArgumentReader::take()
{
    m_current = m_arguments[m_next++];
    m_inlineValue.reset();
    if (m_current.starts_with("--")) {
        std::size_t equals = m_current.find('=');
        if (equals != std::string::npos) {
            m_inlineValue = m_current.substr(equals + 1);
            m_current.resize(equals);
        }
    }
    return m_current;
}

bool ArgumentReader::isOption() const
{
    return m_current.size() > 1 && m_current[0] == '-';
}

std::optional<std::string> ArgumentReader::value(std::string& error)
{
    if (m_inlineValue)
        return *m_inlineValue;
    if (done()) {
        error = "option " + m_current + " needs a value";
        return std::nullopt;
    }
    return m_arguments[m_next++];
}

std::optional<std::string> ArgumentReader::noValue() const
{
    if (m_inlineValue)
        return "option " + m_current + " takes no value";
    return std::nullopt;
}

std::optional<std::string> setOnce(std::optional<std::string>& slot, std::string value, std::string_view option)
{
    if (slot)
        return "option " + std::string(option) + " given twice";
    slot = std::move(value);
    return std::nullopt;
}

}  // namespace kelvora::cli
