// Test support for plots: a scratch folder and PNG pixels read back through cairo.
#pragma once

#include "kelvora/aci.h"

#include <cairo.h>

#include <cstdint>
#include <filesystem>
#include <string>

namespace kelvora::testing {

// A fresh folder under the system's temporary folder, removed with everything in it.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string file(const std::string& name) const { return (m_path / name).string(); }
    const std::filesystem::path& path() const { return m_path; }
    std::size_t entryCount() const;

private:
    std::filesystem::path m_path;
};

// A PNG decoded by cairo's own loader, pixels composed over white.
class PngImage {
public:
    explicit PngImage(const std::string& path);
    ~PngImage();
    PngImage(const PngImage&) = delete;
    PngImage& operator=(const PngImage&) = delete;

    bool valid() const { return m_surface != nullptr; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    Rgb at(int x, int y) const;

private:
    cairo_surface_t* m_surface = nullptr;
    int m_width = 0;
    int m_height = 0;
};

// Tests on a pixel, with room for anti-aliasing.
bool isWhite(Rgb c);
bool isInk(Rgb c);  // anything visibly not white
bool isRed(Rgb c);
bool isBlack(Rgb c);

std::string readFile(const std::string& path);

}  // namespace kelvora::testing
