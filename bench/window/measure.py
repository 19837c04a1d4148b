#!/usr/bin/env python3
"""The real program's cost as a new reader meets it, under an X server of its own.

Starts velko01 in a private Xvfb (1024x768x24 unless --screen says otherwise) and prints,
as medians of several runs, with music on the dummy audio driver and with no audio device:

  rss_mb        resident memory (/proc/PID/smaps_rollup) on the title screen, music playing
  peak_rss_mb   the same 2 s after the click (the story's first picture, music and text)
  mapped_ms     process start to its window mapped (the X server's view, polled every ms)
  picture_ms    process start to the first picture (the menu bar's grey in the window)
  idle_pct      whole-process CPU over 2 s of waiting on the title screen
  main_idle_pct the main thread alone over the same 2 s
  click_pct     whole-process CPU over the 2 s after a click that starts a fade and the
                first text, above idle_pct; click_threads shows where it went
  fade_step_ms, reveal_step_ms
                median time between two different pictures in the window during the fade
                and during the reveal of the text that follows it

CPU figures come from /proc/PID/task/*/schedstat. Nothing here is a pass or fail: compare
the figures of two builds measured on the same machine in the same hour.

    bench/window/measure.py [--program build/release/game/velko01] [--runs 3] [--small]

--small plays a small game of its own (the episode's pictures, a fade, two lines of text,
a MIDI piece) instead of the episode.
"""

import argparse
import ctypes
import ctypes.util
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import struct
import time
import zlib

# --- Xlib through ctypes: enough to find a window by process, read it and click on it. ---

X11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
XTST = ctypes.CDLL(ctypes.util.find_library("Xtst") or "libXtst.so.6")

c_ulong_p = ctypes.POINTER(ctypes.c_ulong)


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int)]


class XWindowAttributes(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int),
                ("height", ctypes.c_int), ("border_width", ctypes.c_int),
                ("depth", ctypes.c_int), ("visual", ctypes.c_void_p),
                ("root", ctypes.c_ulong), ("class_", ctypes.c_int),
                ("bit_gravity", ctypes.c_int), ("win_gravity", ctypes.c_int),
                ("backing_store", ctypes.c_int), ("backing_planes", ctypes.c_ulong),
                ("backing_pixel", ctypes.c_ulong), ("save_under", ctypes.c_int),
                ("colormap", ctypes.c_ulong), ("map_installed", ctypes.c_int),
                ("map_state", ctypes.c_int), ("all_event_masks", ctypes.c_long),
                ("your_event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
                ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p)]


X11.XOpenDisplay.restype = ctypes.c_void_p
X11.XOpenDisplay.argtypes = [ctypes.c_char_p]
X11.XDefaultRootWindow.restype = ctypes.c_ulong
X11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
X11.XInternAtom.restype = ctypes.c_ulong
X11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
X11.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong, c_ulong_p, c_ulong_p,
                           ctypes.POINTER(c_ulong_p), ctypes.POINTER(ctypes.c_uint)]
X11.XGetWindowProperty.argtypes = [
    ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_long, ctypes.c_long, ctypes.c_int,
    ctypes.c_ulong, c_ulong_p, ctypes.POINTER(ctypes.c_int), c_ulong_p, c_ulong_p,
    ctypes.POINTER(ctypes.c_void_p)]
X11.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong,
                                     ctypes.POINTER(XWindowAttributes)]
X11.XGetImage.restype = ctypes.POINTER(XImage)
X11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                          ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
X11.XFree.argtypes = [ctypes.c_void_p]
X11.XTranslateCoordinates.argtypes = [
    ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
    ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int), c_ulong_p]
X11.XSetErrorHandler.restype = ctypes.c_void_p
X11.XSetErrorHandler.argtypes = [ctypes.c_void_p]
X11.XFlush.argtypes = [ctypes.c_void_p]
X11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
X11.XCloseDisplay.argtypes = [ctypes.c_void_p]
XTST.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int,
                                      ctypes.c_ulong]
XTST.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                      ctypes.c_ulong]

# A window that goes away between two requests is normal here, not fatal.
_ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)(
    lambda d, e: 0)
X11.XSetErrorHandler(_ERROR_HANDLER)

ALL_PLANES = 0xFFFFFFFF
Z_PIXMAP = 2
IS_VIEWABLE = 2


