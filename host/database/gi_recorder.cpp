// The graphics recorder: AcGiWorldDraw and AcGiViewportDraw that keep every primitive in world coordinates.
#include "kelvora/gi_recorder.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "dbapserv.h"
#include "dbsymtb.h"
#include "kelvora/diagnostics.h"
#include "kelvora/text_metrics.h"
#include "kelvora/wide_text.h"
#include "object_access.h"

namespace kelvora {

namespace {

// Below this length a vector has no direction (model units: far below any drawn size, above rounding).
constexpr double kZeroLength = 1e-12;

GiRecorder::PlineHandler g_plineHandler = nullptr;

AcGeVector3d unitOr(const AcGeVector3d& v, const AcGeVector3d& fallback)
{
    double len = v.length();
    return len > kZeroLength ? v / len : fallback;
}

// The circle through three points: false when they are (nearly) collinear.
bool circleThrough(const AcGePoint3d& p1, const AcGePoint3d& p2, const AcGePoint3d& p3, AcGePoint3d& centre,
                   double& radius, AcGeVector3d& normal)
{
    AcGeVector3d a = p1 - p3;
    AcGeVector3d b = p2 - p3;
    AcGeVector3d axb = a.crossProduct(b);
    double d = axb.lengthSqrd();
    if (d <= kZeroLength * kZeroLength)
        return false;
    AcGeVector3d offset = (b * a.lengthSqrd() - a * b.lengthSqrd()).crossProduct(axb) / (2.0 * d);
    centre = p3 + offset;
    radius = offset.length();
    // Counter-clockwise about the normal means from p1 through p2 to p3.
    normal = unitOr((p2 - p1).crossProduct(p3 - p2), AcGeVector3d::kZAxis);
    return true;
}

// Extents of an arc of a circle: the end points and every axis extreme inside the sweep.
void addArcExtents(AcDbExtents& box, const AcGePoint3d& c, double r, const AcGeVector3d& u, const AcGeVector3d& v,
                   double start, double sweep)
{
    auto at = [&](double t) { return c + u * (r * std::cos(t)) + v * (r * std::sin(t)); };
    double lo = sweep >= 0.0 ? start : start + sweep;
    double span = std::fabs(sweep);
    box.addPoint(at(lo));
    box.addPoint(at(lo + span));
    for (int axis = 0; axis < 3; ++axis) {
        double uk = u[static_cast<unsigned>(axis)];
        double vk = v[static_cast<unsigned>(axis)];
        if (std::hypot(uk, vk) <= kZeroLength)
            continue;
        double t0 = std::atan2(vk, uk);
        for (int k = 0; k < 2; ++k) {
            double t = t0 + k * std::numbers::pi;
            // Bring t into [lo, lo + 2pi).
            double rel = std::fmod(t - lo, 2.0 * std::numbers::pi);
            if (rel < 0.0)
                rel += 2.0 * std::numbers::pi;
            if (rel <= span)
                box.addPoint(at(lo + rel));
        }
    }
}

// ----- The recorder's parts -----------------------------------------------------------------------

class RecorderTraits : public AcGiDrawableTraits {
public:
    GiTraits traits;
    void setColor(const Adesk::UInt16 color) override
    {
        AcCmEntityColor c;
        if (c.setColorIndex(static_cast<Adesk::Int16>(color)) == Acad::eOk)
            traits.color = c;
    }
    void setTrueColor(const AcCmEntityColor& color) override { traits.color = color; }
    void setLayer(const AcDbObjectId layerId) override { traits.layerId = layerId; }
    void setLineType(const AcDbObjectId linetypeId) override { traits.linetypeId = linetypeId; }
    void setSelectionMarker(const Adesk::LongPtr markerId) override { traits.selectionMarker = markerId; }
    void setFillType(const AcGiFillType fillType) override { traits.fillType = fillType; }
    void setLineWeight(const AcDb::LineWeight lw) override { traits.lineWeight = lw; }
    void setLineTypeScale(double dScale) override { traits.linetypeScale = dScale; }
    void setThickness(double dThickness) override { traits.thickness = dThickness; }
    Adesk::UInt16 color() const override { return static_cast<Adesk::UInt16>(traits.color.colorIndex()); }
    AcCmEntityColor trueColor() const override { return traits.color; }
    AcDbObjectId layerId() const override { return traits.layerId; }
    AcDbObjectId lineTypeId() const override { return traits.linetypeId; }
    AcGiFillType fillType() const override { return traits.fillType; }
    AcDb::LineWeight lineWeight() const override { return traits.lineWeight; }
    double lineTypeScale() const override { return traits.linetypeScale; }
    double thickness() const override { return traits.thickness; }
};

class RecorderContext : public AcGiContext {
public:
    explicit RecorderContext(const GiRecorder* rec) : m_rec(rec) {}
    Adesk::Boolean isPsOut() const override { return false; }
    Adesk::Boolean isPlotGeneration() const override;
    AcDbDatabase* database() const override;
    bool isBoundaryClipping() const override { return false; }

private:
    const GiRecorder* m_rec;
};

}  // namespace

// The shared state of a recorder and its viewport companion: primitives are recorded here.
class GiRecorderState {
public:
    explicit GiRecorderState(GiRecorder* rec);

