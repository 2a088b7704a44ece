#!/usr/bin/env bash
# Installs the Debian packages that building, testing and the demo need.
# Quick when everything is there already: apt runs only for missing packages.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config make
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libpq-dev libssl-dev zlib1g-dev libminizip-dev libgtest-dev
  postgresql postgresql-client openssl
  python3 python3-openpyxl libxml2-utils
  xvfb xauth fonts-dejavu-core fonts-liberation2
  dpkg-dev file
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" != 0 ]; then
  echo "Missing packages: ${missing[*]}" >&2
  echo "Run this script as root (or install them with apt-get) and try again." >&2
  exit 1
fi
# The tests and the demo start servers of their own; the distribution's
# default cluster would only take port 5432, which the demo's directory uses.
if [ ! -e /etc/postgresql-common/createcluster.conf ]; then
  mkdir -p /etc/postgresql-common
  echo "create_main_cluster = false" > /etc/postgresql-common/createcluster.conf
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
