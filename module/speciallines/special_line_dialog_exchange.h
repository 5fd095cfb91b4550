// Exchange of a special line's settings with XPOLYDIAL: filling the dialog and applying it on OK.
#pragma once

class eXtendedPolyline;
class XPOLYDIAL;

namespace kelvora::speciallines {

void fillDialog(const eXtendedPolyline& line, XPOLYDIAL& dialog);
// A block or text style that has gone since the dialog was filled leaves built-in style 0.
void applyDialog(eXtendedPolyline& line, const XPOLYDIAL& dialog);

}  // namespace kelvora::speciallines
