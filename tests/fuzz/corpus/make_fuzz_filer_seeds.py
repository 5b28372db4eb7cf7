#!/usr/bin/env python3
"""Writes the seed inputs of fuzz_filer: eight operation bytes, a buffer-size byte, then a value
stream built by hand. Run from this folder: python3 make_fuzz_filer_seeds.py"""
import os
import struct


def i8(v): return bytes([2]) + struct.pack('<b', v)
def i16(v): return bytes([3]) + struct.pack('<h', v)
def i32(v): return bytes([4]) + struct.pack('<i', v)
def i64(v): return bytes([19]) + struct.pack('<q', v)
def s6(t): return bytes([6, len(t)]) + t
def s12(t): return bytes([12]) + struct.pack('<I', len(t)) + t
def s20(t): u = t.encode('utf-8'); return bytes([20]) + struct.pack('<I', len(u)) + u
def w18(t): u = t.encode('utf-16-le'); return bytes([18]) + struct.pack('<I', len(u) // 2) + u
def ident(t): return bytes([7, len(t)]) + t
def ext_one(): return bytes([5]) + bytes([0] * 7 + [0x80, 0xFF, 0x3F])
def single(): return bytes([15]) + struct.pack('<f', 2.5)
def cur(v): return bytes([16]) + struct.pack('<q', v)
def date(v): return bytes([17]) + struct.pack('<d', v)
def binary(b): return bytes([10]) + struct.pack('<I', len(b)) + b
def sset(names): return bytes([11]) + b''.join(bytes([len(n)]) + n for n in names) + b'\0'
def name(t): return bytes([len(t)]) + t


# The operation of a byte is its value modulo 18 (see fuzz_filer.cpp).
SEEDS = {
    'integers': (bytes([1, 1, 2, 2, 6, 6, 8, 8]), 64,
                 i8(127) + i16(128) + i32(32768) + i64(1 << 40) + i8(-1) + i16(-300) + i32(-70000) + i8(5)),
    'strings': (bytes([3, 3, 3, 3, 10, 4, 16, 11]), 16,
                s6(b'Projekt') + s12(b'L' * 300) + s20('Grüße') + w18('Ω€') + s6(b'x' * 5) + s20('ü')
                + bytes([4]) + b'Name' + ident(b'clRed')),
    'floats': (bytes([6, 6, 7, 9, 8, 6, 7, 9]), 5,
               ext_one() + i64(-(1 << 50)) + single() + date(45000.5) + cur(12345) + i8(3) + i16(1000) + i32(99999)),
    'lists': (bytes([12, 1, 12, 3, 13, 13, 5, 0]), 1,
              bytes([1]) + i8(1) + bytes([1]) + s6(b'a') + bytes([0, 0, 9, 1, 0])),
    'skip_collection': (bytes([0] * 8), 32,
                        bytes([1]) + i8(1) + bytes([14]) + i16(300) + bytes([1]) + name(b'Caption') + s6(b'text')
                        + name(b'Items') + bytes([14, 1]) + name(b'Value') + i8(0) + bytes([0, 0]) + bytes([0])
                        + bytes([1, 0, 0]) + binary(b'\0\1\2') + bytes([0]) + sset([b'akTop', b'akLeft'])
                        + ident(b'Null') + bytes([13, 8, 9])),
    'binary_set_raw': (bytes([14, 15, 16, 17, 35, 11, 11, 11]), 80,
                       binary(bytes(range(40))) + sset([b'a', b'bc']) + name(b'raw') + b'\x01\x02\x03\x04\x05'
                       + bytes([0, 8, 9, 13])),
    'huge_lengths': (bytes([3, 14, 10, 0, 3, 0, 0, 0]), 7,
                     bytes([12, 0xFF, 0xFF, 0xFF, 0xFF]) + bytes([10, 0xFF, 0xFF, 0xFF, 0x7F])
                     + bytes([18, 0xFF, 0xFF, 0xFF, 0xFF]) + b'xyz' * 10),
}

if __name__ == '__main__':
    os.makedirs('fuzz_filer', exist_ok=True)
    for fname, (ops, buf, body) in SEEDS.items():
        with open(os.path.join('fuzz_filer', fname), 'wb') as f:
            f.write(ops + bytes([buf - 1]) + body)
