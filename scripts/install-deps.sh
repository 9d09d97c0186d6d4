#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Varnel
# need. Only missing packages are installed, so a second run costs nothing.
set -euo pipefail

packages=(
    qt6-base-dev qt6-base-dev-tools libgl-dev   # Qt Widgets, Qt Test, moc, rcc
    qt6-base-private-dev                        # the accessibility test turns on what a screen reader would
    cmake ninja-build g++
    clang-format                                # scripts/check-format.sh
    libbenchmark-dev                            # bench/
    clang-14 libclang-rt-14-dev                 # tests/fuzz: libFuzzer and the sanitizers' runtimes
    llvm-14                                     # llvm-symbolizer, for readable fuzzer reports
    xvfb xauth xdotool trayer                   # end-to-end journeys: a screen, a tray, a mouse
    dbus-daemon python3-dbus python3-gi         # ... and a tray host on a private session bus;
                                                # dbus-daemon also for the stand-in portal's widget test
    at-spi2-core python3-pyatspi                # ... and the accessibility bus a screen reader reads
    imagemagick                                 # screenshots, finding menu entries
    xdg-utils                                   # xdg-open, which opens the tree's items
    desktop-file-utils groff-base               # checking the desktop file and the man page
    adwaita-icon-theme                          # file-type icons for the items, wherever no desktop names a theme
    dpkg-dev file lintian appstream             # the Debian package: its dependencies, its checks
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing ${missing[*]}"
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
