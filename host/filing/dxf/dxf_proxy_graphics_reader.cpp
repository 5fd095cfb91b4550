// Decodes a proxy graphics stream command by command, checking every size and count against the bytes present.
#include "kelvora/dxf_proxy_graphics.h"

#include "dxf_bit_stream.h"
#include "dxf_utf16.h"

#include <bit>
#include <cstdlib>

namespace kelvora {

namespace {

constexpr std::size_t kPointBytes = 24;

// Reads the data of one command; alignment of padded strings is counted from
// the start of the data, which sits on a 4-byte boundary of the stream.
class Payload {
public:
    explicit Payload(std::span<const std::uint8_t> data) : m_data(data) {}

    std::size_t left() const { return m_data.size() - m_pos; }

    bool rl(std::uint32_t& v)
    {
        if (left() < 4)
            return false;
        v = 0;
        for (int i = 0; i < 4; ++i)
            v |= std::uint32_t{m_data[m_pos + static_cast<std::size_t>(i)]} << (8 * i);
        m_pos += 4;
        return true;
    }

    bool rlSigned(std::int32_t& v)
    {
        std::uint32_t u = 0;
        if (!rl(u))
            return false;
        v = static_cast<std::int32_t>(u);
        return true;
    }

    bool flag(bool& v)
    {
        std::uint32_t u = 0;
        if (!rl(u))
            return false;
        v = u != 0;
        return true;
    }

    bool rd(double& v)
    {
        if (left() < 8)
            return false;
        std::uint64_t u = 0;
        for (int i = 0; i < 8; ++i)
            u |= std::uint64_t{m_data[m_pos + static_cast<std::size_t>(i)]} << (8 * i);
        v = std::bit_cast<double>(u);
        m_pos += 8;
        return true;
    }

    bool point(ProxyPoint& p) { return rd(p.x) && rd(p.y) && rd(p.z); }

    // n points, n checked against the bytes left before anything is allocated.
    bool points(std::uint32_t n, std::vector<ProxyPoint>& out)
    {
        if (n > left() / kPointBytes)
            return false;
        out.resize(n);
        for (ProxyPoint& p : out)
            point(p);
        return true;
    }

    bool countedPoints(std::vector<ProxyPoint>& out)
    {
        std::uint32_t n = 0;
        return rl(n) && points(n, out);
    }

    bool ps(std::string& s)
    {
        for (std::size_t i = m_pos; i < m_data.size(); ++i) {
            if (m_data[i] != 0)
                continue;
            s.assign(reinterpret_cast<const char*>(m_data.data() + m_pos), i - m_pos);
            m_pos = align(i + 1);
            return true;
        }
        return false;
    }

    bool pus(std::string& s)
    {
        std::vector<std::uint16_t> units;
        for (std::size_t i = m_pos; i + 1 < m_data.size(); i += 2) {
            std::uint16_t u = static_cast<std::uint16_t>(m_data[i] | (m_data[i + 1] << 8));
            if (u != 0) {
                units.push_back(u);
                continue;
            }
            s = utf16ToUtf8(units);
            m_pos = align(i + 2);
            return true;
        }
        return false;
    }

    std::span<const std::uint8_t> rest() const { return m_data.subspan(m_pos); }

private:
    std::size_t align(std::size_t i) const { return std::min(m_data.size(), (i + 3) / 4 * 4); }

