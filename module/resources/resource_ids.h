// Ids of the module's dialog templates and of their controls.
#pragma once

namespace kelvora::resources {

inline constexpr unsigned kSurfaceDialog = 104;
inline constexpr unsigned kSurfaceListDialog = 105;

// SurfaceDlg
inline constexpr int kTextStyleList = 1010;
inline constexpr int kLotTextEdit = 1011;
inline constexpr int kShowAreaCheck = 1012;
inline constexpr int kAreaPrefixEdit = 1013;
inline constexpr int kAreaUnitEdit = 1014;
inline constexpr int kShowPerimeterCheck = 1016;
inline constexpr int kPerimeterPrefixEdit = 1018;
inline constexpr int kPerimeterUnitEdit = 1019;
inline constexpr int kShowLotCheck = 1021;
inline constexpr int kTextHeightEdit = 1022;
inline constexpr int kAreaFormatList = 1045;

// ListeSurfaces
inline constexpr int kSurfaceListView = 1024;
inline constexpr int kToClipboardButton = 1025;
inline constexpr int kLocateButton = 1027;
inline constexpr int kZoomInButton = 1028;
inline constexpr int kZoomOutButton = 1029;
inline constexpr int kZoomFactorEdit = 1030;
inline constexpr int kCentreButton = 1031;

}  // namespace kelvora::resources
