// The slope commands: TALUT, DDTALUT and PARAMSTALUS.
#pragma once

namespace kelvora::slopes {

void commandTalut();
void commandDdtalut();
void commandParamsTalus();

}  // namespace kelvora::slopes
