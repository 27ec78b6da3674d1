#!/usr/bin/env bash
# Installs the Debian packages the till needs to build, test and run.
# Idempotent: does nothing when every package is already there.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6sql6-mysql qt6-serialport-dev
    mariadb-server mariadb-client
    libkainjow-mustache-dev
    socat xvfb xauth imagemagick fonts-dejavu-core poppler-utils
    clang-format clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=
[ "$(id -u)" -eq 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
# The shop's database runs privately (scripts/db.sh); keep the package's own
# service from starting during installation.
policy=/usr/sbin/policy-rc.d
made_policy=
if [ ! -e "$policy" ]; then
    printf '#!/bin/sh\nexit 101\n' | $SUDO tee "$policy" >/dev/null
    $SUDO chmod +x "$policy"
    made_policy=1
fi
trap '[ -n "$made_policy" ] && $SUDO rm -f "$policy"' EXIT
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
