#!/usr/bin/env bash
# Installs the Debian packages named on the command line that are not installed yet.
# Runs apt-get as root (through sudo when the caller is not root); does nothing when all are there.
set -euo pipefail
missing=()
for package in "$@"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0
echo "Installing Debian packages: ${missing[*]}"
as_root=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "Need root (or sudo) to install: ${missing[*]}" >&2; exit 1; }
  as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
# Packages of the 32-bit architecture (Wine's) need it enabled before the package lists are read.
if printf '%s\n' "${missing[@]}" | grep -q ':i386$' && ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${as_root[@]}" dpkg --add-architecture i386
fi
# Another install may hold apt's locks (an unattended upgrade, a second build): wait for it,
# up to ten minutes, instead of failing at once.
wait_for_lock=(-o DPkg::Lock::Timeout=600)
"${as_root[@]}" apt-get "${wait_for_lock[@]}" update -q
"${as_root[@]}" apt-get "${wait_for_lock[@]}" install -y -q --no-install-recommends "${missing[@]}"
