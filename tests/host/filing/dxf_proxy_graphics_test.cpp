// Proxy graphics: streams we write decode in ezdxf to the primitives drawn, and decode in our reader to the same stream.
#include "kelvora/dxf_proxy_graphics.h"

#include "dxf_test_support.h"

#include <gtest/gtest.h>

#include <numbers>
#include <sstream>

namespace kelvora::test {
namespace {

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        out.push_back(line);
    return out;
}

// What ezdxf's ProxyGraphic makes of the stream, one entity a line.
std::vector<std::string> ezdxfEntities(const std::vector<std::uint8_t>& data)
{
    ScratchDir dir;
    std::string hexFile = dir.file("stream.hex");
    writeBytes(hexFile, formatDxfHex(data.data(), data.size()));
    PythonResult r = runPython("import runpy, sys\nsys.argv = ['x', '" + hexFile + "']\nrunpy.run_path('" +
                               testDataPath("proxy_decode.py") + "', run_name='__main__')\n");
    EXPECT_EQ(r.status, 0) << r.output;
    std::vector<std::string> out;
    for (const std::string& l : lines(r.output))
        // ezdxf logs a warning for the primitives it has not seen in real files.
        if (l.rfind("Untested", 0) != 0)
            out.push_back(l);
    return out;
}

struct OracleCase {
    const char* name;
    void (*draw)(ProxyGraphicsWriter&);
    std::vector<std::string> expected;
};

class EzdxfDecodes : public ::testing::TestWithParam<OracleCase> {};

TEST_P(EzdxfDecodes, ThePrimitivesDrawn)
{
    const OracleCase& c = GetParam();
    ProxyGraphicsWriter w;
    c.draw(w);
    EXPECT_EQ(ezdxfEntities(w.bytes()), c.expected);
}

const double kPi = std::numbers::pi;
const std::vector<ProxyPoint> kTriangle{{0, 0, 0}, {4, 0, 0}, {4, 3, 0}};

INSTANTIATE_TEST_SUITE_P(
    Primitives, EzdxfDecodes,
    ::testing::Values(
        OracleCase{"circle_with_colour",
                   [](ProxyGraphicsWriter& w) {
                       w.color(1);
                       w.circle({1, 2, 0}, 3, {0, 0, 1});
                   },
                   {"CIRCLE color=1 center=(1,2,0) radius=3"}},
        OracleCase{"circle_through_three_points",
                   [](ProxyGraphicsWriter& w) { w.circle3p({1, 0, 0}, {0, 1, 0}, {-1, 0, 0}); },
                   {"CIRCLE center=(0,0,0) radius=1"}},
        OracleCase{"quarter_arc",
                   [](ProxyGraphicsWriter& w) {
                       w.circularArc({5, 5, 0}, 2, {0, 0, 1}, {0, 1, 0}, kPi / 2, ProxyArcType::kSimple);
                   },
                   {"ARC center=(5,5,0) radius=2 start=90 end=180"}},
        OracleCase{"arc_through_three_points",
                   [](ProxyGraphicsWriter& w) {
                       w.circularArc3p({1, 0, 0}, {0, 1, 0}, {-1, 0, 0}, ProxyArcType::kSimple);
                   },
                   {"ARC center=(0,0,0) radius=1 start=0 end=180"}},
        OracleCase{"polyline_and_polygon",
                   [](ProxyGraphicsWriter& w) {
                       w.polyline(kTriangle);
                       w.polygon(kTriangle);
                   },
                   {"POLYLINE closed=0 (0,0,0) (4,0,0) (4,3,0)", "POLYLINE closed=1 (0,0,0) (4,0,0) (4,3,0)"}},
        OracleCase{"polyline_with_normal",
                   [](ProxyGraphicsWriter& w) { w.polylineWithNormal(kTriangle, {0, 0, 1}); },
                   {"POLYLINE closed=0 (0,0,0) (4,0,0) (4,3,0)"}},
        OracleCase{"single_point_polyline",
                   [](ProxyGraphicsWriter& w) {
                       std::vector<ProxyPoint> one{{7, 8, 9}};
                       w.polyline(one);
                   },
                   {"POINT (7,8,9)"}},
        OracleCase{"filled_polygon",
                   [](ProxyGraphicsWriter& w) {
                       w.fillType(ProxyFill::kOn);
                       w.polygon(kTriangle);
                   },
                   {"HATCH paths=1"}},
        OracleCase{"attributes_for_what_follows",
                   [](ProxyGraphicsWriter& w) {
                       w.trueColor(proxyRgb(255, 128, 0));
                       w.lineweight(50);
                       w.linetypeScale(2.5);
                       w.thickness(1.0);
                       w.circle({0, 0, 0}, 1, {0, 0, 1});
                   },
                   {"CIRCLE lineweight=50 true_color=16744448 ltscale=2.5 center=(0,0,0) radius=1"}},
        OracleCase{"ascii_text",
                   [](ProxyGraphicsWriter& w) {
                       ProxyText t;
                       t.position = {1, 2, 0};
                       t.height = 2.5;
                       t.text = "Lot A1";
                       w.text(ProxyCommand::kText, t);
                   },
                   {"TEXT insert=(1,2,0) height=2.5 text=Lot A1 rotation=0"}},
        OracleCase{"text2_with_font",
                   [](ProxyGraphicsWriter& w) {
                       ProxyText t;
                       t.position = {1, 2, 0};
                       t.direction = {0, 1, 0};
                       t.height = 1.5;
                       t.text = "B2";
                       t.fontFile = "txt.shx";
                       w.text(ProxyCommand::kText2, t);
                   },
                   {"TEXT insert=(1,2,0) height=1.5 text=B2 rotation=90 style=txt.shx"}},
        OracleCase{"unicode_text",
                   [](ProxyGraphicsWriter& w) {
                       ProxyText t;
                       t.height = 2;
                       t.text = "Périmètre 日本 😀";
                       w.text(ProxyCommand::kUnicodeText, t);
                   },
                   {"TEXT insert=(0,0,0) height=2 text=Périmètre 日本 😀 rotation=0"}},
        OracleCase{"unicode_text2",
                   [](ProxyGraphicsWriter& w) {
                       ProxyText t;
                       t.position = {3, 4, 0};
                       t.height = 0.5;
                       t.text = "Surface élevée";
                       t.typeface = "Arial";
                       t.fontFile = "arial.ttf";
                       w.text(ProxyCommand::kUnicodeText2, t);
                   },
                   {"TEXT insert=(3,4,0) height=0.5 text=Surface élevée rotation=0 style=arial.ttf"}},
        OracleCase{"xline_and_ray",
                   [](ProxyGraphicsWriter& w) {
                       w.xline({0, 0, 0}, {2, 0, 0});
                       w.ray({1, 1, 0}, {1, 5, 0});
                   },
                   {"XLINE start=(0,0,0) dir=(1,0,0)", "RAY start=(1,1,0) dir=(0,1,0)"}},
        OracleCase{"shell_of_two_triangles",
                   [](ProxyGraphicsWriter& w) {
                       std::vector<ProxyPoint> quad{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
                       std::vector<std::int32_t> faces{3, 0, 1, 2, 3, 0, 2, 3};
                       w.shell(quad, faces);
                   },
                   {"POLYLINE faces=2 (0,0,0) (1,0,0) (1,1,0) (0,1,0)"}},
        OracleCase{"mesh_two_by_two",
                   [](ProxyGraphicsWriter& w) {
                       std::vector<ProxyPoint> grid{{0, 0, 0}, {0, 1, 0}, {1, 0, 1}, {1, 1, 1}};
                       w.mesh(2, 2, grid);
                   },
                   {"POLYLINE mesh=2x2 (0,0,0) (0,1,0) (1,0,1) (1,1,1)"}},
        OracleCase{"matrix_moves_what_is_inside",
                   [](ProxyGraphicsWriter& w) {
                       w.pushMatrix({1, 0, 0, 10, 0, 1, 0, 20, 0, 0, 1, 0, 0, 0, 0, 1}, false);
                       w.circle({1, 0, 0}, 1, {0, 0, 1});
                       w.popMatrix();
                       w.circle({1, 0, 0}, 1, {0, 0, 1});
                   },
                   {"CIRCLE center=(11,20,0) radius=1", "CIRCLE center=(1,0,0) radius=1"}},
        OracleCase{"lwpolyline_with_bulges_and_widths",
                   [](ProxyGraphicsWriter& w) {
                       ProxyLwPolyline pl;
                       pl.points = {{0, 0}, {10, 0}, {10, 10.5}};
                       pl.bulges = {0.5, -0.25, 0};
                       pl.widths = {{0.1, 0.2}, {0, 0}, {0.3, 0.3}};
                       w.lwpolyline(pl);
                   },
                   {"LWPOLYLINE closed=0 0,0,0.1,0.2,0.5 10,0,0,0,-0.25 10,10.5,0.3,0.3,0"}},
        OracleCase{"lwpolyline_plain",
                   [](ProxyGraphicsWriter& w) {
                       ProxyLwPolyline pl;
                       pl.points = {{1, 2}, {1, 7}, {-3.25, 7}};
                       w.lwpolyline(pl);
                   },
                   {"LWPOLYLINE closed=0 1,2,0,0,0 1,7,0,0,0 -3.25,7,0,0,0"}},
        OracleCase{"layer_and_linetype_need_a_drawing",
                   [](ProxyGraphicsWriter& w) {
                       w.layer(3);
                       w.linetype(2);
                       w.marker(7);
                       w.plotStyle(0, 1);
                       w.circle({0, 0, 0}, 1, {0, 0, 1});
                   },
                   {"CIRCLE center=(0,0,0) radius=1"}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- our own reader ----

TEST(ProxyGraphics, DecodingIntoAWriterGivesTheSameBytes)
{
    ProxyGraphicsWriter w;
    w.extents({0, 0, 0}, {10, 10, 0});
    w.color(3);
    w.circle({1, 2, 0}, 3, {0, 0, 1});
    w.circularArc({0, 0, 0}, 2, {0, 0, 1}, {1, 0, 0}, 1.5, ProxyArcType::kChord);
    w.polygon(kTriangle);
    ProxyText t;
    t.text = "Périmètre";
    t.typeface = "Arial";
    t.bold = true;
    t.charset = 1;
    w.text(ProxyCommand::kUnicodeText2, t);
    t.text = "ascii";
    w.text(ProxyCommand::kText2, t);
    std::vector<std::int32_t> faces{3, 0, 1, 2};
    w.shell(kTriangle, faces);
    ProxyClipBoundary clip;
    clip.points = {{0, 0}, {5, 0}, {5, 5}};
    clip.clipFront = true;
    clip.frontZ = 2;
    w.pushClip(clip);
    w.pushMatrix({2, 0, 0, 1, 0, 2, 0, 1, 0, 0, 2, 0, 0, 0, 0, 1}, true);
    ProxyLwPolyline pl;
    pl.closed = true;
    pl.constantWidth = 0.5;
    pl.elevation = 3;
    pl.thickness = 1;
    pl.normal = {0, 0, -1};
    pl.points = {{0, 0}, {1, 1e-300}, {1, 1}};
    pl.bulges = {1, 0, -1};
    w.lwpolyline(pl);
    w.popMatrix();
    w.popClip();
    std::vector<std::uint8_t> extra{1, 2, 3, 4};
    w.unknown(34, extra);
    std::vector<std::uint8_t> bytes = w.bytes();
    EXPECT_EQ(bytes.size() % 4, 0u);

    ProxyGraphicsWriter copy;
    std::string error;
    ASSERT_TRUE(decodeProxyGraphics(bytes, copy, error)) << error;
    EXPECT_EQ(copy.commandCount(), w.commandCount());
    EXPECT_EQ(copy.bytes(), bytes);
}

// Records what a sink receives, to check decoded values.
class Recorder : public ProxyGraphicsSink {
public:
    void circle(const ProxyPoint& c, double r, const ProxyPoint&) override
    {
        log << "circle " << c.x << "," << c.y << " r" << r << ";";
    }
    void lwpolyline(const ProxyLwPolyline& pl) override
    {
        log << "lw " << pl.points.size() << " closed" << pl.closed << " w" << pl.constantWidth << " n"
            << pl.normal.z << ";";
    }
    void text(ProxyCommand c, const ProxyText& t) override
    {
        log << "text" << static_cast<int>(c) << " " << t.text << " " << t.typeface << " b" << t.bold << ";";
    }
    void unknown(std::uint32_t type, std::span<const std::uint8_t> data) override
    {
        log << "unknown " << type << " " << data.size() << ";";
    }
    std::ostringstream log;
};

TEST(ProxyGraphics, ReaderHandsTheValuesToItsSink)
{
    ProxyGraphicsWriter w;
    w.circle({1, 2, 0}, 3, {0, 0, 1});
    ProxyLwPolyline pl;
    pl.closed = true;
    pl.constantWidth = 0.25;
    pl.normal = {0, 0, -1};
    pl.points = {{0, 0}, {1, 0}};
    w.lwpolyline(pl);
    ProxyText t;
    t.text = "日本";
    t.typeface = "MS Gothic";
    t.bold = true;
    w.text(ProxyCommand::kUnicodeText2, t);
    std::vector<std::uint8_t> extra{9, 9, 9, 9, 9, 9, 9, 9};
    w.unknown(44, extra);
    Recorder r;
    std::string error;
    ASSERT_TRUE(decodeProxyGraphics(w.bytes(), r, error)) << error;
    EXPECT_EQ(r.log.str(), "circle 1,2 r3;lw 2 closed1 w0.25 n-1;text38 日本 MS Gothic b1;unknown 44 8;");
}

// A stream with one command whose data are given as raw little-endian words.
std::vector<std::uint8_t> oneCommand(std::uint32_t type, const std::vector<std::uint32_t>& words)
{
    std::vector<std::uint8_t> out;
    auto put = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    put(static_cast<std::uint32_t>(16 + 4 * words.size()));
    put(1);
    put(static_cast<std::uint32_t>(8 + 4 * words.size()));
    put(type);
    for (std::uint32_t v : words)
        put(v);
    return out;
}

struct BadStream {
    const char* name;
    std::vector<std::uint8_t> data;
    const char* words;
};

class MalformedStream : public ::testing::TestWithParam<BadStream> {};

TEST_P(MalformedStream, IsRefusedWithAReason)
{
    const BadStream& c = GetParam();
    ProxyGraphicsSink ignore;
    std::string error;
    EXPECT_FALSE(decodeProxyGraphics(c.data, ignore, error));
    EXPECT_NE(error.find(c.words), std::string::npos) << error;
}

std::vector<std::uint8_t> withTotal(std::vector<std::uint8_t> data, std::uint32_t total)
{
    for (int i = 0; i < 4; ++i)
        data[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(total >> (8 * i));
    return data;
}

std::vector<std::uint8_t> withCommandSize(std::vector<std::uint8_t> data, std::uint32_t size)
{
    for (int i = 0; i < 4; ++i)
        data[static_cast<std::size_t>(8 + i)] = static_cast<std::uint8_t>(size >> (8 * i));
    return data;
}

INSTANTIATE_TEST_SUITE_P(
    Streams, MalformedStream,
    ::testing::Values(
        BadStream{"shorter_than_header", {1, 2, 3}, "header"},
        BadStream{"total_beyond_data", withTotal(oneCommand(14, {1}), 1000), "claim 1000 bytes"},
        BadStream{"polyline_claims_two_billion_points", oneCommand(6, {0x7FFFFFFF, 0, 0}), "malformed"},
        BadStream{"mesh_rows_times_columns_overflow", oneCommand(8, {0x10000, 0x10000}), "malformed"},
        BadStream{"shell_face_names_missing_vertex", oneCommand(9, {1, 0, 0, 0, 0, 0, 0, 2, 1, 5}), "malformed"},
        BadStream{"circle_cut_short", oneCommand(2, {0, 0, 0}), "malformed"},
        BadStream{"text_without_terminator", oneCommand(10, std::vector<std::uint32_t>(21, 0x41414141)), "malformed"},
        BadStream{"lwpolyline_claims_more_bytes", oneCommand(33, {100}), "malformed"},
        BadStream{"command_size_below_header", withCommandSize(oneCommand(14, {1}), 4), "claims 4 bytes"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProxyGraphics, LwPolylineWithFewerBulgesThanVertexesIsRefused)
{
    // Found by fuzzing: a sink must be able to count on one bulge a vertex.
    ProxyGraphicsWriter w;
    ProxyLwPolyline pl;
    pl.points = {{0, 0}, {1, 0}, {2, 2}};
    pl.bulges = {0.1, 0.2, 0.3};
    w.lwpolyline(pl);
    std::vector<std::uint8_t> bytes = w.bytes();
    // The bulge count is a bit-coded long right after the point count, both
    // one-byte forms here (01 then a byte): flags BS 01 + 16, then points
    // 01 + 3, then bulges 01 + 3. Make the bulge count 2.
    std::size_t bitsStart = 8 + 8 + 4;
    std::size_t bulgeCountBit = 10 + 10 + 2;
    std::uint32_t two = 2;
    for (int i = 0; i < 8; ++i) {
        std::size_t bit = bulgeCountBit + static_cast<std::size_t>(i);
        std::uint8_t& byte = bytes[bitsStart + bit / 8];
        std::uint8_t mask = static_cast<std::uint8_t>(0x80 >> (bit % 8));
        byte = static_cast<std::uint8_t>(((two >> (7 - i)) & 1) ? (byte | mask) : (byte & ~mask));
    }
    ProxyGraphicsSink ignore;
    std::string error;
    EXPECT_FALSE(decodeProxyGraphics(bytes, ignore, error));
    EXPECT_NE(error.find("type 33"), std::string::npos) << error;
}

TEST(ProxyGraphics, EveryPrefixOfAStreamDecodesSafely)
{
    ProxyGraphicsWriter w;
    w.circle({1, 2, 0}, 3, {0, 0, 1});
    ProxyText t;
    t.text = "abc";
    w.text(ProxyCommand::kUnicodeText2, t);
    ProxyLwPolyline pl;
    pl.points = {{0, 0}, {1, 0}, {2, 2}};
    pl.bulges = {0.1, 0.2, 0.3};
    w.lwpolyline(pl);
    std::vector<std::uint8_t> bytes = w.bytes();
    int refused = 0;
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        std::vector<std::uint8_t> prefix(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
        ProxyGraphicsSink ignore;
        std::string error;
        if (!decodeProxyGraphics(prefix, ignore, error))
            ++refused;
    }
    // The header claims the whole length: every prefix is refused.
    EXPECT_EQ(refused, static_cast<int>(bytes.size()));
}

TEST(ProxyGraphics, TagsCarryTheSizeAndChunksOf127Bytes)
{
    std::vector<std::uint8_t> data(300);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(i);
    std::vector<DxfTag> tags = proxyGraphicsTags(data, "AC1015");
    ASSERT_EQ(tags.size(), 4u);
    EXPECT_EQ(tags[0].code, 92);
    EXPECT_EQ(tags[0].value, "300");
    EXPECT_EQ(tags[1].value.size(), 254u);
    EXPECT_EQ(tags[3].value.size(), 2u * (300 - 254));
    EXPECT_EQ(proxyGraphicsTags(data, "AC1024")[0].code, 92);
    EXPECT_EQ(proxyGraphicsTags(data, "AC1027")[0].code, 160);
    EXPECT_EQ(proxyGraphicsTags(data, "AC1032")[0].code, 160);

    std::vector<std::uint8_t> back;
    std::size_t used = 0;
    std::string error;
    tags.emplace_back(0, "LINE");
    ASSERT_TRUE(proxyGraphicsFromTags(tags, back, used, error)) << error;
    EXPECT_EQ(back, data);
    EXPECT_EQ(used, 4u);
}

TEST(ProxyGraphics, TagsWhoseSizeDisagreesAreRefused)
{
    std::vector<std::uint8_t> data(10, 7);
    std::vector<DxfTag> tags = proxyGraphicsTags(data, "AC1015");
    tags[0].value = "2147483647";
    std::vector<std::uint8_t> back;
    std::size_t used = 0;
    std::string error;
    EXPECT_FALSE(proxyGraphicsFromTags(tags, back, used, error));
    EXPECT_NE(error.find("claim 2147483647 bytes but 10"), std::string::npos) << error;
}

TEST(ProxyGraphics, EzdxfReadsTheStreamFromAnEntity)
{
    // The whole path: a stream in 160/310 groups of a custom entity in an R2018
    // drawing, read back by ezdxf as that entity's proxy graphics.
    ProxyGraphicsWriter w;
    std::vector<ProxyPoint> square{{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}};
    w.polygon(square);
    std::vector<DxfTag> tags = proxyGraphicsTags(w.bytes(), "AC1032");
    ScratchDir dir;
    std::string chunks;
    for (const DxfTag& t : tags)
        chunks += "(" + std::to_string(t.code) + ", '" + t.value + "'),";
    std::string script =
        "import ezdxf\n"
        "from ezdxf.lldxf.tags import Tags\n"
        "from ezdxf.lldxf.types import DXFTag\n"
        "from ezdxf.proxygraphic import load_proxy_graphic, ProxyGraphic\n"
        "tags = Tags(DXFTag(c, bytes.fromhex(v) if c == 310 else int(v)) for c, v in [" +
        chunks +
        "])\n"
        "data = load_proxy_graphic(tags)\n"
        "for e in ProxyGraphic(data).virtual_entities():\n"
        "    print(e.dxftype(), len(list(e.vertices)), int(e.is_closed))\n";
    PythonResult r = runPython(script);
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(r.output, "POLYLINE 4 1\n");
}

}  // namespace
}  // namespace kelvora::test
