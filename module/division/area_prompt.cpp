// The area prompt that AREAFIND and DIRECTIONAREAFIND share: a number, "=area", "/count" or "*p/q".
#include "division/area_prompt.h"

#include <cmath>
#include <cstdlib>
#include <cwchar>

#include "acedads.h"
#include "adscodes.h"
#include "division/division_tolerances.h"
#include "division/surface_pieces.h"
#include "surfaces/ne_surface.h"

namespace kelvora::division {

namespace {

const ACHAR* const kAreaPrompt =
    ACRX_T("\nSuperficie a extraire  [syntaxe: superficie  ,  =superficie , /nbre  , *nbre1/nbre2 ] :");

// Room for any answer a user types on one line.
constexpr size_t kAnswerLength = 512;

bool repeatedArea(const std::wstring& text, AreaRequest& request)
{
    const double area = std::fabs(std::wcstod(text.c_str() + 1, nullptr));
    if (!(area >= kSmallestRepeatedArea))
        return false;
    request = {AreaMode::kRepeatedParts, area, 0};
    return true;
}

bool equalParts(const std::wstring& text, double surfaceArea, AreaRequest& request)
{
    int count = 0;
    if (std::swscanf(text.c_str(), L"/%d", &count) != 1 || count <= 0)
        return false;
    request = {AreaMode::kEqualParts, surfaceArea / count, count};
    return true;
}

bool fractionOfWhole(const std::wstring& text, double surfaceArea, AreaRequest& request)
{
    // Single precision, as the fraction has always been read.
    float p = 0.0f;
    float q = 0.0f;
    std::swscanf(text.c_str() + 1, L"%f/%f", &p, &q);
    const bool qIsZero = !(q < 0.0f) && !(q > 0.0f);
    if (qIsZero || !(q > p))
        return false;
    double area = static_cast<double>(p) * surfaceArea / static_cast<double>(q);
    if (area < 0.0)
        area += surfaceArea;
    request = {AreaMode::kOnePart, area, 0};
    return true;
}

}  // namespace

AreaRequest areaFromNumber(double value, double surfaceAreaSqUnits)
{
    const double area = value < 0.0 ? value + surfaceAreaSqUnits : value;
    return {AreaMode::kOnePart, area, 0};
}

bool areaFromText(const std::wstring& text, double surfaceAreaSqUnits, AreaRequest& request)
{
    if (text.empty())
        return false;
    switch (text[0]) {
    case L'=':
        return repeatedArea(text, request);
    case L'/':
        return equalParts(text, surfaceAreaSqUnits, request);
    case L'*':
        return fractionOfWhole(text, surfaceAreaSqUnits, request);
    default:
        return false;
    }
}

void readAreaToExtract(const NESurface* surface, AreaMode& mode, double& partAreaSqUnits, int& partCount)
{
    const double surfaceArea = areaOf(surface);
    for (;;) {
        acedInitGet(RSG_NOZERO | RSG_OTHER, nullptr);
        double value = 0.0;
        const int result = acedGetReal(kAreaPrompt, &value);
        AreaRequest request;
        if (result == RTNORM) {
            request = areaFromNumber(value, surfaceArea);
        } else if (result == RTKWORD) {
            ACHAR answer[kAnswerLength] = {};
            if (acedGetInput(answer) != RTNORM || !areaFromText(answer, surfaceArea, request))
                continue;
        } else if (result == RTNONE) {
            continue;
        } else {
            // A cancel, or a command line that can only answer errors: asking again would never end.
            mode = AreaMode::kCancelled;
            return;
        }
        mode = request.mode;
        partAreaSqUnits = request.partAreaSqUnits;
        partCount = request.partCount;
        return;
    }
}

}  // namespace kelvora::division
