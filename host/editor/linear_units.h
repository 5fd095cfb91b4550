// Reals as text in the linear units of a drawing (acdbRToS): scientific, decimal, feet and inches, fractions.
#pragma once

#include <optional>
#include <string>

namespace kelvora {

enum class LinearUnit { Scientific = 1, Decimal = 2, Engineering = 3, Architectural = 4, Fractional = 5 };

// Precisions beyond this are read as this, as the drawing's LUPREC allows no more.
inline constexpr int kMaxLinearPrecision = 8;

// The text of `value` in `unit` with `precision` (decimals, or 1/2^precision of an inch for
// architectural and fractional units). Nothing for a unit outside 1..5, a negative precision
// or a value that is not finite. Zero feet and exactly zero inches are left out, as the
// commercial host does with its default zero suppression.
std::optional<std::wstring> formatLinear(double value, int unit, int precision);

// LUNITS and LUPREC of the drawing (the system variables), 2 and 4 when they are not defined.
int currentLinearUnit();
int currentLinearPrecision();

}  // namespace kelvora
