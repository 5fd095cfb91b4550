// exactlyEqual: the one way to compare doubles exactly, where that is meant (the geometry builds with -Wfloat-equal).
#pragma once

namespace kelvora {

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wfloat-equal"
#endif
// For stored values compared with what was stored (a marker, a copy, zero as "unset").
constexpr bool exactlyEqual(double a, double b) { return a == b; }
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

}  // namespace kelvora
