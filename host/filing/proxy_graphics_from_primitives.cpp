// Recorded primitives as a proxy graphics stream: what a custom entity's saveAs draws, in the form a DXF file stores.
#include "kelvora/proxy_graphics_adapter.h"

#include "dbmain.h"
#include "kelvora/dxf_encoding.h"
#include "kelvora/float_compare.h"
#include "kelvora/wide_text.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace kelvora {

namespace {

ProxyPoint proxyPoint(const AcGePoint3d& p)
{
    return {p.x, p.y, p.z};
}

ProxyPoint proxyVector(const AcGeVector3d& v)
{
    return {v.x, v.y, v.z};
}

std::unordered_map<Adesk::IntPtr, std::uint32_t> indexOf(const std::vector<AcDbObjectId>& order)
{
    std::unordered_map<Adesk::IntPtr, std::uint32_t> index;
    for (std::size_t i = 0; i < order.size(); ++i)
        index.emplace(order[i].asOldId(), static_cast<std::uint32_t>(i));
    return index;
}

// The save an entity's saveAs is told of, for a file version.
AcDb::SaveType saveTypeOf(std::string_view acadVer)
{
    if (acadVer < std::string_view("AC1018"))
        return AcDb::k2000Save;
    if (acadVer < kDxfFirstUtf8Version)
        return AcDb::k2004Save;
    return AcDb::k2007Save;
}

// Writes the traits of each primitive where they differ from the last ones written.
class TraitWriter {
public:
    TraitWriter(const GiTraits& base, AcDbDatabase* db, ProxyGraphicsWriter& writer)
        : m_current(base), m_layers(indexOf(proxyLayerOrder(db))), m_linetypes(indexOf(proxyLinetypeOrder(db))),
          m_writer(writer)
    {
    }

