#!/usr/bin/env python3
"""Author's check of game/scenario.txt, beyond what velko-check looks at.

velko-check covers the format, arguments, targets and assets. This script guards what
an author can break while editing the story: the fixed command lines that the button
sheets and the timed sequences are made for, the fifteen sections and their chain of
jumps, and the text itself (26 characters a row, 5 rows, 4 to 146 UTF-16 units, the
first character of every message).

Usage: python3 game/check_scenario.py [SCRIPT]   (exit status 1 on any finding)
"""
import os
import re
import sys
from collections import Counter

OPCODES = set("PA PK PB PL PF BD WM WS WA WR WC MS MR MC QE JP IF WT KS KC KO KR "
              "ZT ZB ZS ZE KB ST FR ES EH ET ED".split())
SECTIONS = [1001, 1101, 1200] + list(range(1301, 2402, 100))
ROW_MAX, ROWS_MAX, UNITS_MIN, UNITS_MAX = 26, 5, 4, 146


def read_script(path, findings):
    """Returns {line number: text} with continuation rows joined by CR LF."""
    lines, last = {}, None
    raw = open(path, 'rb').read()
    if b'\r' in raw:
        findings.append('the file has CR characters; the episode is kept with LF ends')
    for i, physical in enumerate(raw.decode('utf-8-sig').split('\n'), 1):
        if physical == '' or physical.startswith('#'):
            continue
        m = re.match(r'^(\d+)\t(.*)$', physical)
        if m:
            n = int(m.group(1))
            if n in lines:
                findings.append(f'physical line {i}: line {n} repeated')
            lines[n], last = m.group(2), n
        elif physical.startswith('\t') and last is not None:
            lines[last] += '\r\n' + physical[1:]
        else:
            findings.append(f'physical line {i}: not a script line: {physical!r}')
    return lines


def fixed_lines():
    """The command lines outside the story, as the button sheets and timings expect them."""
    fixed = {}
    def block(start, texts):
        fixed.update(zip(range(start, start + len(texts)), texts))
    block(1, ['KC', 'WA logo.wav', 'WT 800', 'PK logo.bmp', 'WT 3000', 'PF', 'WT 500', 'KO',
              'JP 11'])
    block(11, ['ST'])
    block(101, ['ZE', 'PF', 'PK oyasiro.bmp', 'ZT button02.bmp',
                'ZB 80,310,280,360,0,0,200,50,201,0,401,50,201',
                'ZB 80,370,280,420,0,51,200,101,201,51,401,101,161',
                'ZB 420,400,620,450,0,102,200,152,201,102,401,152,150', 'ZS'])
    block(150, ['ZE', 'PF', 'JP 11'])
    block(161, ['MR osirase01.mid', 'JP 301'])
    block(201, ['ZE', 'PF', 'PK kabeset.bmp', 'ZT button03.bmp',
                'ZB 140,110,300,200,0,0,160,90,161,0,321,90,251',
                'ZB 340,110,500,200,0,91,160,181,161,91,321,181,261',
                'ZB 140,240,300,330,0,182,160,272,161,182,321,272,271',
                'ZB 340,240,500,330,0,273,160,363,161,273,321,363,281',
                'ZB 260,410,380,440,322,31,442,61,443,31,563,61,101', 'ZS'])
    for n, name in [(251, 'sin0011c'), (261, 'sei0011c'), (271, 'sin0011'), (281, 'sei0011')]:
        block(n, [f'KB {name}.bmp'])
    for k in range(1, 7):
        page = 201 + 100 * k
        following = page + 100 if k < 6 else 901
        previous = page - 100 if k > 1 else 901
        block(page, ['ZE', 'PF', f'PK osirase0{k}.bmp', 'ZT button02.bmp',
                     f'ZB 500,440,620,470,0,153,120,183,121,153,241,183,{following}',
                     f'ZB 20,440,140,470,0,184,120,214,121,184,241,214,{previous}', 'ZS'])
    block(901, ['ZE', 'MR title.mid', 'JP 101'])
    block(1001, ['PF', 'PK BKB.BMP'])
    block(2501, ['KC', 'MS velko_ed.mid', 'WT 3200', 'PL ed01.bmp', 'WT 3000', 'PL ed02.bmp',
                 'WT 3000', 'PL ed03.bmp', 'WT 4500', 'PL ed04.bmp', 'WT 2000',
                 'WA velko_e2.wav', 'BD tuduku.bmp', 'KO', 'KR False', 'KS', 'PL yokoku.bmp',
                 'KS', 'KR True', 'PF', 'ST'])
    return fixed


