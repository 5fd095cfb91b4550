// The hand-over of an entity's identity to its converted form.
#include "tools/entity_replacement.h"

#include "dbmain.h"

namespace kelvora::tools {

bool replaceEntity(AcDbEntity* source, AcDbEntity* replacement)
{
    replacement->setPropertiesFrom(source, Adesk::kTrue);
    if (source->handOverTo(replacement, Adesk::kTrue, Adesk::kTrue) != Acad::eObjectToBeDeleted) {
        delete replacement;
        source->close();
        return false;
    }
    delete source;
    return true;
}

}  // namespace kelvora::tools
