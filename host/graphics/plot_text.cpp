// Texts on a plot: the measured layout's glyphs drawn by cairo from the same font file, unhinted.
#include "plot_state.h"

#include "kelvora/text_metrics.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>

#include <cmath>
#include <vector>

namespace kelvora {

namespace {

// Texts whose em is smaller than this many device units are too small to show a single
// glyph; cairo is not asked to scale a font down to nothing.
constexpr double kSmallestTextEm = 0.01;

// A text whose capitals are under half a device unit high shows as a grey speck at most: it is
// left out before it is laid out, which on a plot of a whole town is most of the cost of texts.
constexpr double kSmallestTextHeight = 0.5;

}  // namespace

cairo_font_face_t* Plot::State::cairoFace(const FontFace* face)
{
    if (const auto it = fontFaces.find(face); it != fontFaces.end())
        return it->second;
    // cairo loads the very file the metrics came from, unhinted, so that glyph shapes and
    // advances are the outlines measureText measured, scaled linearly.
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FILE, reinterpret_cast<const FcChar8*>(fontFacePath(face)));
    FcPatternAddInteger(pattern, FC_INDEX, fontFaceIndex(face));
    FcPatternAddBool(pattern, FC_HINTING, FcFalse);
    FcPatternAddBool(pattern, FC_EMBEDDED_BITMAP, FcFalse);
    FcPatternAddBool(pattern, FC_ANTIALIAS, FcTrue);
    cairo_font_face_t* cairoFace = cairo_ft_font_face_create_for_pattern(pattern);
    FcPatternDestroy(pattern);
    if (cairo_font_face_status(cairoFace) != CAIRO_STATUS_SUCCESS) {
        cairo_font_face_destroy(cairoFace);
        cairoFace = nullptr;
    }
    fontFaces.emplace(face, cairoFace);
    return cairoFace;
}

void Plot::text(const TextItem& text)
{
    if (!m_state || !isFinitePoint(text.position) || !std::isfinite(text.height) || !std::isfinite(text.rotationRad))
        return;
    State& s = *m_state;
    if (!(std::fabs(text.height) * s.view.scale >= kSmallestTextHeight))
        return;
    s.flushSpecks();
    const FontFace* face = text.face != nullptr ? text.face : findFontFace({});
    if (*fontFacePath(face) == '\0')
        return;  // the built-in cell face has no glyphs to draw
    const TextLayout layout = layoutText(face, text.textUtf8, text.height, text.widthFactor);
    const double em = layout.emSize * s.view.scale;
    if (layout.glyphs.empty() || !(em >= kSmallestTextEm))
        return;
    std::vector<DevicePoint> corners;
    for (const WorldPoint& corner : textCorners(text))
        corners.push_back(s.toDevice(corner));
    const DeviceRect box = DeviceRect::around(corners, 0.0);
    if (!s.page.intersects(box) || !s.safe.contains(box))
        return;
    cairo_font_face_t* cairoFace = s.cairoFace(face);
    if (cairoFace == nullptr)
        return;

    const DevicePoint origin = s.toDevice(text.position);
    cairo_save(s.cr);
    cairo_translate(s.cr, origin.x, origin.y);
    cairo_rotate(s.cr, -text.rotationRad);
    // Font space has Y down like the device: a glyph point h above the baseline is at y = -h,
    // and obliquing moves it h * tan(oblique) to the right.
    cairo_matrix_t fontMatrix;
    cairo_matrix_init(&fontMatrix, em * layout.widthFactor, 0.0, -em * std::tan(effectiveObliqueRad(text.obliqueRad)),
                      em, 0.0, 0.0);
    cairo_matrix_t ctm;
    cairo_get_matrix(s.cr, &ctm);
    cairo_scaled_font_t* font = cairo_scaled_font_create(cairoFace, &fontMatrix, &ctm, s.fontOptions);
    if (cairo_scaled_font_status(font) == CAIRO_STATUS_SUCCESS) {
        std::vector<cairo_glyph_t> glyphs;
        glyphs.reserve(layout.glyphs.size());
        for (const PlacedGlyph& g : layout.glyphs)
            glyphs.push_back({g.glyphIndex, g.x * s.view.scale, 0.0});
        cairo_set_scaled_font(s.cr, font);
        setColour(s.cr, text.colour);
        cairo_show_glyphs(s.cr, glyphs.data(), static_cast<int>(glyphs.size()));
    }
    cairo_scaled_font_destroy(font);
    cairo_restore(s.cr);
}

}  // namespace kelvora
