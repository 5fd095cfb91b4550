// The structure a drawing file of R2000 and later needs, added to the database before it is written.
#pragma once

#include <string_view>
#include <vector>

#include "drawing_state.h"

class AcDbDatabase;

namespace kelvora {

// Makes sure the database holds what every R2000+ file needs and the host's own drawings lack: the
// standard tables and records, the named object dictionary with ACAD_GROUP, ACAD_LAYOUT with a
// layout for model space and one for paper space (each pointing to its block and back), and the plot
// style dictionary with its "Normal" entry; handles for the BLOCK and ENDBLK records of every block;
// every application named by extended data in the APPID table. What is added keeps its handles, so
// saving twice writes the same handles.
void prepareDrawingStructure(AcDbDatabase& db, DrawingFileState& state);

// A proxy object of `dxfName` holding `own` as its groups after the common ones, put into the
// dictionary under `key` (or, for a null dictionary, owned by `owner`). Null id on failure.
AcDbObjectId addKeptObject(AcDbDatabase& db, DrawingFileState& state, AcDbObjectId dictionaryId, const wchar_t* key,
                           AcDbObjectId owner, const char* dxfName, const char* className, std::vector<DxfTag> own);

}  // namespace kelvora
