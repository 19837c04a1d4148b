#!/usr/bin/env python3
"""The web build in headless Chromium, against the desktop program's headless runs.

usage: web_check.py CASE --site DIR --headless PROGRAM --game DIR --work DIR

CASE is one of title, story, scaled, extras, missing, browser, kept. The page is served from 127.0.0.1 only; each
case drives it through harness.html in a fresh Chromium profile.
"""
import argparse
import functools
import http.server
import os
import pathlib
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import threading
import time
import zlib

HERE = pathlib.Path(__file__).resolve().parent
TOP = 20  # the menu bar's rows above the 640x480 screen in the page's canvas

# Where a reader clicks, in the screen's coordinates (tests/e2e uses the same places).
START = (500, 255)
EXTRAS = (500, 325)
GALLERY = (180, 335)
FIRST_PICTURE = (220, 155)
YES = (277, 271)
ADDRESS = (370, 251)
OK = (322, 285)
GALLERY_BACK = (320, 425)
EXTRAS_BACK = (520, 425)
END = (500, 393)


def read_png(path):
    """(width, height, rows of (r, g, b)) of an 8-bit RGB or RGBA PNG without interlace."""
    data = pathlib.Path(path).read_bytes()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", f"{path}: not a PNG"
    pos, idat, w, h, ctype = 8, b"", 0, 0, 0
    while pos < len(data):
        n, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + n]
        pos += 12 + n
        if kind == b"IHDR":
            w, h, depth, ctype, _, _, interlace = struct.unpack(">IIBBBBB", body)
            assert depth == 8 and ctype in (2, 6) and interlace == 0, f"{path}: unusual PNG"
        elif kind == b"IDAT":
            idat += body
    bpp = 3 if ctype == 2 else 4
    raw = zlib.decompress(idat)
    stride = w * bpp
    rows, prev = [], bytearray(stride)
    for y in range(h):
        f = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            if f == 1:
                line[i] = (line[i] + a) & 255
            elif f == 2:
                line[i] = (line[i] + b) & 255
            elif f == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif f == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append([tuple(line[x * bpp:x * bpp + 3]) for x in range(w)])
        prev = line
    return w, h, rows


class Quiet(http.server.SimpleHTTPRequestHandler):
    reports = []  # lines the harness posts with report=1

    def do_POST(self):
        n = int(self.headers.get("Content-Length", "0"))
        Quiet.reports.extend(self.rfile.read(n).decode().splitlines())
        self.send_response(204)
        self.end_headers()

    def log_message(self, *args):
        pass


def serve(root):
    handler = functools.partial(Quiet, directory=str(root))
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def chromium(url, work, extra, budget_ms):
    exe = shutil.which("chromium") or shutil.which("chromium-browser")
    if not exe:
        raise SystemExit("chromium is not installed (scripts/web-setup.sh installs it)")
    profile = tempfile.mkdtemp(prefix="profile-", dir=work)
    args = [exe, "--headless=new", "--disable-gpu", "--no-first-run",
            "--disable-background-networking", "--disable-component-update", "--disable-sync",
            "--enable-unsafe-swiftshader", "--force-device-scale-factor=1",
            "--force-color-profile=srgb", "--autoplay-policy=user-gesture-required",
            f"--user-data-dir={profile}", f"--virtual-time-budget={budget_ms}"]
    if os.geteuid() == 0:
        args.append("--no-sandbox")
    out = subprocess.run(args + extra + [url], capture_output=True, text=True, timeout=600)
    shutil.rmtree(profile, ignore_errors=True)
    return out.stdout


def chromium_live(url, profile, timeout):
    """Chromium in real time (the browser's storage needs it) until the harness says done."""
    exe = shutil.which("chromium") or shutil.which("chromium-browser")
    args = [exe, "--headless=new", "--disable-gpu", "--no-first-run",
            "--disable-background-networking", "--disable-component-update", "--disable-sync",
            "--enable-unsafe-swiftshader", f"--user-data-dir={profile}", url]
    if os.geteuid() == 0:
        args.insert(1, "--no-sandbox")
    Quiet.reports.clear()
    proc = subprocess.Popen(args, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                            start_new_session=True)
    try:
        end = time.monotonic() + timeout
        while time.monotonic() < end and "done" not in Quiet.reports:
            time.sleep(0.2)
    finally:
        os.killpg(proc.pid, signal.SIGTERM)
        proc.wait(timeout=60)
    return list(Quiet.reports)


def headless_shot(program, game, work, events, shot):
    out = pathlib.Path(work) / "headless"
    out.mkdir(parents=True, exist_ok=True)
    script = out / "input.txt"
    script.write_text(events)
    subprocess.run([program, "--game", game, "--input", str(script), "--out", str(out),
                    "--until", "30000"], check=True, capture_output=True)
    return out / f"{shot}.png"


def compare_screen(page_png, expected_png, factor=1):
    """The page's canvas below the menu bar against the headless shot, pixel for pixel; at a
    larger factor every pixel of the shot must be a whole square of that size."""
    pw, ph, page = read_png(page_png)
    ew, eh, expected = read_png(expected_png)
    f = factor
    assert pw >= 640 * f and ph >= (TOP + 480) * f, f"the page's shot is only {pw}x{ph}"
    differing = [(x, y) for y in range(eh) for x in range(ew)
                 if any(page[(y + TOP) * f + j][x * f + i] != expected[y][x]
                        for j in range(f) for i in range(f))]
    if differing:
        x, y = differing[0]
        return (f"{len(differing)} pixels differ; first at ({x}, {y}): page "
                f"{page[(y + TOP) * f][x * f]}, headless {expected[y][x]}")
    return None


