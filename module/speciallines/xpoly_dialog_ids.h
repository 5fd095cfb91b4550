// Ids of the special-line dialog template and of its controls.
#pragma once

namespace kelvora::speciallines {

inline constexpr unsigned kXpolyDialog = 103;

// Kind radios ("&Block", "&Texte", "Standard"), in their exchange order.
inline constexpr int kBlockRadio = 1101;
inline constexpr int kTextRadio = 1102;
inline constexpr int kStandardRadio = 1103;
inline constexpr int kBlockList = 1104;
inline constexpr int kPickBlockButton = 1105;
inline constexpr int kDimensionsLabel = 1106;
inline constexpr int kSymbolTextEdit = 1107;
inline constexpr int kTextStyleList = 1108;
inline constexpr int kBuiltinStyleList = 1109;
inline constexpr int kSizeEdit = 1110;
inline constexpr int kGapEdit = 1111;
inline constexpr int kSpacingEdit = 1112;
inline constexpr int kPlacementList = 1113;
// Line-mode radios ("De&ssiner tout", "Dessiner &partiellement", "Ne &rien dessiner").
inline constexpr int kDrawAllRadio = 1114;
inline constexpr int kDrawPartRadio = 1115;
inline constexpr int kDrawNoneRadio = 1116;

}  // namespace kelvora::speciallines
