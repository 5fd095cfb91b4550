// Setting the C heap up for the commands that hold a whole drawing in memory at once.
#include "heap_setup.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#if defined(__GLIBC__) && defined(__linux__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace kelvora::cli {

namespace {

// The heap grows by this much at a time: a 50 MB drawing takes about five times its size while it is
// read and written, so one or two steps hold it.
constexpr std::size_t kHeapStepBytes = std::size_t{256} << 20;
// Freed memory at the top of the heap is kept up to this much rather than given back.
constexpr std::size_t kKeptFreeBytes = std::size_t{1} << 30;
// Blocks from this size on get a mapping of their own (the largest glibc takes): the file read whole,
// nothing else of a drawing.
constexpr std::size_t kOwnMappingBytes = std::size_t{32} << 20;
// Larger than what the heap holds free at start-up, smaller than a mapping of its own.
constexpr std::size_t kProbeBytes = std::size_t{4} << 20;
// Transparent huge pages are this large on x86-64 and arm64 with 4 KB pages.
constexpr std::uintptr_t kHugePageBytes = std::uintptr_t{2} << 20;

}  // namespace

void prepareHeapForWholeDrawings()
{
#if defined(__GLIBC__) && defined(__linux__) && defined(MADV_HUGEPAGE)
    // No fast bins: small blocks freed are merged at once, not in long passes when a large block is
    // asked for (reading a drawing frees and asks for both by the hundred thousand).
    if (mallopt(M_MXFAST, 0) == 0 || mallopt(M_TOP_PAD, static_cast<int>(kHeapStepBytes)) == 0 ||
        mallopt(M_TRIM_THRESHOLD, static_cast<int>(kKeptFreeBytes)) == 0 ||
        mallopt(M_MMAP_THRESHOLD, static_cast<int>(kOwnMappingBytes)) == 0)
        return;
    // One allocation larger than the free top of the heap grows it by a whole step; what it reserves
    // is then marked for huge pages. Untouched, it costs nothing: pages are only given when written.
    // (Held in a volatile pointer: a block only allocated and freed may be left out by the compiler.)
    const auto before = reinterpret_cast<std::uintptr_t>(sbrk(0));
    void* volatile probe = std::malloc(kProbeBytes);
    const auto after = reinterpret_cast<std::uintptr_t>(sbrk(0));
    std::free(probe);
    const std::uintptr_t from = (before + kHugePageBytes - 1) & ~(kHugePageBytes - 1);
    const std::uintptr_t to = after & ~(kHugePageBytes - 1);
    if (to > from)
        madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
#endif
}

}  // namespace kelvora::cli
