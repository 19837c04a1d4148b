#!/usr/bin/env python3
"""Figures of the web build: sizes (raw and gzip), the time from page load to the title, and
the browser's CPU while the title waits and during the fades into the first story page.

usage: scripts/web-figures.py [SITE]   (default build/web/site; run ./web.sh first)

Chromium runs headless in real time without a GPU, as in the tests; the page is served
from 127.0.0.1. CPU is the sum over Chromium's processes, in percent of one core.
"""
import functools
import gzip
import http.server
import os
import pathlib
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent
SITE = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ROOT / "build/web/site").resolve()
HARNESS = ROOT / "tests/web"
TICK = os.sysconf("SC_CLK_TCK")


def sizes():
    groups = {
        "program (wasm)": ["velko01.wasm"],
        "program (js)": ["velko01.js", "velko01.data.js"],
        "page": ["index.html", "page.js", "page.css"],
        "data before the title": ["velko01.data"],
    }
    rows = []
    for label, names in groups.items():
        raw = packed = 0
        for n in names:
            b = (SITE / n).read_bytes()
            raw += len(b)
            packed += len(gzip.compress(b, 6))
        rows.append((label, raw, packed))
    for label, folder in (("music renderings (fetched on demand)", "game/Music"),
                          ("wallpapers (fetched on download)", "game/Wall")):
        raw = packed = 0
        for f in (SITE / folder).iterdir():
            b = f.read_bytes()
            raw += len(b)
            packed += len(gzip.compress(b, 6))
        rows.append((label, raw, packed))
    print("Sizes (gzip -6):")
    for label, raw, packed in rows:
        print(f"  {label:40s} {raw / 1e6:8.2f} MB raw {packed / 1e6:8.2f} MB gzip")


class Reports(http.server.SimpleHTTPRequestHandler):
    lines = []

    def do_POST(self):
        n = int(self.headers.get("Content-Length", "0"))
        text = self.rfile.read(n).decode()
        for line in text.splitlines():
            Reports.lines.append((time.monotonic(), line))
        self.send_response(204)
        self.end_headers()

    def log_message(self, *args):
        pass


def cpu_jiffies(root_pid):
    """utime+stime of a process and all its descendants."""
    parents, times = {}, {}
    for d in pathlib.Path("/proc").iterdir():
        if not d.name.isdigit():
            continue
        try:
            fields = (d / "stat").read_text().rsplit(")", 1)[1].split()
        except OSError:
            continue
        parents[int(d.name)] = int(fields[1])
        times[int(d.name)] = int(fields[11]) + int(fields[12])
    total = 0
    for pid, t in times.items():
        p = pid
        while p and p != root_pid:
            p = parents.get(p, 0)
        if p == root_pid:
            total += t
    return total


def wait_for(text, timeout):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        for when, line in Reports.lines:
            if text in line:
                return when
        time.sleep(0.05)
    return None


def number_in(text):
    for _, line in Reports.lines:
        for part in line.splitlines():
            if text in part:
                return int(part.split(text)[1].split()[0])
    return None


def cpu_over(pid, seconds):
    a = cpu_jiffies(pid)
    time.sleep(seconds)
    return 100.0 * (cpu_jiffies(pid) - a) / TICK / seconds


def browser_figures():
    work = pathlib.Path(tempfile.mkdtemp(prefix="velko-figures-"))
    (work / "site").symlink_to(SITE)
    for n in ("harness.html", "harness.js"):
        shutil.copy(HARNESS / n, work / n)
    handler = functools.partial(Reports, directory=str(work))
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    port = server.server_address[1]
    # The title rests from about 5.5 s after the start (its logo runs by the clock); then the
    # reader clicks "はじめから", which fades out and in before the first line.
    url = (f"http://127.0.0.1:{port}/harness.html?report=1&keep=1&steps=wait:20000,"
           f"click:500:275,wait:600000")
    exe = shutil.which("chromium")
    args = [exe, "--headless=new", "--disable-gpu", "--no-first-run",
            "--disable-background-networking", "--disable-component-update", "--disable-sync",
            "--enable-unsafe-swiftshader", f"--user-data-dir={work / 'profile'}",
            "--window-size=800,700", url]
    if os.geteuid() == 0:
        args.insert(1, "--no-sandbox")
    proc = subprocess.Popen(args, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                            start_new_session=True)
    try:
        ready = wait_for("loaded in", 300)
        started = wait_for("started at", 60)
        rested = wait_for("resting at", 60)
        if not (ready and started and rested):
            print("the page did not reach the title:", [l for _, l in Reports.lines][-5:])
            return
        loaded_ms = number_in("loaded in ")
        rest_ms = number_in("resting at ") - number_in("started at ")
        print("Page (headless Chromium without a GPU, localhost):")
        print(f"  page opened to data loaded and program ready  {loaded_ms / 1000:6.2f} s")
        print(f"  start click to the resting title              {rest_ms / 1000:6.2f} s"
              " (the scenario's own logo and pauses take 5.5 s of it)")
        time.sleep(max(0.0, started + 8 - time.monotonic()))
        idle = cpu_over(proc.pid, 10)
        print(f"  CPU while the title waits (10 s)              {idle:6.1f} % of a core")
        click = started + 20
        time.sleep(max(0.0, click - time.monotonic()))
        fade = cpu_over(proc.pid, 1.2)
        print(f"  CPU during the fades to the first line (1.2 s) {fade:5.1f} % of a core")
    finally:
        os.killpg(proc.pid, signal.SIGTERM)
        proc.wait(timeout=30)
        server.shutdown()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    if not (SITE / "velko01.wasm").exists():
        sys.exit(f"{SITE}: no web build (run ./web.sh)")
    sizes()
    browser_figures()
