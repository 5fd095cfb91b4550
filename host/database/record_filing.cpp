// DXF writing helper shared by the symbol table records.
#include "record_filing.h"

namespace kelvora {

void writeNameAndFlags(AcDbDxfFiler* filer, const AcDbSymbolTableRecord* rec, Adesk::Int16 flags)
{
    filer->writeString(AcDb::kDxfSymbolTableName, ObjectAccess::recordName(rec).c_str());
    filer->writeInt16(AcDb::kDxfInt16, flags);
}

}  // namespace kelvora
