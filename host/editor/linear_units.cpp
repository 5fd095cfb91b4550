// acdbRToS and the formatting of reals in linear units.
#include "linear_units.h"

#include <cmath>
#include <cstdio>
#include <cwchar>

#include "acutads.h"
#include "adscodes.h"
#include "kelvora/system_variables.h"

namespace kelvora {

namespace {

constexpr double kInchesPerFoot = 12.0;

std::wstring printed(const char* format, int precision, double value)
{
    char buffer[512];
    int n = std::snprintf(buffer, sizeof buffer, format, precision, value);
    if (n < 0)
        return {};
    if (static_cast<std::size_t>(n) >= sizeof buffer) {
        std::string big(static_cast<std::size_t>(n) + 1, '\0');
        std::snprintf(big.data(), big.size(), format, precision, value);
        big.resize(static_cast<std::size_t>(n));
        return std::wstring(big.begin(), big.end());
    }
    return std::wstring(buffer, buffer + n);
}

// "-0.0000" reads as zero: no sign on a value that rounds to zero.
std::wstring withoutNegativeZero(std::wstring text)
{
    if (!text.empty() && text[0] == L'-' && text.find_first_of(L"123456789") == std::wstring::npos)
        text.erase(0, 1);
    return text;
}

long long greatestCommonDivisor(long long a, long long b)
{
    while (b != 0) {
        long long t = a % b;
        a = b;
        b = t;
    }
    return a;
}

// "5 1/2", "1/2", "5" for a count of 1/denominator parts.
std::wstring fraction(long long parts, long long denominator)
{
    long long whole = parts / denominator;
    long long numerator = parts % denominator;
    if (numerator == 0)
        return std::to_wstring(whole);
    long long g = greatestCommonDivisor(numerator, denominator);
    std::wstring text = std::to_wstring(numerator / g) + L"/" + std::to_wstring(denominator / g);
    return whole != 0 ? std::to_wstring(whole) + L" " + text : text;
}

std::wstring feetAndInches(bool negative, long long feet, const std::wstring& inches, bool zeroInches)
{
    std::wstring text = negative ? L"-" : L"";
    if (feet != 0) {
        text += std::to_wstring(feet) + L"'";
        if (zeroInches)
            return text;
        text += L"-";
    }
    return text + inches + L"\"";
}

// Magnitudes above this would not fit a long long count of 1/256 inch.
constexpr double kLargestFractional = 1e15;

}  // namespace

std::optional<std::wstring> formatLinear(double value, int unit, int precision)
{
    if (!std::isfinite(value) || precision < 0 || unit < 1 || unit > 5)
        return std::nullopt;
    if (precision > kMaxLinearPrecision)
        precision = kMaxLinearPrecision;
    bool negative = value < 0.0;
    double magnitude = std::fabs(value);
    switch (static_cast<LinearUnit>(unit)) {
    case LinearUnit::Scientific:
        return withoutNegativeZero(printed("%.*E", precision, value));
    case LinearUnit::Decimal:
        return withoutNegativeZero(printed("%.*f", precision, value));
    case LinearUnit::Engineering: {
        double scale = std::pow(10.0, precision);
        double rounded = std::round(magnitude * scale) / scale;
        auto feet = static_cast<long long>(std::floor(rounded / kInchesPerFoot));
        double inches = rounded - static_cast<double>(feet) * kInchesPerFoot;
        if (inches < 0.0)
            inches = 0.0;
        std::wstring inchText = printed("%.*f", precision, inches);
        bool zeroInches = inchText.find_first_of(L"123456789") == std::wstring::npos;
        negative = negative && (feet != 0 || !zeroInches);
        return feetAndInches(negative, feet, inchText, zeroInches);
    }
    case LinearUnit::Architectural:
    case LinearUnit::Fractional: {
        if (magnitude > kLargestFractional)
            return std::nullopt;
        long long denominator = 1LL << precision;
        auto parts = static_cast<long long>(std::llround(magnitude * static_cast<double>(denominator)));
        negative = negative && parts != 0;
        if (static_cast<LinearUnit>(unit) == LinearUnit::Fractional)
            return (negative ? L"-" : L"") + fraction(parts, denominator);
        long long perFoot = 12 * denominator;
        long long feet = parts / perFoot;
        long long inchParts = parts % perFoot;
        return feetAndInches(negative, feet, fraction(inchParts, denominator), inchParts == 0);
    }
    }
    return std::nullopt;
}

int currentLinearUnit()
{
    return static_cast<int>(systemVariables().integer(L"LUNITS", 2));
}

int currentLinearPrecision()
{
    return static_cast<int>(systemVariables().integer(L"LUPREC", 4));
}

}  // namespace kelvora

int acdbRToS(ads_real value, int unit, int precision, ACHAR* result, size_t bufferSize)
{
    if (result == nullptr || bufferSize == 0)
        return RTERROR;
    result[0] = 0;
    if (unit == -1)
        unit = kelvora::currentLinearUnit();
    if (precision == -1)
        precision = kelvora::currentLinearPrecision();
    std::optional<std::wstring> text = kelvora::formatLinear(value, unit, precision);
    if (!text || text->size() >= bufferSize)
        return RTERROR;
    std::wmemcpy(result, text->c_str(), text->size() + 1);
    return RTNORM;
}
