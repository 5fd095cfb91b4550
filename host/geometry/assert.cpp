// Reports a failed KELVORA_ASSERT and aborts.
#include "kelvora/assert.h"

#include <cstdio>
#include <cstdlib>

namespace kelvora {

void assertionFailed(const char* file, int line, const char* condition, const char* why)
{
    std::fprintf(stderr, "%s:%d: internal error: assertion \"%s\" failed: %s\n", file, line, condition, why);
    std::fflush(stderr);
    std::abort();
}

}  // namespace kelvora
