#!/usr/bin/env python3
"""Writes the seed inputs of fuzz_display_stream: display sections of the project file built by
hand from the value stream's tags. Run from this folder: python3 make_fuzz_display_stream_seeds.py"""
import os
import struct

LIST, END = b'\x01', b'\x00'


def i(v):
    if -128 <= v <= 127:
        return bytes([2]) + struct.pack('<b', v)
    if -32768 <= v <= 32767:
        return bytes([3]) + struct.pack('<h', v)
    return bytes([4]) + struct.pack('<i', v)


def s(t):
    if any(b >= 0x80 for b in t):  # text with umlauts is stored as UTF-8
        u = t.decode('cp1252').encode('utf-8')
        return bytes([20]) + struct.pack('<I', len(u)) + u
    return bytes([6, len(t)]) + t


def link(stm=0, modul=0, basis=0, kanal=0, typ=2, modname=b''):
    return (i(modul) + i(stm) + i(basis) + i(kanal) + i(typ) + s(b'Kanal') + s(modname) + s(b'') + s(b'') +
            s(b'') + i(0) + i(0))


def keys(entries=b'', one_row=1):
    return i(one_row) + LIST + entries + END


def text(name, txt, x, y, key_list=None, subs=b''):
    return (s(name) + s(txt) + i(len(txt)) + i(6 * len(txt)) + i(8) + i(x) + i(y) + link() +
            (key_list or keys()) + LIST + subs + END)


def key(name, label, function):
    return s(name) + text(b'', label, 0, 0) + text(b'', b'', 0, 0) + function


def jump(target):
    return i(1) + i(4) + s(target)


def output(telegram):
    return i(3) + i(0) + s(b'Ausgang') + i(len(telegram)) + b''.join(i(b) for b in (telegram + [0] * 10)[:10])


def screen(internal, name, default_keys, objects):
    return s(internal) + s(name) + default_keys + LIST + objects + END


def display(screens, start, pairs):
    return (s(b'') + s(b'') + s(b'Display 0') + s(b'stm') + i(0) + s(start) + LIST + screens + END + LIST +
            b''.join(s(a) + s(b) for a, b in pairs) + END + i(0))


def section(displays, used):
    return LIST + displays + END + i(0) + i(0) + (b'\x09' if used else b'\x08')


state_var = (i(1) + s(b'V') + i(60) + i(8) + i(0) + i(18) + i(8) +
             link(stm=1, modul=5, basis=2, kanal=3, typ=1, modname=b'm1') +
             keys(key(b'F1', b'An', output([1, 3, 0x45, 1, 0x31]))) + LIST + END)
graphic = i(2) + s(b'G') + i(0) + i(40) + i(2) + i(7) + i(2) + i(1) + i(1)
line = i(4) + s(b'L') + i(0) + i(100) + i(1) + i(240)
value = i(0) + s(b'W') + i(180) + i(40) + keys()
menu_page = screen(b'p1', b'Seite', keys(key(b'F1', b'zur\xfcck', jump(b'haupt'))), i(3) + text(b'T', b'Seite', 0, 0))
menu = i(3) + text(b'M', b'Men\xfc', 0, 24, keys(key(b'F3', b'Enter', jump(b'p1'))), menu_page)

SEEDS = {
    'empty': section(b'', False),
    'hallo': section(display(screen(b'S1', b'Start', keys(), i(3) + text(b'Text 0', b'Hallo', 12, 8)), b'S1',
                             [(b'Ein', b'Aus')]), True),
    'rich': section(display(
        screen(b'haupt', b'Haupt', keys(key(b'F4', b'Weiter', jump(b'zwei')), 0),
               state_var + graphic + line + value + menu) +
        screen(b'zwei', b'Zwei', keys(key(b'F1', b'Haupt', jump(b'haupt'))), graphic),
        b'haupt', [(b'Ein', b'Aus'), (b'Offen', b'Zu')]), True),
}

os.makedirs('fuzz_display_stream', exist_ok=True)
for seed_name, data in SEEDS.items():
    with open(os.path.join('fuzz_display_stream', seed_name), 'wb') as f:
        f.write(data)
