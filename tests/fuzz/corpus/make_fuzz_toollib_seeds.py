#!/usr/bin/env python3
"""Writes the seed inputs of fuzz_toollib: small raw tool libraries built by hand (16-bit counts,
counted texts, fixed blocks). Run from this folder: python3 make_fuzz_toollib_seeds.py"""
import os
import struct


def i16(v): return struct.pack('<h', v)
def i32(v): return struct.pack('<i', v)
def counted(t): return i16(len(t) + 1) + bytes([len(t)]) + t
def image(t, size, fill=0): return bytes([len(t)]) + t + bytes([fill] * (size - 1 - len(t)))
ONE = bytes([0x81, 0, 0, 0, 0, 0])
MAX = bytes([0x90, 0, 0, 0, 0xFF, 0x7F])


def info(name, level=b''):
    texts = [b'Gruppe', name, b'Hilfe', b'1.0', b'Ich', b'Firma', b'01.01.2024', b'02.01.2024', b'KLASSE']
    return (b''.join(counted(t) for t in texts) + bytes([1]) + i32(7) + image(b'', 256) +
            image(level, 63) + bytes([0, 3]) + bytes(699))


def var_head(name, vtype):
    return (counted(name) + i16(vtype) + i16(-1) + image(b'Sek', 31) + ONE + ONE + MAX +
            bytes(4) + bytes(8) + bytes(4) + bytes(8) + bytes(232))


def list_var(name, vtype, entries):
    return var_head(name, vtype) + i16(len(entries)) + b''.join(counted(e) for e in entries)


def tool(name, variables=b'', nvars=0, dialogs=b'', ndlg=0, nodes=b'', nnodes=0, script=()):
    return (info(name, b'Ebene') + i16(nvars) + variables + i16(ndlg) + dialogs + i16(nnodes) + nodes +
            i16(len(script)) + b''.join(counted(s) for s in script))


def node(ntype, text, var, accept=b'', dlg=b''):
    return (i16(ntype) + i16(1) + counted(text) + i32(1) + i16(0) + bytes(256) + counted(var) +
            counted(accept) + counted(b'') + counted(dlg))


def dialog(name, var):
    return (counted(name) + i16(32) + counted(b'Titel') + counted(b'Text') + counted(b'') + counted(b's') +
            i16(1) + bytes(256) + counted(var) + counted(b''))


inner = tool(b'Innen', list_var(b'A', 18, [b'out_1']), 1, script=[b'BLOCK', b'END.'])
full_vars = (var_head(b'W', 3) + i16(300) + var_head(b'R', 9) + bytes(range(10)) +
             list_var(b'K', 1, [b'0', b'ACMERKER']) + list_var(b'E', 17, [b'in_1:Ein']) +
             list_var(b'O', 24, [b'0%in_1', b'-1%x']) +
             var_head(b'S', 23) + i16(1) + counted(b'Innen') + image(b'Innen', 256) + inner)
full = tool(b'Voll', full_vars, 6, dialog(b'D', b'W'), 1,
            node(1, b'Taster', b'E', b'K') + node(5, b'Zeit', b'W', b'', b'D'), 2,
            [b'BLOCK', b'IF %E% : Ein', b'THEN %A% : Ein', b'END.'])

SEEDS = {
    'empty_library': i16(0),
    'empty_tool': i16(1) + tool(b'Leer'),
    'full_tool': i16(1) + full,
    'two_tools': i16(2) + tool(b'Eins', list_var(b'M', 21, [b'flag_1']), 1) + inner,
}

if __name__ == '__main__':
    out = 'fuzz_toollib'
    os.makedirs(out, exist_ok=True)
    for name, data in SEEDS.items():
        assert len(data) <= 8192, name
        with open(os.path.join(out, name), 'wb') as f:
            f.write(data)
