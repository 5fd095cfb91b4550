// Shared pieces of the host's drawing and editing commands: the drawing, new entities, answers, selections.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "AdAChar.h"
#include "adsdef.h"
#include "dbmain.h"
#include "gemat3d.h"
#include "gepnt3d.h"
#include "gevec3d.h"

namespace kelvora::commands {

// The drawing the commands work on (the working database); null when there is none.
AcDbDatabase* drawing();

// Adds a new entity to a block (addToCurrentSpace: to the drawing's current space) and closes it.
// On failure the entity is deleted and the id is null.
AcDbObjectId addToBlock(AcDbObjectId blockId, AcDbEntity* entity);
AcDbObjectId addToCurrentSpace(AcDbEntity* entity);

// A copy of the entity through its own filing (same class and data, in no database); null when
// the entity cannot be copied.
AcDbEntity* copyOf(const AcDbEntity* entity);

AcGePoint3d asPoint(const ads_point point);
void toAds(const AcGePoint3d& point, ads_point out);

// A text answer: the whole line when wholeLine, otherwise its first word. Nothing when cancelled.
std::optional<std::wstring> askString(const ACHAR* prompt, bool wholeLine);

// The keyword behind the last RTKWORD ("" when there is none).
std::wstring lastKeyword();

// A length as the drawing shows it (LUNITS, LUPREC).
std::wstring formatLength(double value);

// Writes a text to the transcript as it is.
void say(const std::wstring& text);

// "Select objects: " and the selector lines: the entities in the order selected. Empty when
// nothing was selected or the selection was cancelled.
std::vector<AcDbObjectId> selectObjects();

// The entities an editing command may change: those on a locked layer are left out, and the
// command says how many ("\nN was on a locked layer.").
std::vector<AcDbObjectId> editableOnly(const std::vector<AcDbObjectId>& ids);

// True when the entity's layer is locked (its open for write would answer eOnLockedLayer).
bool isOnLockedLayer(AcDbObjectId entityId);

// "Specify base point" and "Specify second point": the displacement between them. Enter at the
// second point takes the base point itself as the displacement, as the usual CAD programs do.
// Nothing when cancelled.
std::optional<AcGeVector3d> askDisplacement();

// Applies the matrix to each entity (opened for write). Returns how many refused it and says so
// ("\nN could not be VERB.").
int transformEach(const std::vector<AcDbObjectId>& ids, const AcGeMatrix3d& xform, const ACHAR* verb);

}  // namespace kelvora::commands
