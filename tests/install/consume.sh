#!/usr/bin/env bash
# Installs the build tree into a fresh prefix, then builds and runs the
# consumer program against it twice: through find_package and through
# pkg-config.
set -euo pipefail
build_dir=$1 consumer_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build_dir" --prefix "$work/prefix" >/dev/null
libdir=$(dirname "$(find "$work/prefix" -name quillmarc.pc)")/..

cmake -S "$consumer_dir" -B "$work/cmake-build" -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/cmake-build" >/dev/null
"$work/cmake-build/consumer"

export PKG_CONFIG_PATH="$libdir/pkgconfig"
cc -std=c99 -Wall -Wextra -pedantic -Werror "$consumer_dir/main.c" -o "$work/pc-consumer" \
   $(pkg-config --cflags --libs quillmarc)
LD_LIBRARY_PATH="$libdir" "$work/pc-consumer"
