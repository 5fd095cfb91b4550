// The core classes of the host, registered before the class dictionary is first used (the classes made
// with the host-class macros register themselves as well; listing them here does no harm).
#include "acgi.h"
#include "dbdict.h"
#include "dbsymtb.h"
#include "entities/entity_classes.h"
#include "kelvora/host_class.h"
#include "rxdict.h"

namespace kelvora {

void registerHostClasses()
{
    // Parents register themselves first (each desc() asks its parent's), so the order is free.
    AcRxObject::desc();
    AcRxClass::desc();
    AcRxDictionary::desc();
    AcDbDatabase::desc();

    AcGiDrawable::desc();
    AcGiSubEntityTraits::desc();
    AcGiDrawableTraits::desc();
    AcGiContext::desc();
    AcGiViewport::desc();
    AcGiGeometry::desc();
    AcGiWorldGeometry::desc();
    AcGiViewportGeometry::desc();
    AcGiCommonDraw::desc();
    AcGiWorldDraw::desc();
    AcGiViewportDraw::desc();

    AcDbObject::desc();
    AcDbEntity::desc();
    AcDbDictionary::desc();
    AcDbSymbolTable::desc();
    AcDbSymbolTableRecord::desc();
    AcDbBlockTable::desc();
    AcDbLayerTable::desc();
    AcDbTextStyleTable::desc();
    AcDbLinetypeTable::desc();
    AcDbRegAppTable::desc();
    AcDbViewTable::desc();
    AcDbUCSTable::desc();
    AcDbViewportTable::desc();
    AcDbDimStyleTable::desc();
    AcDbBlockTableRecord::desc();
    AcDbLayerTableRecord::desc();
    AcDbTextStyleTableRecord::desc();
    AcDbLinetypeTableRecord::desc();
    AcDbRegAppTableRecord::desc();
    AcDbViewTableRecord::desc();
    AcDbUCSTableRecord::desc();
    AcDbViewportTableRecord::desc();
    AcDbDimStyleTableRecord::desc();

    // The entities (curves, polylines, texts, blocks, hatches, proxies), with their DXF names.
    registerEntityClasses();
}

}  // namespace kelvora