class Display:
    def __init__(self, name):
        self.d = X11.XOpenDisplay(name.encode())
        if not self.d:
            raise RuntimeError("cannot open display " + name)
        self.root = X11.XDefaultRootWindow(self.d)
        self.pid_atom = X11.XInternAtom(self.d, b"_NET_WM_PID", 0)

    def close(self):
        X11.XCloseDisplay(self.d)

    def children(self, w):
        root = ctypes.c_ulong()
        parent = ctypes.c_ulong()
        kids = c_ulong_p()
        n = ctypes.c_uint()
        if not X11.XQueryTree(self.d, w, ctypes.byref(root), ctypes.byref(parent),
                              ctypes.byref(kids), ctypes.byref(n)):
            return []
        out = [kids[i] for i in range(n.value)]
        if kids:
            X11.XFree(kids)
        return out

    def pid_of(self, w):
        actual = ctypes.c_ulong()
        fmt = ctypes.c_int()
        count = ctypes.c_ulong()
        after = ctypes.c_ulong()
        data = ctypes.c_void_p()
        if X11.XGetWindowProperty(self.d, w, self.pid_atom, 0, 1, 0, 6, ctypes.byref(actual),
                                  ctypes.byref(fmt), ctypes.byref(count), ctypes.byref(after),
                                  ctypes.byref(data)) != 0 or not data.value:
            return None
        pid = ctypes.cast(data, c_ulong_p)[0] if count.value else None
        X11.XFree(data)
        return pid

    def viewable(self, w):
        a = XWindowAttributes()
        return bool(X11.XGetWindowAttributes(self.d, w, ctypes.byref(a))) and \
            a.map_state == IS_VIEWABLE

    # The mapped window of `pid`, looked for among the root's children and, under a
    # reparenting window manager, their children.
    def window_of(self, pid):
        for top in self.children(self.root):
            for w in [top] + self.children(top):
                if self.pid_of(w) == pid and self.viewable(w):
                    return w
        return 0

    def origin(self, w):
        x = ctypes.c_int()
        y = ctypes.c_int()
        child = ctypes.c_ulong()
        X11.XTranslateCoordinates(self.d, w, self.root, 0, 0, ctypes.byref(x), ctypes.byref(y),
                                  ctypes.byref(child))
        return x.value, y.value

    # The window's pixels as bytes (None when it cannot be read right now).
    def capture(self, w, x=0, y=0, width=640, height=500):
        img = X11.XGetImage(self.d, w, x, y, width, height, ALL_PLANES, Z_PIXMAP)
        if not img:
            return None
        i = img.contents
        data = ctypes.string_at(i.data, i.bytes_per_line * i.height)
        X11.XFree(i.data)
        X11.XFree(img)
        return data

    def pixel(self, w, x, y):
        data = self.capture(w, x, y, 1, 1)
        if data is None or len(data) < 3:
            return None
        return data[0] | data[1] << 8 | data[2] << 16

    def click(self, x, y):
        XTST.XTestFakeMotionEvent(self.d, -1, x, y, 0)
        XTST.XTestFakeButtonEvent(self.d, 1, 1, 0)
        XTST.XTestFakeButtonEvent(self.d, 1, 0, 0)
        X11.XFlush(self.d)


def save_png(path, data, width, height):
    """data: 32-bit little-endian BGRX rows, as XGetImage gives them on a 24-bit screen."""
    raw = bytearray()
    for y in range(height):
        row = data[y * width * 4:(y + 1) * width * 4]
        raw.append(0)
        for x in range(width):
            raw += bytes((row[4 * x + 2], row[4 * x + 1], row[4 * x]))

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + \
            struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2,
                                                                   0, 0, 0)) +
                chunk(b"IDAT", zlib.compress(bytes(raw))) + chunk(b"IEND", b""))


# --- /proc ---

def rss_mb(pid):
    with open(f"/proc/{pid}/smaps_rollup") as f:
        for line in f:
            if line.startswith("Rss:"):
                return int(line.split()[1]) / 1024.0
    return float("nan")


def thread_times(pid):
    """{(tid, name): nanoseconds on a CPU} for every thread of pid."""
    out = {}
    base = f"/proc/{pid}/task"
    for tid in os.listdir(base):
        try:
            with open(f"{base}/{tid}/schedstat") as f:
                ns = int(f.read().split()[0])
            with open(f"{base}/{tid}/comm") as f:
                name = f.read().strip()
        except OSError:
            continue
        out[(int(tid), name)] = ns
    return out


