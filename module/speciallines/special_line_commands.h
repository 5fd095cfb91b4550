// The special-line commands: XPOLY and DDXPOLY.
#pragma once

namespace kelvora::speciallines {

void commandXpoly();
void commandDdxpoly();

}  // namespace kelvora::speciallines
