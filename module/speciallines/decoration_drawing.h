// Drawing and exploding one decoration of a special line: built-in strokes, block contents or text.
#pragma once

#include "acgi.h"
#include "dbmain.h"
#include "speciallines/decoration_frames.h"
#include "speciallines/line_pieces.h"

class eXtendedPolyline;

namespace kelvora::speciallines {

// Draws the entity's decoration at that frame. May replace a lost text style by the current one.
void drawDecoration(eXtendedPolyline& line, const DecorationFrame& frame, double decoration, AcGiWorldDraw* mode);
// Appends the plain entities of the decoration at that frame (a text with a lost style takes the current one).
void explodeDecoration(const eXtendedPolyline& line, const DecorationFrame& frame, double decoration,
                       AcDbVoidPtrArray& entitySet);
// Draws one piece of the interrupted line.
void drawPiece(const LinePiece& piece, const AcGeVector3d& normal, AcGiWorldDraw* mode);
// The plain entity of one piece (a line or a counter-clockwise arc), with the entity's properties.
AcDbEntity* explodePiece(const eXtendedPolyline& line, const LinePiece& piece);
// The text style a text decoration uses: its own when it opens, else the drawing's current one.
AcDbObjectId usableTextStyle(const eXtendedPolyline& line);
// Position of a text decoration: its middle on the line, turned with it.
AcGePoint3d textPosition(const eXtendedPolyline& line, const DecorationFrame& frame, double decoration);

}  // namespace kelvora::speciallines
