// The twelve built-in decoration symbols, each a run of straight strokes in a unit frame centred on the origin.
#pragma once

namespace kelvora::speciallines {

// One stroke from (x1, y1) to (x2, y2): x along the line, y to its left.
struct Stroke {
    double x1;
    double y1;
    double x2;
    double y2;
};

inline constexpr int kBuiltinSymbolCount = 12;
inline constexpr int kStrokeCount = 52;

// Display name of symbol index (Latin-1 encoded), or nullptr outside 0..11.
const char* builtinSymbolName(int index);
// First and last stroke numbers (1-based, inclusive) of a symbol; false for no strokes or a bad index.
bool builtinSymbolStrokes(int index, int& first, int& last);
// Stroke number 1..52; nullptr outside.
const Stroke* strokeAt(int number);

}  // namespace kelvora::speciallines
