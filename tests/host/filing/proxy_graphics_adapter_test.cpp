// Proxy graphics made from what an entity draws: read back by our drawer to the same primitives, and by ezdxf to the same shapes.
#include "kelvora/proxy_graphics_adapter.h"

#include "dxf_test_support.h"

#include "dbapserv.h"
#include "kelvora/drawing_file.h"
#include "dbproxy.h"
#include "dbsymtb.h"
#include "rxboiler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <sstream>

// A marker as a module draws one: a red circle, a cross on layer "Bord" at 0.50 mm, a quarter arc,
// a filled triangle in a true colour and a label; all through the primitives of AcGiWorldGeometry.
class ProxyTestMarker : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(ProxyTestMarker);
    ProxyTestMarker() = default;
    ProxyTestMarker(const AcGePoint3d& centre, AcDbObjectId borderLayer, const wchar_t* label)
        : m_centre(centre), m_borderLayer(borderLayer), m_label(label)
    {
    }

    Adesk::Boolean worldDraw(AcGiWorldDraw* wd) override
    {
        AcGiWorldGeometry& g = wd->geometry();
        AcGiSubEntityTraits& t = wd->subEntityTraits();
        t.setColor(1);
        g.circle(m_centre, 2.0, AcGeVector3d::kZAxis);
        t.setLayer(m_borderLayer);
        t.setLineWeight(AcDb::kLnWt050);
        AcGePoint3d cross[2] = {m_centre + AcGeVector3d(-3, 0, 0), m_centre + AcGeVector3d(3, 0, 0)};
        g.polyline(2, cross);
        g.circularArc(m_centre, 4.0, AcGeVector3d::kZAxis, AcGeVector3d::kYAxis, std::numbers::pi / 2);
        t.setTrueColor(AcCmEntityColor(255, 128, 0));
        t.setFillType(kAcGiFillAlways);
        AcGePoint3d triangle[3] = {m_centre, m_centre + AcGeVector3d(4, 0, 0), m_centre + AcGeVector3d(4, 3, 0)};
        g.polygon(3, triangle);
        t.setFillType(kAcGiFillNever);
        AcGiTextStyle style;
        style.setFileName(L"arial.ttf");
        style.setTextSize(1.5);
        style.setXScale(0.8);
        g.text(m_centre + AcGeVector3d(0, 5, 0), AcGeVector3d::kZAxis, AcGeVector3d::kYAxis, m_label.c_str(), -1,
               Adesk::kFalse, style);
        return Adesk::kTrue;
    }

private:
    AcGePoint3d m_centre;
    AcDbObjectId m_borderLayer;
    std::wstring m_label;
};

ACRX_CONS_DEFINE_MEMBERS(ProxyTestMarker, AcDbEntity, 0);

namespace kelvora::test {
namespace {

// Coordinates within this are equal: doubles written and read back unchanged, or one product apart.
constexpr double kTol = 1e-9;

class ProxyGraphicsAdapter : public ::testing::Test {
protected:
    void SetUp() override
    {
        static const bool registered = [] {
            ProxyTestMarker::rxInit();
            acrxBuildClassHierarchy();
            return true;
        }();
        (void)registered;
        m_previous = acdbHostApplicationServices()->workingDatabase();
        m_db = new AcDbDatabase(true);
        acdbHostApplicationServices()->setWorkingDatabase(m_db);
        m_previousMaker = proxyGraphicsMaker();
        installProxyGraphics();
        addLayer(L"Cotes");
        m_border = addLayer(L"Bord");
    }

    void TearDown() override
    {
        setProxyGraphicsMaker(m_previousMaker);
        delete m_db;
        acdbHostApplicationServices()->setWorkingDatabase(m_previous);
    }

    AcDbObjectId addLayer(const wchar_t* name)
    {
        AcDbLayerTable* table = nullptr;
        EXPECT_EQ(m_db->getLayerTable(table, AcDb::kForWrite), Acad::eOk);
        auto* layer = new AcDbLayerTableRecord();
        layer->setName(name);
        AcDbObjectId id;
        EXPECT_EQ(table->add(id, layer), Acad::eOk);
        layer->close();
        table->close();
        return id;
    }

