#!/usr/bin/env bash
# Tells whether this machine can run the 32-bit Windows programs, by starting Wine's 32-bit
# loader: many 64-bit kernels (cloud machines, containers) run no 32-bit programs at all.
# Exits 0 when it can; otherwise prints the reason on one line and exits 1.
# DETRON_WINE32 names another loader to try (how the refusing path is exercised).
loader=${DETRON_WINE32:-/usr/lib/wine/wine}
if [[ ! -e "$loader" ]]; then
  echo "$loader is not installed (Debian package wine32:i386)"
  exit 1
fi
if ! output=$("$loader" --version 2>&1); then
  echo "starting $loader failed: $(printf '%s' "$output" | tail -n 1)"
  exit 1
fi
exit 0
