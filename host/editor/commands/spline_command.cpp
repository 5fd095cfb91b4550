// SPLINE: a B-spline with the points given as its control points: clamped when open, periodic when closed.
#include <algorithm>
#include <vector>

#include "acedads.h"
#include "command_support.h"
#include "dbspline.h"
#include "drawing_commands.h"

namespace kelvora::commands {

namespace {

// Cubic, as the usual CAD programs draw; fewer points lower the degree (two points: a line).
constexpr int kSplineDegree = 3;
// A closed spline needs a polygon of three points at least.
constexpr size_t kFewestClosedPoints = 3;
constexpr size_t kFewestPoints = 2;

int degreeFor(size_t points)
{
    return std::min(kSplineDegree, static_cast<int>(points) - 1);
}

// Open and clamped: the curve starts at the first control point and ends at the last one.
// Knots: degree + 1 zeros, 1 .. n - degree - 1, degree + 1 times n - degree.
AcDbSpline* openSpline(const std::vector<AcGePoint3d>& points)
{
    int n = static_cast<int>(points.size());
    int p = degreeFor(points.size());
    AcGePoint3dArray controls;
    for (const AcGePoint3d& pt : points)
        controls.append(pt);
    AcGeDoubleArray knots;
    for (int i = 0; i < n + p + 1; ++i)
        knots.append(static_cast<double>(std::clamp(i - p, 0, n - p)));
    return new AcDbSpline(p, Adesk::kFalse, Adesk::kFalse, Adesk::kFalse, controls, knots, AcGeDoubleArray());
}

// Closed and periodic: the control polygon wraps (its first `degree` points repeat at its end)
// over uniform knots, so the curve closes on itself with no corner.
AcDbSpline* closedSpline(const std::vector<AcGePoint3d>& points)
{
    int n = static_cast<int>(points.size());
    int p = degreeFor(points.size());
    AcGePoint3dArray controls;
    for (int i = 0; i < n + p; ++i)
        controls.append(points[static_cast<size_t>(i % n)]);
    AcGeDoubleArray knots;
    for (int i = 0; i < n + 2 * p + 1; ++i)
        knots.append(static_cast<double>(i));
    return new AcDbSpline(p, Adesk::kFalse, Adesk::kTrue, Adesk::kTrue, controls, knots, AcGeDoubleArray());
}

}  // namespace

void splineCommand()
{
    ads_point answer = {0, 0, 0};
    if (acedGetPoint(nullptr, L"\nSpecify first point: ", answer) != RTNORM)
        return;
    std::vector<AcGePoint3d> points{asPoint(answer)};
    bool closed = false;
    while (true) {
        bool canClose = points.size() >= kFewestClosedPoints;
        acedInitGet(0, canClose ? L"Close Undo" : L"Undo");
        ads_point from = {0, 0, 0};
        toAds(points.back(), from);
        int status = acedGetPoint(from, canClose ? L"\nEnter next point or [Close/Undo]: "
                                                 : L"\nEnter next point or [Undo]: ",
                                  answer);
        if (status == RTKWORD) {
            if (lastKeyword() == L"Close") {
                closed = true;
                break;
            }
            if (points.size() > 1)
                points.pop_back();
            else
                say(L"\nAll points already undone.");
            continue;
        }
        if (status != RTNORM)
            break;
        points.push_back(asPoint(answer));
    }
    if (points.size() < kFewestPoints)
        return;
    addToCurrentSpace(closed ? closedSpline(points) : openSpline(points));
}

}  // namespace kelvora::commands
