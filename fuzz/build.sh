#!/usr/bin/env bash
# Builds the libFuzzer targets of the DXF layer and of the drawing database with clang, outside the main build, and optionally runs one.
# Usage: fuzz/build.sh [OUT_DIR]                    builds dxf_reader_fuzz, proxy_graphics_fuzz and drawing_database_fuzz into OUT_DIR
#        fuzz/build.sh OUT_DIR run SECONDS [TARGET]  also runs TARGET (default dxf_reader_fuzz) for SECONDS on a corpus seeded with the fixtures
# Objects are compiled once into OUT_DIR/obj (through ccache when it is installed, two at a time) and shared by the targets.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${1:-$root/build-fuzz}"
mkdir -p "$out/obj"
compiler=clang++
command -v ccache >/dev/null && compiler="ccache clang++"
read -r -a pkgflags <<<"$(pkg-config --cflags fontconfig freetype2)"
read -r -a pkglibs <<<"$(pkg-config --libs fontconfig freetype2)"
flags=(-std=c++20 -O1 -g -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -Wno-inconsistent-missing-override
       -I"$root/host/include" -I"$root/host" -I"$root/host/filing/dxf" "${pkgflags[@]}")
link=(-fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)

# The object of a source: its path below the root, with / as _.
object() { local rel="${1#"$root"/}"; echo "$out/obj/${rel//\//_}.o"; }
compile_all() {
  local src
  for src in "$@"; do echo "$src"; done |
    FLAGS="${flags[*]}" COMPILER="$compiler" ROOT="$root" OUT="$out" xargs -P 2 -I{} bash -c '
      rel="${1#"$ROOT"/}"; $COMPILER $FLAGS -c "$1" -o "$OUT/obj/${rel//\//_}.o"' _ {}
}

dxf=("$root"/host/filing/dxf/*.cpp "$root/host/geometry/assert.cpp")
database=("$root"/host/geometry/*.cpp "$root"/host/fonts/*.cpp "$root"/host/database/*.cpp
          "$root"/host/database/entities/*.cpp "$root"/host/filing/*.cpp "$root"/host/filing/dxf/*.cpp)
targets=("$root"/fuzz/dxf_reader_fuzz.cpp "$root"/fuzz/proxy_graphics_fuzz.cpp "$root"/fuzz/drawing_database_fuzz.cpp)
# Sorted and without repeats: assert.cpp is in both lists.
mapfile -t all < <(printf '%s\n' "${dxf[@]}" "${database[@]}" "${targets[@]}" | sort -u)
compile_all "${all[@]}"

objects() { local src; for src in "$@"; do object "$src"; done; }
mapfile -t dxfobjs < <(objects "${dxf[@]}")
mapfile -t dbobjs < <(objects "${database[@]}")
for target in dxf_reader_fuzz proxy_graphics_fuzz; do
  clang++ "${link[@]}" "$(object "$root/fuzz/$target.cpp")" "${dxfobjs[@]}" -o "$out/$target"
done
clang++ "${link[@]}" "$(object "$root/fuzz/drawing_database_fuzz.cpp")" "${dbobjs[@]}" "${pkglibs[@]}" -o "$out/drawing_database_fuzz"
echo "fuzz: built $out/dxf_reader_fuzz, $out/proxy_graphics_fuzz and $out/drawing_database_fuzz" >&2

if [[ "${2:-}" == "run" ]]; then
  target="${4:-dxf_reader_fuzz}"
  corpus="$out/corpus"
  [[ "$target" == dxf_reader_fuzz ]] || corpus="$out/corpus-$target"
  mkdir -p "$corpus"
  cp "$root/../shared/acceptance/fixtures/"*.dxf "$corpus/" 2>/dev/null || true
  cp "$root/tests/data/dxf/"*.dxf "$corpus/" 2>/dev/null || true
  "$out/$target" "$corpus" -dict="$root/fuzz/dxf.dict" -max_total_time="${3:-60}" \
    -max_len=65536 -rss_limit_mb=2048 -artifact_prefix="$out/"
fi
