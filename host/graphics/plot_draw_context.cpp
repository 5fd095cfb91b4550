// The draw context of a plot: the recorder's primitives, with inherited traits for nested drawables and the facts of each emitter.
#include "plot_draw_context.h"

#include "plot_layers.h"

#include "dbents.h"
#include "dbpl.h"
#include "kelvora/float_compare.h"
#include "kelvora/ocs.h"

#include <cmath>

namespace kelvora {

namespace {

// The traits a nested drawable may inherit: those in effect where it is drawn.
struct ParentTraits {
    AcCmEntityColor colour;
    AcDbObjectId layerId;
    AcDb::LineWeight lineWeight = AcDb::kLnWtByLayer;
    AcDbObjectId linetypeId;
};

bool hasWidth(const AcDbPolyline& polyline)
{
    for (unsigned int i = 0; i < polyline.numVerts(); ++i) {
        double start = 0.0;
        double end = 0.0;
        if (polyline.getWidthsAt(i, start, end) == Acad::eOk && (start > 0.0 || end > 0.0))
            return true;
    }
    return false;
}

}  // namespace

// Everything goes to the recorder's geometry; only draw() wraps the drawable first.
class PlotDrawContext::Geometry final : public AcGiWorldGeometry {
public:
    explicit Geometry(PlotDrawContext& context) : m_context(context) {}

    void getModelToWorldTransform(AcGeMatrix3d& mx) const override { target().getModelToWorldTransform(mx); }
    void getWorldToModelTransform(AcGeMatrix3d& mx) const override { target().getWorldToModelTransform(mx); }
    Adesk::Boolean pushModelTransform(const AcGeVector3d& vNormal) override
    {
        return target().pushModelTransform(vNormal);
    }
    Adesk::Boolean pushModelTransform(const AcGeMatrix3d& xMat) override { return target().pushModelTransform(xMat); }
    Adesk::Boolean popModelTransform() override { return target().popModelTransform(); }
    Adesk::Boolean circle(const AcGePoint3d& center, const double radius, const AcGeVector3d& normal) const override
    {
        return target().circle(center, radius, normal);
    }
    Adesk::Boolean circle(const AcGePoint3d& p1, const AcGePoint3d& p2, const AcGePoint3d& p3) const override
    {
        return target().circle(p1, p2, p3);
    }
    Adesk::Boolean circularArc(const AcGePoint3d& center, const double radius, const AcGeVector3d& normal,
                               const AcGeVector3d& startVector, const double sweepAngle,
                               const AcGiArcType arcType) const override
    {
        return target().circularArc(center, radius, normal, startVector, sweepAngle, arcType);
    }
    Adesk::Boolean circularArc(const AcGePoint3d& start, const AcGePoint3d& point, const AcGePoint3d& end,
                               const AcGiArcType arcType) const override
    {
        return target().circularArc(start, point, end, arcType);
    }
    Adesk::Boolean polyline(const Adesk::UInt32 nbPoints, const AcGePoint3d* pVertexList, const AcGeVector3d* pNormal,
                            Adesk::LongPtr lBaseSubEntMarker) const override
    {
        return target().polyline(nbPoints, pVertexList, pNormal, lBaseSubEntMarker);
    }
    Adesk::Boolean polygon(const Adesk::UInt32 nbPoints, const AcGePoint3d* pVertexList) const override
    {
        return target().polygon(nbPoints, pVertexList);
    }
    Adesk::Boolean polypoint(const Adesk::UInt32 nbPoints, const AcGePoint3d* pVertexList, const AcGeVector3d* pNormal,
                             const Adesk::LongPtr* pSubEntMarkers) const override
    {
        return target().polypoint(nbPoints, pVertexList, pNormal, pSubEntMarkers);
    }
    Adesk::Boolean text(const AcGePoint3d& position, const AcGeVector3d& normal, const AcGeVector3d& direction,
                        const double height, const double width, const double oblique,
                        const ACHAR* pMsg) const override
    {
        return target().text(position, normal, direction, height, width, oblique, pMsg);
    }
    Adesk::Boolean text(const AcGePoint3d& position, const AcGeVector3d& normal, const AcGeVector3d& direction,
                        const ACHAR* pMsg, const Adesk::Int32 length, const Adesk::Boolean raw,
                        const AcGiTextStyle& pTextStyle) const override
    {
        return target().text(position, normal, direction, pMsg, length, raw, pTextStyle);
    }
    Adesk::Boolean xline(const AcGePoint3d& one, const AcGePoint3d& two) const override
    {
        return target().xline(one, two);
    }
    Adesk::Boolean ray(const AcGePoint3d& start, const AcGePoint3d& point) const override
    {
        return target().ray(start, point);
    }
    Adesk::Boolean pline(const AcDbPolyline& lwBuf, Adesk::UInt32 fromIndex, Adesk::UInt32 numSegs) const override
    {
        return target().pline(lwBuf, fromIndex, numSegs);
    }
    Adesk::Boolean draw(AcGiDrawable* pDrawable) const override;
    Adesk::Boolean worldLine(const AcGePoint3d pnts[2]) override { return target().worldLine(pnts); }
    void setExtents(AcGePoint3d* pNewExtents) const override { target().setExtents(pNewExtents); }

private:
    AcGiWorldGeometry& target() const { return m_context.m_recorder.geometry(); }

