// Walking a fan polygon from its pivot, vertex after vertex, until the swept region holds an area.
#include "division/fan_sweep.h"

#include <cmath>
#include <limits>

#include "division/surface_pieces.h"

namespace kelvora::division {

namespace {

// How far, in rounding units per term summed, the running area may stray from the host's measure.
// Both add the same terms, each rounded a few times, only in another order: a recursive sum of N
// terms is off by at most N units of the sum of their magnitudes, so 8 is a margin of four over
// the two sums' errors added.
constexpr double kRoundingsPerTerm = 8.0;

// The signed area of a polyline as it grows, with the host's formula: half the shoelace sum about
// its vertex 0 (the chord back to vertex 0 adds nothing to it) plus, for each arc, the cap between
// the arc and its chord. The sums run in another order than the host's, so the two figures may
// differ in their last bits; mightStraddle() bounds that difference.
class RunningArea {
public:
    explicit RunningArea(const AcGePoint2d& origin) : m_origin(origin) {}

    // Adds segment `index` of the polyline, from vertex index to the next one (vertex 0 after the
    // last on a closed polyline).
    void addSegment(const AcDbPolyline* pline, unsigned int index)
    {
        AcGePoint2d a;
        AcGePoint2d b;
        double bulge = 0.0;
        pline->getPointAt(index, a);
        pline->getPointAt((index + 1) % pline->numVerts(), b);
        pline->getBulgeAt(index, bulge);
        const double ab = (a.x - m_origin.x) * (b.y - m_origin.y);
        const double ba = (b.x - m_origin.x) * (a.y - m_origin.y);
        m_twice += ab - ba;
        m_scale += 0.5 * (std::fabs(ab) + std::fabs(ba));
        if (pline->segType(index) == AcDbPolyline::kArc) {
            const double span = std::fabs(4.0 * std::atan(bulge));
            const double radius = a.distanceTo(b) / (2.0 * std::sin(span / 2.0));
            const double cap = 0.5 * radius * radius * (span - std::sin(span));
            m_caps += bulge > 0.0 ? cap : -cap;
            // The cap is a sector less a triangle: its rounding is relative to the sector.
            m_scale += 0.5 * radius * radius * span;
        }
        ++m_terms;
    }

    double signedArea() const { return 0.5 * m_twice + m_caps; }

    // True when the host's measure, counted in the sense `orientation`, might fall on the other
    // side of `area` than this sum does (NaN coordinates included), so that only the host's figure
    // can answer a comparison with it.
    bool mightStraddle(double area, double orientation) const
    {
        const double slack =
            kRoundingsPerTerm * std::numeric_limits<double>::epsilon() * static_cast<double>(m_terms + 2) * m_scale;
        return !(std::fabs(area - orientation * signedArea()) > slack);
    }

    // The host's measure of the polyline these segments make, with the sign of this sum. Where the
    // sum is too near zero to tell the sign, the measure is as near zero and either sign will do.
    double measure(const AcDbPolyline* pline, double orientation) const
    {
        const double magnitude = areaOf(pline);
        if (!(magnitude > 0.0))
            return magnitude;  // nothing enclosed is +0 whatever the sense, as the host measures it
        return signedArea() < 0.0 ? -orientation * magnitude : orientation * magnitude;
    }

private:
    AcGePoint2d m_origin;
    double m_twice = 0.0;
    double m_caps = 0.0;
    double m_scale = 0.0;  // the magnitudes of everything summed
    unsigned int m_terms = 0;
};

RunningArea runningAreaOf(const AcDbPolyline* pline)
{
    AcGePoint2d origin;
    pline->getPointAt(0, origin);
    RunningArea running(origin);
    const unsigned int n = pline->numVerts();
    const unsigned int segments = n < 2 ? 0 : (pline->isClosed() ? n : n - 1);
    for (unsigned int index = 0; index < segments; ++index)
        running.addSegment(pline, index);
    return running;
}

}  // namespace

double orientationOf(const AcDbPolyline* pline)
{
    // Only the sign is wanted: the vertices are read once and every bulge counts as an arc, as
    // those the host takes for straight have caps far too small to turn the sign of a region.
    const unsigned int n = pline->numVerts();
    const unsigned int segments = n < 2 ? 0 : (pline->isClosed() ? n : n - 1);
    AcGePoint2d origin;
    pline->getPointAt(0, origin);
    double twice = 0.0;
    double caps = 0.0;
    for (unsigned int index = 0; index < segments; ++index) {
        AcGePoint2d a;
        AcGePoint2d b;
        double bulge = 0.0;
        pline->getPointAt(index, a);
        pline->getPointAt((index + 1) % n, b);
        pline->getBulgeAt(index, bulge);
        twice += (a.x - origin.x) * (b.y - origin.y) - (b.x - origin.x) * (a.y - origin.y);
        if (bulge > 0.0 || bulge < 0.0) {
            const double sweep = 4.0 * std::atan(bulge);
            const double halfSine = std::sin(sweep / 2.0);
            caps += 0.125 * (b - a).lengthSqrd() * (sweep - std::sin(sweep)) / (halfSine * halfSine);
        }
    }
    return 0.5 * twice + caps < 0.0 ? -1.0 : 1.0;
}

double sweptAreaOf(const AcDbPolyline* pline, double orientation)
{
    return runningAreaOf(pline).measure(pline, orientation);
}

SweepStop sweepToArea(const AcDbPolyline* fan, double partAreaSqUnits, AcDbPolyline* part)
{
    SweepStop stop;
    stop.orientation = orientationOf(fan);
    const double orientation = stop.orientation;
    const unsigned int n = fan->numVerts();
    for (unsigned int k = 0; k < 2 && k < n; ++k)
        appendVertexFrom(part, fan, k);
    AcGePoint2d pivot;
    fan->getPointAt(0, pivot);
    RunningArea running(pivot);
    if (n >= 2)
        running.addSegment(fan, 0);
    stop.current = running.measure(part, orientation);
    bool measured = true;  // stop.current is the host's measure of the part as it stands
    unsigned int k = 2;
    for (; k < n; ++k) {
        if (!measured && running.mightStraddle(partAreaSqUnits, orientation)) {
            stop.current = running.measure(part, orientation);
            measured = true;
        }
        if (!(partAreaSqUnits > (measured ? stop.current : orientation * running.signedArea())))
            break;
        appendVertexFrom(part, fan, k);
        running.addSegment(fan, k - 1);
        measured = false;
    }
    if (!measured)
        stop.current = running.measure(part, orientation);
    stop.previous = stop.current;
    if (k > 2) {
        // The part one vertex shorter, measured as it stood before its last vertex came.
        part->removeVertexAt(part->numVerts() - 1);
        stop.previous = sweptAreaOf(part, orientation);
        appendVertexFrom(part, fan, k - 1);
    }
    stop.lastVertex = part->numVerts() - 1;
    return stop;
}

}  // namespace kelvora::division
