// Setting a string in a face at a CAD text height: glyph positions and the box they cover.
#include "font_face.h"
#include "utf8_decode.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kelvora {

namespace {

// The built-in face (no font file on the machine) sets every character in a 0.6 em cell with
// ink inset by 0.05 em on each side, from the baseline to the cap height.
constexpr double kBuiltInAdvance = 600.0;
constexpr double kBuiltInInkInset = 50.0;

bool isControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c < 0xA0);
}

unsigned int glyphIndexFor(const FontFace& face, char32_t c)
{
    if (face.ft == nullptr)
        return static_cast<unsigned int>(c);
    return FT_Get_Char_Index(face.ft, c);
}

GlyphMetrics loadGlyphMetrics(const FontFace& face, unsigned int glyph)
{
    GlyphMetrics m;
    if (face.ft == nullptr) {
        m.advance = kBuiltInAdvance;
        m.hasInk = true;
        m.xMin = kBuiltInInkInset;
        m.xMax = kBuiltInAdvance - kBuiltInInkInset;
        m.yMin = 0.0;
        m.yMax = face.capHeightUnits;
        return m;
    }
    // Unscaled, unhinted outlines: the metrics are the font's own design, independent of any
    // size, so they agree with a renderer that draws the same outlines without hinting.
    if (FT_Load_Glyph(face.ft, glyph, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_IGNORE_TRANSFORM) != 0)
        return m;
    const FT_Glyph_Metrics& gm = face.ft->glyph->metrics;
    m.advance = static_cast<double>(gm.horiAdvance);
    m.hasInk = gm.width > 0 && gm.height > 0;
    m.xMin = static_cast<double>(gm.horiBearingX);
    m.xMax = static_cast<double>(gm.horiBearingX + gm.width);
    m.yMax = static_cast<double>(gm.horiBearingY);
    m.yMin = static_cast<double>(gm.horiBearingY - gm.height);
    return m;
}

const GlyphMetrics& glyphMetrics(const FontFace& face, unsigned int glyph)
{
    auto it = face.glyphCache.find(glyph);
    if (it == face.glyphCache.end())
        it = face.glyphCache.emplace(glyph, loadGlyphMetrics(face, glyph)).first;
    return it->second;
}

// Pair kerning from the face's 'kern' table, the kerning FreeType offers without a shaping
// engine: faces that kern only through OpenType GPOS are set without it. Kerning is applied
// because the glyphs are drawn at these very positions, so box and drawing agree either way,
// and kerned text is what the font's designer meant.
double kerningUnits(const FontFace& face, unsigned int left, unsigned int right)
{
    if (!face.hasKerning || left == 0 || right == 0)
        return 0.0;
    FT_Vector delta{0, 0};
    if (FT_Get_Kerning(face.ft, left, right, FT_KERNING_UNSCALED, &delta) != 0)
        return 0.0;
    return static_cast<double>(delta.x);
}

TextLayout setText(const FontFace* face, std::string_view text, double height, double widthFactor, bool keepGlyphs)
{
    TextLayout out;
    if (face == nullptr)
        face = findFontFace({});
    if (std::isfinite(widthFactor) && widthFactor > 0.0)
        out.widthFactor = widthFactor;
    if (!std::isfinite(height) || height <= 0.0 || face->capHeightUnits <= 0.0)
        return out;
    const double scale = height / face->capHeightUnits;  // drawing units per font unit
    out.emSize = face->unitsPerEm * scale;

    double pen = 0.0;  // font units along the baseline
    unsigned int previous = 0;
    bool anyGlyph = false;
    double inkLeft = std::numeric_limits<double>::infinity();
    double inkRight = -std::numeric_limits<double>::infinity();
    double inkBottom = std::numeric_limits<double>::infinity();
    double inkTop = -std::numeric_limits<double>::infinity();
    for (std::size_t pos = 0; pos < text.size();) {
        const char32_t c = decodeUtf8(text, pos);
        if (isControl(c))
            continue;
        const unsigned int glyph = glyphIndexFor(*face, c);
        pen += kerningUnits(*face, previous, glyph);
        const GlyphMetrics& m = glyphMetrics(*face, glyph);
        if (keepGlyphs)
            out.glyphs.push_back({glyph, pen * scale * out.widthFactor});
        if (m.hasInk) {
            inkLeft = std::min(inkLeft, pen + m.xMin);
            inkRight = std::max(inkRight, pen + m.xMax);
            inkBottom = std::min(inkBottom, m.yMin);
            inkTop = std::max(inkTop, m.yMax);
        }
        pen += m.advance;
        previous = glyph;
        anyGlyph = true;
    }
    if (!anyGlyph)
        return out;

    const double alongBaseline = scale * out.widthFactor;
    out.box.left = 0.0;
    out.box.right = pen * alongBaseline;
    out.box.bottom = 0.0;
    out.box.top = height;
    if (inkLeft <= inkRight) {
        out.box.left = std::min(out.box.left, inkLeft * alongBaseline);
        out.box.right = std::max(out.box.right, inkRight * alongBaseline);
        out.box.bottom = std::min(out.box.bottom, inkBottom * scale);
        out.box.top = std::max(out.box.top, inkTop * scale);
    }
    return out;
}

}  // namespace

TextBox measureText(const FontFace* face, std::string_view textUtf8, double height, double widthFactor)
{
    return setText(face, textUtf8, height, widthFactor, false).box;
}

TextLayout layoutText(const FontFace* face, std::string_view textUtf8, double height, double widthFactor)
{
    return setText(face, textUtf8, height, widthFactor, true);
}

}  // namespace kelvora