    GiRecorder* rec;
    RecorderTraits traits;
    RecorderContext context;
    std::vector<AcGeMatrix3d> transforms{AcGeMatrix3d::kIdentity};
    AcDbObjectId drawableId;
    AcDbObjectId nestedDrawableId;
    int nesting = 0;

    const AcGeMatrix3d& model() const { return transforms.back(); }
    Adesk::Boolean aborting() const { return rec->regenAbort(); }
    GiPrimitive& add(GiPrimitiveKind kind, const AcGeMatrix3d& m);

    Adesk::Boolean points(GiPrimitiveKind kind, Adesk::UInt32 n, const AcGePoint3d* pts, const AcGeVector3d* normal,
                          const AcGeMatrix3d& m);
    Adesk::Boolean arc(GiPrimitiveKind kind, const AcGePoint3d& c, double r, const AcGeVector3d& n,
                       const AcGeVector3d& startVector, double sweep, AcGiArcType type);
    Adesk::Boolean text(const AcGePoint3d& pos, const AcGeVector3d& normal, const AcGeVector3d& dir, std::wstring msg,
                        double height, double width, double oblique, const AcGiTextStyle* style);
    Adesk::Boolean drawNested(AcGiDrawable* d);
    void drawTop(AcGiDrawable* d);
    void runDrawable(AcGiDrawable* d);

