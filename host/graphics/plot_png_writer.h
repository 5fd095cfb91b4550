// PNG files of plots, written with the fastest compression: a plot of a large drawing is mostly compressing.
#pragma once

#include "atomic_output.h"

#include <cairo.h>

namespace kelvora {

// Writes an RGB24 image surface as an 8-bit RGB PNG. Deflate runs at its fastest level without
// row filters: line drawings on white paper compress nearly as well, in a third of the time of
// cairo's own writer. False when the surface is not RGB24 or writing fails.
bool writePlotPng(cairo_surface_t* surface, AtomicOutput& output);

}  // namespace kelvora
