// Encodes proxy graphics commands and wraps a stream in the size and 310 groups of an entity.
#include "kelvora/dxf_proxy_graphics.h"

#include "dxf_bit_stream.h"
#include "dxf_utf16.h"
#include "kelvora/assert.h"

#include <bit>

namespace kelvora {

namespace {

constexpr std::size_t kChunkBytes = 127;  // bytes a 310 group holds
constexpr std::string_view kFirstInt64SizeVersion = "AC1027";

bool isZero(double v)
{
    return std::bit_cast<std::uint64_t>(v) == 0;
}

bool isDefaultNormal(const ProxyPoint& n)
{
    return isZero(n.x) && isZero(n.y) && std::bit_cast<std::uint64_t>(n.z) == std::bit_cast<std::uint64_t>(1.0);
}

}  // namespace

void ProxyGraphicsWriter::rl(std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        m_data.push_back(static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF));
}

void ProxyGraphicsWriter::rd(double v)
{
    std::uint64_t u = std::bit_cast<std::uint64_t>(v);
    for (int i = 0; i < 8; ++i)
        m_data.push_back(static_cast<std::uint8_t>((u >> (8 * i)) & 0xFF));
}

void ProxyGraphicsWriter::point(const ProxyPoint& p)
{
    rd(p.x);
    rd(p.y);
    rd(p.z);
}

void ProxyGraphicsWriter::points(std::span<const ProxyPoint> ps)
{
    rl(static_cast<std::uint32_t>(ps.size()));
    for (const ProxyPoint& p : ps)
        point(p);
}

void ProxyGraphicsWriter::pad()
{
    while (m_data.size() % 4 != 0)
        m_data.push_back(0);
}

void ProxyGraphicsWriter::ps(std::string_view s)
{
    m_data.insert(m_data.end(), s.begin(), s.end());
    m_data.push_back(0);
    pad();
}