    class Geometry;
    class ViewportGeometry;
    class Viewport;
    class ViewportDraw;
    std::unique_ptr<Geometry> geometry;
    std::unique_ptr<ViewportGeometry> viewportGeometry;
    std::unique_ptr<Viewport> viewport;
    std::unique_ptr<ViewportDraw> viewportDraw;
};

namespace {

Adesk::Boolean RecorderContext::isPlotGeneration() const
{
    return m_rec->isPlotGeneration();
}

AcDbDatabase* RecorderContext::database() const
{
    return m_rec->database();
}

}  // namespace

// The primitives, shared by the world and viewport geometries.
#define KELVORA_RECORDER_PRIMITIVES                                                                           \
    void getModelToWorldTransform(AcGeMatrix3d& mx) const override { mx = s->model(); }                       \
    void getWorldToModelTransform(AcGeMatrix3d& mx) const override { mx = s->model().inverse(); }             \
    Adesk::Boolean pushModelTransform(const AcGeVector3d& vNormal) override                                   \
    {                                                                                                         \
        s->transforms.push_back(s->model() * AcGeMatrix3d::planeToWorld(vNormal));                            \
        return false;                                                                                         \
    }                                                                                                         \
    Adesk::Boolean pushModelTransform(const AcGeMatrix3d& xMat) override                                      \
    {                                                                                                         \
        s->transforms.push_back(s->model() * xMat);                                                           \
        return false;                                                                                         \
    }                                                                                                         \
    Adesk::Boolean popModelTransform() override                                                               \
    {                                                                                                         \
        if (s->transforms.size() <= 1) {                                                                      \
            reportMisuse("popModelTransform without pushModelTransform");                                     \
            return false;                                                                                     \
        }                                                                                                     \
        s->transforms.pop_back();                                                                             \
        return false;                                                                                         \
    }                                                                                                         \
    Adesk::Boolean circle(const AcGePoint3d& center, const double radius, const AcGeVector3d& normal)         \
        const override                                                                                        \
    {                                                                                                         \
        AcGeVector3d n = unitOr(normal, AcGeVector3d::kZAxis);                                                \
        return s->arc(GiPrimitiveKind::kCircle, center, radius, n, n.perpVector(), 2.0 * std::numbers::pi,    \
                      kAcGiArcSimple);                                                                        \
    }                                                                                                         \
    Adesk::Boolean circle(const AcGePoint3d& p1, const AcGePoint3d& p2, const AcGePoint3d& p3) const override  \
    {                                                                                                         \
        AcGePoint3d c;                                                                                        \
        double r = 0.0;                                                                                       \
        AcGeVector3d n;                                                                                       \
        if (!circleThrough(p1, p2, p3, c, r, n))                                                              \
            return s->aborting();                                                                             \
        return s->arc(GiPrimitiveKind::kCircle, c, r, n, n.perpVector(), 2.0 * std::numbers::pi,              \
                      kAcGiArcSimple);                                                                        \
    }                                                                                                         \
    Adesk::Boolean circularArc(const AcGePoint3d& center, const double radius, const AcGeVector3d& normal,    \
                               const AcGeVector3d& startVector, const double sweepAngle,                      \
                               const AcGiArcType arcType) const override                                      \
    {                                                                                                         \
        return s->arc(GiPrimitiveKind::kCircularArc, center, radius, normal, startVector, sweepAngle,         \
                      arcType);                                                                               \
    }                                                                                                         \
    Adesk::Boolean circularArc(const AcGePoint3d& start, const AcGePoint3d& point, const AcGePoint3d& end,    \
                               const AcGiArcType arcType) const override                                      \
    {                                                                                                         \
        AcGePoint3d c;                                                                                        \
        double r = 0.0;                                                                                       \
        AcGeVector3d n;                                                                                       \
        if (!circleThrough(start, point, end, c, r, n)) {                                                     \
            /* Three points in a line: the straight path through them. */                                    \
            AcGePoint3d pts[3] = {start, point, end};                                                         \
            return s->points(GiPrimitiveKind::kPolyline, 3, pts, nullptr, s->model());                        \
        }                                                                                                     \
        AcGeVector3d u = unitOr(start - c, n.perpVector());                                                   \
        AcGeVector3d e = unitOr(end - c, u);                                                                  \
        double sweep = std::atan2(u.crossProduct(e).dotProduct(n), u.dotProduct(e));                          \
        if (sweep <= 0.0)                                                                                     \
            sweep += 2.0 * std::numbers::pi;                                                                  \
        return s->arc(GiPrimitiveKind::kCircularArc, c, r, n, u, sweep, arcType);                             \
    }                                                                                                         \
    Adesk::Boolean polyline(const Adesk::UInt32 nbPoints, const AcGePoint3d* pVertexList,                     \
                            const AcGeVector3d* pNormal, Adesk::LongPtr lBaseSubEntMarker) const override     \
    {                                                                                                         \
        if (lBaseSubEntMarker != -1)                                                                          \
            s->traits.traits.selectionMarker = lBaseSubEntMarker;                                             \
        return s->points(GiPrimitiveKind::kPolyline, nbPoints, pVertexList, pNormal, s->model());             \
    }                                                                                                         \
    Adesk::Boolean polygon(const Adesk::UInt32 nbPoints, const AcGePoint3d* pVertexList) const override       \
    {                                                                                                         \
        return s->points(GiPrimitiveKind::kPolygon, nbPoints, pVertexList, nullptr, s->model());              \
    }                                                                                                         \
    Adesk::Boolean polypoint(const Adesk::UInt32 nbPoints, const AcGePoint3d* pVertexList,                    \
                             const AcGeVector3d* pNormal, const Adesk::LongPtr*) const override               \
    {                                                                                                         \
        return s->points(GiPrimitiveKind::kPolypoint, nbPoints, pVertexList, pNormal, s->model());            \
    }                                                                                                         \
    Adesk::Boolean text(const AcGePoint3d& position, const AcGeVector3d& normal, const AcGeVector3d& direction, \
                        const double height, const double width, const double oblique, const ACHAR* pMsg)     \
        const override                                                                                        \
    {                                                                                                         \
        return s->text(position, normal, direction, expandTextControlCodes(pMsg != nullptr ? pMsg : L""),     \
                       height, width, oblique, nullptr);                                                      \
    }                                                                                                         \
    Adesk::Boolean text(const AcGePoint3d& position, const AcGeVector3d& normal, const AcGeVector3d& direction, \
                        const ACHAR* pMsg, const Adesk::Int32 length, const Adesk::Boolean raw,               \
                        const AcGiTextStyle& pTextStyle) const override                                       \
    {                                                                                                         \
        std::wstring msg = pMsg != nullptr ? pMsg : L"";                                                      \
        if (length >= 0 && static_cast<size_t>(length) < msg.size())                                          \
            msg.resize(static_cast<size_t>(length));                                                          \
        if (!raw)                                                                                             \
            msg = expandTextControlCodes(msg);                                                                \
        return s->text(position, normal, direction, msg, pTextStyle.textSize(), pTextStyle.xScale(),          \
                       pTextStyle.obliquingAngle(), &pTextStyle);                                             \
    }                                                                                                         \
    Adesk::Boolean xline(const AcGePoint3d& one, const AcGePoint3d& two) const override                       \
    {                                                                                                         \
        AcGePoint3d pts[2] = {one, two};                                                                      \
        return s->points(GiPrimitiveKind::kXline, 2, pts, nullptr, s->model());                               \
    }                                                                                                         \
    Adesk::Boolean ray(const AcGePoint3d& start, const AcGePoint3d& point) const override                     \
    {                                                                                                         \
        AcGePoint3d pts[2] = {start, point};                                                                  \
        return s->points(GiPrimitiveKind::kRay, 2, pts, nullptr, s->model());                                 \
    }                                                                                                         \
    Adesk::Boolean pline(const AcDbPolyline& lwBuf, Adesk::UInt32 fromIndex, Adesk::UInt32 numSegs)           \
        const override                                                                                        \
    {                                                                                                         \
        /* The polyline class installs the handler that draws its segments; without it, nothing. */         \
        if (g_plineHandler == nullptr)                                                                        \
            return false;                                                                                     \
        return g_plineHandler(*this, lwBuf, fromIndex, numSegs);                                              \
    }                                                                                                         \
    Adesk::Boolean draw(AcGiDrawable* pDrawable) const override { return s->drawNested(pDrawable); }           \
    Adesk::Boolean worldLine(const AcGePoint3d pnts[2]) override                                              \
    {                                                                                                         \
        return s->points(GiPrimitiveKind::kPolyline, 2, pnts, nullptr, AcGeMatrix3d::kIdentity);              \
    }

class GiRecorderState::Geometry : public AcGiWorldGeometry {
public:
    explicit Geometry(GiRecorderState* state) : s(state) {}
    KELVORA_RECORDER_PRIMITIVES
    void setExtents(AcGePoint3d* pNewExtents) const override
    {
        if (pNewExtents != nullptr)
            s->points(GiPrimitiveKind::kExtentsHint, 2, pNewExtents, nullptr, s->model());
    }

private:
    GiRecorderState* s;
};

class GiRecorderState::ViewportGeometry : public AcGiViewportGeometry {
public:
    explicit ViewportGeometry(GiRecorderState* state) : s(state) {}
    KELVORA_RECORDER_PRIMITIVES
    // The host's views look down the Z axis from above: eye coordinates are world coordinates.
    Adesk::Boolean polylineEye(const Adesk::UInt32 nbPoints, const AcGePoint3d* pPoints) const override
    {
        return s->points(GiPrimitiveKind::kPolyline, nbPoints, pPoints, nullptr, AcGeMatrix3d::kIdentity);
    }
    Adesk::Boolean polygonEye(const Adesk::UInt32 nbPoints, const AcGePoint3d* pPoints) const override
    {
        return s->points(GiPrimitiveKind::kPolygon, nbPoints, pPoints, nullptr, AcGeMatrix3d::kIdentity);
    }
    // Display coordinates depend on a screen, which the recorder has not: nothing is recorded.
    Adesk::Boolean polylineDc(const Adesk::UInt32, const AcGePoint3d*) const override { return s->aborting(); }
    Adesk::Boolean polygonDc(const Adesk::UInt32, const AcGePoint3d*) const override { return s->aborting(); }

private:
    GiRecorderState* s;
};

#undef KELVORA_RECORDER_PRIMITIVES

class GiRecorderState::Viewport : public AcGiViewport {
public:
    explicit Viewport(GiRecorderState* state) : s(state) {}
    void getModelToEyeTransform(AcGeMatrix3d& mx) const override { mx = s->model(); }
    void getEyeToModelTransform(AcGeMatrix3d& mx) const override { mx = s->model().inverse(); }
    void getWorldToEyeTransform(AcGeMatrix3d& mx) const override { mx = AcGeMatrix3d::kIdentity; }
    void getEyeToWorldTransform(AcGeMatrix3d& mx) const override { mx = AcGeMatrix3d::kIdentity; }
    Adesk::Boolean isPerspective() const override { return false; }
    void getNumPixelsInUnitSquare(const AcGePoint3d&, AcGePoint2d& pixelArea, bool) const override
    {
        pixelArea.set(s->rec->pixelsPerUnit(), s->rec->pixelsPerUnit());
    }
    void getCameraLocation(AcGePoint3d& location) const override { location.set(0.0, 0.0, 1.0); }
    void getCameraTarget(AcGePoint3d& target) const override { target.set(0.0, 0.0, 0.0); }
    void getCameraUpVector(AcGeVector3d& upVector) const override { upVector = AcGeVector3d::kYAxis; }
    Adesk::ULongPtr viewportId() const override { return 1; }
    Adesk::Int16 acadWindowId() const override { return 1; }
    double linetypeScaleMultiplier() const override { return 1.0; }

private:
    GiRecorderState* s;
};

class GiRecorderState::ViewportDraw : public AcGiViewportDraw {
public:
    explicit ViewportDraw(GiRecorderState* state) : s(state) {}
    AcGiRegenType regenType() const override { return s->rec->regenType(); }
    Adesk::Boolean regenAbort() const override { return s->rec->regenAbort(); }
    AcGiSubEntityTraits& subEntityTraits() const override { return s->traits; }
    AcGiGeometry* rawGeometry() const override { return s->viewportGeometry.get(); }
    Adesk::Boolean isDragging() const override { return s->rec->isDragging(); }
    AcGiContext* context() override { return &s->context; }
    Adesk::UInt32 numberOfIsolines() const override { return 4; }
    double deviation(const AcGiDeviationType type, const AcGePoint3d& pt) const override
    {
        return s->rec->deviation(type, pt);
    }
    AcGiViewport& viewport() const override { return *s->viewport; }
    AcGiViewportGeometry& geometry() const override { return *s->viewportGeometry; }
    Adesk::UInt32 sequenceNumber() const override { return 1; }
    Adesk::Boolean isValidId(const Adesk::ULongPtr acgiId) const override { return acgiId == 1; }
    AcDbObjectId viewportObjectId() const override { return AcDbObjectId(); }

private:
    GiRecorderState* s;
};

GiRecorderState::GiRecorderState(GiRecorder* r)
    : rec(r),
      context(r),
      geometry(std::make_unique<Geometry>(this)),
      viewportGeometry(std::make_unique<ViewportGeometry>(this)),
      viewport(std::make_unique<Viewport>(this)),
      viewportDraw(std::make_unique<ViewportDraw>(this))
{
}

GiPrimitive& GiRecorderState::add(GiPrimitiveKind kind, const AcGeMatrix3d& m)
{
    rec->m_primitives.emplace_back();
    GiPrimitive& p = rec->m_primitives.back();
    p.kind = kind;
    p.traits = traits.traits;
    p.modelToWorld = m;
    p.drawableId = drawableId;
    p.nestedDrawableId = nestedDrawableId;
    p.nesting = nesting;
    return p;
}

Adesk::Boolean GiRecorderState::points(GiPrimitiveKind kind, Adesk::UInt32 n, const AcGePoint3d* pts,
                                       const AcGeVector3d* normal, const AcGeMatrix3d& m)
{
    if (aborting())
        return true;
    if (n == 0 || pts == nullptr)
        return false;
    GiPrimitive& p = add(kind, m);
    p.points.reserve(n);
    for (Adesk::UInt32 i = 0; i < n; ++i)
        p.points.push_back(m * pts[i]);
    if (normal != nullptr)
        p.normal = unitOr(m * *normal, AcGeVector3d::kZAxis);
    return false;
}

Adesk::Boolean GiRecorderState::arc(GiPrimitiveKind kind, const AcGePoint3d& c, double r, const AcGeVector3d& n,
                                    const AcGeVector3d& startVector, double sweep, AcGiArcType type)
{
    if (aborting())
        return true;
    if (!std::isfinite(r) || r < 0.0 || !std::isfinite(sweep))
        return false;
    const AcGeMatrix3d& m = model();
    AcGeVector3d normal = unitOr(n, AcGeVector3d::kZAxis);
    // The start direction, made perpendicular to the normal.
    AcGeVector3d u = startVector - normal * startVector.dotProduct(normal);
    u = unitOr(u, normal.perpVector());
    AcGeVector3d v = normal.crossProduct(u);
    // Through the transform, the arc's frame stays a frame (a mirror turns it over, and the normal
    // taken from the transformed axes follows).
    AcGeVector3d mu = m * u;
    AcGeVector3d mv = m * v;
    GiPrimitive& p = add(kind, m);
    p.points.push_back(m * c);
    p.radius = r * mu.length();
    p.startVector = unitOr(mu, AcGeVector3d::kXAxis);
    p.normal = unitOr(mu.crossProduct(mv), AcGeVector3d::kZAxis);
    p.sweepAngle = sweep;
    p.arcType = type;
    if (kind == GiPrimitiveKind::kCircularArc) {
        AcGeVector3d wv = p.normal.crossProduct(p.startVector);
        const AcGePoint3d wc = p.points[0];
        p.points.push_back(wc + p.startVector * p.radius);
        p.points.push_back(wc + p.startVector * (p.radius * std::cos(sweep)) + wv * (p.radius * std::sin(sweep)));
    }
    return false;
}

Adesk::Boolean GiRecorderState::text(const AcGePoint3d& pos, const AcGeVector3d& normal, const AcGeVector3d& dir,
                                     std::wstring msg, double height, double width, double oblique,
                                     const AcGiTextStyle* style)
{
    if (aborting())
        return true;
    const AcGeMatrix3d& m = model();
    AcGeVector3d n = unitOr(normal, AcGeVector3d::kZAxis);
    AcGeVector3d d = dir - n * dir.dotProduct(n);
    d = unitOr(d, n.perpVector());
    AcGeVector3d up = n.crossProduct(d);
    AcGeVector3d md = m * d;
    AcGeVector3d mup = m * up;
    double upScale = mup.length();
    double alongScale = md.length();
    GiPrimitive& p = add(GiPrimitiveKind::kText, m);
    p.points.push_back(m * pos);
    p.direction = unitOr(md, AcGeVector3d::kXAxis);
    p.normal = unitOr(md.crossProduct(mup), AcGeVector3d::kZAxis);
    p.text.text = std::move(msg);
    p.text.height = height * upScale;
    // A transform that stretches along the baseline more than across it widens the letters.
    p.text.widthFactor = upScale > kZeroLength ? width * alongScale / upScale : width;
    p.text.obliqueAngle = oblique;
    if (style != nullptr) {
        p.text.fontFile = style->fileName();
        p.text.bigFontFile = style->bigFontFileName();
        p.text.styleName = style->styleName();
        p.text.backward = style->isBackward();
        p.text.upsideDown = style->isUpsideDown();
        p.text.vertical = style->isVertical();
    } else {
        p.text.fontFile = L"txt";
    }
    return false;
}

void GiRecorderState::runDrawable(AcGiDrawable* d)
{
    Adesk::UInt32 flags = d->setAttributes(&traits);
    (void)flags;
    if (!d->worldDraw(rec))
        d->viewportDraw(viewportDraw.get());
}

Adesk::Boolean GiRecorderState::drawNested(AcGiDrawable* d)
{
    if (aborting())
        return true;
    if (d == nullptr)
        return false;
    GiTraits saved = traits.traits;
    AcDbObjectId savedNested = nestedDrawableId;
    size_t depth = transforms.size();
    ++nesting;
    nestedDrawableId = d->id();
    runDrawable(d);
    --nesting;
    nestedDrawableId = savedNested;
    traits.traits = saved;
    if (transforms.size() != depth) {
        reportMisuse("a drawable left model transforms pushed");
        transforms.resize(depth);
    }
    return aborting();
}

void GiRecorderState::drawTop(AcGiDrawable* d)
{
    transforms.assign(1, AcGeMatrix3d::kIdentity);
    traits.traits = GiTraits();
    nesting = 0;
    drawableId = d->id();
    nestedDrawableId = AcDbObjectId();
    runDrawable(d);
    if (transforms.size() != 1) {
        reportMisuse("a drawable left model transforms pushed");
        transforms.assign(1, AcGeMatrix3d::kIdentity);
    }
    drawableId = AcDbObjectId();
}

// ----- GiRecorder ---------------------------------------------------------------------------------

GiRecorder::GiRecorder(AcDbDatabase* db)
    : m_state(std::make_unique<GiRecorderState>(this)),
      m_database(db != nullptr ? db : acdbHostApplicationServices()->workingDatabase())
{
}

GiRecorder::~GiRecorder() = default;

void GiRecorder::drawEntity(AcGiDrawable* drawable)
{
    if (drawable != nullptr)
        m_state->drawTop(drawable);
}

void GiRecorder::clear()
{
    m_primitives.clear();
}

bool GiRecorder::extents(AcDbExtents& extents) const
{
    AcDbExtents box;
    bool any = false;
    for (const GiPrimitive& p : m_primitives) {
        AcDbExtents one;
        if (primitiveExtents(p, one)) {
            box.addExt(one);
            any = true;
        }
    }
    if (any)
        extents = box;
    return any;
}

AcGiSubEntityTraits& GiRecorder::subEntityTraits() const
{
    return m_state->traits;
}

AcGiGeometry* GiRecorder::rawGeometry() const
{
    return m_state->geometry.get();
}

AcGiContext* GiRecorder::context()
{
    return &m_state->context;
}

double GiRecorder::deviation(const AcGiDeviationType, const AcGePoint3d&) const
{
    return m_deviation;
}

AcGiWorldGeometry& GiRecorder::geometry() const
{
    return *m_state->geometry;
}

void GiRecorder::setPlineHandler(PlineHandler handler)
{
    g_plineHandler = handler;
}

GiRecorder::PlineHandler GiRecorder::plineHandler()
{
    return g_plineHandler;
}

// ----- Reading the record -------------------------------------------------------------------------

void textCorners(const GiPrimitive& text, AcGePoint3d corners[4])
{
    const FontFace* face = findFontFace(toUtf8(text.text.fontFile));
    TextBox box = measureText(face, toUtf8(text.text.text), text.text.height, text.text.widthFactor);
    AcGeVector3d dir = unitOr(text.direction, AcGeVector3d::kXAxis);
    AcGeVector3d up = unitOr(text.normal.crossProduct(dir), AcGeVector3d::kYAxis);
    const double shear = std::tan(text.text.obliqueAngle);
    const double xs[4] = {box.left, box.right, box.right, box.left};
    const double ys[4] = {box.bottom, box.bottom, box.top, box.top};
    for (int i = 0; i < 4; ++i) {
        double x = xs[i] + ys[i] * shear;
        double y = ys[i];
        if (text.text.backward)
            x = -x;
        if (text.text.upsideDown)
            y = -y;
        corners[i] = text.points[0] + dir * x + up * y;
    }
}

bool primitiveExtents(const GiPrimitive& p, AcDbExtents& extents)
{
    AcDbExtents box;
    switch (p.kind) {
    case GiPrimitiveKind::kXline:
    case GiPrimitiveKind::kRay:
        return false;
    case GiPrimitiveKind::kCircle:
    case GiPrimitiveKind::kCircularArc: {
        if (p.points.empty())
            return false;
        AcGeVector3d u = unitOr(p.startVector, AcGeVector3d::kXAxis);
        AcGeVector3d v = p.normal.crossProduct(u);
        double sweep = p.kind == GiPrimitiveKind::kCircle ? 2.0 * std::numbers::pi : p.sweepAngle;
        addArcExtents(box, p.points[0], p.radius, u, v, 0.0, sweep);
        if (p.kind == GiPrimitiveKind::kCircularArc && p.arcType == kAcGiArcSector)
            box.addPoint(p.points[0]);
        break;
    }
    case GiPrimitiveKind::kText: {
        if (p.points.empty())
            return false;
        AcGePoint3d corners[4];
        textCorners(p, corners);
        for (const AcGePoint3d& c : corners)
            box.addPoint(c);
        break;
    }
    default:
        for (const AcGePoint3d& pt : p.points)
            box.addPoint(pt);
        break;
    }
    if (!box.isValid())
        return false;
    extents = box;
    return true;
}

Adesk::UInt16 effectiveColorIndex(const GiTraits& traits, Adesk::UInt16 blockColorIndex)
{
    const AcCmEntityColor& c = traits.color;
    switch (c.colorMethod()) {
    case AcCmEntityColor::kByLayer: {
        const auto* layer = AcDbLayerTableRecord::cast(objectOf(traits.layerId));
        if (layer == nullptr)
            return 7;
        // Read without opening: a plot must not disturb what a command holds open.
        Adesk::Int16 index = ObjectAccess::layerColor(layer).entityColor().colorIndex();
        return (index >= 1 && index <= 255) ? static_cast<Adesk::UInt16>(index) : 7;
    }
    case AcCmEntityColor::kByBlock:
        return blockColorIndex;
    case AcCmEntityColor::kByColor:
    case AcCmEntityColor::kByACI: {
        Adesk::Int16 index = c.colorIndex();
        return (index >= 1 && index <= 255) ? static_cast<Adesk::UInt16>(index) : 7;
    }
    default:
        return 7;
    }
}

}  // namespace kelvora
