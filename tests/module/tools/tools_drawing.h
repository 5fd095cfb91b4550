// Test fixture: a new drawing under an editor session, the polyline tools registered as commands, and
// scripts run against it as the program runs them.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "accmd.h"
#include "acutads.h"
#include "dbapserv.h"
#include "dbents.h"
#include "dbmain.h"
#include "dbpl.h"
#include "dbsymtb.h"
#include "kelvora/command_line.h"
#include "kelvora/drawing_display.h"
#include "kelvora/editor_session.h"
#include "kelvora/input_source.h"
#include "kelvora/transcript.h"
#include "rxregsvc.h"
#include "tools/tool_commands.h"

namespace tools_test {

// (x, y, bulge) of one vertex.
using Vertex = std::tuple<double, double, double>;

constexpr const ACHAR* kTestGroup = L"KVTOOLSTEST";

// A polyline (in no database) through the vertices.
inline AcDbPolyline* makePolyline(const std::vector<Vertex>& vertices, bool closed = false)
{
    auto* pline = new AcDbPolyline();
    for (const auto& [x, y, bulge] : vertices)
        pline->addVertexAt(pline->numVerts(), AcGePoint2d(x, y), bulge);
    pline->setClosed(closed);
    return pline;
}

inline std::vector<Vertex> verticesOf(const AcDbPolyline& pline)
{
    std::vector<Vertex> vertices;
    for (unsigned int i = 0; i < pline.numVerts(); ++i) {
        AcGePoint2d point;
        double bulge = 0.0;
        pline.getPointAt(i, point);
        pline.getBulgeAt(i, bulge);
        vertices.emplace_back(point.x, point.y, bulge);
    }
    return vertices;
}

class ToolsDrawing : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_db = std::make_unique<AcDbDatabase>(true, false);
        m_editor = std::make_unique<kelvora::EditorSession>(*m_db, kelvora::SessionDrawing{});
        m_editor->showDrawing();
        registerTools();
    }
    void TearDown() override
    {
        if (AcEdCommandStack* stack = commandStack())
            stack->removeGroup(kTestGroup);
        m_editor.reset();
        m_db.reset();
    }

    // Runs the script's lines at the command prompt; answers the transcript it wrote.
    std::string run(const std::string& script)
    {
        auto source = kelvora::makeTextSource("tools.scr", script);
        kelvora::StringTranscriptSink sink;
        kelvora::Transcript transcript(sink);
        {
            kelvora::CommandLine line(*source, transcript, stderr);
            m_editor->runCommands(line);
        }
        return sink.text();
    }

    // Adds an entity to model space, closed and displayed as a command's would be.
    AcDbObjectId add(AcDbEntity* entity)
    {
        AcDbBlockTableRecord* space = nullptr;
        EXPECT_EQ(acdbOpenObject(space, m_db->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
        AcDbObjectId id;
        EXPECT_EQ(space->appendAcDbEntity(id, entity), Acad::eOk);
        entity->close();
        space->close();
        kelvora::drawingDisplay().redrawChanged(m_db.get());
        return id;
    }

    AcDbObjectId addPolyline(const std::vector<Vertex>& vertices, bool closed = false)
    {
        return add(makePolyline(vertices, closed));
    }

    // The vertices of the polyline of that id (empty when it cannot be opened as a polyline).
    static std::vector<Vertex> verticesOf(AcDbObjectId id)
    {
        std::vector<Vertex> vertices;
        AcDbPolyline* pline = nullptr;
        if (acdbOpenObject(pline, id, AcDb::kForRead) != Acad::eOk)
            return vertices;
        vertices = tools_test::verticesOf(*pline);
        pline->close();
        return vertices;
    }

    // "#HANDLE", the script's pick of that entity.
    static std::string pickOf(AcDbObjectId id)
    {
        char buffer[32] = "";
        id.handle().getIntoAsciiBuffer(buffer, sizeof buffer);
        return std::string("#") + buffer;
    }

    // The ids of model space's entities in drawing order.
    std::vector<AcDbObjectId> modelSpace()
    {
        std::vector<AcDbObjectId> ids;
        AcDbBlockTableRecord* space = nullptr;
        if (acdbOpenObject(space, m_db->modelSpaceId(), AcDb::kForRead) != Acad::eOk)
            return ids;
        AcDbBlockTableRecordIterator* it = nullptr;
        if (space->newIterator(it) == Acad::eOk) {
            for (; !it->done(); it->step()) {
                AcDbObjectId id;
                if (it->getEntityId(id) == Acad::eOk)
                    ids.push_back(id);
            }
            delete it;
        }
        space->close();
        return ids;
    }

    AcDbDatabase* db() { return m_db.get(); }

private:
    static AcEdCommandStack* commandStack()
    {
        AcRxDictionary* registry = acrxSysRegistry();
        return registry != nullptr ? AcEdCommandStack::cast(registry->at(ACRX_COMMAND_DOCK)) : nullptr;
    }

    static void registerTools()
    {
        AcEdCommandStack* stack = commandStack();
        ASSERT_NE(stack, nullptr);
        struct Row {
            const ACHAR* name;
            AcRxFunctionPtr handler;
        };
        const Row rows[] = {
            {L"SPLTOPLINE", &kelvora::tools::commandSplToPline},
            {L"MSPLTOPLINE", &kelvora::tools::commandMSplToPline},
            {L"OPTIMIZEPOL", &kelvora::tools::commandOptimizePol},
            {L"INVERSERPOLYLINE", &kelvora::tools::commandInverserPolyline},
            {L"ENLEVERARC", &kelvora::tools::commandEnleverArc},
            {L"METTREUNARC", &kelvora::tools::commandMettreUnArc},
            {L"SUPPSOMMET", &kelvora::tools::commandSuppSommet},
            {L"POLORIENTATION", &kelvora::tools::commandPolOrientation},
            {L"FRONTIERES", &kelvora::tools::commandFrontieres},
            {L"KELVORANOPROXY", &kelvora::tools::commandKelvoraNoProxy},
        };
        for (const Row& row : rows)
            stack->addCommand(kTestGroup, row.name, row.name, ACRX_CMD_MODAL, row.handler, nullptr, -1, nullptr,
                              nullptr);
    }

    std::unique_ptr<AcDbDatabase> m_db;
    std::unique_ptr<kelvora::EditorSession> m_editor;
};

// The entity's layer name (the host hands out a copy that the caller frees).
inline std::wstring layerOf(const AcDbEntity& entity)
{
    ACHAR* name = entity.layer();
    std::wstring layer = name != nullptr ? name : L"";
    acutDelString(name);
    return layer;
}

// Vertices equal within a tolerance.
inline ::testing::AssertionResult sameVertices(const std::vector<Vertex>& got, const std::vector<Vertex>& want,
                                               double tolerance = 1e-9)
{
    bool same = got.size() == want.size();
    for (std::size_t i = 0; same && i < got.size(); ++i) {
        same = std::abs(std::get<0>(got[i]) - std::get<0>(want[i])) <= tolerance &&
               std::abs(std::get<1>(got[i]) - std::get<1>(want[i])) <= tolerance &&
               std::abs(std::get<2>(got[i]) - std::get<2>(want[i])) <= tolerance;
    }
    if (same)
        return ::testing::AssertionSuccess();
    auto text = [](const std::vector<Vertex>& vertices) {
        std::string s;
        for (const auto& [x, y, b] : vertices)
            s += "(" + std::to_string(x) + ", " + std::to_string(y) + ", " + std::to_string(b) + ") ";
        return s;
    };
    return ::testing::AssertionFailure() << "got " << text(got) << "want " << text(want);
}

}  // namespace tools_test