void ProxyGraphicsWriter::pus(std::string_view utf8)
{
    for (std::uint16_t unit : utf8ToUtf16(utf8)) {
        m_data.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        m_data.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    m_data.push_back(0);
    m_data.push_back(0);
    pad();
}

void ProxyGraphicsWriter::begin(ProxyCommand type)
{
    m_commandStart = m_data.size();
    rl(0);  // the size, known at end()
    rl(static_cast<std::uint32_t>(type));
}

void ProxyGraphicsWriter::end()
{
    pad();
    std::uint32_t size = static_cast<std::uint32_t>(m_data.size() - m_commandStart);
    for (int i = 0; i < 4; ++i)
        m_data[m_commandStart + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>((size >> (8 * i)) & 0xFF);
    ++m_count;
}

void ProxyGraphicsWriter::extents(const ProxyPoint& min, const ProxyPoint& max)
{
    begin(ProxyCommand::kExtents);
    point(min);
    point(max);
    end();
}

void ProxyGraphicsWriter::circle(const ProxyPoint& centre, double radius, const ProxyPoint& normal)
{
    begin(ProxyCommand::kCircle);
    point(centre);
    rd(radius);
    point(normal);
    end();
}

void ProxyGraphicsWriter::circle3p(const ProxyPoint& a, const ProxyPoint& b, const ProxyPoint& c)
{
    begin(ProxyCommand::kCircle3p);
    point(a);
    point(b);
    point(c);
    end();
}

void ProxyGraphicsWriter::circularArc(const ProxyPoint& centre, double radius, const ProxyPoint& normal,
                                      const ProxyPoint& startVector, double sweepRad, ProxyArcType type)
{
    begin(ProxyCommand::kCircularArc);
    point(centre);
    rd(radius);
    point(normal);
    point(startVector);
    rd(sweepRad);
    rl(static_cast<std::uint32_t>(type));
    end();
}

void ProxyGraphicsWriter::circularArc3p(const ProxyPoint& start, const ProxyPoint& onArc, const ProxyPoint& endPoint,
                                        ProxyArcType type)
{
    begin(ProxyCommand::kCircularArc3p);
    point(start);
    point(onArc);
    point(endPoint);
    rl(static_cast<std::uint32_t>(type));
    end();
}

void ProxyGraphicsWriter::polyline(std::span<const ProxyPoint> ps)
{
    begin(ProxyCommand::kPolyline);
    points(ps);
    end();
}

void ProxyGraphicsWriter::polygon(std::span<const ProxyPoint> ps)
{
    begin(ProxyCommand::kPolygon);
    points(ps);
    end();
}

void ProxyGraphicsWriter::polylineWithNormal(std::span<const ProxyPoint> ps, const ProxyPoint& normal)
{
    begin(ProxyCommand::kPolylineWithNormal);
    points(ps);
    point(normal);
    end();
}

void ProxyGraphicsWriter::mesh(std::uint32_t rows, std::uint32_t columns, std::span<const ProxyPoint> ps)
{
    KELVORA_ASSERT(std::uint64_t{rows} * columns == ps.size(), "a mesh has rows x columns vertices");
    begin(ProxyCommand::kMesh);
    rl(rows);
    rl(columns);
    for (const ProxyPoint& p : ps)
        point(p);
    // No edge, face or vertex traits.
    rl(0);
    rl(0);
    rl(0);
    end();
}

void ProxyGraphicsWriter::shell(std::span<const ProxyPoint> ps, std::span<const std::int32_t> faceList)
{
    begin(ProxyCommand::kShell);
    points(ps);
    rl(static_cast<std::uint32_t>(faceList.size()));
    for (std::int32_t v : faceList)
        rl(static_cast<std::uint32_t>(v));
    rl(0);
    rl(0);
    rl(0);
    end();
}

void ProxyGraphicsWriter::text(ProxyCommand command, const ProxyText& t)
{
    KELVORA_ASSERT(command == ProxyCommand::kText || command == ProxyCommand::kText2 ||
                       command == ProxyCommand::kUnicodeText || command == ProxyCommand::kUnicodeText2,
                   "a text command");
    bool unicode = command == ProxyCommand::kUnicodeText || command == ProxyCommand::kUnicodeText2;
    bool extended = command == ProxyCommand::kText2 || command == ProxyCommand::kUnicodeText2;
    begin(command);
    point(t.position);
    point(t.normal);
    point(t.direction);
    auto str = [&](std::string_view s) {
        if (unicode)
            pus(s);
        else
            ps(s);
    };
    if (!extended) {
        rd(t.height);
        rd(t.widthFactor);
        rd(t.obliqueRad);
        str(t.text);
        end();
        return;
    }
    str(t.text);
    std::size_t length = unicode ? utf8ToUtf16(t.text).size() : t.text.size();
    rl(static_cast<std::uint32_t>(length));
    rl(static_cast<std::uint32_t>(t.rawFlag));
    rd(t.height);
    rd(t.widthFactor);
    rd(t.obliqueRad);
    rd(t.trackingPercent);
    rl(t.backwards);
    rl(t.upsideDown);
    rl(t.vertical);
    rl(t.underlined);
    rl(t.overlined);
    if (unicode) {
        rl(t.bold);
        rl(t.italic);
        rl(t.charset);
        rl(t.pitchAndFamily);
        str(t.typeface);
    }
    str(t.fontFile);
    str(t.bigFontFile);
    end();
}

void ProxyGraphicsWriter::xline(const ProxyPoint& a, const ProxyPoint& b)
{
    begin(ProxyCommand::kXline);
    point(a);
    point(b);
    end();
}

void ProxyGraphicsWriter::ray(const ProxyPoint& base, const ProxyPoint& through)
{
    begin(ProxyCommand::kRay);
    point(base);
    point(through);
    end();
}

void ProxyGraphicsWriter::lwpolyline(const ProxyLwPolyline& pl)
{
    KELVORA_ASSERT(pl.bulges.empty() || pl.bulges.size() == pl.points.size(), "one bulge a vertex");
    KELVORA_ASSERT(pl.widths.empty() || pl.widths.size() == pl.points.size(), "one width pair a vertex");
    // Flags as the DWG lightweight polyline has them.
    std::uint16_t flags = 0;
    if (!isDefaultNormal(pl.normal))
        flags |= 1;
    if (!isZero(pl.thickness))
        flags |= 2;
    if (!isZero(pl.constantWidth))
        flags |= 4;
    if (!isZero(pl.elevation))
        flags |= 8;
    if (!pl.bulges.empty())
        flags |= 16;
    if (!pl.widths.empty())
        flags |= 32;
    if (pl.closed)
        flags |= 512;
    BitWriter bits;
    bits.bitShort(static_cast<std::int16_t>(flags));
    if (flags & 4)
        bits.bitDouble(pl.constantWidth);
    if (flags & 8)
        bits.bitDouble(pl.elevation);
    if (flags & 2)
        bits.bitDouble(pl.thickness);
    if (flags & 1) {
        bits.bitDouble(pl.normal.x);
        bits.bitDouble(pl.normal.y);
        bits.bitDouble(pl.normal.z);
    }
    bits.bitLong(static_cast<std::int32_t>(pl.points.size()));
    if (flags & 16)
        bits.bitLong(static_cast<std::int32_t>(pl.bulges.size()));
    if (flags & 32)
        bits.bitLong(static_cast<std::int32_t>(pl.widths.size()));
    for (std::size_t i = 0; i < pl.points.size(); ++i) {
        if (i == 0) {
            bits.rawDouble(pl.points[i].first);
            bits.rawDouble(pl.points[i].second);
        } else {
            bits.bitDoubleWithDefault(pl.points[i].first, pl.points[i - 1].first);
            bits.bitDoubleWithDefault(pl.points[i].second, pl.points[i - 1].second);
        }
    }
    for (double b : pl.bulges)
        bits.bitDouble(b);
    for (const auto& [start, endWidth] : pl.widths) {
        bits.bitDouble(start);
        bits.bitDouble(endWidth);
    }
    begin(ProxyCommand::kLwPolyline);
    rl(static_cast<std::uint32_t>(bits.bytes().size()));
    m_data.insert(m_data.end(), bits.bytes().begin(), bits.bytes().end());
    end();
}

void ProxyGraphicsWriter::color(std::int32_t index)
{
    begin(ProxyCommand::kColor);
    rl(static_cast<std::uint32_t>(index));
    end();
}

void ProxyGraphicsWriter::layer(std::uint32_t index)
{
    begin(ProxyCommand::kLayer);
    rl(index);
    end();
}

void ProxyGraphicsWriter::linetype(std::uint32_t index)
{
    begin(ProxyCommand::kLinetype);
    rl(index);
    end();
}

void ProxyGraphicsWriter::marker(std::int32_t value)
{
    begin(ProxyCommand::kMarker);
    rl(static_cast<std::uint32_t>(value));
    end();
}

void ProxyGraphicsWriter::fillType(ProxyFill fill)
{
    begin(ProxyCommand::kFillType);
    rl(static_cast<std::uint32_t>(fill));
    end();
}

void ProxyGraphicsWriter::trueColor(std::uint32_t raw)
{
    begin(ProxyCommand::kTrueColor);
    rl(raw);
    end();
}

void ProxyGraphicsWriter::lineweight(std::int32_t value)
{
    begin(ProxyCommand::kLineweight);
    rl(static_cast<std::uint32_t>(value));
    end();
}

void ProxyGraphicsWriter::linetypeScale(double scale)
{
    begin(ProxyCommand::kLinetypeScale);
    rd(scale);
    end();
}

void ProxyGraphicsWriter::thickness(double value)
{
    begin(ProxyCommand::kThickness);
    rd(value);
    end();
}

void ProxyGraphicsWriter::plotStyle(std::uint32_t type, std::uint32_t id)
{
    begin(ProxyCommand::kPlotStyle);
    rl(type);
    rl(id);
    end();
}

void ProxyGraphicsWriter::pushClip(const ProxyClipBoundary& b)
{
    begin(ProxyCommand::kPushClip);
    point(b.normal);
    point(b.point);
    rl(static_cast<std::uint32_t>(b.points.size()));
    for (const auto& [x, y] : b.points) {
        rd(x);
        rd(y);
    }
    for (double v : b.toClipSpace)
        rd(v);
    for (double v : b.inverseBlockTransform)
        rd(v);
    rl(b.clipFront);
    rl(b.clipBack);
    rd(b.frontZ);
    rd(b.backZ);
    rl(b.drawBoundary);
    end();
}

void ProxyGraphicsWriter::popClip()
{
    begin(ProxyCommand::kPopClip);
    end();
}

void ProxyGraphicsWriter::pushMatrix(const ProxyMatrix& matrix, bool second)
{
    begin(second ? ProxyCommand::kPushMatrix2 : ProxyCommand::kPushMatrix);
    for (double v : matrix)
        rd(v);
    end();
}

void ProxyGraphicsWriter::popMatrix()
{
    begin(ProxyCommand::kPopMatrix);
    end();
}

void ProxyGraphicsWriter::unknown(std::uint32_t type, std::span<const std::uint8_t> data)
{
    m_commandStart = m_data.size();
    rl(0);
    rl(type);
    m_data.insert(m_data.end(), data.begin(), data.end());
    end();
}

std::vector<std::uint8_t> ProxyGraphicsWriter::bytes() const
{
    std::vector<std::uint8_t> out;
    out.reserve(m_data.size() + 8);
    std::uint32_t total = static_cast<std::uint32_t>(m_data.size() + 8);
    for (std::uint32_t v : {total, m_count})
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF));
    out.insert(out.end(), m_data.begin(), m_data.end());
    return out;
}

