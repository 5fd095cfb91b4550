// Proxy graphics and the graphics interface: recorded primitives written as a proxy graphics stream, and a stream drawn back through a world draw.
#pragma once

#include "acgi.h"
#include "kelvora/dxf_proxy_graphics.h"
#include "kelvora/gi_recorder.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class AcDbDatabase;
class AcDbEntity;

namespace kelvora {

// Layer and linetype commands (16, 18) carry an index: the position of the record among the
// records of its table in table order, erased records not counted, as the drawing's LAYER and
// LTYPE tables list them. Ids that are not in the table are not written.
std::vector<AcDbObjectId> proxyLayerOrder(AcDbDatabase* db);
std::vector<AcDbObjectId> proxyLinetypeOrder(AcDbDatabase* db);

// Writes primitives recorded by a GiRecorder (world coordinates, so no matrix is pushed).
// Traits are written only where they change, starting from `base` (the entity's own traits,
// which a reader applies before it reads the stream): colour (command 14; a true colour also
// as command 22), layer, linetype, lineweight, linetype scale, thickness and fill. Polylines of
// one point are points; polypoints are points; texts are written as command 38 (Unicode) for
// `acadVer` AC1021 and later, as command 11 in Windows-1252 with \U+ escapes before, with
// their style's font files, width factor, obliquing and mirroring, and taken as is (the
// recorder has already applied the %% codes). Extents hints become command 1.
void writeProxyGraphics(std::span<const GiPrimitive> primitives, const GiTraits& base, AcDbDatabase* db,
                        std::string_view acadVer, ProxyGraphicsWriter& writer);

// The proxy graphics of an entity (open for read) as a save of that version stores them:
// what its saveAs draws (regen type kAcGiSaveWorldDrawForProxy), from its own traits. Empty
// when it draws nothing. A DXF writer puts proxyGraphicsTags(bytes, acadVer) after the
// entity's own groups.
std::vector<std::uint8_t> entityProxyGraphics(AcDbEntity* entity, std::string_view acadVer);

// Draws a proxy graphics stream through a world draw: traits through subEntityTraits (layer and
// linetype indexes through the tables of the context's database), primitives through geometry,
// matrices as model transforms (any left pushed are popped at the end), lightweight polylines
// as their straight runs and arcs, meshes and shells as their edges. Clip boundaries and
// commands without graphics are skipped. False with `error` set when the stream is damaged:
// what came before the damage has been drawn.
bool drawProxyGraphics(std::span<const std::uint8_t> data, AcGiWorldDraw* mode, std::string& error);

// Connects both ends, once at start-up before the first drawing is read or written:
// AcDbProxyEntity draws through its proxy graphics (AcDbProxyEntity::setGraphicsDrawer), and the
// drawing writer gives each custom entity the stream entityProxyGraphics makes
// (setProxyGraphicsMaker). The writer's maker is not told the version being written: texts are
// written as for AC1021, the host's own version (Unicode text commands).
void installProxyGraphics();

}  // namespace kelvora
