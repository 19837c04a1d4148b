#!/bin/sh
# The Debian package as a user gets it: built by `cpack -G DEB`, its contents and dependencies
# read back, unpacked with `dpkg -x` into a scratch root, and its tools run from there.
#   deb_test.sh BUILD_DIR WORK_DIR
# Leaves WORK_DIR/root/usr (the unpacked prefix) and WORK_DIR/title.png for the window test.
set -eu
build=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
. "$(dirname "$0")/tree_checks.sh"
for tool in dpkg-deb dpkg-shlibdeps; do
    command -v $tool >/dev/null 2>&1 || {
        echo "$tool not found: install dpkg-dev to build the package" >&2
        exit 77
    }
done

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/pkg" >"$work/cpack.log" 2>&1 ||
    fail "cpack: $(tail -5 "$work/cpack.log")"
rm -rf "$work/pkg/_CPack_Packages"  # cpack's staging copy of the whole install
deb=$(ls "$work"/pkg/velko01_*.deb)
[ -f "$deb" ] || fail "no package in $work/pkg"

dpkg-deb -c "$deb" >"$work/contents.txt"
for f in ./usr/bin/velko01 ./usr/share/velko01/BMP/title.bmp ./usr/share/applications/velko01.desktop \
    ./usr/share/icons/hicolor/256x256/apps/velko01.png ./usr/share/man/man6/velko01.6; do
    grep -q " $f\$" "$work/contents.txt" || fail "the package lacks $f"
done
depends=$(dpkg-deb -f "$deb" Depends)
for need in libsdl2 libsdl2-mixer libfreetype libfontconfig libpng libc6 timgm6mb-soundfont \
    fonts-ipafont-gothic; do
    case "$depends" in
    *"$need"*) ;;
    *) fail "the package does not depend on $need: $depends" ;;
    esac
done

dpkg -x "$deb" "$work/root"
check_contents "$work/root/usr"
write_scene
check_tree "$work/root/usr" package
cp "$work/run-package/title.png" "$work/title.png"
echo "$(basename "$deb"): $(wc -l <"$work/contents.txt") entries; plays from dpkg -x"
