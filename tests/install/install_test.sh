#!/bin/sh
# The installed tree as a user meets it: `cmake --install` into a fresh prefix, the tools run
# from it with no arguments, the tree moved elsewhere, and prefixes with data missing.
#   install_test.sh BUILD_DIR WORK_DIR
# Leaves WORK_DIR/moved (the moved prefix) and WORK_DIR/title.png (its headless title screen)
# for the window test.
set -eu
build=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
. "$(dirname "$0")/tree_checks.sh"

cmake --install "$build" --prefix "$work/prefix" >"$work/install.log" || fail "cmake --install"

check_contents "$work/prefix"
write_scene
check_tree "$work/prefix" installed
mv "$work/prefix" "$work/moved"
check_tree "$work/moved" moved
# A link to the program elsewhere (a PATH folder) finds the tree the link points into.
mkdir -p "$work/links"
ln -s "$work/moved/bin/velko-check" "$work/links/velko-check"
(cd / && "$work/links/velko-check") >"$work/check-link.out" 2>&1 ||
    fail "velko-check through a link: $(cat "$work/check-link.out")"
cmp -s "$work/run-installed/title.png" "$work/run-moved/title.png" ||
    fail "the moved tree shows another title screen"
cp "$work/run-moved/title.png" "$work/title.png"

# Data missing: one line that names what is missing and where it was looked, status 1.
expect_refusal() {
    tree=$1
    what=$2
    for tool in velko01 velko-check velko-headless; do
        status=0
        env -u DISPLAY -u WAYLAND_DISPLAY "$tree/bin/$tool" >"$work/refusal.out" 2>&1 || status=$?
        [ $status -eq 1 ] || fail "$tool with $what: status $status: $(cat "$work/refusal.out")"
        [ "$(wc -l <"$work/refusal.out")" -eq 1 ] ||
            fail "$tool with $what: not one line: $(cat "$work/refusal.out")"
        grep -q "$tree/share/velko01" "$work/refusal.out" ||
            fail "$tool with $what: the place is not named: $(cat "$work/refusal.out")"
    done
}
mkdir -p "$work/broken"
cp -r "$work/moved/bin" "$work/broken/"
expect_refusal "$work/broken" "no data folder"
grep -q "BMP/, Music/ and Wall/" "$work/refusal.out" || fail "the folders are not named"
mkdir -p "$work/broken/share/velko01"
cp -r "$work/moved/share/velko01/BMP" "$work/moved/share/velko01/Music" "$work/broken/share/velko01/"
expect_refusal "$work/broken" "no Wall/"
grep -q "lacks Wall/" "$work/refusal.out" || fail "Wall/ is not named: $(cat "$work/refusal.out")"

echo "installed, moved and refused as expected"
