#!/bin/sh
# The README's pictures are what the episode shows today: scripts/readme-pictures.sh run
# afresh gives the same files as docs/, and the README and the AppStream screenshots name
# exactly those files.
#   pictures_test.sh SOURCE_DIR BUILD_DIR WORK_DIR
set -eu
src=$1
build=$2
work=$3
rm -rf "$work"
"$src/scripts/readme-pictures.sh" "$build" "$work"
status=0
for name in title scene; do
    if ! cmp -s "$work/$name.png" "$src/docs/$name.png"; then
        echo "FAIL: docs/$name.png differs from a fresh run ($work/$name.png);" \
            "run scripts/readme-pictures.sh if the change is meant" >&2
        status=1
    fi
    grep -q "](docs/$name.png)" "$src/README.md" || {
        echo "FAIL: the README does not show docs/$name.png" >&2
        status=1
    }
    grep -q "<image>[^<]*/docs/$name.png</image>" "$src/dist/"*.metainfo.xml || {
        echo "FAIL: the AppStream screenshots do not name docs/$name.png" >&2
        status=1
    }
done
[ $status -eq 0 ] && echo "docs/title.png and docs/scene.png match a fresh run"
exit $status