def cpu_between(before, after, seconds, main_tid):
    """(whole-process %, main-thread %, {thread name: %}) of one core."""
    per = {}
    total = 0
    main = 0
    for key, ns in after.items():
        used = ns - before.get(key, 0)
        total += used
        if key[0] == main_tid:
            main += used
        name = "main" if key[0] == main_tid else key[1]
        per[name] = per.get(name, 0) + used
    pct = lambda ns: 100.0 * ns / (seconds * 1e9)
    return pct(total), pct(main), {k: pct(v) for k, v in per.items()}


# --- one run ---

SMALL_GAME = (
    "1\tMR title.mid\n"
    "2\tPK title.bmp\n"
    "3\tKS\n"
    "4\tPF\n"
    "5\tPK BKB.BMP\n"
    "6\t　雨の音がしていた。\n"
    "\t　小さな手が、ぼくの指を握っていた。\n"
    "7\tED\n")


def free_display():
    for n in range(150 + os.getpid() % 500, 1000):
        if not os.path.exists(f"/tmp/.X11-unix/X{n}") and not os.path.exists(f"/tmp/.X{n}-lock"):
            return n
    raise RuntimeError("no free X display number")


def start_xvfb(screen):
    n = free_display()
    xvfb = subprocess.Popen(["Xvfb", f":{n}", "-screen", "0", screen, "-nolisten", "tcp",
                             "-noreset"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    deadline = time.monotonic() + 10
    while not os.path.exists(f"/tmp/.X11-unix/X{n}"):
        if time.monotonic() > deadline or xvfb.poll() is not None:
            raise RuntimeError("Xvfb did not start")
        time.sleep(0.02)
    time.sleep(0.1)
    return xvfb, f":{n}"


def step_median(changes):
    gaps = [b - a for a, b in zip(changes, changes[1:])]
    return statistics.median(gaps) * 1000 if gaps else float("nan")


def one_run(args, audio, workdir):
    xvfb, name = start_xvfb(args.screen)
    disp = Display(name)
    env = dict(os.environ)
    for k in ("SDL_VIDEODRIVER", "WAYLAND_DISPLAY", "SDL_AUDIODRIVER"):
        env.pop(k, None)
    env["DISPLAY"] = name
    runtime = tempfile.mkdtemp(dir=workdir)
    os.chmod(runtime, 0o700)
    env["XDG_RUNTIME_DIR"] = runtime
    env["XDG_CONFIG_HOME"] = runtime
    env["XDG_STATE_HOME"] = runtime
    env["XDG_DATA_HOME"] = runtime
    if audio == "dummy":
        env["SDL_AUDIODRIVER"] = "dummy"
    argv = [args.program] + args.extra
    if args.small:
        script = os.path.join(workdir, "small.txt")
        with open(script, "w") as f:
            f.write(SMALL_GAME)
        argv += ["--script", script]
    err = open(os.path.join(workdir, f"stderr-{audio}.txt"), "w")
    result = {}
    t0 = time.monotonic()
    proc = subprocess.Popen(argv, env=env, stdout=subprocess.DEVNULL, stderr=err)
    try:
        w = 0
        while not w:
            w = disp.window_of(proc.pid)
            if proc.poll() is not None:
                raise RuntimeError(f"velko01 ended with status {proc.returncode}")
            if time.monotonic() - t0 > 20:
                raise RuntimeError("no window within 20 s")
            if not w:
                time.sleep(0.001)
        result["mapped_ms"] = (time.monotonic() - t0) * 1000
        while disp.pixel(w, 630, 5) != 0xC0C0C0:
            if time.monotonic() - t0 > 20:
                raise RuntimeError("no picture within 20 s")
            time.sleep(0.001)
        result["picture_ms"] = (time.monotonic() - t0) * 1000

        # The episode's logo has played and its title sits waiting, the music on.
        time.sleep(max(0.0, t0 + args.settle - time.monotonic()))
        result["rss_mb"] = rss_mb(proc.pid)
        idle0 = thread_times(proc.pid)
        time.sleep(2.0)
        idle1 = thread_times(proc.pid)
        idle, main_idle, _ = cpu_between(idle0, idle1, 2.0, proc.pid)
        result["idle_pct"] = idle
        result["main_idle_pct"] = main_idle

        ox, oy = disp.origin(w)
        cx, cy = (320, 260) if args.small else (500, 275)  # the title's first entry
        before = thread_times(proc.pid)
        disp.click(ox + cx, oy + cy)
        clicked = time.monotonic()
        # Pictures seen in the window, by the time they were first seen; sampled only as
        # fast as a capture allows, so the steps are upper bounds of the real ones.
        changes = []
        last = None
        while time.monotonic() - clicked < 2.0:
            shot = disp.capture(w)
            if shot is not None and shot != last:
                changes.append((time.monotonic() - clicked, shot))
                last = shot
            time.sleep(0.002)
        after = thread_times(proc.pid)
        busy, _, threads = cpu_between(before, after, time.monotonic() - clicked, proc.pid)
        result["click_pct"] = busy - idle
        result["click_threads"] = threads
        # The fade ends at the first picture that stays for a while (the text starts with
        # the message band); a step longer than 150 ms separates the two phases.
        times = [t for t, _ in changes[1:]]
        split = next((i for i, (a, b) in enumerate(zip(times, times[1:])) if b - a > 0.15),
                     len(times) - 1)
        result["fade_step_ms"] = step_median(times[:split + 1])
        result["reveal_step_ms"] = step_median(times[split + 1:])
        result["peak_rss_mb"] = rss_mb(proc.pid)
        if args.shots:
            os.makedirs(args.shots, exist_ok=True)
            for i, (t, shot) in enumerate([changes[0], changes[-1]] if changes else []):
                save_png(os.path.join(args.shots, f"{audio}-{'first' if i == 0 else 'last'}.png"),
                         shot, 640, 500)
    finally:
        proc.send_signal(signal.SIGTERM)
        try:
            proc.wait(5)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()
        err.close()
        disp.close()
        xvfb.terminate()
        xvfb.wait()
    with open(os.path.join(workdir, f"stderr-{audio}.txt")) as f:
        result["stderr_lines"] = len([l for l in f.read().splitlines() if l.strip()])
    return result


FIGURES = ["rss_mb", "peak_rss_mb", "mapped_ms", "picture_ms", "idle_pct", "main_idle_pct", "click_pct",
           "fade_step_ms", "reveal_step_ms", "stderr_lines"]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    default = os.path.join(here, "..", "..", "build", "release", "game", "velko01")
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    p.add_argument("--program", default=os.path.normpath(default))
    p.add_argument("--runs", type=int, default=3)
    p.add_argument("--screen", default="1024x768x24")
    p.add_argument("--settle", type=float, default=None,
                   help="seconds from start until the title waits (default 10, small game 4)")
    p.add_argument("--small", action="store_true", help="a small game instead of the episode")
    p.add_argument("--audio", default="dummy,none",
                   help="dummy (music on SDL's dummy driver), none (no audio device), or both")
    p.add_argument("--shots", help="folder for PNG shots of the first and last picture seen")
    p.add_argument("extra", nargs="*", help="more arguments for the program")
    args = p.parse_args()
    if args.settle is None:
        args.settle = 4.0 if args.small else 10.0
    if not shutil.which("Xvfb"):
        sys.exit("Xvfb is not installed (Debian: xvfb)")
    workdir = tempfile.mkdtemp(prefix="velko-measure-")
    print(f"program {args.program}, screen {args.screen}, "
          f"{'small game' if args.small else 'episode'}, median of {args.runs}")
    for audio in args.audio.split(","):
        runs = []
        for _ in range(args.runs):
            # With no sound device set up, SDL probes for one; "none" leaves it to do so.
            runs.append(one_run(args, audio, workdir))
        label = "music on dummy audio" if audio == "dummy" else "no audio device"
        print(f"\n[{label}]")
        for key in FIGURES:
            values = [r[key] for r in runs]
            print(f"  {key:15s} {statistics.median(values):8.2f}   "
                  f"({', '.join(f'{v:.1f}' for v in values)})")
        threads = {}
        for r in runs:
            for name, pct in r["click_threads"].items():
                threads.setdefault(name, []).append(pct)
        print("  click_threads   " + ", ".join(
            f"{n} {statistics.median(v):.1f}%" for n, v in sorted(threads.items(),
                                                                   key=lambda kv: -max(kv[1]))
            if max(v) >= 0.05))
    shutil.rmtree(workdir, ignore_errors=True)


if __name__ == "__main__":
    main()