std::vector<DxfTag> proxyGraphicsTags(std::span<const std::uint8_t> data, std::string_view acadVer)
{
    std::vector<DxfTag> out;
    if (data.empty())
        return out;
    int sizeCode = acadVer >= kFirstInt64SizeVersion ? 160 : 92;
    out.push_back(makeDxfIntegerTag(sizeCode, static_cast<std::int64_t>(data.size())));
    for (std::size_t i = 0; i < data.size(); i += kChunkBytes) {
        std::size_t n = std::min(kChunkBytes, data.size() - i);
        out.emplace_back(310, formatDxfHex(data.data() + i, n));
    }
    return out;
}

bool proxyGraphicsFromTags(std::span<const DxfTag> tags, std::vector<std::uint8_t>& data, std::size_t& used,
                           std::string& error)
{
    used = 0;
    data.clear();
    if (tags.empty() || (tags[0].code != 92 && tags[0].code != 160)) {
        error = "proxy graphics start with their size in group 92 or 160";
        return false;
    }
    std::optional<std::int64_t> size = tags[0].toInteger();
    if (!size || *size < 0) {
        error = "the size of the proxy graphics is not a count of bytes";
        return false;
    }
    std::size_t i = 1;
    for (; i < tags.size() && tags[i].code == 310; ++i) {
        std::optional<std::vector<std::uint8_t>> chunk = tags[i].toBinary();
        if (!chunk) {
            error = "a 310 group of the proxy graphics is not hexadecimal";
            return false;
        }
        data.insert(data.end(), chunk->begin(), chunk->end());
    }
    used = i;
    if (static_cast<std::uint64_t>(*size) != data.size()) {
        error = "the proxy graphics claim " + std::to_string(*size) + " bytes but " + std::to_string(data.size()) +
                " follow";
        return false;
    }
    return true;
}

}  // namespace kelvora
