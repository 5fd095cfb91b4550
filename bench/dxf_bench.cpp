// Speed of the raw DXF layer: reading and writing a ~50 MB ASCII drawing of polylines, texts, blocks and hatches.
#include "kelvora/dxf_raw_io.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace {

constexpr std::size_t kTargetBytes = 50u * 1024 * 1024;
const char* const kPath = "/tmp/kelvora_dxf_bench.dxf";

class DxfText {
public:
    void tag(int code, const std::string& value)
    {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%3d\n", code);
        m_out += buf;
        m_out += value;
        m_out += '\n';
    }
    void tag(int code, double value)
    {
        char buf[40];
        std::snprintf(buf, sizeof buf, "%.10g", value);
        tag(code, std::string(buf));
    }
    void tag(int code, long value) { tag(code, std::to_string(value)); }
    std::string handle() { return hex(m_next++); }
    static std::string hex(unsigned long v)
    {
        char buf[24];
        std::snprintf(buf, sizeof buf, "%lX", v);
        return buf;
    }
    std::string& text() { return m_out; }

private:
    std::string m_out;
    unsigned long m_next = 0x100;
};

void entityHead(DxfText& t, const char* type, const char* subclass, const std::string& owner, const char* layer)
{
    t.tag(0, type);
    t.tag(5, t.handle());
    t.tag(330, owner);
    t.tag(100, "AcDbEntity");
    t.tag(8, layer);
    t.tag(100, subclass);
}

void attrib(DxfText& t, const std::string& owner, double x, double y, const char* tagName, const std::string& value)
{
    entityHead(t, "ATTRIB", "AcDbText", owner, "TEXTES");
    t.tag(10, x);
    t.tag(20, y);
    t.tag(30, 0.0);
    t.tag(40, 0.5);
    t.tag(1, value);
    t.tag(100, "AcDbAttribute");
    t.tag(2, tagName);
    t.tag(70, 0L);
}

