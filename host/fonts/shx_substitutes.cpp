// Which kind of TrueType face stands in for an AutoCAD shape (.shx) font.
#include "shx_substitutes.h"

#include <array>
#include <utility>

namespace kelvora {

namespace {

// Shape fonts by the look of their strokes. The single-stroke and ISO fonts are drawn without
// serifs; the multi-stroke roman, italic, script and gothic fonts carry serifs or pen flourishes,
// so a serif face is the nearest; monotxt is the fixed-pitch variant of txt. The symbol and
// big fonts have no TrueType likeness and take the plain sans face.
constexpr std::array<std::pair<std::string_view, FaceClass>, 46> kShapeFonts{{
    {"txt", FaceClass::Sans},        {"simplex", FaceClass::Sans},   {"romans", FaceClass::Sans},
    {"isocp", FaceClass::Sans},      {"isocp2", FaceClass::Sans},    {"isocp3", FaceClass::Sans},
    {"isoct", FaceClass::Sans},      {"isoct2", FaceClass::Sans},    {"isoct3", FaceClass::Sans},
    {"isocpeur", FaceClass::Sans},   {"isocteur", FaceClass::Sans},  {"iso", FaceClass::Sans},
    {"greeks", FaceClass::Sans},     {"simplex8", FaceClass::Sans},  {"romans8", FaceClass::Sans},
    {"syastro", FaceClass::Sans},    {"symap", FaceClass::Sans},     {"symath", FaceClass::Sans},
    {"symeteo", FaceClass::Sans},    {"symusic", FaceClass::Sans},   {"bigfont", FaceClass::Sans},
    {"chineset", FaceClass::Sans},   {"extfont", FaceClass::Sans},   {"extfont2", FaceClass::Sans},
    {"gbcbig", FaceClass::Sans},     {"whgtxt", FaceClass::Sans},    {"whgdtxt", FaceClass::Sans},
    {"monotxt", FaceClass::Mono},    {"monotxt8", FaceClass::Mono},
    {"romanc", FaceClass::Serif},    {"romand", FaceClass::Serif},   {"romant", FaceClass::Serif},
    {"complex", FaceClass::Serif},   {"complex8", FaceClass::Serif}, {"romanc8", FaceClass::Serif},
    {"greekc", FaceClass::Serif},    {"italic", FaceClass::Serif},   {"italicc", FaceClass::Serif},
    {"italict", FaceClass::Serif},   {"scriptc", FaceClass::Serif},  {"scripts", FaceClass::Serif},
    {"gothice", FaceClass::Serif},   {"gothicg", FaceClass::Serif},  {"gothici", FaceClass::Serif},
    {"cyrillic", FaceClass::Serif},  {"cyriltlc", FaceClass::Serif},
}};

}  // namespace

std::optional<FaceClass> shxFaceClass(std::string_view lowerStem)
{
    for (const auto& [name, faceClass] : kShapeFonts) {
        if (name == lowerStem)
            return faceClass;
    }
    return std::nullopt;
}

}  // namespace kelvora
