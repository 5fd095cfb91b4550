// The host's printf for wide strings: the conversions of the commercial host's wide printf, made safe.
#pragma once

#include <cstdarg>
#include <string>

namespace kelvora {

// Formats like the commercial host's wide printf: %s and %c take wide arguments, %S, %C, %hs
// and %hc narrow ones (read as UTF-8), %ls and %lc wide; integers take h, hh, l, ll, I32, I64,
// z, j, t; reals f F e E g G a A with L for long double; %% a percent sign. %n writes nothing
// and %p prints "<pointer>", so that output never depends on addresses. A null string prints
// "(null)", an unknown conversion is copied as written, and widths and precisions are capped
// at kMaxFieldWidth, so no format can make the output grow without bound.
std::wstring formatPrintfV(const wchar_t* format, va_list args);
std::wstring formatPrintf(const wchar_t* format, ...);

inline constexpr int kMaxFieldWidth = 4096;

}  // namespace kelvora
