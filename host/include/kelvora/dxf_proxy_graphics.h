// Proxy graphics: the binary drawing commands stored with a custom entity so that readers without it can show it.
#pragma once

#include "kelvora/dxf_tag.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kelvora {

// Layout, all little-endian, every command padded to a multiple of 4 bytes:
//
//   RL total size in bytes (this header included) | RL number of commands
//   then per command: RL command size (its 8 header bytes included) | RL type | data
//
// Data use RL (32-bit), RD (double), 3RD (three doubles), PS (bytes ended by a
// zero, padded to 4) and PUS (UTF-16LE ended by two zeros, padded to 4).

enum class ProxyCommand : std::uint32_t {
    kExtents = 1,          // 3RD min, 3RD max
    kCircle = 2,           // 3RD centre, RD radius, 3RD normal
    kCircle3p = 3,         // 3RD, 3RD, 3RD
    kCircularArc = 4,      // 3RD centre, RD radius, 3RD normal, 3RD start vector, RD sweep (rad), RL arc type
    kCircularArc3p = 5,    // 3RD start, 3RD point on the arc, 3RD end, RL arc type
    kPolyline = 6,         // RL n, n x 3RD
    kPolygon = 7,          // RL n, n x 3RD
    kMesh = 8,             // RL rows, RL columns, rows*columns x 3RD, RL edge/face/vertex trait flags
    kShell = 9,            // RL n, n x 3RD, RL face list size, face list, RL edge/face/vertex trait flags
    kText = 10,            // 3RD position, 3RD normal, 3RD direction, RD height, RD width, RD oblique, PS text
    kText2 = 11,           // 3RD x3, PS text, RL length, RL raw, RD x4, RL x5 flags, PS font, PS big font
    kXline = 12,           // 3RD, 3RD
    kRay = 13,             // 3RD base, 3RD through
    kColor = 14,           // RL colour index
    kLayer = 16,           // RL layer index (in the order of the LAYER table)
    kLinetype = 18,        // RL linetype index
    kMarker = 19,          // RL selection marker
    kFillType = 20,        // RL 1 fill on, 2 off
    kTrueColor = 22,       // RL raw colour (0xC2RRGGBB true colour, 0xC3 index, 0xC0 by layer, 0xC1 by block)
    kLineweight = 23,      // RL lineweight (hundredths of a mm; -1 by layer, -2 by block, -3 default)
    kLinetypeScale = 24,   // RD
    kThickness = 25,       // RD
    kPlotStyle = 26,       // RL plot style type, RL plot style id
    kPushClip = 27,        // see ProxyClipBoundary
    kPopClip = 28,         // no data
    kPushMatrix = 29,      // 16 RD, row by row, translation in the last column (AcGeMatrix3d)
    kPushMatrix2 = 30,     // the same
    kPopMatrix = 31,       // no data
    kPolylineWithNormal = 32,  // RL n, n x 3RD, 3RD normal
    kLwPolyline = 33,      // RL bytes, then the DWG bit stream of a lightweight polyline
    kUnicodeText = 36,     // as kText with a PUS text
    kUnicodeText2 = 38,    // as kText2 with PUS strings, plus RL bold, italic, charset, pitch and PUS typeface
};

struct ProxyPoint {
    double x = 0;
    double y = 0;
    double z = 0;
};

enum class ProxyArcType : std::uint32_t { kSimple = 0, kSector = 1, kChord = 2 };
enum class ProxyFill : std::uint32_t { kOn = 1, kOff = 2 };

// One text, for the four text commands. The non-Unicode commands (10, 11) carry
// the text in the drawing's code page: pass ASCII or bytes of that page; the
// Unicode ones (36, 38) take UTF-8 here and store UTF-16.
struct ProxyText {
    ProxyPoint position;
    ProxyPoint normal{0, 0, 1};
    ProxyPoint direction{1, 0, 0};
    double height = 1;
    double widthFactor = 1;
    double obliqueRad = 0;
    std::string text;
    // Only in the "2" commands (11, 38):
    double trackingPercent = 0;
    std::int32_t rawFlag = 0;  // 1: the text is taken as is, without %% codes
    bool backwards = false;
    bool upsideDown = false;
    bool vertical = false;
    bool underlined = false;
    bool overlined = false;
    std::string fontFile;     // e.g. "txt.shx" or "arial.ttf"
    std::string bigFontFile;
    // Only in command 38:
    bool bold = false;
    bool italic = false;
    std::uint32_t charset = 0;
    std::uint32_t pitchAndFamily = 0;
    std::string typeface;
};