def check_story(lines, findings):
    """Checks the sections' shape; returns the opening pictures and the message lines."""
    pictures, messages = [], []
    for i, start in enumerate(SECTIONS):
        end = SECTIONS[i + 1] if i + 1 < len(SECTIONS) else 2423
        numbers = sorted(n for n in lines if start <= n < end)
        if not numbers or numbers != list(range(start, numbers[-1] + 1)):
            findings.append(f'section {start}: missing first line or a gap inside')
            continue
        jump = f'JP {SECTIONS[i + 1] if i + 1 < len(SECTIONS) else 2501}'
        if lines[numbers[-1]] != jump:
            findings.append(f'section {start}: ends with {lines[numbers[-1]]!r}, not {jump!r}')
        opening = lines[start + 1] if start == 1001 else lines[start]
        if start != 1001 and not re.match(r'^P[AB] (CG(0[1-9]|1[0-2])\.(bmp|BMP)|cg11\.bmp)$',
                                          opening):
            findings.append(f'section {start}: opens with {opening!r}')
        pictures.append(opening[3:])
        for n in numbers:
            text = lines[n]
            if text[:2] not in OPCODES:
                messages.append((n, text))
            elif text[:2] not in ('PA', 'PB', 'PK', 'PF', 'MR', 'MC', 'JP'):
                findings.append(f'{n}: command {text!r} has no place in the story')
            elif text[:2] == 'MR' and not re.match(r'^MR velko0[1-9]\.mid$', text):
                findings.append(f'{n}: unknown piece in {text!r}')
    if 2422 not in lines:
        findings.append('the story does not end at line 2422')
    return pictures, messages


def check_message(n, text, kinds, findings):
    rows = text.split('\r\n')
    if len(rows) > ROWS_MAX:
        findings.append(f'{n}: {len(rows)} rows')
    for row in rows:
        if len(row) > ROW_MAX:
            findings.append(f'{n}: row of {len(row)} characters: {row}')
        if row == '' or row != row.rstrip() or '\t' in row:
            findings.append(f'{n}: empty row, trailing blank or TAB')
    units = len(text.encode('utf-16-le')) // 2
    if not UNITS_MIN <= units <= UNITS_MAX:
        findings.append(f'{n}: {units} UTF-16 units')
    first = text[0]
    if first == '\u3000':
        kinds['narration'] += 1
    elif first in '「『':
        kinds['speech'] += 1
    elif set(text.replace('\r\n', '')) == {'・'}:
        kinds['dots'] += 1
    else:
        findings.append(f'{n}: a message must start with a full-width space, 「, 『 or ・')
    if "'R" in text.upper():
        findings.append(f'{n}: contains the forced-break marker')


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), 'scenario.txt')
    findings = []
    lines = read_script(path, findings)
    fixed = fixed_lines()
    for n, text in fixed.items():
        if lines.get(n) != text:
            findings.append(f'{n}: expected {text!r}, found {lines.get(n)!r}')
    for n in lines:
        if n not in fixed and not 1001 <= n <= 2422:
            findings.append(f'{n}: a line outside every block')
    pictures, messages = check_story(lines, findings)
    kinds = Counter()
    for n, text in messages:
        check_message(n, text, kinds, findings)
    if {'CG11.BMP', 'cg11.bmp'} - set(pictures):
        findings.append('CG11 must open one section as "CG11.BMP" and one as "cg11.bmp"')
    if set(p.upper() for p in pictures) != {'BKB.BMP'} | {f'CG{i:02d}.BMP' for i in range(1, 13)}:
        findings.append('every picture CG01 to CG12 must open a section')
    print(f'{len(lines)} lines, {len(messages)} messages: {dict(kinds)}')
    for finding in findings:
        print(f'{path}: {finding}')
    return 1 if findings else 0


if __name__ == '__main__':
    sys.exit(main())
