// Picking the surface that AREAFIND or DIRECTIONAREAFIND divides.
#pragma once

#include "adesk.h"

class NESurface;

namespace kelvora::division {

// Asks for a surface with the prompt and opens it for read. Null, silently, when nothing is picked
// or the pick cannot be opened; null after "\nCe n'est pas une surface" when the entity is not exactly
// a surface, and after "\nCette surface s'auto intersecte. opération refusée" when it crosses itself.
NESurface* pickSurfaceToDivide(const ACHAR* prompt);

}  // namespace kelvora::division
