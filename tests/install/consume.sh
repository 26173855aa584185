#!/usr/bin/env bash
# Installs the build tree into a fresh prefix, then builds the README's
# example program outside the tree against it and runs it twice: built with
# the README's CMakeLists.txt through find_package, and with pkg-config.
set -euo pipefail
build_dir=$1 readme=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The first ```c and the first ```cmake block of the README.
mkdir -p "$work/app"
awk '/^```c$/ {on = 1; next} on && /^```$/ {exit} on' "$readme" > "$work/app/main.c"
awk '/^```cmake$/ {on = 1; next} on && /^```$/ {exit} on' "$readme" > "$work/app/CMakeLists.txt"
[ -s "$work/app/main.c" ] && [ -s "$work/app/CMakeLists.txt" ]

# As the README installs: stripped, so no debug information is left.
cmake --install "$build_dir" --prefix "$work/prefix" --strip >/dev/null
for lib in "$work"/prefix/lib*/libquillmar*.so.*.*; do
  if readelf -S "$lib" | grep -q '\.debug_'; then echo "$lib keeps debug information"; exit 1; fi
done
pcdir=$(dirname "$(find "$work/prefix" -name quillmarc.pc)")

cmake -S "$work/app" -B "$work/cmake-build" -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/cmake-build" >/dev/null
"$work/cmake-build/app"

export PKG_CONFIG_PATH="$pcdir"
# The libdir, and so the run path, is the plain path of the installed libraries.
libdir=$(pkg-config --variable=libdir quillmarc)
[ "$libdir" = "$(cd "$work/prefix/lib" && pwd)" ] || { echo "libdir $libdir"; exit 1; }
cc -std=c99 -Wall -Wextra -pedantic -Werror "$work/app/main.c" -o "$work/pc-app" \
   $(pkg-config --cflags --libs quillmarc) -Wl,-rpath,"$libdir"
readelf -d "$work/pc-app" | grep -q "RUNPATH.*\[$libdir\]"
"$work/pc-app"
