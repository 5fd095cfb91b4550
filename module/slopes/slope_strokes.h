// The strokes of a slope on one side of its outline: where they stand, the passes that fit them, and their drawing.
#pragma once

#include <vector>

#include "gept3dar.h"

class AcGiWorldDraw;
class nPolyLineTalutee;

namespace kelvora::slopes {

// Side +1 is the left of the outline's direction of travel (vertex 0 towards the last), seen along
// its normal; side -1 the right. Stroke k runs from base[k] to end[k]; the two arrays always have
// the same length.
inline constexpr int kLeftSide = 1;
inline constexpr int kRightSide = -1;

// The stroke counter of one side: stroke 0 counts N/2 (integer halving), each next one one more,
// wrapping from N back to 1; a stroke is long when its count is N. N is the slope's effective
// interval count (at least 1).
class StrokeCounter {
public:
    explicit StrokeCounter(int intervalCount);
    bool isLong() const { return m_count == m_period; }
    void advance();

private:
    int m_period;
    int m_count;
};

// Index of the first long stroke: N - N/2.
int firstLongStroke(int intervalCount);

// The real segments of the outline in order (0..n-2 open, 0..n-1 closed), those whose chord (plane
// distance between their vertices) is longer than 1e-6.
std::vector<unsigned> collectSegments(const nPolyLineTalutee& slope);

// Fills base and end (emptied first) with the nominal strokes of the side: spaced strokeSpacing
// along the outline, the leftover length split between both ends; long ones sideways by
// longStrokeLength, short ones by longStrokeLength * strokeRatio (the caps bring them down).
// False, and both arrays untouched, when the outline is shorter than the spacing.
bool generateStrokes(const nPolyLineTalutee& slope, int side, AcGePoint3dArray& base, AcGePoint3dArray& end);

// Pass 1: each stroke ends on the nearest limit ahead of its base (lengthened or shortened); a
// stroke that meets none keeps its end. Limits that no longer open are dropped from the slope.
void trimStrokesToLimits(const nPolyLineTalutee& slope, const AcGePoint3dArray& base, AcGePoint3dArray& end);
// Pass 2: a stroke stops where it first meets the outline again (beyond 0.0001 from its base).
void cutStrokesAtOutline(const nPolyLineTalutee& slope, const AcGePoint3dArray& base, AcGePoint3dArray& end);
// Pass 3: two strokes that cross both stop at 0.95 of the way to the crossing, pairs taken in the
// order (0,1), (0,2) ... (1,2) ..., each on the strokes as the earlier pairs left them.
void shortenCrossingStrokes(const nPolyLineTalutee& slope, const AcGePoint3dArray& base, AcGePoint3dArray& end);
// Pass 4: short strokes reach at most 1/strokeRatio of the shorter of the long strokes beside them.
void capShortStrokes(const nPolyLineTalutee& slope, const AcGePoint3dArray& base, AcGePoint3dArray& end);

// The plain forms of passes 1 to 3, testing every stroke against every limit, outline segment and
// other stroke. The passes above give exactly the same strokes through a grid; these stay as the
// reference they are checked and timed against.
void trimStrokesToLimitsPairwise(const nPolyLineTalutee& slope, const AcGePoint3dArray& base,
                                 AcGePoint3dArray& end);
void cutStrokesAtOutlinePairwise(const nPolyLineTalutee& slope, const AcGePoint3dArray& base,
                                 AcGePoint3dArray& end);
void shortenCrossingStrokesPairwise(const AcGePoint3dArray& base, AcGePoint3dArray& end);

// Passes 1 to 4 in order.
void applyStrokePasses(const nPolyLineTalutee& slope, const AcGePoint3dArray& base, AcGePoint3dArray& end);

// The final strokes of one side: generated, then fitted by the four passes.
void computeStrokes(const nPolyLineTalutee& slope, int side, AcGePoint3dArray& base, AcGePoint3dArray& end);

// Draws the strokes of one side in their colours; while the host drags, only the nominal strokes.
void drawStrokes(const nPolyLineTalutee& slope, int side, AcGiWorldDraw* mode);

}  // namespace kelvora::slopes
