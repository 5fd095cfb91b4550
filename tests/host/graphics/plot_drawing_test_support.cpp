// Test support for plots of drawings: a database built in code, its layers and blocks, and pixels of the plot.
#include "host/graphics/plot_drawing_test_support.h"

#include "dbapserv.h"

#include <algorithm>
#include <cmath>

namespace kelvora::testing {

PlotTestDatabase::PlotTestDatabase()
    : m_db(new AcDbDatabase(true)), m_previous(acdbHostApplicationServices()->workingDatabase())
{
    acdbHostApplicationServices()->setWorkingDatabase(m_db);
}

PlotTestDatabase::~PlotTestDatabase()
{
    delete m_db;
    acdbHostApplicationServices()->setWorkingDatabase(m_previous);
}

AcDbObjectId PlotTestDatabase::add(AcDbEntity* entity) const
{
    AcDbBlockTableRecord* modelSpace = nullptr;
    if (acdbOpenObject(modelSpace, m_db->modelSpaceId(), AcDb::kForWrite) != Acad::eOk) {
        delete entity;
        return {};
    }
    AcDbObjectId id;
    const Acad::ErrorStatus es = modelSpace->appendAcDbEntity(id, entity);
    modelSpace->close();
    if (es != Acad::eOk) {
        delete entity;
        return {};
    }
    entity->close();
    return id;
}

AcDbObjectId PlotTestDatabase::addLayer(const wchar_t* name, int colourIndex, bool off, bool frozen) const
{
    AcDbLayerTable* table = nullptr;
    if (m_db->getLayerTable(table, AcDb::kForWrite) != Acad::eOk)
        return {};
    auto* layer = new AcDbLayerTableRecord();
    layer->setName(name);
    AcCmColor colour;
    colour.setColorIndex(static_cast<Adesk::UInt16>(colourIndex));
    layer->setColor(colour);
    layer->setIsOff(off);
    layer->setIsFrozen(frozen);
    AcDbObjectId id;
    if (table->add(id, layer) != Acad::eOk) {
        delete layer;
        table->close();
        return {};
    }
    layer->close();
    table->close();
    return id;
}

AcDbObjectId PlotTestDatabase::addBlock(const wchar_t* name, std::initializer_list<AcDbEntity*> entities,
                                        const AcGePoint3d& origin) const
{
    AcDbBlockTable* table = nullptr;
    if (m_db->getBlockTable(table, AcDb::kForWrite) != Acad::eOk)
        return {};
    auto* block = new AcDbBlockTableRecord();
    block->setName(name);
    block->setOrigin(origin);
    AcDbObjectId id;
    if (table->add(id, block) != Acad::eOk) {
        delete block;
        table->close();
        return {};
    }
    table->close();
    for (AcDbEntity* entity : entities) {
        if (block->appendAcDbEntity(entity) == Acad::eOk)
            entity->close();
        else
            delete entity;
    }
    block->close();
    return id;
}

void PlotTestDatabase::change(AcDbObjectId id, const std::function<void(AcDbEntity*)>& edit) const
{
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, id, AcDb::kForWrite) != Acad::eOk)
        return;
    edit(entity);
    entity->close();
}

PlotOptions squareWindow(double units, int pixelsPerUnit)
{
    PlotOptions options;
    options.width = static_cast<int>(std::lround(units * pixelsPerUnit));
    options.height = options.width;
    options.window = WorldExtents::fromCorners({0, 0}, {units, units});
    return options;
}

Rgb pixelAt(const PngImage& image, double units, int pixelsPerUnit, double x, double y)
{
    const int px = std::clamp(static_cast<int>(std::floor(x * pixelsPerUnit)), 0, image.width() - 1);
    const int py = std::clamp(static_cast<int>(std::floor((units - y) * pixelsPerUnit)), 0, image.height() - 1);
    return image.at(px, py);
}

int countPixels(const PngImage& image, const std::function<bool(Rgb)>& test)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            n += test(image.at(x, y)) ? 1 : 0;
    }
    return n;
}

bool isBlue(Rgb c)
{
    return c.b >= 200 && c.r <= 60 && c.g <= 60;
}

bool isGreen(Rgb c)
{
    return c.g >= 200 && c.r <= 60 && c.b <= 60;
}

}  // namespace kelvora::testing
