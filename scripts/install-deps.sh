#!/usr/bin/env bash
# Installs the Debian packages given as arguments that the machine lacks.
set -euo pipefail
missing=()
for package in "$@"; do
  dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "== installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  echo "run as root, or install these packages first: ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
# A package of another architecture (wine32:i386) needs that architecture
# enabled before the package lists are fetched.
for package in "${missing[@]}"; do
  architecture=${package#*:}
  if [ "$architecture" != "$package" ] && ! dpkg --print-foreign-architectures | grep -qx "$architecture"; then
    dpkg --add-architecture "$architecture"
  fi
done
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