def steps(*items):
    return ",".join(items)


def click(p):
    return f"click:{p[0]}:{p[1] + TOP}"


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("case", choices=["title", "story", "scaled", "extras", "missing", "browser", "kept"])
    ap.add_argument("--site", required=True)
    ap.add_argument("--headless", required=True)
    ap.add_argument("--game", required=True)
    ap.add_argument("--work", required=True)
    a = ap.parse_args()
    work = pathlib.Path(a.work) / a.case
    shutil.rmtree(work, ignore_errors=True)
    root = work / "root"
    root.mkdir(parents=True)
    for name in ("harness.html", "harness.js"):
        shutil.copy(HERE / name, root / name)
    site = pathlib.Path(a.site).resolve()
    if a.case == "missing":
        # Every file but the data package: the page must say so in words.
        (root / "site").mkdir()
        for f in site.iterdir():
            if f.name != "velko01.data":
                (root / "site" / f.name).symlink_to(f)
    else:
        (root / "site").symlink_to(site)
    server = serve(root)
    base = f"http://127.0.0.1:{server.server_address[1]}/harness.html"
    faults = []
    try:
        if a.case in ("title", "story", "scaled"):
            # The title rests from 5.5 s; "はじめから" shows the first line by 14 s. Scaled:
            # the same in a window that fits the screen twice over, clicks included.
            f = 2 if a.case == "scaled" else 1
            if a.case == "title":
                plan, events = steps("wait:8000"), "7900 shot screen\n"
            else:
                plan = steps("wait:6000", click(START), "wait:8000")
                events = f"6000 click {START[0]} {START[1]}\n14000 shot screen\n"
            shot = work / "page.png"
            size = f"{640 * f}x{500 * f}"
            chromium(f"{base}?size={size}&steps={plan}", work,
                     [f"--window-size={640 * f},{500 * f}", f"--screenshot={shot}"], 40000)
            if not shot.exists():
                faults.append("Chromium wrote no screenshot")
            else:
                expected = headless_shot(a.headless, a.game, work, events, "screen")
                diff = compare_screen(shot, expected, f)
                if diff:
                    faults.append(f"{a.case}: {diff} ({shot} against {expected})")
        elif a.case == "extras":
            plan = steps("wait:7000", "key:F10", "wait:300", "key:ArrowRight", "wait:300",
                         "key:ArrowDown", "wait:300", "key:Enter", "wait:1500", click(ADDRESS),
                         "wait:1000", click(OK), "wait:1500", click(EXTRAS), "wait:3000",
                         click(GALLERY), "wait:3000", click(FIRST_PICTURE), "wait:1500",
                         click(YES), "wait:1500", click(GALLERY_BACK), "wait:2500",
                         click(EXTRAS_BACK), "wait:3000", click(END), "wait:1500")
            dom = chromium(f"{base}?steps={plan}", work, ["--window-size=640,500",
                                                         "--dump-dom"], 60000)
            (work / "dom.html").write_text(dom)
            home = "https://www.example.org/yuzutsu/"
            wall = sorted(p.name for p in (site / "game" / "Wall").iterdir())
            # Then back to the title and "おわり": the page says the reading has ended.
            for want in (f"new tab: {home}", f"window.open {home}", "ended at", "done"):
                if want not in dom:
                    faults.append(f"the page's log lacks \"{want}\"")
            if not any(f"download: {w} (game/Wall/{w})" in dom for w in wall):
                faults.append("no wallpaper was offered as a download")
            if not any(f"anchor {w} game/Wall/{w}" in dom for w in wall):
                faults.append("the download link did not reach the browser")
        elif a.case == "kept":
            # The volume set in one visit is there in the next: "-" on the title lowers it
            # to 90, saved to IndexedDB within seconds; the next visit's "-" makes it 80.
            profile = work / "profile"
            plan = steps("wait:8000", "key:Minus", "wait:7000", "kept")
            first = chromium_live(f"{base}?report=1&keep=1&steps={plan}", profile, 120)
            second = chromium_live(f"{base}?report=1&keep=1&steps={plan}", profile, 120)
            (work / "reports.txt").write_text("\n".join(first + ["----"] + second))
            setting = "kept /kept/config/velko01/settings.txt"
            if not any(l.startswith(setting) and "music 90|" in l for l in first):
                faults.append("the first visit kept no settings with music 90")
            if not any(l.startswith(setting) and "music 80|" in l for l in second):
                faults.append("the second visit did not start from the kept volume")
        elif a.case == "browser":
            # A browser without WebGL: words, not a blank screen. (This Chromium keeps
            # WebAssembly whatever its flags say, so that half is not tried here.)
            for flag, word in (("--disable-webgl", "WebGL"),):
                dom = chromium(base, work, [flag, "--dump-dom"], 20000)
                if f"status " not in dom or word not in dom.split("status ", 1)[1][:300]:
                    faults.append(f"with {flag} the page did not name {word}")
        else:
            dom = chromium(base, work, ["--dump-dom"], 20000)
            (work / "dom.html").write_text(dom)
            if "status 読み込みに失敗しました" not in dom or "velko01.data" not in dom:
                faults.append("the page did not say that its data failed to load")
    finally:
        server.shutdown()
    for f in faults:
        print(f"FAIL {a.case}: {f}")
    print(f"{a.case}: {'ok' if not faults else 'failed'} (files in {work})")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
