// Which kind of TrueType face stands in for an AutoCAD shape (.shx) font.
#pragma once

#include <optional>
#include <string_view>

namespace kelvora {

enum class FaceClass { Sans, Serif, Mono };

// The class of face that resembles the named shape font (its stem, lower case: "romans"),
// or nothing when the name is not one of the shape fonts shipped with CAD programs.
std::optional<FaceClass> shxFaceClass(std::string_view lowerStem);

}  // namespace kelvora
