#!/usr/bin/env bash
# Installs the Debian 12 packages Sorvanti needs to build, test and run.
# Idempotent: packages already present are left alone; runs as root or through sudo.
set -euo pipefail

packages=(
  # toolchain
  build-essential cmake ninja-build pkg-config clang-format git
  # libraries of the application and its tests
  libfmt-dev libgtest-dev libgmock-dev libbenchmark-dev
  # record store: ODBC driver manager, installer and the SQLite3 driver
  unixodbc unixodbc-dev odbcinst libsqliteodbc sqlite3
  # the sqlite3 library the record store shares with the driver (and the benchmark's baseline)
  libsqlite3-dev
  # the record store on a database server: its ODBC driver, and the server the tests start
  postgresql odbc-postgresql
  # windows
  qt6-base-dev libgl-dev fonts-liberation
  # camera
  libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-tools
  # USB devices and hot-plug
  libusb-1.0-0-dev libudev-dev
  # headless runs and screenshots
  xvfb xauth imagemagick
  # the desktop's default player and mail composer, started for clips and mail
  xdg-utils
  # sending captures to the image archive; its tests run a local archive of their own
  libdcmtk-dev dcmtk orthanc
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if ((${#missing[@]} == 0)); then
  echo "install-deps: all packages present"
  exit 0
fi

sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then
  sudo_cmd=(sudo)
fi
echo "install-deps: installing ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
