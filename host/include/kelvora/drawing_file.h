// Drawing files: a DXF file read into the drawing database and the database written back as DXF, losing nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kelvora/dxf_diagnostics.h"
#include "kelvora/dxf_raw.h"

class AcDbDatabase;
class AcDbEntity;
class AcRxClass;

namespace kelvora {

// The versions the host writes. R2007 (AC1021) is the host's own line and the default.
enum class DrawingVersion { kR2000, kR2004, kR2007, kR2010, kR2013, kR2018 };

inline constexpr DrawingVersion kDefaultDrawingVersion = DrawingVersion::kR2007;

// "AC1015" ... "AC1032".
const char* drawingVersionAcadVer(DrawingVersion version);
// "R2000" ... "R2018".
const char* drawingVersionName(DrawingVersion version);
// From a release name ("R2013", any case) or an $ACADVER ("AC1027"); nothing for another text.
std::optional<DrawingVersion> parseDrawingVersion(std::string_view text);

// ----- Reading ------------------------------------------------------------------------------------
//
// ASCII or binary DXF of AC1009 (R12) to AC1032 (R2018). Entities and objects whose DXF name is the
// name of a registered class (the host's, or a loaded application's, found through the CLASSES
// section for custom names) become objects of that class, filled through their dxfInFields; every
// other record becomes a proxy that keeps its groups as read. Handles are kept; header variables,
// tables and sections the database does not model are kept with the database and written back.
// Damage that can be repaired is, with a warning; anything else is an error (false): `db` then holds
// what could be read and must not be saved.
//
// `db` must hold no object yet (made with AcDbDatabase(false)).
bool readDrawingFile(const std::string& path, AcDbDatabase& db, DxfDiagnostics& diagnostics);
// The same from the bytes of a file.
bool readDrawingData(std::string_view bytes, AcDbDatabase& db, DxfDiagnostics& diagnostics);
// The same from a raw drawing already read (it is changed by the repairs).
bool readDrawing(DxfRawDrawing& raw, AcDbDatabase& db, DxfDiagnostics& diagnostics);

// ----- Writing ------------------------------------------------------------------------------------
//
// The drawing as a file of `version`: header, CLASSES (every custom class registered, whether or not
// the drawing holds an object of it, and the classes read that are still in use), tables, blocks,
// entities and objects, with the handles, owners and subclass markers the version needs. Custom
// entities carry proxy graphics made through their saveAs. Missing structure (layouts, the plot style
// dictionary) is added to the database first, so saving twice gives the same handles.
bool buildDrawing(AcDbDatabase& db, DrawingVersion version, DxfRawDrawing& out, DxfDiagnostics& diagnostics);
// Writes the drawing to `path` atomically (beside it, then renamed over it). Each record becomes text
// as it is made, so a large drawing is not held a second time as records.
bool saveDrawingFile(AcDbDatabase& db, const std::string& path, DrawingVersion version,
                     DxfDiagnostics& diagnostics);
// The bytes saveDrawingFile writes, in memory (the same as writeDxfRaw of what buildDrawing makes).
bool writeDrawingData(AcDbDatabase& db, DrawingVersion version, std::string& bytes, DxfDiagnostics& diagnostics);

// What makes the proxy graphics of a custom entity: the stream its saveAs draws (an empty stream
// when it draws nothing). The entity is open for read. Without one, custom entities are written
// without proxy graphics.
using ProxyGraphicsMaker = std::vector<std::uint8_t> (*)(AcDbEntity* entity);
void setProxyGraphicsMaker(ProxyGraphicsMaker maker);
ProxyGraphicsMaker proxyGraphicsMaker();

// What the database keeps of the drawing file it was read from without modelling it, for reports
// and checks: records kept whole (proxies), objects of host classes with groups their class did not
// read, and header variables kept as read, by DXF name.
struct KeptDrawingData {
    std::map<std::string, int> wholeRecords;
    std::map<std::string, int> unreadGroups;
    int headerVariables = 0;
};
KeptDrawingData keptDrawingData(const AcDbDatabase& db);

// ----- Classes loaded and unloaded ----------------------------------------------------------------

// Proxies whose original class is now registered become objects of that class, built from the groups
// they kept, under the same id and handle. Called after an application is loaded. Answers how many
// were converted; a proxy whose class refuses its data stays a proxy.
int convertProxiesToClasses(AcDbDatabase& db);
// The same for every live database.
int convertProxiesInAllDatabases();

// Objects of the classes `which` accepts become proxies keeping the groups their dxfOutFields write,
// under the same id and handle; called before an application that registered those classes is
// unloaded. Objects open at the time are left as they are. Answers how many were converted.
int convertObjectsToProxies(AcDbDatabase& db, const std::function<bool(const AcRxClass*)>& which);
int convertObjectsToProxiesInAllDatabases(const std::function<bool(const AcRxClass*)>& which);

}  // namespace kelvora
