#!/usr/bin/env python3
"""The manual pages keep up with the programs: every option that a tool's --help prints
appears in its page, and man renders each page without a warning.

    pages_test.py PAGE_DIR TOOL=PAGE...   e.g. /path/velko-check=velko-check.1
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


def main():
    page_dir = sys.argv[1]
    failures = []
    env = dict(os.environ, LC_ALL="C.UTF-8", MANWIDTH="80", MANPAGER="cat", PAGER="cat")
    for pair in sys.argv[2:]:
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
