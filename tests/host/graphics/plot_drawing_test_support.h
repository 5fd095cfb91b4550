// Test support for plots of drawings: a database built in code, its layers and blocks, and pixels of the plot.
#pragma once

#include "dbmain.h"
#include "dbsymtb.h"
#include "host/graphics/plot_test_support.h"
#include "kelvora/plot.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace kelvora::testing {

// A database with the default drawing, the working database for the test's life.
class PlotTestDatabase {
public:
    PlotTestDatabase();
    ~PlotTestDatabase();
    PlotTestDatabase(const PlotTestDatabase&) = delete;
    PlotTestDatabase& operator=(const PlotTestDatabase&) = delete;

    AcDbDatabase* get() const { return m_db; }

    // Appends to model space (the entity is closed); the id, null on failure.
    AcDbObjectId add(AcDbEntity* entity) const;
    // A layer of that colour index (closed).
    AcDbObjectId addLayer(const wchar_t* name, int colourIndex, bool off = false, bool frozen = false) const;
    // A block of these entities (each closed), its origin at `origin`.
    AcDbObjectId addBlock(const wchar_t* name, std::initializer_list<AcDbEntity*> entities,
                          const AcGePoint3d& origin = AcGePoint3d::kOrigin) const;
    // Opens an entity of model space for write, changes it and closes it.
    void change(AcDbObjectId id, const std::function<void(AcDbEntity*)>& edit) const;

private:
    AcDbDatabase* m_db;
    AcDbDatabase* m_previous;
};

// A window of `units` drawing units square from the origin on a device of as many pixels times
// `pixelsPerUnit`: world (x, y) is at pixel (x * ppu, (units - y) * ppu).
PlotOptions squareWindow(double units, int pixelsPerUnit);

// The pixel that shows world (x, y) under squareWindow(units, ppu).
Rgb pixelAt(const PngImage& image, double units, int pixelsPerUnit, double x, double y);

int countPixels(const PngImage& image, const std::function<bool(Rgb)>& test);

bool isBlue(Rgb c);
bool isGreen(Rgb c);

}  // namespace kelvora::testing
