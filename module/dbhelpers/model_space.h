// Adding new entities to model space and making sure layers exist.
#pragma once

#include "acadstrc.h"
#include "dbid.h"
#include "adesk.h"

class AcDbDatabase;
class AcDbEntity;

// Appends the entity (open for write) to the working database's model space and closes it. The first
// failing step's status is answered; an entity whose append fails is neither closed nor deleted.
Acad::ErrorStatus appendToModelSpace(AcDbEntity* entity, AcDbObjectId& id);
void addToModelSpace(AcDbEntity* entity);

// Finds the layer of the trimmed name, or creates it with the colour index. Without a layer table the
// id is left untouched. db null: the working database.
void ensureLayer(const ACHAR* name, AcDbObjectId& layerId, Adesk::UInt16 colorIndex, AcDbDatabase* db = nullptr);
