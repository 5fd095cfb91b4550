// Stroke generation along the outline, the order of the passes, and the drawing of one side's strokes.
#include "slopes/slope_strokes.h"

#include <cmath>

#include "acgi.h"
#include "geintrvl.h"
#include "slopes/slope_defaults.h"
#include "slopes/slope_entity.h"

namespace kelvora::slopes {

namespace {

// A segment whose vertices are closer than this carries no stroke and no direction: it is below
// any surveyed detail and its direction would be noise.
constexpr double kMinimumChord = 1e-6;
// More strokes than this on one side is no drawing anyone can read (a spacing typed far too small,
// or a damaged file): the side is left without strokes rather than exhausting memory.
constexpr double kMaxStrokesPerSide = 1e7;

// The normals of one listed segment at its two ends, both to the left of the direction of travel.
struct SegmentFrame {
    unsigned index = 0;
    bool isArc = false;
    AcGeLineSeg3d line;
    AcGeCircArc3d arc;
    double bulge = 0.0;
    double length = 0.0;
    AcGeVector3d startNormal;
    AcGeVector3d endNormal;
};

bool frameOf(const nPolyLineTalutee& slope, unsigned index, SegmentFrame& frame)
{
    frame.index = index;
    slope.getBulgeAt(index, frame.bulge);
    switch (slope.segType(index)) {
    case AcDbPolyline::kLine: {
        if (slope.getLineSegAt(index, frame.line) != Acad::eOk)
            return false;
        frame.isArc = false;
        frame.length = frame.line.length();
        const AcGeVector3d along = (frame.line.endPoint() - frame.line.startPoint()).normal();
        frame.startNormal = slope.normal().crossProduct(along);
        frame.endNormal = frame.startNormal;
        return true;
    }
    case AcDbPolyline::kArc: {
        if (slope.getArcSegAt(index, frame.arc) != Acad::eOk)
            return false;
        frame.isArc = true;
        AcGeInterval range;
        frame.arc.getInterval(range);
        frame.length = frame.arc.length(range.lowerBound(), range.upperBound(), AcGeContext::gTol.equalPoint());
        const double towardCentre = frame.bulge < 0.0 ? -1.0 : 1.0;
        frame.startNormal = (frame.arc.center() - frame.arc.startPoint()).normal() * towardCentre;
        frame.endNormal = (frame.arc.center() - frame.arc.endPoint()).normal() * towardCentre;
        return true;
    }
    default:
        return false;
    }
}

}  // namespace

StrokeCounter::StrokeCounter(int intervalCount)
    : m_period(intervalCount < 1 ? 1 : intervalCount)
    , m_count(m_period / 2)
{
}

void StrokeCounter::advance()
{
    ++m_count;
    if (m_count > m_period)
        m_count = 1;
}

int firstLongStroke(int intervalCount)
{
    const int n = intervalCount < 1 ? 1 : intervalCount;
    return n - n / 2;
}

std::vector<unsigned> collectSegments(const nPolyLineTalutee& slope)
{
    std::vector<unsigned> segments;
    const unsigned count = slope.numVerts();
    if (count < 2)
        return segments;
    const unsigned last = slope.isClosed() ? count : count - 1;
    for (unsigned i = 0; i < last; ++i) {
        AcGePoint2d a;
        AcGePoint2d b;
        slope.getPointAt(i, a);
        slope.getPointAt((i + 1) % count, b);
        if (a.distanceTo(b) > kMinimumChord)
            segments.push_back(i);
    }
    return segments;
}

bool generateStrokes(const nPolyLineTalutee& slope, int side, AcGePoint3dArray& base, AcGePoint3dArray& end)
{
    std::vector<SegmentFrame> frames;
    for (unsigned index : collectSegments(slope)) {
        SegmentFrame frame;
        if (frameOf(slope, index, frame))
            frames.push_back(frame);
    }
    const double total = slope.outlineLength();
    const double spacing = slope.strokeSpacing();
    if (frames.empty() || !(spacing > 0.0) || !std::isfinite(total) || spacing > total ||
        total / spacing > kMaxStrokesPerSide)
        return false;
    const int period = slope.effectiveIntervalCount();
    const double sign = side < 0 ? -1.0 : 1.0;
    const double longLength = sign * slope.longStrokeLength();
    const double shortLength = sign * slope.longStrokeLength() * slope.strokeRatio();
    const double whole = std::floor(total / spacing);

    base.setLogicalLength(0);
    end.setLogicalLength(0);
    base.setPhysicalLength(static_cast<int>(whole) + 5);
    end.setPhysicalLength(static_cast<int>(whole) + 5);

    // Directions at the vertices: the mean of the two segments' normals there. A closed outline
    // wraps around through its last real segment, so that a closing segment too short to count
    // (a last vertex repeating the first) still gives the start vertex a true bisector.
    const bool closed = slope.isClosed();
    const size_t count = frames.size();
    StrokeCounter counter(period);
    double pos = (total - whole * spacing) / 2.0;
    for (size_t j = 0; j < count; ++j) {
        const SegmentFrame& frame = frames[j];
        const double length = frame.length;
        if (length < pos) {
            pos -= length;
            continue;
        }
        const AcGeVector3d& before =
            j > 0 ? frames[j - 1].endNormal : (closed ? frames[count - 1].endNormal : frame.startNormal);
        const AcGeVector3d& after =
            j + 1 < count ? frames[j + 1].startNormal : (closed ? frames[0].startNormal : frame.endNormal);
        const AcGeVector3d startDirection = (before + frame.startNormal) * 0.5;
        const AcGeVector3d endDirection = (frame.endNormal + after) * 0.5;
        AcGeInterval range;
        if (frame.isArc)
            frame.arc.getInterval(range);
        const AcGeVector3d along =
            frame.isArc ? AcGeVector3d() : (frame.line.endPoint() - frame.line.startPoint()).normal();
        double p = pos;
        for (int k = 1; p <= length; ++k) {
            const double strokeLength = counter.isLong() ? longLength : shortLength;
            counter.advance();
            AcGePoint3d at;
            AcGePoint3d tip;
            if (frame.isArc) {
                const double param =
                    range.lowerBound() + (range.upperBound() - range.lowerBound()) * p / length;
                at = frame.arc.evalPoint(param);
                const double sense = frame.bulge < 0.0 ? -1.0 : 1.0;
                tip = at + (frame.arc.center() - at).normal() * (strokeLength * sense);
            } else {
                at = frame.line.startPoint() + along * p;
                const AcGeVector3d direction = (startDirection * (length - p) + endDirection * p).normal();
                tip = at + direction * strokeLength;
            }
            base.append(at);
            end.append(tip);
            p = pos + k * spacing;
        }
        pos = p - length;
    }
    return true;
}

void applyStrokePasses(const nPolyLineTalutee& slope, const AcGePoint3dArray& base, AcGePoint3dArray& end)
{
    trimStrokesToLimits(slope, base, end);
    cutStrokesAtOutline(slope, base, end);
    shortenCrossingStrokes(slope, base, end);
    capShortStrokes(slope, base, end);
}

void computeStrokes(const nPolyLineTalutee& slope, int side, AcGePoint3dArray& base, AcGePoint3dArray& end)
{
    base.setLogicalLength(0);
    end.setLogicalLength(0);
    if (generateStrokes(slope, side, base, end))
        applyStrokePasses(slope, base, end);
}

void drawStrokes(const nPolyLineTalutee& slope, int side, AcGiWorldDraw* mode)
{
    if (mode == nullptr)
        return;
    AcGePoint3dArray base;
    AcGePoint3dArray end;
    if (!generateStrokes(slope, side, base, end))
        return;
    if (!mode->isDragging())
        applyStrokePasses(slope, base, end);
    const Adesk::UInt16 entityColor = slope.colorIndex();
    const Adesk::UInt16 longColor = resolveStrokeColor(slope.longStrokeColor(), entityColor);
    const Adesk::UInt16 shortColor = resolveStrokeColor(slope.shortStrokeColor(), entityColor);
    StrokeCounter counter(slope.effectiveIntervalCount());
    for (int k = 0; k < base.length(); ++k) {
        mode->subEntityTraits().setColor(counter.isLong() ? longColor : shortColor);
        const AcGePoint3d points[2] = {base[k], end[k]};
        mode->geometry().polyline(2, points, nullptr, -1);
        counter.advance();
    }
}

}  // namespace kelvora::slopes
