// Connecting proxy graphics to the database and the drawing writer: proxies draw their stream, custom entities get one when saved.
#include "kelvora/proxy_graphics_adapter.h"

#include "dbproxy.h"
#include "kelvora/drawing_file.h"
#include "kelvora/dxf_encoding.h"

namespace kelvora {

namespace {

Adesk::Boolean drawAsProxy(const std::vector<unsigned char>& graphics, AcGiWorldDraw* mode)
{
    std::string error;
    return drawProxyGraphics(graphics, mode, error) ? Adesk::kTrue : Adesk::kFalse;
}

std::vector<std::uint8_t> graphicsForSave(AcDbEntity* entity)
{
    return entityProxyGraphics(entity, kDxfFirstUtf8Version);
}

}  // namespace

void installProxyGraphics()
{
    AcDbProxyEntity::setGraphicsDrawer(&drawAsProxy);
    setProxyGraphicsMaker(&graphicsForSave);
}

}  // namespace kelvora
