#!/usr/bin/env bash
# Builds the libFuzzer targets of the DXF layer with clang, outside the main build, and optionally runs one.
# Usage: fuzz/build.sh [OUT_DIR]            builds dxf_reader_fuzz and proxy_graphics_fuzz into OUT_DIR
#        fuzz/build.sh OUT_DIR run SECONDS  also runs dxf_reader_fuzz for SECONDS on a corpus seeded with the fixtures
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${1:-$root/build-fuzz}"
mkdir -p "$out"
flags=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -I"$root/host/include" -I"$root/host/filing/dxf")
sources=("$root"/host/filing/dxf/*.cpp "$root/host/geometry/assert.cpp")
for target in dxf_reader_fuzz proxy_graphics_fuzz; do
  clang++ "${flags[@]}" "$root/fuzz/$target.cpp" "${sources[@]}" -o "$out/$target"
done
echo "fuzz: built $out/dxf_reader_fuzz and $out/proxy_graphics_fuzz" >&2
if [[ "${2:-}" == "run" ]]; then
  corpus="$out/corpus"
  mkdir -p "$corpus"
  cp "$root/../shared/acceptance/fixtures/"*.dxf "$corpus/" 2>/dev/null || true
  cp "$root/tests/data/dxf/"*.dxf "$corpus/" 2>/dev/null || true
  "$out/dxf_reader_fuzz" "$corpus" -dict="$root/fuzz/dxf.dict" -max_total_time="${3:-60}" \
    -max_len=65536 -rss_limit_mb=2048 -artifact_prefix="$out/"
fi
