#!/bin/sh
# Runs a command inside a private X server, 1024x768 at 24 bits unless VELKO_XVFB_SCREEN
# says otherwise. Exits 77 (a skipped test) when Xvfb is not installed.
if ! command -v xvfb-run >/dev/null 2>&1; then
    echo "xvfb-run not found: install the xvfb package to run the window tests" >&2
    exit 77
fi
# The program must find the X server, not a driver or compositor of the calling session.
unset SDL_VIDEODRIVER WAYLAND_DISPLAY
# xvfb-run -a starts looking at :99 and two runs that start together can both settle on the
# same number; starting the search from a number of our own keeps parallel runs apart.
# -noreset: by default the server resets when its last client leaves, and a test that
# connects at that moment is refused.
exec xvfb-run -a -n $(( 100 + $$ % 800 )) -s "-screen 0 ${VELKO_XVFB_SCREEN:-1024x768x24} -nolisten tcp -noreset" "$@"
