// The slope dialogs' values: colour lists, the silent range rules applied on OK, and the exchange with slopes and defaults.
#pragma once

#include "adesk.h"
#include "slopes/slope_defaults.h"

class CComboBox;
class CParamTalus;
class DlgTalus;
class nPolyLineTalutee;

namespace kelvora::slopes {

// The smallest interval count each dialog keeps: DDTALUT needs a long stroke between short ones.
inline constexpr int kSlopeDialogMinIntervals = 3;
inline constexpr int kDefaultsDialogMinIntervals = 1;

// Fills a colour list with its ten fixed entries: index = colour code + 2.
void fillColorList(CComboBox& list);
// The list index shown for a colour code, and the code stored for an index (no selection: -3).
int colorIndexOfCode(Adesk::Int16 code);
Adesk::Int16 colorCodeOfIndex(int index);

// Out-of-range values are brought back silently: ratio above 1.00001, lengths and spacing above
// 0.01, the interval count at least the dialog's minimum (and at most what 16 bits hold).
double validRatio(double ratio);
double validLength(double length);
Adesk::UInt16 validIntervals(int count, int minimum);

void loadSlopeDialog(nPolyLineTalutee& slope, DlgTalus& dialog);
// Stores the dialog's values in the slope (open for write) under the range rules; displayFlags and
// the limits are left as they are.
void storeSlopeDialog(const DlgTalus& dialog, nPolyLineTalutee& slope);

void loadDefaultsDialog(const SlopeDefaults& defaults, CParamTalus& dialog);
SlopeDefaults defaultsFromDialog(const CParamTalus& dialog);
// Gives a slope (open for write) the six stroke parameters of the defaults.
void applyDefaults(const SlopeDefaults& defaults, nPolyLineTalutee& slope);

}  // namespace kelvora::slopes
