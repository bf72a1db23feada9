#!/usr/bin/env bash
# Installs the Debian packages listed in package files that are missing, with
# apt-get (through sudo when not root). Without arguments: the program's
# packages and the tests' (tools/debian-packages.txt and
# tools/debian-packages-tests.txt). Safe to run repeatedly; waits for another
# apt or dpkg run to finish instead of failing on its lock.
#
# Usage: tools/setup.sh [package-file...]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
[ $# -gt 0 ] || set -- "$here/debian-packages.txt" "$here/debian-packages-tests.txt"

missing=()
for list in "$@"; do
    while read -r pkg; do
        pkg=${pkg%%#*}
        pkg=${pkg//[[:space:]]/}
        [ -n "$pkg" ] || continue
        status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
        [ "$status" = "install ok installed" ] || missing+=("$pkg")
    done < "$list"
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
apt=(apt-get -o DPkg::Lock::Timeout=600)
"${sudo[@]}" "${apt[@]}" update -qq
"${sudo[@]}" "${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}"
