#!/usr/bin/env bash
# Adds this source tree to the parent project in parent/ with
# add_subdirectory and checks what the parent gets: its build type left
# empty, no GoogleTest or Python looked for, no test or example in its `all`,
# the libraries built and usable. Then the same parent with BUILD_SHARED_LIBS
# left OFF must be refused at configure, with the reason and the way out.
# Arguments: this source tree, then the C and C++ compilers to use.
set -euo pipefail
source_dir=$1 c_compiler=$2 cxx_compiler=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
parent="$source_dir/tests/install/parent"
configure=(cmake -S "$parent" -DQUILLMARC_SOURCE_DIR="$source_dir"
           -DCMAKE_C_COMPILER="$c_compiler" -DCMAKE_CXX_COMPILER="$cxx_compiler")

"${configure[@]}" -B "$work/build" >"$work/configure.log"
cache="$work/build/CMakeCache.txt"
grep -qx 'CMAKE_BUILD_TYPE:STRING=' "$cache" || { echo "build type set in the cache"; exit 1; }
if grep -iE '^[A-Za-z0-9_]*(gtest|python)[A-Za-z0-9_]*[:=]' "$cache"; then
  echo "the parent's configure looked for GoogleTest or Python"
  exit 1
fi

cmake --build "$work/build" -j4 >"$work/build.log"
# The one program of `all` is the parent's own.
programs=$(find "$work/build" -name CMakeFiles -prune -o -type f -perm -u+x ! -name '*.so*' -print)
if [ "$programs" != "$work/build/parent_app" ]; then
  printf 'programs built besides parent_app:\n%s\n' "$programs"
  exit 1
fi
"$work/build/parent_app"

if "${configure[@]}" -B "$work/static" -DPARENT_LEAVES_STATIC=ON >"$work/static.log" 2>&1; then
  echo "a parent with BUILD_SHARED_LIBS OFF was not refused"
  exit 1
fi
grep -q 'quillmarc builds shared libraries only' "$work/static.log"
grep -q 'replaces it with the vendor' "$work/static.log"
grep -q 'set(BUILD_SHARED_LIBS ON)' "$work/static.log"
echo "refused with BUILD_SHARED_LIBS OFF"
