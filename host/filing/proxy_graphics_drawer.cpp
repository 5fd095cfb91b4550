// A proxy graphics stream drawn back through a world draw: how an entity whose class is absent shows what it last drew.
#include "kelvora/proxy_graphics_adapter.h"

#include "dbapserv.h"
#include "kelvora/dxf_encoding.h"
#include "kelvora/wide_text.h"

#include <cmath>
#include <memory>

namespace kelvora {

namespace {

// Bulges below this bend a segment by less than a millionth of its length: drawn straight.
constexpr double kStraightBulge = 1e-6;

AcGePoint3d point3d(const ProxyPoint& p)
{
    return {p.x, p.y, p.z};
}

AcGeVector3d vector3d(const ProxyPoint& p)
{
    return {p.x, p.y, p.z};
}

bool finite(const ProxyPoint& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

AcGiArcType arcTypeOf(ProxyArcType type)
{
    switch (type) {
    case ProxyArcType::kSector:
        return kAcGiArcSector;
    case ProxyArcType::kChord:
        return kAcGiArcChord;
    default:
        return kAcGiArcSimple;
    }
}

bool isLineWeight(std::int32_t value)
{
    static constexpr std::int32_t kWeights[] = {-3, -2, -1, 0,  5,  9,  13, 15, 18,  20,  25,  30,  35,  40,
                                                50, 53, 60, 70, 80, 90, 100, 106, 120, 140, 158, 200, 211};
    for (std::int32_t w : kWeights)
        if (w == value)
            return true;
    return false;
}

// Turns each command into the world draw's calls; stops drawing once the draw is aborted.
class GiProxySink final : public ProxyGraphicsSink {
public:
    explicit GiProxySink(AcGiWorldDraw* mode) : m_mode(mode), m_geometry(mode->geometry()) {}

    ~GiProxySink() override
    {
        while (m_pushed > 0) {
            m_geometry.popModelTransform();
            --m_pushed;
        }
    }
    GiProxySink(const GiProxySink&) = delete;
    GiProxySink& operator=(const GiProxySink&) = delete;

    void extents(const ProxyPoint& lo, const ProxyPoint& hi) override
    {
        AcGePoint3d box[2] = {point3d(lo), point3d(hi)};
        if (live() && finite(lo) && finite(hi))
            m_geometry.setExtents(box);
    }
    void circle(const ProxyPoint& centre, double radius, const ProxyPoint& normal) override
    {
        if (live())
            note(m_geometry.circle(point3d(centre), radius, vector3d(normal)));
    }
    void circle3p(const ProxyPoint& a, const ProxyPoint& b, const ProxyPoint& c) override
    {
        if (live())
            note(m_geometry.circle(point3d(a), point3d(b), point3d(c)));
    }
    void circularArc(const ProxyPoint& centre, double radius, const ProxyPoint& normal, const ProxyPoint& startVector,
                     double sweepRad, ProxyArcType type) override
    {
        if (live())
            note(m_geometry.circularArc(point3d(centre), radius, vector3d(normal), vector3d(startVector), sweepRad,
                                        arcTypeOf(type)));
    }
    void circularArc3p(const ProxyPoint& start, const ProxyPoint& onArc, const ProxyPoint& end,
                       ProxyArcType type) override
    {
        if (live())
            note(m_geometry.circularArc(point3d(start), point3d(onArc), point3d(end), arcTypeOf(type)));
    }
    void polyline(std::span<const ProxyPoint> points) override
    {
        if (live() && toPoints(points))
            note(m_geometry.polyline(static_cast<Adesk::UInt32>(m_points.size()), m_points.data()));
    }
    void polygon(std::span<const ProxyPoint> points) override
    {
        if (live() && toPoints(points))
            note(m_geometry.polygon(static_cast<Adesk::UInt32>(m_points.size()), m_points.data()));
    }
    void polylineWithNormal(std::span<const ProxyPoint> points, const ProxyPoint& normal) override
    {
        const AcGeVector3d n = vector3d(normal);
        if (live() && toPoints(points))
            note(m_geometry.polyline(static_cast<Adesk::UInt32>(m_points.size()), m_points.data(), &n));
    }
    void mesh(std::uint32_t rows, std::uint32_t columns, std::span<const ProxyPoint> points) override
    {
        if (!live() || static_cast<std::uint64_t>(rows) * columns != points.size())
            return;
        // The mesh's edges: each row, then each column.
        for (std::uint32_t r = 0; r < rows && live(); ++r)
            edgePath(points, r * columns, 1, columns);
        for (std::uint32_t c = 0; c < columns && live(); ++c)
            edgePath(points, c, columns, rows);
    }
    void shell(std::span<const ProxyPoint> points, std::span<const std::int32_t> faceList) override
    {
        // Each face by its outline, holes included: a count (negative for a hole), then indexes.
        std::size_t i = 0;
        while (i < faceList.size() && live()) {
            const std::int64_t count = std::llabs(static_cast<std::int64_t>(faceList[i]));
            ++i;
            if (count == 0 || static_cast<std::uint64_t>(count) > faceList.size() - i)
                return;
            m_points.clear();
            for (std::int64_t k = 0; k < count; ++k, ++i) {
                const std::int32_t index = faceList[i];
                if (index < 0 || static_cast<std::size_t>(index) >= points.size())
                    return;
                m_points.push_back(point3d(points[static_cast<std::size_t>(index)]));
            }
            m_points.push_back(m_points.front());
            note(m_geometry.polyline(static_cast<Adesk::UInt32>(m_points.size()), m_points.data()));
        }
    }
    void text(ProxyCommand command, const ProxyText& t) override
    {
        if (!live())
            return;
        const bool unicode = command == ProxyCommand::kUnicodeText || command == ProxyCommand::kUnicodeText2;
        const std::wstring message = fromUtf8(unicode ? t.text : decodeCodePage(t.text));
        const AcGePoint3d position = point3d(t.position);
        const AcGeVector3d normal = vector3d(t.normal);
        const AcGeVector3d direction = vector3d(t.direction);
        if (command == ProxyCommand::kText || command == ProxyCommand::kUnicodeText) {
            note(m_geometry.text(position, normal, direction, t.height, t.widthFactor, t.obliqueRad, message.c_str()));
            return;
        }
        const std::wstring font = fromUtf8(unicode ? t.fontFile : decodeCodePage(t.fontFile));
        const std::wstring bigFont = fromUtf8(unicode ? t.bigFontFile : decodeCodePage(t.bigFontFile));
        const double tracking = std::isfinite(t.trackingPercent) && t.trackingPercent > 0.0 ? t.trackingPercent : 1.0;
        AcGiTextStyle style(font.empty() ? L"txt" : font.c_str(), bigFont.c_str(), t.height, t.widthFactor,
                            t.obliqueRad, tracking, t.backwards, t.upsideDown, t.vertical, t.overlined, t.underlined);
        if (command == ProxyCommand::kUnicodeText2 && !t.typeface.empty())
            style.setFont(fromUtf8(t.typeface).c_str(), t.bold, t.italic, static_cast<int>(t.charset),
                          static_cast<int>(t.pitchAndFamily));
        note(m_geometry.text(position, normal, direction, message.c_str(), -1, t.rawFlag != 0, style));
    }
    void xline(const ProxyPoint& a, const ProxyPoint& b) override
    {
        if (live())
            note(m_geometry.xline(point3d(a), point3d(b)));
    }
    void ray(const ProxyPoint& base, const ProxyPoint& through) override
    {
        if (live())
            note(m_geometry.ray(point3d(base), point3d(through)));
    }
    void lwpolyline(const ProxyLwPolyline& pl) override;

    void color(std::int32_t index) override
    {
        if (index >= 0 && index <= 256)
            m_mode->subEntityTraits().setColor(static_cast<Adesk::UInt16>(index));
    }
    void trueColor(std::uint32_t raw) override
    {
        AcCmEntityColor colour;
        if (colour.setColor(raw) == Acad::eOk)
            m_mode->subEntityTraits().setTrueColor(colour);
    }
    void layer(std::uint32_t index) override
    {
        if (!m_layersRead) {
            m_layers = proxyLayerOrder(database());
            m_layersRead = true;
        }
        if (index < m_layers.size())
            m_mode->subEntityTraits().setLayer(m_layers[index]);
    }
    void linetype(std::uint32_t index) override
    {
        if (!m_linetypesRead) {
            m_linetypes = proxyLinetypeOrder(database());
            m_linetypesRead = true;
        }
        if (index < m_linetypes.size())
            m_mode->subEntityTraits().setLineType(m_linetypes[index]);
    }
    void marker(std::int32_t marker) override { m_mode->subEntityTraits().setSelectionMarker(marker); }
    void fillType(ProxyFill fill) override
    {
        m_mode->subEntityTraits().setFillType(fill == ProxyFill::kOn ? kAcGiFillAlways : kAcGiFillNever);
    }
    void lineweight(std::int32_t weight) override
    {
        if (isLineWeight(weight))
            m_mode->subEntityTraits().setLineWeight(static_cast<AcDb::LineWeight>(weight));
    }
    void linetypeScale(double scale) override
    {
        if (std::isfinite(scale) && scale > 0.0)
            m_mode->subEntityTraits().setLineTypeScale(scale);
    }
    void thickness(double value) override
    {
        if (std::isfinite(value))
            m_mode->subEntityTraits().setThickness(value);
    }
    void pushMatrix(const ProxyMatrix& m, bool) override
    {
        AcGeMatrix3d matrix;
        for (unsigned int row = 0; row < 4; ++row) {
            for (unsigned int col = 0; col < 4; ++col) {
                const double v = m[row * 4 + col];
                if (!std::isfinite(v))
                    return;
                matrix(row, col) = v;
            }
        }
        m_geometry.pushModelTransform(matrix);
        ++m_pushed;
    }
    void popMatrix() override
    {
        if (m_pushed == 0)
            return;
        m_geometry.popModelTransform();
        --m_pushed;
    }

private:
    bool live() const { return !m_aborted; }
    void note(Adesk::Boolean aborted) { m_aborted = m_aborted || aborted; }

    AcDbDatabase* database() const
    {
        AcGiContext* context = m_mode->context();
        if (context != nullptr && context->database() != nullptr)
            return context->database();
        return acdbHostApplicationServices()->workingDatabase();
    }

    // The text of a command before Unicode: Windows-1252 with \U+ escapes, as those files are.
    std::string decodeCodePage(const std::string& bytes)
    {
        if (DxfTextDecoder::isPlain(bytes))
            return bytes;
        if (!m_decoder)
            m_decoder = std::make_unique<DxfTextDecoder>("AC1015", kDxfDefaultCodePage);
        DxfDecodeNotes notes;
        return m_decoder->decode(bytes, notes);
    }

    bool toPoints(std::span<const ProxyPoint> points)
    {
        m_points.clear();
        for (const ProxyPoint& p : points)
            m_points.push_back(point3d(p));
        return !m_points.empty();
    }

    void edgePath(std::span<const ProxyPoint> points, std::size_t first, std::size_t stride, std::size_t count)
    {
        m_points.clear();
        for (std::size_t k = 0; k < count; ++k)
            m_points.push_back(point3d(points[first + k * stride]));
        if (m_points.size() >= 2)
            note(m_geometry.polyline(static_cast<Adesk::UInt32>(m_points.size()), m_points.data()));
    }

    AcGiWorldDraw* m_mode;
    AcGiWorldGeometry& m_geometry;
    std::vector<AcGePoint3d> m_points;
    std::vector<AcDbObjectId> m_layers;
    std::vector<AcDbObjectId> m_linetypes;
    bool m_layersRead = false;
    bool m_linetypesRead = false;
    std::unique_ptr<DxfTextDecoder> m_decoder;
    int m_pushed = 0;
    bool m_aborted = false;
};

// A lightweight polyline in its plane (the normal's OCS at its elevation): straight runs as
// polylines, bulged segments as arcs. Widths are not drawn: the stream keeps them for readers
// that do.
void GiProxySink::lwpolyline(const ProxyLwPolyline& pl)
{
    const std::size_t n = pl.points.size();
    if (!live() || n == 0)
        return;
    m_geometry.pushModelTransform(vector3d(pl.normal));
    auto at = [&](std::size_t i) {
        return AcGePoint3d(pl.points[i % n].first, pl.points[i % n].second, pl.elevation);
    };
    std::vector<AcGePoint3d> run{at(0)};
    auto flush = [&] {
        if (run.size() >= 2)
            note(m_geometry.polyline(static_cast<Adesk::UInt32>(run.size()), run.data()));
    };
    const std::size_t segments = n == 1 ? 0 : (pl.closed ? n : n - 1);
    for (std::size_t i = 0; i < segments && live(); ++i) {
        const double bulge = i < pl.bulges.size() ? pl.bulges[i] : 0.0;
        const AcGePoint3d a = at(i);
        const AcGePoint3d b = at(i + 1);
        if (!std::isfinite(bulge) || std::fabs(bulge) < kStraightBulge || a.isEqualTo(b)) {
            run.push_back(b);
            continue;
        }
        flush();
        // The arc of the bulge: sweep 4 atan(bulge), its centre on the chord's bisector.
        const double sweep = 4.0 * std::atan(bulge);
        const AcGeVector3d chord = b - a;
        const double half = chord.length() / 2.0;
        const double radius = half / std::sin(std::fabs(sweep) / 2.0);
        const AcGeVector3d left = AcGeVector3d::kZAxis.crossProduct(chord).normal();
        const double toCentre = radius * std::cos(std::fabs(sweep) / 2.0) * (sweep > 0.0 ? 1.0 : -1.0);
        const AcGePoint3d centre = a + chord / 2.0 + left * toCentre;
        note(m_geometry.circularArc(centre, radius, AcGeVector3d::kZAxis, a - centre, sweep));
        run.assign(1, b);
    }
    if (n == 1)
        note(m_geometry.polyline(1, run.data()));
    else
        flush();
    m_geometry.popModelTransform();
}

}  // namespace

bool drawProxyGraphics(std::span<const std::uint8_t> data, AcGiWorldDraw* mode, std::string& error)
{
    if (mode == nullptr) {
        error = "no world draw to draw proxy graphics through";
        return false;
    }
    GiProxySink sink(mode);
    return decodeProxyGraphics(data, sink, error);
}

}  // namespace kelvora
