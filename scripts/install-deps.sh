#!/usr/bin/env bash
# Installs every Debian package Tarvolyn needs to build, test and run, and nothing else.
# Packages already present are left alone; apt runs only when something is missing.
set -euo pipefail

packages=(
  # toolchain
  g++ cmake ninja-build make pkg-config
  # libraries the program links
  qt6-base-dev libgl-dev libjpeg62-turbo-dev libxcb1-dev
  # speech: the espeak-ng synthesizer and its voices, playback through the sound server
  libespeak-ng-dev espeak-ng-data qt6-multimedia-dev
  # fonts standing in for the designed Windows fonts
  fonts-dejavu-core fonts-comic-neue fonts-noto-cjk
  # tests: GoogleTest, the mdbtools oracle, an X server and a window manager for the end-to-end run
  libgtest-dev mdbtools xvfb xdotool x11-utils imagemagick openbox
  # tests: pdftotext reads back the exported PDFs
  poppler-utils
  # tests: the accessibility bus, a private D-Bus session, and pyatspi for the screen-reader walk
  at-spi2-core dbus python3-pyatspi
  # speech checks: espeak-ng's own phonemes (-x), sox to look at the written sound files
  espeak-ng sox
  # installing and packaging: desktop-entry and AppStream checks, dpkg-shlibdeps for CPack
  desktop-file-utils appstream dpkg-dev
  # the country file the contact panel and --lookup read (cty.dat)
  hamradio-files
  # fuzzing; the format check (it lists the sources with git); the static checks of make test
  clang-14 libclang-rt-14-dev clang-format git clang-tidy
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
