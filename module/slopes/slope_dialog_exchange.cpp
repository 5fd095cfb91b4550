// The slope dialogs' values: the colour list, the range rules and the exchange with slopes and the defaults.
#include "slopes/slope_dialog_exchange.h"

#include <algorithm>
#include <limits>

#include "afxwin.h"
#include "slopes/dlg_talus.h"
#include "slopes/param_talus_dlg.h"
#include "slopes/slope_entity.h"

namespace kelvora::slopes {

namespace {

// The list shows the codes -2 to 7 in this order.
constexpr int kColorListOffset = 2;
const wchar_t* const kColorNames[] = {L"Selon l'entité", L"Selon Layer", L"Selon Block", L"Rouge",   L"Jaune",
                                      L"Vert",           L"Cyan",        L"Bleu",        L"Magenta", L"Noir / blanc"};

// The smallest values the dialogs keep: a ratio just above 1 keeps short strokes shorter than long
// ones, and a hundredth of a unit is the smallest stroke or spacing anyone can see on a plan.
constexpr double kMinimumRatio = 1.00001;
constexpr double kMinimumLength = 0.01;

}  // namespace

void fillColorList(CComboBox& list)
{
    list.ResetContent();
    for (const wchar_t* name : kColorNames)
        list.AddString(name);
}

int colorIndexOfCode(Adesk::Int16 code) { return code + kColorListOffset; }

Adesk::Int16 colorCodeOfIndex(int index) { return static_cast<Adesk::Int16>(index - kColorListOffset); }

double validRatio(double ratio) { return ratio > kMinimumRatio ? ratio : kMinimumRatio; }

double validLength(double length) { return length > kMinimumLength ? length : kMinimumLength; }

Adesk::UInt16 validIntervals(int count, int minimum)
{
    const int largest = std::numeric_limits<Adesk::UInt16>::max();
    return static_cast<Adesk::UInt16>(std::clamp(count, minimum, largest));
}

void loadSlopeDialog(nPolyLineTalutee& slope, DlgTalus& dialog)
{
    dialog.m_longColorIndex = colorIndexOfCode(slope.longStrokeColor());
    dialog.m_shortColorIndex = colorIndexOfCode(slope.shortStrokeColor());
    dialog.m_intervalCount = slope.intervalCount();
    dialog.m_strokeRatio = slope.strokeRatio();
    dialog.m_longStrokeLength = slope.longStrokeLength();
    dialog.m_bothSides = slope.bothSides();
    dialog.m_strokeSpacing = slope.strokeSpacing();
    dialog.m_slope = &slope;
}

void storeSlopeDialog(const DlgTalus& dialog, nPolyLineTalutee& slope)
{
    slope.setStrokeRatio(validRatio(dialog.m_strokeRatio));
    slope.setLongStrokeLength(validLength(dialog.m_longStrokeLength));
    slope.setStrokeSpacing(validLength(dialog.m_strokeSpacing));
    slope.setIntervalCount(validIntervals(dialog.m_intervalCount, kSlopeDialogMinIntervals));
    slope.setLongStrokeColor(colorCodeOfIndex(dialog.m_longColorIndex));
    slope.setShortStrokeColor(colorCodeOfIndex(dialog.m_shortColorIndex));
    slope.setBothSides(static_cast<Adesk::UInt16>(dialog.m_bothSides != 0 ? 1 : 0));
}

void loadDefaultsDialog(const SlopeDefaults& defaults, CParamTalus& dialog)
{
    dialog.m_longColorIndex = colorIndexOfCode(defaults.longStrokeColor);
    dialog.m_shortColorIndex = colorIndexOfCode(defaults.shortStrokeColor);
    dialog.m_intervalCount = defaults.intervalCount;
    dialog.m_strokeSpacing = defaults.strokeSpacing;
    dialog.m_strokeRatio = defaults.strokeRatio;
    dialog.m_longStrokeLength = defaults.longStrokeLength;
    dialog.m_updateExisting = 0;
}

SlopeDefaults defaultsFromDialog(const CParamTalus& dialog)
{
    SlopeDefaults values;
    values.strokeSpacing = validLength(dialog.m_strokeSpacing);
    values.longStrokeLength = validLength(dialog.m_longStrokeLength);
    values.strokeRatio = validRatio(dialog.m_strokeRatio);
    values.intervalCount = validIntervals(dialog.m_intervalCount, kDefaultsDialogMinIntervals);
    values.shortStrokeColor = colorCodeOfIndex(dialog.m_shortColorIndex);
    values.longStrokeColor = colorCodeOfIndex(dialog.m_longColorIndex);
    return values;
}

void applyDefaults(const SlopeDefaults& defaults, nPolyLineTalutee& slope)
{
    slope.setStrokeSpacing(defaults.strokeSpacing);
    slope.setLongStrokeLength(defaults.longStrokeLength);
    slope.setStrokeRatio(defaults.strokeRatio);
    slope.setIntervalCount(defaults.intervalCount);
    slope.setShortStrokeColor(defaults.shortStrokeColor);
    slope.setLongStrokeColor(defaults.longStrokeColor);
}

}  // namespace kelvora::slopes