// A clip boundary (command 27): the fields of AcGiClipBoundary in order.
// 3RD normal, 3RD point, RL n, n x 2RD, 16 RD to-clip-space, 16 RD inverse
// block transform, RL front clip on, RL back clip on, RD front z, RD back z,
// RL draw boundary.
struct ProxyClipBoundary {
    ProxyPoint normal{0, 0, 1};
    ProxyPoint point;
    std::vector<std::pair<double, double>> points;
    std::array<double, 16> toClipSpace{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    std::array<double, 16> inverseBlockTransform{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    bool clipFront = false;
    bool clipBack = false;
    double frontZ = 0;
    double backZ = 0;
    bool drawBoundary = false;
};

// A lightweight polyline (command 33) in its DWG form: points in its plane.
struct ProxyLwPolyline {
    bool closed = false;
    double constantWidth = 0;
    double elevation = 0;
    double thickness = 0;
    ProxyPoint normal{0, 0, 1};
    std::vector<std::pair<double, double>> points;
    std::vector<double> bulges;                         // empty, or one a vertex
    std::vector<std::pair<double, double>> widths;      // empty, or (start, end) a vertex
};

using ProxyMatrix = std::array<double, 16>;

// Receives the commands of a proxy graphics stream, in order. Every method does
// nothing by default, so a sink takes only what it draws.
class ProxyGraphicsSink {
public:
    virtual ~ProxyGraphicsSink() = default;

    virtual void extents(const ProxyPoint&, const ProxyPoint&) {}
    virtual void circle(const ProxyPoint&, double, const ProxyPoint&) {}
    virtual void circle3p(const ProxyPoint&, const ProxyPoint&, const ProxyPoint&) {}
    virtual void circularArc(const ProxyPoint& /*centre*/, double /*radius*/, const ProxyPoint& /*normal*/,
                             const ProxyPoint& /*startVector*/, double /*sweepRad*/, ProxyArcType)
    {
    }
    virtual void circularArc3p(const ProxyPoint&, const ProxyPoint&, const ProxyPoint&, ProxyArcType) {}
    virtual void polyline(std::span<const ProxyPoint>) {}
    virtual void polygon(std::span<const ProxyPoint>) {}
    virtual void polylineWithNormal(std::span<const ProxyPoint>, const ProxyPoint&) {}
    virtual void mesh(std::uint32_t /*rows*/, std::uint32_t /*columns*/, std::span<const ProxyPoint>) {}
    // faceList: for each face its vertex count (negative for a hole) then its vertex indexes.
    virtual void shell(std::span<const ProxyPoint>, std::span<const std::int32_t> /*faceList*/) {}
    // command: kText, kText2, kUnicodeText or kUnicodeText2.
    virtual void text(ProxyCommand, const ProxyText&) {}
    virtual void xline(const ProxyPoint&, const ProxyPoint&) {}
    virtual void ray(const ProxyPoint&, const ProxyPoint&) {}
    virtual void lwpolyline(const ProxyLwPolyline&) {}

    virtual void color(std::int32_t) {}
    virtual void layer(std::uint32_t) {}
    virtual void linetype(std::uint32_t) {}
    virtual void marker(std::int32_t) {}
    virtual void fillType(ProxyFill) {}
    virtual void trueColor(std::uint32_t) {}
    virtual void lineweight(std::int32_t) {}
    virtual void linetypeScale(double) {}
    virtual void thickness(double) {}
    virtual void plotStyle(std::uint32_t /*type*/, std::uint32_t /*id*/) {}
    virtual void pushClip(const ProxyClipBoundary&) {}
    virtual void popClip() {}
    // second: command 30 instead of 29.
    virtual void pushMatrix(const ProxyMatrix&, bool /*second*/) {}
    virtual void popMatrix() {}
    // A command this reader does not know (34 material, 35 mapper, 44, ...).
    virtual void unknown(std::uint32_t /*type*/, std::span<const std::uint8_t> /*data*/) {}
};

// Builds a proxy graphics stream: each call adds one command.
class ProxyGraphicsWriter final : public ProxyGraphicsSink {
public:
    void extents(const ProxyPoint& min, const ProxyPoint& max) override;
    void circle(const ProxyPoint& centre, double radius, const ProxyPoint& normal) override;
    void circle3p(const ProxyPoint& a, const ProxyPoint& b, const ProxyPoint& c) override;
    void circularArc(const ProxyPoint& centre, double radius, const ProxyPoint& normal, const ProxyPoint& startVector,
                     double sweepRad, ProxyArcType type) override;
    void circularArc3p(const ProxyPoint& start, const ProxyPoint& onArc, const ProxyPoint& end,
                       ProxyArcType type) override;
    void polyline(std::span<const ProxyPoint> points) override;
    void polygon(std::span<const ProxyPoint> points) override;
    void polylineWithNormal(std::span<const ProxyPoint> points, const ProxyPoint& normal) override;
    void mesh(std::uint32_t rows, std::uint32_t columns, std::span<const ProxyPoint> points) override;
    void shell(std::span<const ProxyPoint> points, std::span<const std::int32_t> faceList) override;
    void text(ProxyCommand command, const ProxyText& text) override;
    void xline(const ProxyPoint& a, const ProxyPoint& b) override;
    void ray(const ProxyPoint& base, const ProxyPoint& through) override;
    void lwpolyline(const ProxyLwPolyline& polyline) override;
    void color(std::int32_t index) override;
    void layer(std::uint32_t index) override;
    void linetype(std::uint32_t index) override;
    void marker(std::int32_t marker) override;
    void fillType(ProxyFill fill) override;
    void trueColor(std::uint32_t raw) override;
    void lineweight(std::int32_t lineweight) override;
    void linetypeScale(double scale) override;
    void thickness(double thickness) override;
    void plotStyle(std::uint32_t type, std::uint32_t id) override;
    void pushClip(const ProxyClipBoundary& boundary) override;
    void popClip() override;
    void pushMatrix(const ProxyMatrix& matrix, bool second) override;
    void popMatrix() override;
    void unknown(std::uint32_t type, std::span<const std::uint8_t> data) override;

    std::uint32_t commandCount() const { return m_count; }
    // The whole stream: header and commands.
    std::vector<std::uint8_t> bytes() const;

private:
    void begin(ProxyCommand type);
    void end();
    void rl(std::uint32_t v);
    void rd(double v);
    void point(const ProxyPoint& p);
    void points(std::span<const ProxyPoint> ps);
    void ps(std::string_view s);
    void pus(std::string_view utf8);
    void pad();

    std::vector<std::uint8_t> m_data;
    std::size_t m_commandStart = 0;
    std::uint32_t m_count = 0;
};

// Raw colour of a true colour, as command 22 takes it.
constexpr std::uint32_t proxyRgb(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return 0xC2000000u | (std::uint32_t{r} << 16) | (std::uint32_t{g} << 8) | b;
}

// Reads a stream and hands each command to `sink`. Nothing in the data is
// trusted: sizes and counts are checked against the bytes present before
// anything is read or allocated. False with `error` set at the first damage;
// the commands before it have reached the sink.
bool decodeProxyGraphics(std::span<const std::uint8_t> data, ProxyGraphicsSink& sink, std::string& error);

// The groups that carry a stream in an entity: its size (92 up to AC1024, 160
// from AC1027) then 310 chunks of at most 127 bytes (254 hexadecimal digits).
std::vector<DxfTag> proxyGraphicsTags(std::span<const std::uint8_t> data, std::string_view acadVer);

// The stream carried by `tags`, which start at the size group (92 or 160) and go
// on with the 310 chunks. `used` gets the number of groups taken. False with
// `error` when the size disagrees with the data or a chunk is not hexadecimal.
bool proxyGraphicsFromTags(std::span<const DxfTag> tags, std::vector<std::uint8_t>& data, std::size_t& used,
                           std::string& error);

}  // namespace kelvora
