#!/usr/bin/env python3
"""Fails when a source file includes a header of a module built after its own.

The order of velko_add_module() lines in the top CMakeLists.txt is the order of the layers,
lowest first; a file belongs to the module folder that is the longest prefix of its path.
"""
import pathlib
import re
import sys

root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
order = re.findall(r"velko_add_module\((src/[^)]+)\)", (root / "CMakeLists.txt").read_text())
rank = {m: i for i, m in enumerate(order)}


def module_of(path: str):
    best = None
    for m in order:
        if (path == m or path.startswith(m + "/")) and (best is None or len(m) > len(best)):
            best = m
    return best


faults = []
for f in sorted((root / "src").rglob("*")):
    if f.suffix not in (".h", ".cpp", ".in"):
        continue
    rel = f.relative_to(root).as_posix()
    own = module_of(rel)
    if own is None:
        faults.append(f"{rel}: in no module folder")
        continue
    for n, line in enumerate(f.read_text(encoding="utf-8").splitlines(), 1):
        m = re.match(r'\s*#\s*include\s+"([^"]+)"', line)
        if not m:
            continue
        target = module_of("src/" + m.group(1))
        if target is not None and rank[target] > rank[own]:
            faults.append(f"{rel}:{n}: {own} includes {m.group(1)} of the higher {target}")

print("\n".join(faults) if faults else f"{len(order)} layers, every include points down")
sys.exit(1 if faults else 0)
