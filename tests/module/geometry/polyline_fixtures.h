// Building and reading lightweight polylines for the kernel's tests and benchmarks.
#pragma once

#include <cmath>
#include <initializer_list>
#include <memory>
#include <numbers>
#include <vector>

#include "dbpl.h"
#include "gegbl.h"
#include "getol.h"

namespace kernel_test {

constexpr double kPi = std::numbers::pi;

inline double deg(double degrees)
{
    return degrees * kPi / 180.0;
}

struct V {
    double x = 0.0;
    double y = 0.0;
    double bulge = 0.0;
    double startWidth = 0.0;
    double endWidth = 0.0;
};

inline std::unique_ptr<AcDbPolyline> makePolyline(const std::vector<V>& vertices, bool closed = false)
{
    auto pline = std::make_unique<AcDbPolyline>();
    for (const V& v : vertices)
        pline->addVertexAt(pline->numVerts(), AcGePoint2d(v.x, v.y), v.bulge, v.startWidth, v.endWidth);
    pline->setClosed(closed);
    return pline;
}

inline std::vector<V> verticesOf(const AcDbPolyline& pline)
{
    std::vector<V> out(pline.numVerts());
    for (unsigned int at = 0; at < pline.numVerts(); ++at) {
        AcGePoint2d p;
        pline.getPointAt(at, p);
        out[at].x = p.x;
        out[at].y = p.y;
        pline.getBulgeAt(at, out[at].bulge);
        pline.getWidthsAt(at, out[at].startWidth, out[at].endWidth);
    }
    return out;
}

// The bulge of an arc segment of the given sweep (negative: clockwise).
inline double bulgeOfSweep(double sweepRad)
{
    return std::tan(sweepRad / 4.0);
}

// Sets the global tolerance for a test's scope and puts the previous one back.
class GlobalTolerance {
public:
    GlobalTolerance(double equalPoint, double equalVector) : m_saved(AcGeContext::gTol)
    {
        AcGeContext::gTol.setEqualPoint(equalPoint);
        AcGeContext::gTol.setEqualVector(equalVector);
    }
    ~GlobalTolerance() { AcGeContext::gTol = m_saved; }
    GlobalTolerance(const GlobalTolerance&) = delete;
    GlobalTolerance& operator=(const GlobalTolerance&) = delete;

private:
    AcGeTol m_saved;
};

// A closed wavy ring of n vertices, r = R (1 + 0.1 sin 7t), that never crosses itself: the polyline
// the crossing test must examine whole. Every other segment an outward flat arc when withArcs.
inline std::unique_ptr<AcDbPolyline> wavyRing(unsigned int n, bool withArcs)
{
    auto pline = std::make_unique<AcDbPolyline>(n);
    const double radius = 1000.0;
    for (unsigned int k = 0; k < n; ++k) {
        double t = 2.0 * kPi * k / n;
        double r = radius * (1.0 + 0.1 * std::sin(7.0 * t));
        double bulge = withArcs && k % 2 == 1 ? 0.05 : 0.0;
        pline->addVertexAt(k, AcGePoint2d(r * std::cos(t), r * std::sin(t)), bulge);
    }
    pline->setClosed(Adesk::kTrue);
    return pline;
}

// An open serpentine: rows of short segments joined by turns, rows apart by 10 units.
inline std::unique_ptr<AcDbPolyline> serpentine(unsigned int rows, unsigned int perRow)
{
    auto pline = std::make_unique<AcDbPolyline>(rows * (perRow + 1));
    unsigned int at = 0;
    for (unsigned int row = 0; row < rows; ++row) {
        for (unsigned int k = 0; k <= perRow; ++k) {
            double x = row % 2 == 0 ? k : perRow - static_cast<double>(k);
            pline->addVertexAt(at++, AcGePoint2d(x, 10.0 * row));
        }
    }
    return pline;
}

}  // namespace kernel_test
