#!/usr/bin/env bash
# The install rules put the converter beside the window and its manual page where man finds it.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" --component detron-convert >/dev/null
"$prefix/bin/detron-convert" 2024-04-23 | grep -q "15 Nisan 5784"
MANPATH="$prefix/share/man" man -w detron-convert | grep -qx "$prefix/share/man/man1/detron-convert.1"
