#!/usr/bin/env bash
# Installs the Debian packages Vandor needs to build, test and run. Safe to run again.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache
  qtbase5-dev qtbase5-dev-tools qttools5-dev qttools5-dev-tools
  libqt5svg5-dev libusb-1.0-0-dev qttranslations5-l10n
  umockdev libumockdev-dev
  xvfb xauth
  dpkg-dev file lintian desktop-file-utils appstream man-db bash-completion git
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
  SUDO=""
else
  SUDO="sudo"
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
