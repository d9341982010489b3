#!/usr/bin/env bash
# Installs, with apt-get, every Debian 12 package that building, running and
# testing Tavik needs and that is not there yet. Run as root.
set -euo pipefail

packages=(
  # build and run
  cmake ninja-build g++ qt6-base-dev qt6-svg-dev qt6-base-dev-tools libgl-dev libcups2-dev
  fonts-ipafont-gothic
  # the learning record's charts (a module of their own, loaded when the screen opens);
  # Qt Charts needs Qt OpenGL's CMake package, which its -dev package does not pull in
  qt6-charts-dev libqt6opengl6-dev
  # Qt's own dialogs in the desktop's language
  qt6-translations-l10n
  # hearing the English: Speech Dispatcher's client library, the service and its English voice
  libspeechd-dev speech-dispatcher speech-dispatcher-espeak-ng espeak-ng
  # the learning record: Qt's SQL module with its SQLite driver, and SQLite's own header
  libqt6sql6-sqlite libsqlite3-dev
  # tests: a real X server, a person's clicks, printing to PDF
  xvfb xdotool x11-utils imagemagick cups printer-driver-cups-pdf poppler-utils
  # tests: reading the learning record
  sqlite3
  # tests: a Letter-paper locale built for the PDF, a read-only folder
  locales e2fsprogs
  # tests: reading the screens through the accessibility tree
  dbus at-spi2-core python3-pyatspi
  # tests: recording what the program plays
  pulseaudio pulseaudio-utils sox
  # tests: typing Japanese through real input methods with Mozc
  fcitx5 fcitx5-mozc fcitx5-frontend-qt6 ibus ibus-mozc
  # fuzzing and benchmarks
  clang libclang-rt-14-dev libbenchmark-dev
  # packaging checks (CPack reads the binary's dependencies with file and dpkg-shlibdeps)
  desktop-file-utils appstream dpkg-dev file lintian
  # tests: the program on a Wayland compositor
  weston qt6-wayland
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
