// Marks the few C functions the host looks up in the module library (the library hides everything else).
#pragma once

#define KELVORA_EXPORT extern "C" __attribute__((visibility("default")))
