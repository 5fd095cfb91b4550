// KELVORA_ASSERT: stops the program on a bug of our own, naming file, line and condition.
#pragma once

namespace kelvora {
[[noreturn]] void assertionFailed(const char* file, int line, const char* condition, const char* why);
}

#define KELVORA_ASSERT(cond, why)                                        \
    do {                                                                 \
        if (!(cond)) ::kelvora::assertionFailed(__FILE__, __LINE__, #cond, why); \
    } while (false)
