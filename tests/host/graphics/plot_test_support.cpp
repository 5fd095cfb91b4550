// Test support for plots: a scratch folder and PNG pixels read back through cairo.
#include "host/graphics/plot_test_support.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace kelvora::testing {

ScratchDir::ScratchDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "kelvora-plot-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (mkdtemp(name.data()) != nullptr)
        m_path = name.data();
}

ScratchDir::~ScratchDir()
{
    std::error_code ignored;
    if (!m_path.empty())
        std::filesystem::remove_all(m_path, ignored);
}

std::size_t ScratchDir::entryCount() const
{
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(m_path))
        ++n;
    return n;
}

PngImage::PngImage(const std::string& path)
{
    cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return;
    }
    // Whatever format the file was stored in, compose it over white into one known layout.
    m_width = cairo_image_surface_get_width(surface);
    m_height = cairo_image_surface_get_height(surface);
    m_surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, m_width, m_height);
    cairo_t* cr = cairo_create(m_surface);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_set_source_surface(cr, surface, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    cairo_surface_flush(m_surface);
}

PngImage::~PngImage()
{
    if (m_surface != nullptr)
        cairo_surface_destroy(m_surface);
}

Rgb PngImage::at(int x, int y) const
{
    const unsigned char* data = cairo_image_surface_get_data(m_surface);
    const int stride = cairo_image_surface_get_stride(m_surface);
    std::uint32_t pixel = 0;
    const unsigned char* p = data + static_cast<std::ptrdiff_t>(y) * stride + static_cast<std::ptrdiff_t>(x) * 4;
    pixel = *reinterpret_cast<const std::uint32_t*>(p);
    return {static_cast<std::uint8_t>((pixel >> 16) & 0xFF), static_cast<std::uint8_t>((pixel >> 8) & 0xFF),
            static_cast<std::uint8_t>(pixel & 0xFF)};
}

bool isWhite(Rgb c)
{
    return c.r >= 245 && c.g >= 245 && c.b >= 245;
}

bool isInk(Rgb c)
{
    return c.r < 235 || c.g < 235 || c.b < 235;
}

bool isRed(Rgb c)
{
    return c.r >= 200 && c.g <= 60 && c.b <= 60;
}

bool isBlack(Rgb c)
{
    return c.r <= 60 && c.g <= 60 && c.b <= 60;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

}  // namespace kelvora::testing