    AcDbObjectId add(AcDbEntity* entity)
    {
        AcDbBlockTableRecord* modelSpace = nullptr;
        EXPECT_EQ(acdbOpenObject(modelSpace, m_db->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
        AcDbObjectId id;
        EXPECT_EQ(modelSpace->appendAcDbEntity(id, entity), Acad::eOk);
        modelSpace->close();
        entity->close();
        return id;
    }

    // The marker's graphics and what drawing it records.
    std::vector<std::uint8_t> markerGraphics(std::string_view acadVer, std::vector<GiPrimitive>* drawn = nullptr)
    {
        auto* marker = new ProxyTestMarker(AcGePoint3d(10, 20, 0), m_border, L"Lot 7 \u00e9");
        // The drawing's defaults first: appended without a layer, it would be given them over its colour.
        marker->setDatabaseDefaults();
        marker->setColorIndex(3);
        const AcDbObjectId id = add(marker);
        AcDbEntity* entity = nullptr;
        EXPECT_EQ(acdbOpenAcDbEntity(entity, id, AcDb::kForRead), Acad::eOk);
        std::vector<std::uint8_t> bytes = entityProxyGraphics(entity, acadVer);
        if (drawn != nullptr) {
            GiRecorder recorder(m_db);
            recorder.drawEntity(entity);
            *drawn = recorder.primitives();
        }
        entity->close();
        return bytes;
    }

    // What a proxy entity holding the stream records when drawn, with the marker's own traits.
    std::vector<GiPrimitive> drawnAsProxy(const std::vector<std::uint8_t>& bytes)
    {
        auto* proxy = new AcDbProxyEntity();
        proxy->setDatabaseDefaults();
        proxy->setColorIndex(3);
        proxy->setGraphicsData(bytes);
        const AcDbObjectId id = add(proxy);
        AcDbEntity* entity = nullptr;
        EXPECT_EQ(acdbOpenAcDbEntity(entity, id, AcDb::kForRead), Acad::eOk);
        GiRecorder recorder(m_db);
        recorder.drawEntity(entity);
        entity->close();
        return recorder.primitives();
    }

    AcDbDatabase* m_db = nullptr;
    AcDbDatabase* m_previous = nullptr;
    ProxyGraphicsMaker m_previousMaker = nullptr;
    AcDbObjectId m_border;
};

void expectSamePoints(const GiPrimitive& a, const GiPrimitive& b, std::size_t index)
{
    ASSERT_EQ(a.points.size(), b.points.size()) << "primitive " << index;
    for (std::size_t i = 0; i < a.points.size(); ++i)
        EXPECT_LE(a.points[i].distanceTo(b.points[i]), kTol) << "primitive " << index << " point " << i;
}

TEST_F(ProxyGraphicsAdapter, ProxyEntityDrawsWhatTheEntityDrew)
{
    std::vector<GiPrimitive> original;
    const std::vector<std::uint8_t> bytes = markerGraphics("AC1032", &original);
    ASSERT_FALSE(bytes.empty());
    const std::vector<GiPrimitive> shown = drawnAsProxy(bytes);
    ASSERT_EQ(shown.size(), original.size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const GiPrimitive& a = original[i];
        const GiPrimitive& b = shown[i];
        EXPECT_EQ(b.kind, a.kind) << "primitive " << i;
        expectSamePoints(a, b, i);
        EXPECT_NEAR(b.radius, a.radius, kTol) << "primitive " << i;
        EXPECT_NEAR(b.sweepAngle, a.sweepAngle, kTol) << "primitive " << i;
        EXPECT_TRUE(b.startVector.isEqualTo(a.startVector)) << "primitive " << i;
        EXPECT_EQ(b.traits.color, a.traits.color) << "primitive " << i;
        EXPECT_EQ(b.traits.layerId, a.traits.layerId) << "primitive " << i;
        EXPECT_EQ(b.traits.lineWeight, a.traits.lineWeight) << "primitive " << i;
        EXPECT_EQ(b.traits.fillType, a.traits.fillType) << "primitive " << i;
        EXPECT_EQ(b.text.text, a.text.text) << "primitive " << i;
        EXPECT_NEAR(b.text.height, a.text.height, kTol) << "primitive " << i;
        EXPECT_NEAR(b.text.widthFactor, a.text.widthFactor, kTol) << "primitive " << i;
        EXPECT_EQ(b.text.fontFile, a.text.fontFile) << "primitive " << i;
        EXPECT_TRUE(b.direction.isEqualTo(a.direction)) << "primitive " << i;
    }
}

TEST_F(ProxyGraphicsAdapter, DrawingWriterMakesTheGraphicsOfTheHostsOwnVersion)
{
    const std::vector<std::uint8_t> expected = markerGraphics("AC1021");
    ASSERT_NE(proxyGraphicsMaker(), nullptr);
    auto* marker = new ProxyTestMarker(AcGePoint3d(10, 20, 0), m_border, L"Lot 7 \u00e9");
    marker->setDatabaseDefaults();
    marker->setColorIndex(3);
    const AcDbObjectId id = add(marker);
    AcDbEntity* entity = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(entity, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(proxyGraphicsMaker()(entity), expected);
    entity->close();
}

TEST_F(ProxyGraphicsAdapter, OldVersionTextInItsCodePageReadsBackTheSame)
{
    std::vector<GiPrimitive> original;
    const std::vector<std::uint8_t> bytes = markerGraphics("AC1015", &original);
    const std::vector<GiPrimitive> shown = drawnAsProxy(bytes);
    ASSERT_EQ(shown.size(), original.size());
    ASSERT_EQ(shown.back().kind, GiPrimitiveKind::kText);
    EXPECT_EQ(shown.back().text.text, L"Lot 7 \u00e9");
    EXPECT_EQ(shown.back().text.fontFile, L"arial.ttf");
}

// Records the commands that name things by index, and the text commands used.
class IndexSink final : public ProxyGraphicsSink {
public:
    std::vector<std::uint32_t> layers;
    std::vector<ProxyCommand> texts;
    void layer(std::uint32_t index) override { layers.push_back(index); }
    void text(ProxyCommand command, const ProxyText&) override { texts.push_back(command); }
};

TEST_F(ProxyGraphicsAdapter, LayerIsNamedByItsPlaceInTheLayerTable)
{
    // "0", "Cotes", "Bord": the border layer is the third record.
    const std::vector<std::uint8_t> bytes = markerGraphics("AC1032");
    IndexSink sink;
    std::string error;
    ASSERT_TRUE(decodeProxyGraphics(bytes, sink, error)) << error;
    EXPECT_EQ(sink.layers, (std::vector<std::uint32_t>{2}));
    EXPECT_EQ(proxyLayerOrder(m_db)[2], m_border);
    EXPECT_EQ(sink.texts, (std::vector<ProxyCommand>{ProxyCommand::kUnicodeText2}));
}

TEST_F(ProxyGraphicsAdapter, TextBeforeR2007IsTheCodePageCommand)
{
    IndexSink sink;
    std::string error;
    ASSERT_TRUE(decodeProxyGraphics(markerGraphics("AC1018"), sink, error)) << error;
    EXPECT_EQ(sink.texts, (std::vector<ProxyCommand>{ProxyCommand::kText2}));
}

std::vector<std::string> ezdxfShapes(const std::vector<std::uint8_t>& data)
{
    ScratchDir dir;
    const std::string hexFile = dir.file("stream.hex");
    writeBytes(hexFile, formatDxfHex(data.data(), data.size()));
    const PythonResult r = runPython("import runpy, sys\nsys.argv = ['x', '" + hexFile + "']\nrunpy.run_path('" +
                                     testDataPath("proxy_decode.py") + "', run_name='__main__')\n");
    EXPECT_EQ(r.status, 0) << r.output;
    std::vector<std::string> out;
    std::istringstream in(r.output);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("Untested", 0) != 0)
            out.push_back(line);
    return out;
}

TEST_F(ProxyGraphicsAdapter, EzdxfReadsTheShapesTheEntityDrew)
{
    // ezdxf knows no drawing here: layer indexes are not shown, colours and lineweights are (a true
    // colour in place of the index).
    const std::vector<std::string> expected{
        "CIRCLE color=1 center=(10,20,0) radius=2",
        "POLYLINE color=1 lineweight=50 closed=0 (7,20,0) (13,20,0)",
        "ARC color=1 lineweight=50 center=(10,20,0) radius=4 start=90 end=180",
        "HATCH lineweight=50 true_color=16744448 paths=1",
        "TEXT lineweight=50 true_color=16744448 insert=(10,25,0) height=1.5 text=Lot 7 \xc3\xa9 rotation=90 "
        "style=arial.ttf",
    };
    EXPECT_EQ(ezdxfShapes(markerGraphics("AC1032")), expected);
}

TEST_F(ProxyGraphicsAdapter, DamagedStreamDrawsWhatCameBeforeTheDamage)
{
    ProxyGraphicsWriter writer;
    const std::vector<ProxyPoint> line{{0, 0, 0}, {5, 0, 0}};
    writer.polyline(line);
    writer.circle({1, 1, 0}, 1, {0, 0, 1});
    std::vector<std::uint8_t> bytes = writer.bytes();
    // The circle's last bytes are missing, the header's total saying so: the circle claims more.
    bytes.resize(bytes.size() - 8);
    const auto total = static_cast<std::uint32_t>(bytes.size());
    for (int i = 0; i < 4; ++i)
        bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(total >> (8 * i));
    GiRecorder recorder(m_db);
    std::string error;
    class Stream final : public AcGiDrawable {
    public:
        Stream(const std::vector<std::uint8_t>& data, std::string& error) : m_data(data), m_error(error) {}
        Adesk::UInt32 setAttributes(AcGiDrawableTraits*) override { return 0; }
        Adesk::Boolean worldDraw(AcGiWorldDraw* wd) override
        {
            m_ok = drawProxyGraphics(m_data, wd, m_error);
            return Adesk::kTrue;
        }
        void viewportDraw(AcGiViewportDraw*) override {}
        Adesk::Boolean isPersistent() const override { return Adesk::kFalse; }
        AcDbObjectId id() const override { return {}; }
        bool m_ok = true;

    private:
        const std::vector<std::uint8_t>& m_data;
        std::string& m_error;
    } stream(bytes, error);
    recorder.drawEntity(&stream);
    EXPECT_FALSE(stream.m_ok);
    EXPECT_FALSE(error.empty());
    ASSERT_EQ(recorder.primitives().size(), 1u);
    EXPECT_EQ(recorder.primitives()[0].kind, GiPrimitiveKind::kPolyline);
}

// Draws a stream through a recorder; the recorder's primitives.
std::vector<GiPrimitive> drawStream(AcDbDatabase* db, const ProxyGraphicsWriter& writer)
{
    class Stream final : public AcGiDrawable {
    public:
        explicit Stream(std::vector<std::uint8_t> data) : m_data(std::move(data)) {}
        Adesk::UInt32 setAttributes(AcGiDrawableTraits*) override { return 0; }
        Adesk::Boolean worldDraw(AcGiWorldDraw* wd) override
        {
            std::string error;
            EXPECT_TRUE(drawProxyGraphics(m_data, wd, error)) << error;
            return Adesk::kTrue;
        }
        void viewportDraw(AcGiViewportDraw*) override {}
        Adesk::Boolean isPersistent() const override { return Adesk::kFalse; }
        AcDbObjectId id() const override { return {}; }

    private:
        std::vector<std::uint8_t> m_data;
    } stream(writer.bytes());
    GiRecorder recorder(db);
    recorder.drawEntity(&stream);
    return recorder.primitives();
}

TEST_F(ProxyGraphicsAdapter, MatrixLeftPushedIsPoppedAtTheEnd)
{
    ProxyGraphicsWriter writer;
    writer.pushMatrix({1, 0, 0, 10, 0, 1, 0, 20, 0, 0, 1, 0, 0, 0, 0, 1}, false);
    writer.circle({1, 0, 0}, 1, {0, 0, 1});
    writer.popMatrix();
    writer.popMatrix();  // one too many: ignored
    writer.pushMatrix({1, 0, 0, 5, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}, false);
    writer.circle({0, 0, 0}, 1, {0, 0, 1});
    const std::vector<GiPrimitive> drawn = drawStream(m_db, writer);
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_TRUE(drawn[0].points[0].isEqualTo(AcGePoint3d(11, 20, 0)));
    EXPECT_TRUE(drawn[1].points[0].isEqualTo(AcGePoint3d(5, 0, 0)));
}

TEST_F(ProxyGraphicsAdapter, LightweightPolylineIsDrawnAsRunsAndArcs)
{
    ProxyGraphicsWriter writer;
    ProxyLwPolyline pl;
    // (0,0) to (10,0) straight, then a half circle to (10,10) turning left, then straight to (0,10).
    pl.points = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    pl.bulges = {0, 1, 0, 0};
    pl.elevation = 2;
    writer.lwpolyline(pl);
    const std::vector<GiPrimitive> drawn = drawStream(m_db, writer);
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[0].kind, GiPrimitiveKind::kPolyline);
    EXPECT_EQ(drawn[1].kind, GiPrimitiveKind::kCircularArc);
    EXPECT_TRUE(drawn[1].points[0].isEqualTo(AcGePoint3d(10, 5, 2)));
    EXPECT_NEAR(drawn[1].radius, 5.0, kTol);
    EXPECT_NEAR(drawn[1].sweepAngle, std::numbers::pi, kTol);
    EXPECT_LE(drawn[1].points[2].distanceTo(AcGePoint3d(10, 10, 2)), kTol);
    ASSERT_EQ(drawn[2].points.size(), 2u);
    EXPECT_TRUE(drawn[2].points[1].isEqualTo(AcGePoint3d(0, 10, 2)));
}

TEST_F(ProxyGraphicsAdapter, ShellFacesAreDrawnByTheirOutlinesHolesIncluded)
{
    ProxyGraphicsWriter writer;
    const std::vector<ProxyPoint> points{{0, 0, 0}, {4, 0, 0}, {4, 4, 0}, {0, 4, 0}, {1, 1, 0}, {2, 1, 0}, {2, 2, 0}};
    // A square face, then a triangular hole in it (negative count).
    const std::vector<std::int32_t> faces{4, 0, 1, 2, 3, -3, 4, 5, 6};
    writer.shell(points, faces);
    const std::vector<GiPrimitive> drawn = drawStream(m_db, writer);
    ASSERT_EQ(drawn.size(), 2u);
    ASSERT_EQ(drawn[0].points.size(), 5u);
    EXPECT_TRUE(drawn[0].points[4].isEqualTo(drawn[0].points[0])) << "each outline is closed";
    ASSERT_EQ(drawn[1].points.size(), 4u);
    EXPECT_TRUE(drawn[1].points[1].isEqualTo(AcGePoint3d(2, 1, 0)));
}

TEST_F(ProxyGraphicsAdapter, TraitsOutsideTheirRangeAreIgnored)
{
    ProxyGraphicsWriter writer;
    writer.color(300);
    writer.lineweight(33);
    writer.layer(99);
    writer.circle({0, 0, 0}, 1, {0, 0, 1});
    const std::vector<GiPrimitive> drawn = drawStream(m_db, writer);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_TRUE(drawn[0].traits.color.isByLayer());
    EXPECT_EQ(drawn[0].traits.lineWeight, AcDb::kLnWtByLayer);
    EXPECT_TRUE(drawn[0].traits.layerId.isNull());
}

}  // namespace
}  // namespace kelvora::test
