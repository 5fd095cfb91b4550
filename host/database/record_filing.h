// DXF reading helpers shared by the symbol table records.
#pragma once

#include "dbsymtb.h"
#include "filing_util.h"

namespace kelvora {

// A group read from a DXF filer; its value is freed when it goes out of scope.
struct RecordDxfItem {
    resbuf rb{};
    RecordDxfItem() = default;
    ~RecordDxfItem() { clearResbufValue(rb); }
    RecordDxfItem(const RecordDxfItem&) = delete;
    RecordDxfItem& operator=(const RecordDxfItem&) = delete;
    const wchar_t* text() const { return rb.resval.rstring != nullptr ? rb.resval.rstring : L""; }
};

// Reads the groups of a record's own subclass until extended data or the end of the object: the name
// (2) and flags (70) go to the record, the others to `handle`, which answers false for a group that is
// not the record's (it is then kept in `kept`). handleFlags decides what group 70 means (the block
// record has none of its own).
template <class HANDLER>
Acad::ErrorStatus readRecordGroups(AcDbDxfFiler* filer, AcDbSymbolTableRecord* rec, resbuf*& kept, HANDLER handle,
                                   bool nameAndFlags = true);

void writeNameAndFlags(AcDbDxfFiler* filer, const AcDbSymbolTableRecord* rec, Adesk::Int16 flags);

}  // namespace kelvora

#include "object_access.h"

template <class HANDLER>
Acad::ErrorStatus kelvora::readRecordGroups(AcDbDxfFiler* filer, AcDbSymbolTableRecord* rec, resbuf*& kept,
                                            HANDLER handle, bool nameAndFlags)
{
    while (true) {
        RecordDxfItem item;
        Acad::ErrorStatus es = filer->readResBuf(&item.rb);
        if (isEndOfData(es))
            return Acad::eOk;
        if (es != Acad::eOk)
            return es;
        const int code = item.rb.restype;
        if (code >= 1000) {
            filer->pushBackItem();
            return Acad::eOk;
        }
        if (nameAndFlags && code == AcDb::kDxfSymbolTableName) {
            ObjectAccess::setRecordName(rec, item.text());
            continue;
        }
        if (nameAndFlags && code == AcDb::kDxfInt16) {
            ObjectAccess::setRecordFlags(rec, item.rb.resval.rint);
            handle(item);
            continue;
        }
        if (!handle(item))
            appendToList(kept, item.rb);
    }
}
