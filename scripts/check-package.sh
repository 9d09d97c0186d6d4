#!/usr/bin/env bash
# Makes the Debian package in a normal build directory and checks it: the
# files it installs and their owners and modes, lintian with no errors, the
# AppStream metadata, and the packaged program answering --version.
#   scripts/check-package.sh BUILD_DIR
set -euo pipefail
build_dir=$(cd "${1:?usage: scripts/check-package.sh BUILD_DIR}" && pwd)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt")
deb=$build_dir/varnel_${version}_$(dpkg --print-architecture).deb

fail() {
    echo "check-package: $*" >&2
    exit 1
}

rm -f "$deb"
(cd "$build_dir" && cpack -G DEB >cpack.log 2>&1) || {
    cat "$build_dir/cpack.log"
    fail "cpack failed"
}
[ -f "$deb" ] || fail "cpack made no $(basename "$deb")"

listing=$(dpkg-deb --contents "$deb")
expected=(
    ./usr/bin/varnel
    ./usr/share/applications/varnel.desktop
    ./usr/share/icons/hicolor/scalable/apps/varnel.svg
    ./usr/share/icons/hicolor/22x22/apps/varnel.png
    ./usr/share/icons/hicolor/32x32/apps/varnel.png
    ./usr/share/icons/hicolor/64x64/apps/varnel.png
    ./usr/share/man/man1/varnel.1.gz
    ./usr/share/metainfo/org.varnel.Varnel.metainfo.xml
    ./usr/share/doc/varnel/copyright
    ./usr/share/doc/varnel/changelog.gz
)
for file in "${expected[@]}"; do
    awk '{print $6}' <<<"$listing" | grep -qxF "$file" || fail "$file is not in the package"
done
# Every file root's, programs 0755, the rest 0644.
awk '$2 != "root/root" { print "not root'\''s: " $0; bad = 1 }
     $1 ~ /^-/ && $6 == "./usr/bin/varnel" && $1 != "-rwxr-xr-x" { print "mode: " $0; bad = 1 }
     $1 ~ /^-/ && $6 != "./usr/bin/varnel" && $1 != "-rw-r--r--" { print "mode: " $0; bad = 1 }
     $1 ~ /^d/ && $1 != "drwxr-xr-x" { print "mode: " $0; bad = 1 }
     END { exit bad }' <<<"$listing" || fail "owners or modes are wrong"
dpkg-deb --field "$deb" Depends | grep -q 'libqt6widgets6' ||
    fail "the dependencies were not computed from the program"

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb --extract "$deb" "$unpacked"
appstreamcli validate --no-net "$unpacked/usr/share/metainfo/org.varnel.Varnel.metainfo.xml"
"$unpacked/usr/bin/varnel" --version | grep -qx "Varnel $version" ||
    fail "the packaged program does not answer --version"

# Errors fail; warnings are listed for the reader.
lintian --fail-on error --tag-display-limit 0 "$deb"
echo "check-package: $(basename "$deb") is sound"
