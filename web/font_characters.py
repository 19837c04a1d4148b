#!/usr/bin/env python3
"""Writes every character the web build can show, for cutting the fonts down to them.

usage: font_characters.py OUT FILE...

The characters of the given files (scenario, product and staff text, the program's sources
with its menus and messages) plus whole blocks a message might draw from: ASCII, Japanese
punctuation, kana, full- and half-width forms.
"""
import pathlib
import sys

BLOCKS = [(0x20, 0x7E), (0xA0, 0xFF), (0x2010, 0x2027), (0x2030, 0x203B), (0x2190, 0x2193),
          (0x25A0, 0x25CF), (0x3000, 0x30FF), (0xFF01, 0xFF9F), (0xFFE0, 0xFFE6)]

chars = set()
for lo, hi in BLOCKS:
    chars.update(chr(c) for c in range(lo, hi + 1))
for name in sys.argv[2:]:
    path = pathlib.Path(name)
    files = sorted(p for p in path.rglob("*") if p.is_file()) if path.is_dir() else [path]
    for f in files:
        chars.update(c for c in f.read_text(encoding="utf-8", errors="ignore") if c >= " ")
out = pathlib.Path(sys.argv[1])
text = "".join(sorted(chars))
if not out.exists() or out.read_text(encoding="utf-8") != text:
    out.write_text(text, encoding="utf-8")