// An R2000 drawing that ezdxf also reads: the usual tables, a block with
// attribute definitions, then units of polyline, line, text, block reference
// and hatch until the size is reached.
std::string makeDrawing(std::size_t targetBytes)
{
    DxfText t;
    const std::string modelSpace = "1F";
    t.tag(0, "SECTION");
    t.tag(2, "HEADER");
    t.tag(9, "$ACADVER");
    t.tag(1, "AC1015");
    t.tag(9, "$DWGCODEPAGE");
    t.tag(3, "ANSI_1252");
    t.tag(9, "$HANDSEED");
    t.tag(5, "FFFFFFF");
    t.tag(0, "ENDSEC");
    t.tag(0, "SECTION");
    t.tag(2, "TABLES");
    t.tag(0, "TABLE");
    t.tag(2, "LAYER");
    t.tag(5, "2");
    t.tag(330, "0");
    t.tag(100, "AcDbSymbolTable");
    t.tag(70, 3L);
    for (const char* name : {"0", "PARCELLES", "TEXTES"}) {
        t.tag(0, "LAYER");
        t.tag(5, t.handle());
        t.tag(330, "2");
        t.tag(100, "AcDbSymbolTableRecord");
        t.tag(100, "AcDbLayerTableRecord");
        t.tag(2, name);
        t.tag(70, 0L);
        t.tag(62, 7L);
        t.tag(6, "Continuous");
    }
    t.tag(0, "ENDTAB");
    t.tag(0, "TABLE");
    t.tag(2, "BLOCK_RECORD");
    t.tag(5, "1");
    t.tag(330, "0");
    t.tag(100, "AcDbSymbolTable");
    t.tag(70, 3L);
    for (auto [handle, name] : {std::pair{"1F", "*Model_Space"}, {"1E", "*Paper_Space"}, {"1D", "BORNE"}}) {
        t.tag(0, "BLOCK_RECORD");
        t.tag(5, handle);
        t.tag(330, "1");
        t.tag(100, "AcDbSymbolTableRecord");
        t.tag(100, "AcDbBlockTableRecord");
        t.tag(2, name);
    }
    t.tag(0, "ENDTAB");
    t.tag(0, "ENDSEC");
    t.tag(0, "SECTION");
    t.tag(2, "BLOCKS");
    for (auto [owner, name] : {std::pair{"1F", "*Model_Space"}, {"1E", "*Paper_Space"}, {"1D", "BORNE"}}) {
        entityHead(t, "BLOCK", "AcDbBlockBegin", owner, "0");
        t.tag(2, name);
        t.tag(70, std::string(name) == "BORNE" ? 2L : 0L);
        t.tag(10, 0.0);
        t.tag(20, 0.0);
        t.tag(30, 0.0);
        t.tag(3, name);
        if (std::string(name) == "BORNE") {
            entityHead(t, "CIRCLE", "AcDbCircle", owner, "0");
            t.tag(10, 0.0);
            t.tag(20, 0.0);
            t.tag(30, 0.0);
            t.tag(40, 0.5);
            for (const char* tagName : {"NUM", "ALT"}) {
                entityHead(t, "ATTDEF", "AcDbText", owner, "0");
                t.tag(10, 0.7);
                t.tag(20, 0.0);
                t.tag(30, 0.0);
                t.tag(40, 0.5);
                t.tag(1, "");
                t.tag(100, "AcDbAttributeDefinition");
                t.tag(3, tagName);
                t.tag(2, tagName);
                t.tag(70, 0L);
            }
        }
        entityHead(t, "ENDBLK", "AcDbBlockEnd", owner, "0");
    }
    t.tag(0, "ENDSEC");
    t.tag(0, "SECTION");
    t.tag(2, "ENTITIES");
    for (long unit = 0; t.text().size() < targetBytes; ++unit) {
        double x = static_cast<double>(unit % 1000) * 50.0 + 0.123456789;
        double y = static_cast<double>(unit / 1000) * 50.0 + 0.987654321;
        entityHead(t, "LWPOLYLINE", "AcDbPolyline", modelSpace, "PARCELLES");
        constexpr int kVertices = 12;
        t.tag(90, static_cast<long>(kVertices));
        t.tag(70, 1L);
        for (int v = 0; v < kVertices; ++v) {
            t.tag(10, x + 3.0 * v + 0.001 * static_cast<double>(unit));
            t.tag(20, y + (v % 2 == 0 ? 0.0 : 7.25));
            t.tag(42, v % 3 == 0 ? 0.41421356237 : 0.0);
        }
        entityHead(t, "LINE", "AcDbLine", modelSpace, "0");
        t.tag(10, x);
        t.tag(20, y);
        t.tag(30, 0.0);
        t.tag(11, x + 40.0);
        t.tag(21, y + 12.5);
        t.tag(31, 0.0);
        entityHead(t, "TEXT", "AcDbText", modelSpace, "TEXTES");
        t.tag(10, x + 1.5);
        t.tag(20, y + 2.5);
        t.tag(30, 0.0);
        t.tag(40, 2.5);
        t.tag(1, "Lot " + std::to_string(unit) + " - surface 1234.56 m2");
        t.tag(100, "AcDbText");
        std::string insert = t.handle();
        t.tag(0, "INSERT");
        t.tag(5, insert);
        t.tag(330, modelSpace);
        t.tag(100, "AcDbEntity");
        t.tag(8, "0");
        t.tag(100, "AcDbBlockReference");
        t.tag(66, 1L);
        t.tag(2, "BORNE");
        t.tag(10, x + 20.0);
        t.tag(20, y + 20.0);
        t.tag(30, 0.0);
        attrib(t, insert, x + 20.7, y + 20.0, "NUM", "B" + std::to_string(unit));
        attrib(t, insert, x + 20.7, y + 19.0, "ALT", "102.35");
        t.tag(0, "SEQEND");
        t.tag(5, t.handle());
        t.tag(330, insert);
        t.tag(100, "AcDbEntity");
        t.tag(8, "0");
        entityHead(t, "HATCH", "AcDbHatch", modelSpace, "PARCELLES");
        t.tag(10, 0.0);
        t.tag(20, 0.0);
        t.tag(30, 0.0);
        t.tag(210, 0.0);
        t.tag(220, 0.0);
        t.tag(230, 1.0);
        t.tag(2, "SOLID");
        t.tag(70, 1L);
        t.tag(71, 0L);
        t.tag(91, 1L);
        t.tag(92, 7L);
        t.tag(72, 0L);
        t.tag(73, 1L);
        t.tag(93, 4L);
        for (auto [dx, dy] : {std::pair{0.0, 0.0}, {10.0, 0.0}, {10.0, 10.0}, {0.0, 10.0}}) {
            t.tag(10, x + dx);
            t.tag(20, y + dy);
        }
        t.tag(97, 0L);
        t.tag(75, 1L);
        t.tag(76, 1L);
        t.tag(98, 0L);
    }
    t.tag(0, "ENDSEC");
    t.tag(0, "SECTION");
    t.tag(2, "OBJECTS");
    t.tag(0, "DICTIONARY");
    t.tag(5, "C");
    t.tag(330, "0");
    t.tag(100, "AcDbDictionary");
    t.tag(281, 1L);
    t.tag(0, "ENDSEC");
    t.tag(0, "EOF");
    return std::move(t.text());
}

