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

// DlgTalus (DDTALUT) and CParamTalus (PARAMSTALUS)
inline constexpr unsigned kSlopeDialog = 106;
inline constexpr unsigned kSlopeDefaultsDialog = 108;
inline constexpr int kSlopeLongLengthEdit = 1032;
inline constexpr int kSlopeRatioEdit = 1033;
inline constexpr int kSlopeIntervalsEdit = 1034;
inline constexpr int kSlopeSpacingEdit = 1035;
inline constexpr int kSlopeBothSidesCheck = 1036;
inline constexpr int kSlopeLimitsButton = 1037;
inline constexpr int kSlopeLongColorList = 1038;
inline constexpr int kSlopeShortColorList = 1040;
inline constexpr int kDefaultsLongLengthEdit = 32773;
inline constexpr int kDefaultsRatioEdit = 32774;
inline constexpr int kDefaultsIntervalsEdit = 32775;
inline constexpr int kDefaultsSpacingEdit = 32776;
inline constexpr int kDefaultsLongColorList = 32777;
inline constexpr int kDefaultsShortColorList = 32778;
inline constexpr int kDefaultsUpdateCheck = 32779;

}  // namespace kelvora::resources