    PlotDrawContext& m_context;
};

// A drawable as the recorder sees it: its traits resolved against its parent's (none at the top
// level), and its own drawing done with the plot's context, so that what it draws inside is
// wrapped in turn.
class PlotDrawContext::Wrapped final : public AcGiDrawable {
public:
    Wrapped(PlotDrawContext& context, AcGiDrawable* inner, const ParentTraits* parent)
        : m_context(context), m_inner(inner), m_parent(parent)
    {
    }

    Adesk::UInt32 setAttributes(AcGiDrawableTraits* traits) override
    {
        const Adesk::UInt32 flags = m_inner->setAttributes(traits);
        if ((flags & kDrawableIsInvisible) != 0)
            m_hidden = true;
        if (traits == nullptr || m_parent == nullptr)
            return flags;
        // ByBlock takes the parent's colour as the parent shows it: its layer's when it is ByLayer,
        // whatever layer this drawable is on.
        const PlotLayer* parentLayer = m_context.m_layers.find(m_parent->layerId);
        if (traits->trueColor().isByBlock()) {
            if (m_parent->colour.isByLayer() && parentLayer != nullptr)
                traits->setTrueColor(parentLayer->colour);
            else
                traits->setTrueColor(m_parent->colour);
        }
        if (traits->lineWeight() == AcDb::kLnWtByBlock) {
            if (m_parent->lineWeight == AcDb::kLnWtByLayer && parentLayer != nullptr)
                traits->setLineWeight(parentLayer->lineWeight);
            else
                traits->setLineWeight(m_parent->lineWeight);
        }
        const AcDbObjectId layerId = traits->layerId();
        if (layerId.isNull() || layerId == m_context.m_layers.layerZero())
            traits->setLayer(m_parent->layerId);
        // ByBlock linetype, like the colour, is the parent's as the parent shows it.
        if (!m_context.m_byBlockLinetype.isNull() && traits->lineTypeId() == m_context.m_byBlockLinetype) {
            const AcDbObjectId parentLinetype = m_parent->linetypeId;
            if ((parentLinetype.isNull() || parentLinetype == m_context.m_layers.byLayerLinetype()) &&
                parentLayer != nullptr)
                traits->setLineType(parentLayer->linetypeId);
            else
                traits->setLineType(parentLinetype);
        }
        // A reference on a layer that is off still shows what it holds on other layers.
        const AcDbObjectId shownOn = traits->layerId();
        if (m_context.m_layers.isFrozen(shownOn) ||
            (!m_context.m_layers.isShown(shownOn) && AcDbBlockReference::cast(m_inner) == nullptr))
            m_hidden = true;
        return flags;
    }

    Adesk::Boolean worldDraw(AcGiWorldDraw*) override
    {
        if (m_hidden)
            return Adesk::kTrue;
        const std::uint32_t saved = begin();
        m_facts = m_context.m_current;
        const Adesk::Boolean done = m_inner->worldDraw(&m_context);
        end(saved);
        return done;
    }

    void viewportDraw(AcGiViewportDraw* vd) override
    {
        if (m_hidden)
            return;
        m_context.tagRecorded();
        const std::uint32_t saved = m_context.m_current;
        m_context.m_current = m_facts;
        m_inner->viewportDraw(vd);
        end(saved);
    }

    Adesk::Boolean isPersistent() const override { return m_inner->isPersistent(); }
    AcDbObjectId id() const override { return m_inner->id(); }

private:
    // What was recorded so far is the parent's; what follows is this drawable's.
    std::uint32_t begin()
    {
        m_context.tagRecorded();
        const std::uint32_t saved = m_context.m_current;
        m_context.m_current = m_context.addFacts(m_inner);
        return saved;
    }

    void end(std::uint32_t saved)
    {
        m_context.tagRecorded();
        m_context.m_current = saved;
    }

