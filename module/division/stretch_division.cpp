// Where the division points of a stretch of a polyline fall, and how a typed step is read.
#include "division/stretch_division.h"

#include <cwchar>

namespace kelvora::division {

bool stepFromText(const std::wstring& text, double stretchLength, double& step)
{
    int count = 0;
    if (std::swscanf(text.c_str(), L"/%d", &count) != 1 || count < 1)
        return false;
    step = stretchLength / count;
    return true;
}

bool forEachDivision(double fromDist, double toDist, double wholeLength, bool closed, double step,
                     const std::function<bool(double distAlong)>& mark)
{
    if (!(toDist + kSmallestStep > fromDist) || !(step >= kSmallestStep))
        return true;
    double position = fromDist;
    do {
        // Wrapping an open polyline's end to its start would put the last point at the wrong end.
        double along = position;
        if (!(position < wholeLength))
            along = closed ? position - wholeLength : wholeLength;
        if (!mark(along))
            return false;
        position += step;
    } while (toDist + kSmallestStep > position);
    return true;
}

}  // namespace kelvora::division
