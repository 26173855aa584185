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

cmake --install "$build_dir" --prefix "$work/prefix" >/dev/null
pcdir=$(dirname "$(find "$work/prefix" -name quillmarc.pc)")

cmake -S "$work/app" -B "$work/cmake-build" -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/cmake-build" >/dev/null
"$work/cmake-build/app"

export PKG_CONFIG_PATH="$pcdir"
cc -std=c99 -Wall -Wextra -pedantic -Werror "$work/app/main.c" -o "$work/pc-app" \
   $(pkg-config --cflags --libs quillmarc) -Wl,-rpath,"$(pkg-config --variable=libdir quillmarc)"
"$work/pc-app"