    void apply(const GiTraits& t)
    {
        if (t.color != m_current.color) {
            const AcCmEntityColor& c = t.color;
            m_writer.color(c.colorIndex());
            if (c.isByColor())
                m_writer.trueColor(proxyRgb(c.red(), c.green(), c.blue()));
        }
        if (t.layerId != m_current.layerId) {
            if (const auto it = m_layers.find(t.layerId.asOldId()); it != m_layers.end())
                m_writer.layer(it->second);
        }
        if (t.linetypeId != m_current.linetypeId) {
            if (const auto it = m_linetypes.find(t.linetypeId.asOldId()); it != m_linetypes.end())
                m_writer.linetype(it->second);
        }
        if (t.lineWeight != m_current.lineWeight)
            m_writer.lineweight(static_cast<std::int32_t>(t.lineWeight));
        // Stored values compared with what was written: any difference is written again.
        if (!exactlyEqual(t.linetypeScale, m_current.linetypeScale))
            m_writer.linetypeScale(t.linetypeScale);
        if (!exactlyEqual(t.thickness, m_current.thickness))
            m_writer.thickness(t.thickness);
        if (t.fillType != m_current.fillType)
            m_writer.fillType(t.fillType == kAcGiFillAlways ? ProxyFill::kOn : ProxyFill::kOff);
        m_current = t;
    }

private:
    GiTraits m_current;
    std::unordered_map<Adesk::IntPtr, std::uint32_t> m_layers;
    std::unordered_map<Adesk::IntPtr, std::uint32_t> m_linetypes;
    ProxyGraphicsWriter& m_writer;
};

void writeText(const GiPrimitive& p, std::string_view acadVer, ProxyGraphicsWriter& writer)
{
    if (p.points.empty())
        return;
    const bool unicode = isDxfUtf8Version(acadVer);
    ProxyText t;
    t.position = proxyPoint(p.points[0]);
    t.normal = proxyVector(p.normal);
    t.direction = proxyVector(p.direction);
    t.height = p.text.height;
    t.widthFactor = p.text.widthFactor;
    t.obliqueRad = p.text.obliqueAngle;
    // Letter spacing as the style sets it: the recorder keeps none, so the normal spacing.
    t.trackingPercent = 1.0;
    t.rawFlag = 1;
    t.backwards = p.text.backward;
    t.upsideDown = p.text.upsideDown;
    t.vertical = p.text.vertical;
    const std::string text = toUtf8(p.text.text);
    t.text = unicode ? text : encodeDxfText(text, acadVer);
    t.fontFile = toUtf8(p.text.fontFile);
    t.bigFontFile = toUtf8(p.text.bigFontFile);
    writer.text(unicode ? ProxyCommand::kUnicodeText2 : ProxyCommand::kText2, t);
}

void writePrimitive(const GiPrimitive& p, std::string_view acadVer, ProxyGraphicsWriter& writer)
{
    std::vector<ProxyPoint> points;
    points.reserve(p.points.size());
    for (const AcGePoint3d& point : p.points)
        points.push_back(proxyPoint(point));
    switch (p.kind) {
    case GiPrimitiveKind::kPolyline:
        writer.polyline(points);
        break;
    case GiPrimitiveKind::kPolygon:
        writer.polygon(points);
        break;
    case GiPrimitiveKind::kPolypoint:
        for (const ProxyPoint& point : points)
            writer.polyline(std::span<const ProxyPoint>(&point, 1));
        break;
    case GiPrimitiveKind::kCircle:
        if (!points.empty())
            writer.circle(points[0], p.radius, proxyVector(p.normal));
        break;
    case GiPrimitiveKind::kCircularArc:
        if (!points.empty())
            writer.circularArc(points[0], p.radius, proxyVector(p.normal), proxyVector(p.startVector), p.sweepAngle,
                               static_cast<ProxyArcType>(p.arcType));
        break;
    case GiPrimitiveKind::kText:
        writeText(p, acadVer, writer);
        break;
    case GiPrimitiveKind::kXline:
        if (points.size() >= 2)
            writer.xline(points[0], points[1]);
        break;
    case GiPrimitiveKind::kRay:
        if (points.size() >= 2)
            writer.ray(points[0], points[1]);
        break;
    case GiPrimitiveKind::kExtentsHint:
        if (points.size() >= 2) {
            const ProxyPoint lo{std::min(points[0].x, points[1].x), std::min(points[0].y, points[1].y),
                                std::min(points[0].z, points[1].z)};
            const ProxyPoint hi{std::max(points[0].x, points[1].x), std::max(points[0].y, points[1].y),
                                std::max(points[0].z, points[1].z)};
            writer.extents(lo, hi);
        }
        break;
    }
}

// Draws the entity's save graphics in place of its display graphics, as it stands.
class SavedGraphics final : public AcGiDrawable {
public:
    SavedGraphics(AcDbEntity* entity, AcDb::SaveType saveType) : m_entity(entity), m_saveType(saveType) {}
    Adesk::UInt32 setAttributes(AcGiDrawableTraits* traits) override { return m_entity->setAttributes(traits); }
    Adesk::Boolean worldDraw(AcGiWorldDraw* mode) override
    {
        m_entity->saveAs(mode, m_saveType);
        return Adesk::kTrue;
    }
    void viewportDraw(AcGiViewportDraw*) override {}
    Adesk::Boolean isPersistent() const override { return m_entity->isPersistent(); }
    AcDbObjectId id() const override { return m_entity->id(); }

private:
    AcDbEntity* m_entity;
    AcDb::SaveType m_saveType;
};

// What the entity's own setAttributes gives: the traits a reader starts a stream from.
class BaseTraits final : public AcGiDrawableTraits {
public:
    GiTraits traits;
    void setColor(const Adesk::UInt16 color) override { traits.color.setColorIndex(static_cast<Adesk::Int16>(color)); }
    void setTrueColor(const AcCmEntityColor& color) override { traits.color = color; }
    void setLayer(const AcDbObjectId layerId) override { traits.layerId = layerId; }
    void setLineType(const AcDbObjectId linetypeId) override { traits.linetypeId = linetypeId; }
    void setSelectionMarker(const Adesk::LongPtr) override {}
    void setFillType(const AcGiFillType fillType) override { traits.fillType = fillType; }
    void setLineWeight(const AcDb::LineWeight lw) override { traits.lineWeight = lw; }
    void setLineTypeScale(double scale) override { traits.linetypeScale = scale; }
    void setThickness(double thickness) override { traits.thickness = thickness; }
    Adesk::UInt16 color() const override { return static_cast<Adesk::UInt16>(traits.color.colorIndex()); }
    AcCmEntityColor trueColor() const override { return traits.color; }
    AcDbObjectId layerId() const override { return traits.layerId; }
    AcDbObjectId lineTypeId() const override { return traits.linetypeId; }
    AcGiFillType fillType() const override { return traits.fillType; }
    AcDb::LineWeight lineWeight() const override { return traits.lineWeight; }
    double lineTypeScale() const override { return traits.linetypeScale; }
    double thickness() const override { return traits.thickness; }
};

}  // namespace

void writeProxyGraphics(std::span<const GiPrimitive> primitives, const GiTraits& base, AcDbDatabase* db,
                        std::string_view acadVer, ProxyGraphicsWriter& writer)
{
    TraitWriter traits(base, db, writer);
    for (const GiPrimitive& p : primitives) {
        traits.apply(p.traits);
        writePrimitive(p, acadVer, writer);
    }
}

std::vector<std::uint8_t> entityProxyGraphics(AcDbEntity* entity, std::string_view acadVer)
{
    if (entity == nullptr)
        return {};
    AcDbDatabase* db = entity->database();
    GiRecorder recorder(db);
    recorder.setRegenType(kAcGiSaveWorldDrawForProxy);
    SavedGraphics saved(entity, saveTypeOf(acadVer));
    recorder.drawEntity(&saved);
    if (recorder.primitives().empty())
        return {};
    BaseTraits base;
    entity->setAttributes(&base);
    ProxyGraphicsWriter writer;
    writeProxyGraphics(recorder.primitives(), base.traits, recorder.database(), acadVer, writer);
    return writer.bytes();
}

}  // namespace kelvora