    PlotDrawContext& m_context;
    AcGiDrawable* m_inner;
    const ParentTraits* m_parent;
    bool m_hidden = false;
    std::uint32_t m_facts = 0;
};

Adesk::Boolean PlotDrawContext::Geometry::draw(AcGiDrawable* pDrawable) const
{
    if (pDrawable == nullptr)
        return m_context.regenAbort();
    const AcGiSubEntityTraits& traits = m_context.m_recorder.subEntityTraits();
    const ParentTraits parent{traits.trueColor(), traits.layerId(), traits.lineWeight(), traits.lineTypeId()};
    m_context.tagRecorded();
    Wrapped wrapped(m_context, pDrawable, &parent);
    const Adesk::Boolean aborted = target().draw(&wrapped);
    m_context.tagRecorded();
    return aborted;
}

// ----- PlotDrawContext ----------------------------------------------------------------------------

PlotDrawContext::PlotDrawContext(GiRecorder& recorder, const PlotLayers& layers, AcDbObjectId byBlockLinetype)
    : m_recorder(recorder),
      m_layers(layers),
      m_byBlockLinetype(byBlockLinetype),
      // Looked up by name: a hatch is recognised without the plot depending on its class.
      m_hatchClass(acrxFindAcRxClass(L"AcDbHatch")),
      m_geometry(std::make_unique<Geometry>(*this))
{
    clear();
}

PlotDrawContext::~PlotDrawContext() = default;

void PlotDrawContext::drawTop(AcDbEntity* entity)
{
    if (entity == nullptr)
        return;
    tagRecorded();
    Wrapped wrapped(*this, entity, nullptr);
    m_recorder.drawEntity(&wrapped);
    tagRecorded();
}

void PlotDrawContext::clear()
{
    m_recorder.clear();
    m_emitters.clear();
    m_facts.assign(1, EmitterFacts{});
    m_bands.clear();
    m_current = 0;
}

void PlotDrawContext::tagRecorded()
{
    m_emitters.resize(m_recorder.primitives().size(), m_current);
}

std::uint32_t PlotDrawContext::addFacts(AcGiDrawable* drawable)
{
    EmitterFacts facts;
    facts.hatch = m_hatchClass != nullptr && drawable->isKindOf(m_hatchClass);
    facts.polyline = AcDbPolyline::cast(drawable) != nullptr || AcDb2dPolyline::cast(drawable) != nullptr;
    if (const AcDbPolyline* polyline = AcDbPolyline::cast(drawable); polyline != nullptr && hasWidth(*polyline))
        addBand(*polyline, facts);
    m_facts.push_back(facts);
    return static_cast<std::uint32_t>(m_facts.size() - 1);
}

void PlotDrawContext::addBand(const AcDbPolyline& polyline, EmitterFacts& facts)
{
    const unsigned int n = polyline.numVerts();
    if (n < 2)
        return;
    AcGeMatrix3d toWorld;
    m_recorder.geometry().getModelToWorldTransform(toWorld);
    const AcGeVector3d normal = polyline.normal();
    // Widths are measured in the polyline's plane; the transform scales them with that plane.
    const double widthScale = (toWorld * ocsXAxis(normal)).length();
    const bool seenFromBelow = (toWorld * normal).z < 0.0;
    PolylineBand band;
    band.closed = polyline.isClosed();
    band.constant = true;
    for (unsigned int i = 0; i < n; ++i) {
        AcGePoint3d point;
        double bulge = 0.0;
        double start = 0.0;
        double end = 0.0;
        polyline.getPointAt(i, point);
        polyline.getBulgeAt(i, bulge);
        polyline.getWidthsAt(i, start, end);
        const AcGePoint3d world = toWorld * point;
        band.vertices.push_back({{world.x, world.y}, seenFromBelow ? -bulge : bulge});
        band.widths.emplace_back(start * widthScale, end * widthScale);
    }
    const double first = band.widths.front().first;
    for (const auto& [start, end] : band.widths)
        band.constant = band.constant && exactlyEqual(start, first) && exactlyEqual(end, first);
    m_bands.push_back(std::move(band));
    facts.band = static_cast<int>(m_bands.size() - 1);
}

AcGiRegenType PlotDrawContext::regenType() const
{
    return m_recorder.regenType();
}

Adesk::Boolean PlotDrawContext::regenAbort() const
{
    return m_recorder.regenAbort();
}

AcGiSubEntityTraits& PlotDrawContext::subEntityTraits() const
{
    return m_recorder.subEntityTraits();
}

AcGiGeometry* PlotDrawContext::rawGeometry() const
{
    return m_geometry.get();
}

Adesk::Boolean PlotDrawContext::isDragging() const
{
    return m_recorder.isDragging();
}

AcGiContext* PlotDrawContext::context()
{
    return m_recorder.context();
}

Adesk::UInt32 PlotDrawContext::numberOfIsolines() const
{
    return m_recorder.numberOfIsolines();
}

double PlotDrawContext::deviation(const AcGiDeviationType type, const AcGePoint3d& pt) const
{
    return m_recorder.deviation(type, pt);
}

AcGiWorldGeometry& PlotDrawContext::geometry() const
{
    return *m_geometry;
}

}  // namespace kelvora
