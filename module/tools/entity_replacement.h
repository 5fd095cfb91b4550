// Putting a new entity in the place of an old one: same object id and handle, same properties.
#pragma once

class AcDbEntity;

namespace kelvora::tools {

// The replacement (not in a database) takes the source's entity properties, object id and handle,
// extended data and extension dictionary; the source (open for write) is then deleted and the
// replacement stays open for write for the caller to close. When the host refuses the hand-over,
// the replacement is deleted, the source is closed unchanged and the answer is false.
bool replaceEntity(AcDbEntity* source, AcDbEntity* replacement);

}  // namespace kelvora::tools
