// Test fixture for the division family: a working database with surfaces, a scripted command line, shapes to cut.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "dbapserv.h"
#include "dbmain.h"
#include "kelvora/command_line.h"
#include "kelvora/input_source.h"
#include "kelvora/system_variables.h"
#include "kelvora/transcript.h"
#include "surfaces/ne_surface.h"

namespace division_test {

struct Pt {
    double x = 0.0;
    double y = 0.0;
    double bulge = 0.0;
};

// A closed surface through the points, in order.
inline std::unique_ptr<NESurface> makeSurface(const std::vector<Pt>& points)
{
    auto surface = std::make_unique<NESurface>();
    for (const Pt& p : points)
        surface->addVertexAt(surface->numVerts(), AcGePoint2d(p.x, p.y), p.bulge);
    surface->setClosed(Adesk::kTrue);
    return surface;
}

inline std::vector<Pt> pointsOf(const AcDbPolyline& pline)
{
    std::vector<Pt> out(pline.numVerts());
    for (unsigned int k = 0; k < pline.numVerts(); ++k) {
        AcGePoint2d p;
        pline.getPointAt(k, p);
        pline.getBulgeAt(k, out[k].bulge);
        out[k].x = p.x;
        out[k].y = p.y;
    }
    return out;
}

inline double areaOf(const AcDbCurve& curve)
{
    double area = -1.0;
    EXPECT_EQ(curve.getArea(area), Acad::eOk);
    return area;
}

// True when the polyline's vertices are, in some order, exactly the expected points (within tol).
inline bool samePoints(const AcDbPolyline& pline, const std::vector<Pt>& expected, double tol = 1e-6)
{
    const std::vector<Pt> got = pointsOf(pline);
    auto near = [tol](const Pt& a, const Pt& b) { return std::fabs(a.x - b.x) <= tol && std::fabs(a.y - b.y) <= tol; };
    for (const Pt& g : got) {
        bool found = false;
        for (const Pt& e : expected)
            found = found || near(g, e);
        if (!found)
            return false;
    }
    for (const Pt& e : expected) {
        bool found = false;
        for (const Pt& g : got)
            found = found || near(g, e);
        if (!found)
            return false;
    }
    return true;
}

// A working database with the surface class registered and a command line reading `script`; what the
// commands print is in out().
class DivisionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        NESurface::rxInit();
        acrxBuildClassHierarchy();
        m_previous = acdbHostApplicationServices()->workingDatabase();
        m_db = new AcDbDatabase(true);
        acdbHostApplicationServices()->setWorkingDatabase(m_db);
        useScript("");
    }
    void TearDown() override
    {
        m_line.reset();
        acdbHostApplicationServices()->setWorkingDatabase(m_previous);
        delete m_db;
    }

    // The answers that the next prompts read, one a line.
    void useScript(std::string script)
    {
        m_line.reset();
        m_sink.clear();
        m_source = kelvora::makeTextSource("test.scr", std::move(script));
        m_line = std::make_unique<kelvora::CommandLine>(*m_source, m_transcript, stderr);
        kelvora::defineEditorVariables(kelvora::systemVariables());
    }
    const std::string& out() const { return m_sink.text(); }

    AcDbDatabase* m_db = nullptr;
    AcDbDatabase* m_previous = nullptr;
    kelvora::StringTranscriptSink m_sink;
    kelvora::Transcript m_transcript{m_sink};
    std::unique_ptr<kelvora::InputSource> m_source;
    std::unique_ptr<kelvora::CommandLine> m_line;
};

}  // namespace division_test
