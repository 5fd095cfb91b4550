// Cutting a fan polygon, swept from its pivot (vertex 0), into a part of a given area and the rest.
#include "division/fan_split.h"

#include <cmath>

#include "division/division_tolerances.h"
#include "division/fan_sweep.h"
#include "division/surface_pieces.h"
#include "surfaces/ne_surface.h"

namespace kelvora::division {

namespace {

// The bisection on an arc halves its interval at most this many times; doubles run out of
// precision long before.
constexpr int kMaxBisectionSteps = 100;
// The bisection ends when the swept area is within the area tolerance of the target; the interval
// of sweep angle (radians) only stops a search that doubles can no longer narrow. An interval of
// 1e-7 would not do: the area changes by up to half the radius times the distance from the pivot
// per radian, so on a parcel tens of units across the part would miss its area by some 1e-6.
constexpr double kBisectionInterval = 1e-13;

// An arc segment given by its end points and bulge, walked by the angle swept from its start.
class BulgeArc {
public:
    BulgeArc(const AcGePoint2d& start, const AcGePoint2d& end, double bulge)
        : m_start(start), m_sweep(4.0 * std::atan(bulge))
    {
        const AcGeVector2d chord = end - start;
        const double length = chord.length();
        const AcGeVector2d left(-chord.y / length, chord.x / length);
        const AcGePoint2d middle = start + chord * 0.5;
        // The centre lies on the chord's left for a counter-clockwise arc, on its right otherwise.
        m_centre = middle + left * (0.5 * length / std::tan(0.5 * m_sweep));
    }

    double sweepMagnitude() const { return std::fabs(m_sweep); }
    double turn() const { return m_sweep < 0.0 ? -1.0 : 1.0; }

    AcGePoint2d pointAt(double angleFromStart) const
    {
        const double a = turn() * angleFromStart;
        const AcGeVector2d v = m_start - m_centre;
        const double c = std::cos(a);
        const double s = std::sin(a);
        return m_centre + AcGeVector2d(v.x * c - v.y * s, v.x * s + v.y * c);
    }

    // The bulge of the piece of the arc from angle `from` to angle `to` (both from the start).
    double bulgeBetween(double from, double to) const { return turn() * std::tan(0.25 * (to - from)); }

private:
    AcGePoint2d m_start;
    double m_sweep;
    AcGePoint2d m_centre;
};

NESurface* emptySurfaceLike(const AcDbPolyline* fan)
{
    auto* surface = new NESurface();
    takePlaneFrom(surface, fan);
    return surface;
}

// Appends fan vertices from..n-1 and, for a closed fan, its pivot (the closing edge's end).
void copyTail(const AcDbPolyline* fan, unsigned int from, NESurface* rest)
{
    for (unsigned int k = from; k < fan->numVerts(); ++k)
        appendVertexFrom(rest, fan, k);
    if (fan->isClosed())
        appendVertexFrom(rest, fan, 0);
}

// Finds by bisection the point X of the arc from part's vertex `last - 1` where the triangle
// pivot, arc start, X (with the arc piece between them) holds `target`, counted in the fan's sense
// (an arc bulging into the part takes area from it), and moves the cut there.
void cutArcSegment(const AcGePoint2d& pivot, const AcGePoint2d& start, const AcGePoint2d& end, double bulge,
                   double target, double orientation, NESurface* part, NESurface* rest)
{
    const BulgeArc arc(start, end, bulge);
    double lo = 0.0;
    double hi = arc.sweepMagnitude();
    double step = (hi - lo) / 2.0;
    AcDbPolyline trial;
    trial.addVertexAt(0, pivot);
    trial.addVertexAt(1, start, bulge);
    trial.addVertexAt(2, end);
    AcGePoint2d cut = end;
    double cutAngle = hi;
    double swept = sweptAreaOf(&trial, orientation);
    for (int steps = 0;
         std::fabs(target - swept) > kAreaTolerance && hi - lo > kBisectionInterval && steps < kMaxBisectionSteps;
         ++steps) {
        const double mid = lo + step;
        cut = arc.pointAt(mid);
        cutAngle = mid;
        trial.setPointAt(2, cut);
        trial.setBulgeAt(1, arc.bulgeBetween(0.0, mid));
        swept = sweptAreaOf(&trial, orientation);
        if (target > swept)
            lo = mid;
        else
            hi = mid;
        step /= 2.0;
    }
    const unsigned int last = part->numVerts() - 1;
    part->setPointAt(last, cut);
    part->setBulgeAt(last - 1, arc.bulgeBetween(0.0, cutAngle));
    part->setBulgeAt(last, 0.0);
    rest->setPointAt(0, cut);
    rest->setBulgeAt(0, arc.bulgeBetween(cutAngle, arc.sweepMagnitude()));
}

}  // namespace

void splitFanAtArea(const AcDbPolyline* fan, double partAreaSqUnits, NESurface*& rest, NESurface*& part)
{
    part = emptySurfaceLike(fan);
    rest = emptySurfaceLike(fan);
    const SweepStop stop = sweepToArea(fan, partAreaSqUnits, part);
    const double previous = stop.previous;
    const double current = stop.current;
    const unsigned int j = stop.lastVertex;  // the fan index of part's last vertex
    if (std::fabs(partAreaSqUnits - current) <= kAreaTolerance || j == 0) {
        copyTail(fan, j, rest);
    } else {
        copyTail(fan, j - 1, rest);
        AcGePoint2d pivot;
        AcGePoint2d start;
        AcGePoint2d end;
        double bulge = 0.0;
        fan->getPointAt(0, pivot);
        fan->getPointAt(j - 1, start);
        fan->getPointAt(j, end);
        fan->getBulgeAt(j - 1, bulge);
        switch (fan->segType(j - 1)) {
        case AcDbPolyline::kLine: {
            // The swept area grows linearly along a straight segment.
            const double t = (partAreaSqUnits - previous) / (current - previous);
            const AcGePoint2d cut = start + (end - start) * t;
            part->setPointAt(j, cut);
            rest->setPointAt(0, cut);
            break;
        }
        case AcDbPolyline::kArc:
            cutArcSegment(pivot, start, end, bulge, partAreaSqUnits - previous, stop.orientation, part, rest);
            break;
        default:
            break;
        }
    }
    part->setClosed(Adesk::kTrue);
    rest->setClosed(Adesk::kTrue);
}

}  // namespace kelvora::division
