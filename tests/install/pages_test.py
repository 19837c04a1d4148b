#!/usr/bin/env python3
"""The manual pages keep up with the programs: every option that a tool's --help prints
appears in its page, every input event that velko-headless reads is described in the
INPUT EVENTS section of its page, and man renders each page without a warning.

    pages_test.py PAGE_DIR INPUT_PARSER.cpp TOOL=PAGE...   e.g. /path/velko-check=velko-check.1
"""
import os
import re
import subprocess
import sys


def page_text(path):
    """The page's words with roff's escapes taken out: \\- is -, font changes vanish."""
    with open(path, encoding="utf-8") as f:
        text = f.read()
    text = re.sub(r"\\f[BIRP]", "", text)
    return text.replace("\\-", "-")


def help_options(tool):
    out = subprocess.run([tool, "--help"], capture_output=True, text=True, timeout=30)
    if out.returncode != 0:
        raise SystemExit(f"FAIL: {tool} --help ended with {out.returncode}: {out.stderr}")
    # Long options, and short ones written on their own ("-h,").
    return sorted(set(re.findall(r"(?<![\w-])(--[a-z][a-z0-9-]*|-[a-zA-Z])\b", out.stdout)))


def input_events(parser):
    """The event names the headless input parser compares against."""
    with open(parser, encoding="utf-8") as f:
        return sorted(set(re.findall(r'kind == "([a-z][a-z-]*)"', f.read())))


def section(text, name):
    match = re.search(r"^\.SH " + re.escape(name) + r"\n(.*?)(?=^\.SH |\Z)", text, re.S | re.M)
    return match.group(1) if match else ""


def main():
    page_dir = sys.argv[1]
    events = input_events(sys.argv[2])
    failures = []
    if len(events) < 5:
        failures.append(f"only {events} found as input events in {sys.argv[2]}")
    headless_events = section(page_text(os.path.join(page_dir, "velko-headless.1")),
                              "INPUT EVENTS")
    for event in events:
        if not re.search(r"(?<![\w-])" + re.escape(event) + r"(?![\w-])", headless_events):
            failures.append(f"velko-headless.1 does not describe the input event {event}")
    env = dict(os.environ, LC_ALL="C.UTF-8", MANWIDTH="80", MANPAGER="cat", PAGER="cat")
    for pair in sys.argv[3:]:
        tool, page = pair.split("=")
        path = os.path.join(page_dir, page)
        text = page_text(path)
        options = help_options(tool)
        if not options:
            failures.append(f"{tool} --help names no options")
        for option in options:
            if not re.search(r"(?<![\w-])" + re.escape(option) + r"(?![\w-])", text):
                failures.append(f"{page} lacks {option}, which {os.path.basename(tool)} --help shows")
        rendered = subprocess.run(["man", "--warnings", "-l", path], capture_output=True,
                                  text=True, env=env, timeout=60)
        if rendered.returncode != 0 or rendered.stderr.strip():
            failures.append(f"man -l {page}: status {rendered.returncode}: {rendered.stderr.strip()}")
        if "OPTIONS" not in rendered.stdout or "EXIT STATUS" not in rendered.stdout:
            failures.append(f"{page} lacks its OPTIONS or EXIT STATUS section")
    for f in failures:
        print("FAIL:", f)
    if not failures:
        print("every option of every --help is in its page; man renders them cleanly")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
