#!/usr/bin/env python3
"""Kills the X server while velko01 is starting, many times, and counts how the program ended.

A program that loses its display may end with an error, never with a crash (a signal such as
SIGSEGV). Each try starts a private Xvfb, starts the program, and kills the server after a
delay spread over the start-up (0 to --spread ms).

    bench/window/kill_x_during_start.py [--program build/release/game/velko01] [--tries 21]
"""

import argparse
import collections
import os
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from measure import start_xvfb  # noqa: E402


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    p.add_argument("--program", default=os.path.normpath(
        os.path.join(here, "..", "..", "build", "release", "game", "velko01")))
    p.add_argument("--tries", type=int, default=21)
    p.add_argument("--spread", type=int, default=400, help="latest kill, ms after the start")
    args = p.parse_args()
    outcomes = collections.Counter()
    runtime = tempfile.mkdtemp(prefix="velko-killx-")
    os.chmod(runtime, 0o700)
    for i in range(args.tries):
        xvfb, name = start_xvfb("1024x768x24")
        env = dict(os.environ, DISPLAY=name, XDG_RUNTIME_DIR=runtime, SDL_AUDIODRIVER="dummy")
        env.pop("SDL_VIDEODRIVER", None)
        env.pop("WAYLAND_DISPLAY", None)
        proc = subprocess.Popen([args.program], env=env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)
        time.sleep(args.spread / 1000.0 * i / max(1, args.tries - 1))
        xvfb.kill()
        xvfb.wait()
        try:
            code = proc.wait(10)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()
            code = "hung"
        if isinstance(code, int) and code < 0:
            code = signal.Signals(-code).name
        outcomes[str(code)] += 1
    crashes = sum(n for c, n in outcomes.items() if c.startswith("SIG") and c != "SIGKILL")
    print(f"{args.tries} tries: " + ", ".join(f"{c}: {n}" for c, n in sorted(outcomes.items())))
    print(f"crashes: {crashes}")


if __name__ == "__main__":
    main()
