// Real font metrics for texts: the face behind a text style's font file, and the box of a string set in it.
#pragma once

#include <string_view>

namespace kelvora {

// A font face loaded once and kept for the life of the process.
struct FontFace;

// The face for a text style's font file name: a ".ttf"/".otf" file name, a family name, or a
// ".shx" name (mapped to a TrueType face of similar shape). DejaVu Sans when nothing matches. Never null.
const FontFace* findFontFace(std::string_view fontFileUtf8);

// The path of the font file behind a face (for backends that load it themselves, such as cairo).
const char* fontFacePath(const FontFace* face);

// Box of a text in drawing units, relative to its insertion point on the baseline, before
// rotation and obliquing. `height` is the CAD text height (the height of capital letters);
// `widthFactor` stretches along the baseline.
struct TextBox {
    double left = 0.0;
    double right = 0.0;   // the advance width of the whole string, scaled
    double bottom = 0.0;  // below the baseline: negative for descenders
    double top = 0.0;
};

TextBox measureText(const FontFace* face, std::string_view textUtf8, double height, double widthFactor);

}  // namespace kelvora
