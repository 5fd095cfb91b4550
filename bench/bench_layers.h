// Layers for the benchmarks' drawings.
#pragma once

#include "dbsymtb.h"

// A new layer of the working drawing's layer table; the null id when it cannot be added.
inline AcDbObjectId addBenchLayer(AcDbDatabase* db, const wchar_t* name, int colour = 7)
{
    AcDbLayerTable* table = nullptr;
    if (db->getLayerTable(table, AcDb::kForWrite) != Acad::eOk)
        return {};
    auto* layer = new AcDbLayerTableRecord();
    layer->setName(name);
    AcCmColor c;
    c.setColorIndex(static_cast<Adesk::UInt16>(colour));
    layer->setColor(c);
    AcDbObjectId id;
    if (table->add(id, layer) == Acad::eOk)
        layer->close();
    else
        delete layer;
    table->close();
    return id;
}
