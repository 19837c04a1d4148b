# Shared by install_test.sh and deb_test.sh (sourced; $work is the scratch folder).

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# The files of an installed prefix: exactly the program and its two tools in bin/; the
# episode's three folders, the desktop entry, icons, metadata and manual pages under share/.
check_contents() {
    tree=$1
    [ "$(ls "$tree/bin" | tr '\n' ' ')" = "velko-check velko-headless velko01 " ] ||
        fail "bin/ holds: $(ls "$tree/bin" | tr '\n' ' ')"
    [ "$(ls "$tree/share/velko01" | tr '\n' ' ')" = "BMP Music Wall " ] ||
        fail "share/velko01 holds: $(ls "$tree/share/velko01" | tr '\n' ' ')"
    for f in share/velko01/BMP/title.bmp share/velko01/Music/velko_ed.mid \
        share/applications/velko01.desktop \
        share/metainfo/org.example.yuzutsu.velko01.metainfo.xml \
        share/man/man6/velko01.6 share/man/man1/velko-check.1 share/man/man1/velko-headless.1; do
        [ -e "$tree/$f" ] || fail "$tree lacks $f"
    done
    for size in 16 32 48 64 128 256; do
        [ -f "$tree/share/icons/hicolor/${size}x${size}/apps/velko01.png" ] ||
            fail "$tree lacks the ${size}px icon"
    done
}

# One scene of the episode from the title: the first entry, then clicks that read on.
write_scene() {
    printf '7000 shot title\n8000 click 500 255\n' >"$work/scene.txt"
    t=10000
    while [ $t -le 40000 ]; do
        echo "$t click 320 240" >>"$work/scene.txt"
        t=$((t + 2500))
    done
}

# The tools of `tree`, run from an unrelated folder with no --game: velko-check passes the
# episode, velko-headless plays the scene with every picture and sound found.
check_tree() {
    tree=$1
    label=$2
    (cd / && "$tree/bin/velko-check") >"$work/check-$label.out" 2>&1 ||
        fail "$label: velko-check without arguments: $(cat "$work/check-$label.out")"
    (cd / && "$tree/bin/velko-headless" --input "$work/scene.txt" --out "$work/run-$label") \
        >"$work/headless-$label.out" 2>&1 ||
        fail "$label: velko-headless: $(cat "$work/headless-$label.out")"
    trace=$work/run-$label/trace.log
    grep -q ' select 1$' "$trace" || fail "$label: the story did not start: $trace"
    grep -q ' text ' "$trace" || fail "$label: no text shown: $trace"
    if grep -q ' warning \| error ' "$trace"; then
        fail "$label: $(grep ' warning \| error ' "$trace" | head -3)"
    fi
}
