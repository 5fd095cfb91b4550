// The area prompt that AREAFIND and DIRECTIONAREAFIND share: a number, "=area", "/count" or "*p/q".
#pragma once

#include <string>

class NESurface;

namespace kelvora::division {

// What the user asked for.
enum class AreaMode {
    kCancelled = 0,       // the prompt was cancelled
    kOnePart = 1,         // one part of the given area
    kRepeatedParts = 2,   // "=a": parts of area a until the remainder is no larger
    kEqualParts = 3,      // "/n": n equal parts
};

struct AreaRequest {
    AreaMode mode = AreaMode::kCancelled;
    double partAreaSqUnits = 0.0;
    int partCount = 0;  // kEqualParts only
};

// A typed number: one part of that area; a negative number is taken from the whole surface
// (-30 on a surface of 100 asks for 70).
AreaRequest areaFromNumber(double value, double surfaceAreaSqUnits);

// A typed text, by its first character: "=a" (|a| of at least 1e-5), "/n" (n above 0) or "*p/q"
// (q not 0 and above p: the fraction p/q of the surface, taken from the whole when negative).
// False when the text is refused and the prompt must ask again.
bool areaFromText(const std::wstring& text, double surfaceAreaSqUnits, AreaRequest& request);

// Asks the area to extract from the surface (open for read) until an answer is taken. An empty
// answer asks again; a cancel (or a command line that answers nothing but errors) gives
// AreaMode::kCancelled.
void readAreaToExtract(const NESurface* surface, AreaMode& mode, double& partAreaSqUnits, int& partCount);

}  // namespace kelvora::division
