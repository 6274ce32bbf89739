#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need (only those missing).
set -euo pipefail
packages=(cmake g++ make pkg-config googletest libgtest-dev libgmock-dev libbenchmark-dev
          libpng-dev libcairo2-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core python3
          python3-ezdxf)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
