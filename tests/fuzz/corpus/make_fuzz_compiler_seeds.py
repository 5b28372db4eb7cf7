#!/usr/bin/env python3
"""Writes the seed inputs of fuzz_compiler: the selector byte 1 (generated project) and the choice
bytes of the project generator, drawn from a seeded random source. Project streams make no seeds:
the visualisation's index table alone takes 65 KB of every stream, more than a fuzz input holds.
Run from this folder: python3 make_fuzz_compiler_seeds.py"""
import os
import random

os.makedirs('fuzz_compiler', exist_ok=True)
for n, length in enumerate((200, 600, 1200, 2400, 4000)):
    rnd = random.Random(n + 1)
    data = bytes([1]) + bytes(rnd.randrange(256) for _ in range(length))
    with open(os.path.join('fuzz_compiler', 'generated%d' % (n + 1)), 'wb') as f:
        f.write(data)