// The drawing is made once and kept in /tmp between runs.
const std::string& drawingBytes()
{
    static const std::string bytes = [] {
        std::error_code ec;
        if (!std::filesystem::exists(kPath) || std::filesystem::file_size(kPath, ec) < kTargetBytes) {
            std::string made = makeDrawing(kTargetBytes);
            std::string error;
            kelvora::writeFileAtomically(kPath, made, error);
            return made;
        }
        std::string read;
        kelvora::DxfDiagnostics d;
        kelvora::readDxfFileBytes(kPath, read, d);
        return read;
    }();
    return bytes;
}

void BM_DxfRawRead(benchmark::State& state)
{
    const std::string& bytes = drawingBytes();
    for (auto _ : state) {
        auto drawing = std::make_unique<kelvora::DxfRawDrawing>();
        kelvora::DxfDiagnostics d;
        bool ok = kelvora::readDxfRaw(bytes, *drawing, d);
        benchmark::DoNotOptimize(ok);
        if (!ok)
            state.SkipWithError("the drawing did not read");
        // Freeing the drawing is no part of reading it.
        state.PauseTiming();
        drawing.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_DxfRawRead)->Unit(benchmark::kMillisecond);

void BM_DxfRawWrite(benchmark::State& state)
{
    const std::string& bytes = drawingBytes();
    kelvora::DxfRawDrawing drawing;
    kelvora::DxfDiagnostics d;
    kelvora::readDxfRaw(bytes, drawing, d);
    for (auto _ : state) {
        std::string written = kelvora::writeDxfRaw(drawing);
        benchmark::DoNotOptimize(written.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_DxfRawWrite)->Unit(benchmark::kMillisecond);

// The whole path a conversion takes: file to raw drawing to file (atomic save).
void BM_DxfRawFileReadWrite(benchmark::State& state)
{
    const std::string& bytes = drawingBytes();
    const std::string out = std::string(kPath) + ".out";
    for (auto _ : state) {
        kelvora::DxfRawDrawing drawing;
        kelvora::DxfDiagnostics d;
        bool ok = kelvora::readDxfRawFile(kPath, drawing, d) && kelvora::saveDxfRawFile(out, drawing, {}, d);
        if (!ok)
            state.SkipWithError("the drawing did not read or write");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    std::filesystem::remove(out);
}
BENCHMARK(BM_DxfRawFileReadWrite)->Unit(benchmark::kMillisecond);

}  // namespace
