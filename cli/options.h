// Parsing the program's options: one helper per option value, and the walk over the arguments.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvora::cli {

// DXF versions the host writes; R2007 (AC1021) is its own line.
enum class DxfVersion { R2000, R2004, R2007, R2010, R2013, R2018 };
enum class PlotFormat { Png, Svg, Pdf };

struct PlotTarget {
    std::string path;
    PlotFormat format = PlotFormat::Png;
};

struct PixelSize {
    int width = 1600;
    int height = 1200;
};

struct ViewWindow {
    double x1 = 0.0;
    double y1 = 0.0;
    double x2 = 0.0;
    double y2 = 0.0;
};

// Each helper reads an option's value into `out`; on a bad value it leaves `out` alone and
// answers the usage error's text.
std::optional<std::string> parseDxfVersion(std::string_view value, DxfVersion& out);
std::optional<std::string> parsePlotTarget(std::string_view value, PlotTarget& out);
std::optional<std::string> parseSize(std::string_view value, PixelSize& out);
std::optional<std::string> parseWindow(std::string_view value, ViewWindow& out);

const char* dxfVersionName(DxfVersion version);

// The arguments after the subcommand, read one at a time. "--name=value" and "--name value"
// both give an option its value.
class ArgumentReader {
public:
    explicit ArgumentReader(std::vector<std::string> arguments) : m_arguments(std::move(arguments)) {}

    bool done() const { return m_next >= m_arguments.size(); }

    // The next argument; for "--name=value" the name, keeping the value for value().
    std::string take();

    // Whether the argument just taken looks like an option ("-x", "--name"); "-" is a value.
    bool isOption() const;

    // The value of the option just taken: its "=value" or the next argument.
    std::optional<std::string> value(std::string& error);

    // For a flag: an error when "--flag=value" gave it a value.
    std::optional<std::string> noValue() const;

private:
    std::vector<std::string> m_arguments;
    std::size_t m_next = 0;
    std::string m_current;
    std::optional<std::string> m_inlineValue;
};

// Sets an option that may be given once; the usage error's text when it was given already.
std::optional<std::string> setOnce(std::optional<std::string>& slot, std::string value, std::string_view option);

}  // namespace kelvora::cli
