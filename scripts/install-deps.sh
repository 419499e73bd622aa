#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, when missing, and
# the German locale the locale test runs under. Says what it installs.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins
  libgtest-dev libgmock-dev
  xvfb xdotool x11-utils imagemagick fonts-liberation
  # a small window manager, for the end-to-end run that asks it for full screen
  openbox
  mawk time locales
  # the position feeder: the GPS service's client library, and the service itself for its tests
  libgps-dev gpsd gpsd-clients
  # the start sound through the desktop's sound theme
  libcanberra-dev sound-theme-freedesktop
  # the GPX export, read back by a real GPX reader and checked as XML
  gpsbabel libxml2-utils
  # installation and the Debian package, checked by Debian's own tools
  desktop-file-utils appstream lintian dpkg-dev fakeroot file man-db groff-base
  # fuzzing with libFuzzer
  clang libclang-rt-14-dev
  # the GPX fuzz target judges each document with a strict XML reader
  libxml2-dev
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
fi

# The number texts are checked under a German locale, which writes a decimal comma.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  echo "Generating the de_DE.UTF-8 locale"
  as_root sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
fi
