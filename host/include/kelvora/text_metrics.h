// Real font metrics for texts: the face behind a text style's font file, and the box of a string set in it.
#pragma once

#include <string_view>
#include <vector>

namespace kelvora {

// A font face loaded once and kept for the life of the process.
struct FontFace;

// The face for a text style's font file name: a ".ttf"/".otf" file name, a family name, or a
// ".shx" name (mapped to a TrueType face of similar shape). DejaVu Sans when nothing matches. Never null.
const FontFace* findFontFace(std::string_view fontFileUtf8);

// The path of the font file behind a face (for backends that load it themselves, such as cairo).
// Empty only on a machine without any usable font, where texts are measured as plain cells and
// a backend has no glyphs to draw.
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

// The box holds both the advance and the ink, so that a frame drawn around it clears the text:
// left is 0 unless a glyph reaches back past the insertion point, right is the advance unless
// ink overhangs it; bottom is 0 or the lowest ink, top is `height` or the highest ink (accents,
// ascenders). Control characters are skipped; malformed UTF-8 is measured as U+FFFD. An empty
// text, or a height that is not a positive number, gives an all-zero box; a width factor that is
// not a positive number counts as 1; a null face is the default face (findFontFace("")).
TextBox measureText(const FontFace* face, std::string_view textUtf8, double height, double widthFactor);

// The face index inside its font file (non-zero only for a member of a font collection).
int fontFaceIndex(const FontFace* face);

// The family name of a face ("DejaVu Sans"), for messages and tests.
const char* fontFaceFamily(const FontFace* face);

// One glyph of a laid-out text: the glyph's index in the face and its pen position along the
// baseline, in drawing units from the insertion point, width factor applied.
struct PlacedGlyph {
    unsigned int glyphIndex = 0;
    double x = 0.0;
};

// A text set in a face, as measureText measures it: a backend that draws these glyphs at these
// positions, with an em square of `emSize` drawing units stretched by the width factor along
// the baseline, draws exactly what was measured (kerning included).
struct TextLayout {
    std::vector<PlacedGlyph> glyphs;
    double emSize = 0.0;
    double widthFactor = 1.0;  // the factor actually applied (an invalid one counts as 1)
    TextBox box;               // equal to measureText's answer
};

TextLayout layoutText(const FontFace* face, std::string_view textUtf8, double height, double widthFactor);

}  // namespace kelvora
