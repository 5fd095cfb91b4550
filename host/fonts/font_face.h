// The loaded font face behind kelvora::FontFace, shared by the lookup and the metrics code.
#pragma once

#include "kelvora/text_metrics.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <string>
#include <unordered_map>

namespace kelvora {

// Ink box and advance of one glyph, in font units (y up from the baseline).
struct GlyphMetrics {
    double advance = 0.0;
    bool hasInk = false;
    double xMin = 0.0;
    double xMax = 0.0;
    double yMin = 0.0;
    double yMax = 0.0;
};

struct FontFace {
    std::string path;    // empty for the built-in face used when no font file can be loaded
    int index = 0;       // face index inside a font collection
    std::string family;
    FT_Face ft = nullptr;
    double unitsPerEm = 0.0;
    double capHeightUnits = 0.0;  // the height of capital letters, in font units
    bool hasKerning = false;
    mutable std::unordered_map<unsigned int, GlyphMetrics> glyphCache;
};

}  // namespace kelvora
