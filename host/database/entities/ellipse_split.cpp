// AcDbEllipse::getSplitCurves: elliptic arcs between cut parameters.
#include <cmath>
#include <numbers>
#include <vector>

#include "curve_pieces.h"
#include "dbelipse.h"
#include "entity_util.h"

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

}  // namespace

Acad::ErrorStatus AcDbEllipse::getSplitCurves(const AcGeDoubleArray& params, AcDbVoidPtrArray& curveSegments) const
{
    assertReadEnabled();
    if (isNull())
        return Acad::eDegenerateGeometry;
    // A parameter is an angle on the unit circle the ellipse is drawn from: a point tolerance becomes an
    // angle tolerance through the major radius (the larger, so the stricter of the two).
    const double tol = kelvora::onCurveTolerance(m_center) / m_majorAxis.length();
    const bool closed = isClosed();
    std::vector<double> cuts;
    if (!kelvora::normalizeSplitParams(params, m_startParam, m_endParam, closed, tol, cuts))
        return Acad::eInvalidInput;
    if (closed && cuts.empty())
        return Acad::eInvalidInput;  // no cut: nowhere for the closed curve to open
    std::vector<std::pair<double, double>> spans;
    if (closed) {
        for (size_t j = 0; j < cuts.size(); ++j)
            spans.emplace_back(cuts[j], j + 1 < cuts.size() ? cuts[j + 1] : cuts.front() + kTwoPi);
    } else {
        cuts.insert(cuts.begin(), m_startParam);
        cuts.push_back(m_endParam);
        for (size_t j = 0; j + 1 < cuts.size(); ++j)
            spans.emplace_back(cuts[j], cuts[j + 1]);
    }
    AcDbVoidPtrArray made;
    for (const auto& [from, to] : spans) {
        auto* piece = AcDbEllipse::cast(clone());
        if (piece == nullptr) {
            for (void* p : made)
                delete static_cast<AcDbEllipse*>(p);
            return Acad::eNotApplicable;
        }
        piece->m_startParam = kelvora::normalizeAngle(from);
        piece->m_endParam = piece->m_startParam + (to - from);
        made.append(piece);
    }
    curveSegments.append(made);
    return Acad::eOk;
}
