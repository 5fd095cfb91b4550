// Putting the pieces of a divided surface into the drawing: the rest in the surface's place, the parts beside it.
#pragma once

class NESurface;

namespace kelvora::division {

// Lets the rest (a new surface, not in a database) take over the identity of the surface (in the
// drawing, open for read or write): the rest gets the surface's object id and handle and is closed,
// and the replaced surface object is deleted (the pointer is set to null). False when the surface
// cannot be opened for write or refuses the hand-over: the surface then stays open and unchanged, and
// the rest stays with the caller.
bool handOverToRest(NESurface*& surface, NESurface* rest);

// Rebuilds a finished piece for the drawing and gives it the surface's properties and label settings
// (the lot text included).
void finishPiece(NESurface* piece, const NESurface* surface);

// Adds a new piece to model space (closing it); a piece that cannot be added is deleted.
void addPieceToModelSpace(NESurface* piece);

// Puts one cut into the drawing: both pieces finished, the rest in the surface's place, the part
// beside it. When the hand-over is refused, both pieces are deleted and the surface is closed unchanged.
void replaceByRestAndPart(NESurface* surface, NESurface* rest, NESurface* part);

}  // namespace kelvora::division
