#!/usr/bin/env bash
# Takes the README's picture, docs/screenshot.png: Varnel under Xvfb with a
# small tree of shortcuts to files every Debian system has, its window shown
# by a left click on the tray icon.
#   scripts/screenshot.sh [BUILD_DIR]     (default ./build, as run.sh builds)
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=SCRIPTDIR/../tests/e2e/xsession.sh
source tests/e2e/xsession.sh
varnel=${1:-build}/src/Varnel
[ -x "$varnel" ] || { echo "$varnel is missing: build first (scripts/run.sh)" >&2; exit 1; }
output=$PWD/docs/screenshot.png

xsession_require_tools
trap xsession_end EXIT
xsession_start
app=$xsession_dir/app
mkdir "$app"
cp "$varnel" "$app/Varnel"

# Geometry in twips (15 a pixel): a 680 by 440 pixel window.
tab=$'\t'
while IFS= read -r line; do printf '%s\r\n' "${line//|/$tab}"; done >"$app/Varnel.INI" <<'EOF'
WinTop=3000
WinLeft=3600
WinHeight=6600
Winwidth=10200
WinState=0
Hide=False
Path=False
Drive=/
DirPath=/usr/share/doc
DirSel=-1
DirVis=True
Node=Documents|/usr/share/doc|closed|open|True|0|False
Node=Bash README|/usr/share/doc/bash/README.gz|leaf||False|1|False
Node=Shell changes|/usr/share/doc/bash/CHANGES.gz|leaf||False|1|False
Node=System||closed|open|True|0|False
Node=Hosts|/etc/hosts|leaf||False|4|True
Node=Fstab|/etc/fstab|leaf||False|4|False
Node=Icons|/usr/share/icons|closed|open|False|4|False
Node=Debian logo|/usr/share/pixmaps/debian-logo.png|leaf||False|0|False
[QuickList]
QLI=Hosts|/etc/hosts
EOF

xsession_spawn "$xsession_dir/varnel.log" "$app/Varnel"
pid=$xsession_last_pid
within 10000 tray_icon_window "$pid" >/dev/null || { echo "no tray icon" >&2; exit 1; }
click_window "$(tray_icon_window "$pid")" 1
within 5000 toplevel_windows --pid "$pid" --name '^Varnel$' >/dev/null ||
    { echo "the window did not show" >&2; exit 1; }
window=$(toplevel_windows --pid "$pid" --name '^Varnel$')
# Let the item icons and the lists settle; nothing to poll for here.
sleep 1
import -window "$window" "$output"
echo "wrote $output"
