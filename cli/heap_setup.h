// Setting the C heap up for the commands that hold a whole drawing in memory at once.
#pragma once

namespace kelvora::cli {

// For convert and plot, which read a whole drawing, hold it and let it go at exit: the heap grows
// in large steps, keeps what is freed for the next allocations instead of giving it back and
// faulting it in again, merges freed blocks at once, and asks the system for huge pages, so that a drawing of tens of megabytes
// costs tens of page faults instead of tens of thousands. Does nothing where the system has no such
// controls; the program behaves the same either way, only faster.
void prepareHeapForWholeDrawings();

}  // namespace kelvora::cli
