// The AutoCAD colour index (ACI): the 255 indexed colours as RGB, and how a plot shows them.
#pragma once

#include <cstdint>

namespace kelvora {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Index 0 and 256 are not colours but references, resolved by the caller before drawing: an
// entity's ByBlock colour takes the inserting block reference's, ByLayer its layer's.
inline constexpr int kAciByBlock = 0;
inline constexpr int kAciByLayer = 256;
// Colour 7 is "white" on a dark screen and black on paper.
inline constexpr int kAciForeground = 7;

// The RGB value of an indexed colour 1..255, from the default palette of current AutoCAD
// releases (1 red, 2 yellow, 3 green, 4 cyan, 5 blue, 6 magenta, 7 white, 8 and 9 the dark and
// light greys, 10..249 the hue wheel, 250..255 the grey ramp). Any other index gives colour 7.
Rgb aciToRgb(int colorIndex);

// The colour a plot on white paper draws an index with: as aciToRgb, but colour 7 in black.
Rgb aciToPlotRgb(int colorIndex);

}  // namespace kelvora
