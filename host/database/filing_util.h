// Filing helpers shared by the database classes: resbuf lists through DWG filers, DXF group reading.
#pragma once

#include <string>

#include "dbfiler.h"

namespace kelvora {

// A resbuf list as a count then, per item, its code and its value (typed by the code).
Acad::ErrorStatus writeResbufList(AcDbDwgFiler* filer, const resbuf* list);
// Replaces *list (freed) by the list read; on failure *list is untouched.
Acad::ErrorStatus readResbufList(AcDbDwgFiler* filer, resbuf*& list);

// Writes every group of the list through the DXF filer, as it is.
Acad::ErrorStatus writeResbufsToDxf(AcDbDxfFiler* filer, const resbuf* list);
// Appends a copy of rb to the list.
void appendToList(resbuf*& list, const resbuf& rb);

// A wide string through a DWG filer (std::wstring in and out).
Acad::ErrorStatus readWString(AcDbDwgFiler* filer, std::wstring& out);

// The id of a DXF group value (the ads name a DXF filer gives for codes 320-369).
AcDbObjectId idFromResbuf(const resbuf& rb);

// Frees the value of a resbuf filled by readResBuf (not the resbuf itself).
void clearResbufValue(resbuf& rb);

// The outcome of a DXF read loop: the end of the object or of the file is a normal end.
inline bool isEndOfData(Acad::ErrorStatus es)
{
    return es == Acad::eEndOfObject || es == Acad::eEndOfFile;
}

}  // namespace kelvora