    std::span<const std::uint8_t> m_data;
    std::size_t m_pos = 0;
};

bool decodeText(ProxyCommand command, Payload& in, ProxyGraphicsSink& sink)
{
    bool unicode = command == ProxyCommand::kUnicodeText || command == ProxyCommand::kUnicodeText2;
    bool extended = command == ProxyCommand::kText2 || command == ProxyCommand::kUnicodeText2;
    ProxyText t;
    auto str = [&](std::string& s) { return unicode ? in.pus(s) : in.ps(s); };
    if (!in.point(t.position) || !in.point(t.normal) || !in.point(t.direction))
        return false;
    if (!extended) {
        if (!in.rd(t.height) || !in.rd(t.widthFactor) || !in.rd(t.obliqueRad) || !str(t.text))
            return false;
        sink.text(command, t);
        return true;
    }
    std::uint32_t length = 0;
    if (!str(t.text) || !in.rl(length) || !in.rlSigned(t.rawFlag) || !in.rd(t.height) || !in.rd(t.widthFactor) ||
        !in.rd(t.obliqueRad) || !in.rd(t.trackingPercent) || !in.flag(t.backwards) || !in.flag(t.upsideDown) ||
        !in.flag(t.vertical) || !in.flag(t.underlined) || !in.flag(t.overlined))
        return false;
    if (unicode && (!in.flag(t.bold) || !in.flag(t.italic) || !in.rl(t.charset) || !in.rl(t.pitchAndFamily) ||
                    !str(t.typeface)))
        return false;
    if (!str(t.fontFile) || !str(t.bigFontFile))
        return false;
    sink.text(command, t);
    return true;
}

bool decodeShell(Payload& in, ProxyGraphicsSink& sink)
{
    std::vector<ProxyPoint> vertices;
    std::uint32_t entries = 0;
    if (!in.countedPoints(vertices) || !in.rl(entries) || entries > in.left() / 4)
        return false;
    std::vector<std::int32_t> faces(entries);
    for (std::int32_t& f : faces)
        in.rlSigned(f);
    // Every face must name as many vertexes as it says, each one that exists.
    for (std::size_t i = 0; i < faces.size();) {
        std::int64_t n = std::llabs(std::int64_t{faces[i]});
        if (n == 0 || static_cast<std::uint64_t>(n) > faces.size() - i - 1)
            return false;
        for (std::int64_t k = 1; k <= n; ++k) {
            std::int32_t index = faces[i + static_cast<std::size_t>(k)];
            if (index < 0 || static_cast<std::size_t>(index) >= vertices.size())
                return false;
        }
        i += static_cast<std::size_t>(n) + 1;
    }
    sink.shell(vertices, faces);
    return true;
}

bool decodeMesh(Payload& in, ProxyGraphicsSink& sink)
{
    std::uint32_t rows = 0;
    std::uint32_t columns = 0;
    if (!in.rl(rows) || !in.rl(columns))
        return false;
    std::uint64_t n = std::uint64_t{rows} * columns;
    std::vector<ProxyPoint> vertices;
    if (n > in.left() / kPointBytes || !in.points(static_cast<std::uint32_t>(n), vertices))
        return false;
    sink.mesh(rows, columns, vertices);
    return true;
}

bool decodeClip(Payload& in, ProxyGraphicsSink& sink)
{
    ProxyClipBoundary b;
    std::uint32_t n = 0;
    if (!in.point(b.normal) || !in.point(b.point) || !in.rl(n) || n > in.left() / 16)
        return false;
    b.points.resize(n);
    for (auto& [x, y] : b.points)
        if (!in.rd(x) || !in.rd(y))
            return false;
    for (double& v : b.toClipSpace)
        if (!in.rd(v))
            return false;
    for (double& v : b.inverseBlockTransform)
        if (!in.rd(v))
            return false;
    if (!in.flag(b.clipFront) || !in.flag(b.clipBack) || !in.rd(b.frontZ) || !in.rd(b.backZ) ||
        !in.flag(b.drawBoundary))
        return false;
    sink.pushClip(b);
    return true;
}

bool decodeLwPolyline(Payload& in, ProxyGraphicsSink& sink)
{
    std::uint32_t size = 0;
    if (!in.rl(size) || size > in.left())
        return false;
    BitReader bits(in.rest().first(size));
    ProxyLwPolyline pl;
    std::uint16_t flags = static_cast<std::uint16_t>(bits.bitShort());
    if (flags & 4)
        pl.constantWidth = bits.bitDouble();
    if (flags & 8)
        pl.elevation = bits.bitDouble();
    if (flags & 2)
        pl.thickness = bits.bitDouble();
    if (flags & 1) {
        pl.normal.x = bits.bitDouble();
        pl.normal.y = bits.bitDouble();
        pl.normal.z = bits.bitDouble();
    }
    pl.closed = (flags & 512) != 0;
    std::int32_t points = bits.bitLong();
    std::int32_t bulges = (flags & 16) ? bits.bitLong() : 0;
    std::int32_t ids = (flags & 1024) ? bits.bitLong() : 0;
    std::int32_t widths = (flags & 32) ? bits.bitLong() : 0;
    // Each item takes at least two bits: counts beyond that cannot be true.
    std::size_t most = bits.bitsLeft() / 2;
    auto fits = [&](std::int32_t n) { return n >= 0 && static_cast<std::size_t>(n) <= most; };
    if (!bits.ok() || !fits(points) || !fits(bulges) || !fits(ids) || !fits(widths))
        return false;
    // Bulges and widths come one a vertex or not at all.
    if ((bulges != 0 && bulges != points) || (widths != 0 && widths != points))
        return false;
    pl.points.resize(static_cast<std::size_t>(points));
    for (std::size_t i = 0; i < pl.points.size() && bits.ok(); ++i) {
        if (i == 0) {
            pl.points[i].first = bits.rawDouble();
            pl.points[i].second = bits.rawDouble();
        } else {
            pl.points[i].first = bits.bitDoubleWithDefault(pl.points[i - 1].first);
            pl.points[i].second = bits.bitDoubleWithDefault(pl.points[i - 1].second);
        }
    }
    pl.bulges.resize(static_cast<std::size_t>(bulges));
    for (double& b : pl.bulges)
        b = bits.bitDouble();
    for (std::int32_t i = 0; i < ids; ++i)
        bits.bitLong();
    pl.widths.resize(static_cast<std::size_t>(widths));
    for (auto& [start, end] : pl.widths) {
        start = bits.bitDouble();
        end = bits.bitDouble();
    }
    if (!bits.ok())
        return false;
    sink.lwpolyline(pl);
    return true;
}

bool decodeCommand(std::uint32_t type, std::span<const std::uint8_t> data, ProxyGraphicsSink& sink)
{
    Payload in(data);
    ProxyPoint a;
    ProxyPoint b;
    ProxyPoint c;
    double d = 0;
    std::uint32_t u = 0;
    std::int32_t s = 0;
    std::vector<ProxyPoint> ps;
    switch (static_cast<ProxyCommand>(type)) {
    case ProxyCommand::kExtents:
        if (!in.point(a) || !in.point(b))
            return false;
        sink.extents(a, b);
        return true;
    case ProxyCommand::kCircle:
        if (!in.point(a) || !in.rd(d) || !in.point(b))
            return false;
        sink.circle(a, d, b);
        return true;
    case ProxyCommand::kCircle3p:
        if (!in.point(a) || !in.point(b) || !in.point(c))
            return false;
        sink.circle3p(a, b, c);
        return true;
    case ProxyCommand::kCircularArc: {
        ProxyPoint start;
        double sweep = 0;
        // The arc type is missing in some writers' streams: a simple arc then.
        if (!in.point(a) || !in.rd(d) || !in.point(b) || !in.point(start) || !in.rd(sweep))
            return false;
        in.rl(u);
        sink.circularArc(a, d, b, start, sweep, static_cast<ProxyArcType>(u));
        return true;
    }
    case ProxyCommand::kCircularArc3p:
        if (!in.point(a) || !in.point(b) || !in.point(c))
            return false;
        in.rl(u);
        sink.circularArc3p(a, b, c, static_cast<ProxyArcType>(u));
        return true;
    case ProxyCommand::kPolyline:
        if (!in.countedPoints(ps))
            return false;
        sink.polyline(ps);
        return true;
    case ProxyCommand::kPolygon:
        if (!in.countedPoints(ps))
            return false;
        sink.polygon(ps);
        return true;
    case ProxyCommand::kPolylineWithNormal:
        if (!in.countedPoints(ps) || !in.point(a))
            return false;
        sink.polylineWithNormal(ps, a);
        return true;
    case ProxyCommand::kMesh:
        return decodeMesh(in, sink);
    case ProxyCommand::kShell:
        return decodeShell(in, sink);
    case ProxyCommand::kText:
    case ProxyCommand::kText2:
    case ProxyCommand::kUnicodeText:
    case ProxyCommand::kUnicodeText2:
        return decodeText(static_cast<ProxyCommand>(type), in, sink);
    case ProxyCommand::kXline:
        if (!in.point(a) || !in.point(b))
            return false;
        sink.xline(a, b);
        return true;
    case ProxyCommand::kRay:
        if (!in.point(a) || !in.point(b))
            return false;
        sink.ray(a, b);
        return true;
    case ProxyCommand::kLwPolyline:
        return decodeLwPolyline(in, sink);
    case ProxyCommand::kColor:
        if (!in.rlSigned(s))
            return false;
        sink.color(s);
        return true;
    case ProxyCommand::kLayer:
        if (!in.rl(u))
            return false;
        sink.layer(u);
        return true;
    case ProxyCommand::kLinetype:
        if (!in.rl(u))
            return false;
        sink.linetype(u);
        return true;
    case ProxyCommand::kMarker:
        if (!in.rlSigned(s))
            return false;
        sink.marker(s);
        return true;
    case ProxyCommand::kFillType:
        if (!in.rl(u))
            return false;
        sink.fillType(u == 1 ? ProxyFill::kOn : ProxyFill::kOff);
        return true;
    case ProxyCommand::kTrueColor:
        if (!in.rl(u))
            return false;
        sink.trueColor(u);
        return true;
    case ProxyCommand::kLineweight:
        if (!in.rlSigned(s))
            return false;
        sink.lineweight(s);
        return true;
    case ProxyCommand::kLinetypeScale:
        if (!in.rd(d))
            return false;
        sink.linetypeScale(d);
        return true;
    case ProxyCommand::kThickness:
        if (!in.rd(d))
            return false;
        sink.thickness(d);
        return true;
    case ProxyCommand::kPlotStyle: {
        std::uint32_t id = 0;
        if (!in.rl(u) || !in.rl(id))
            return false;
        sink.plotStyle(u, id);
        return true;
    }
    case ProxyCommand::kPushClip:
        return decodeClip(in, sink);
    case ProxyCommand::kPopClip:
        sink.popClip();
        return true;
    case ProxyCommand::kPushMatrix:
    case ProxyCommand::kPushMatrix2: {
        ProxyMatrix m{};
        for (double& v : m)
            if (!in.rd(v))
                return false;
        sink.pushMatrix(m, type == static_cast<std::uint32_t>(ProxyCommand::kPushMatrix2));
        return true;
    }
    case ProxyCommand::kPopMatrix:
        sink.popMatrix();
        return true;
    }
    sink.unknown(type, data);
    return true;
}

}  // namespace

bool decodeProxyGraphics(std::span<const std::uint8_t> data, ProxyGraphicsSink& sink, std::string& error)
{
    constexpr std::size_t kHeaderBytes = 8;
    if (data.size() < kHeaderBytes) {
        error = "proxy graphics shorter than their 8-byte header";
        return false;
    }
    Payload header(data.first(kHeaderBytes));
    std::uint32_t total = 0;
    std::uint32_t count = 0;
    header.rl(total);
    header.rl(count);
    if (total < kHeaderBytes || total > data.size()) {
        error = "proxy graphics claim " + std::to_string(total) + " bytes but " + std::to_string(data.size()) +
                " are present";
        return false;
    }
    // The command count is not used: the sizes of the commands tell where each ends.
    std::size_t pos = kHeaderBytes;
    std::uint32_t index = 0;
    while (pos < total) {
        Payload head(data.subspan(pos, total - pos));
        std::uint32_t size = 0;
        std::uint32_t type = 0;
        if (!head.rl(size) || !head.rl(type)) {
            error = "proxy graphics command " + std::to_string(index) + " is cut short";
            return false;
        }
        if (size < kHeaderBytes || size > total - pos) {
            error = "proxy graphics command " + std::to_string(index) + " (type " + std::to_string(type) +
                    ") claims " + std::to_string(size) + " bytes; " + std::to_string(total - pos) + " are left";
            return false;
        }
        if (!decodeCommand(type, data.subspan(pos + kHeaderBytes, size - kHeaderBytes), sink)) {
            error = "proxy graphics command " + std::to_string(index) + " (type " + std::to_string(type) +
                    ") is malformed";
            return false;
        }
        pos += size;
        ++index;
    }
    return true;
}

}  // namespace kelvora
