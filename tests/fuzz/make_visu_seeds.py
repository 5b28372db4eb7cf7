#!/usr/bin/env python3
"""Writes the seed corpora of fuzz_component_record and fuzz_visu_section: small hand-made pages
and visualisation sections covering every value kind, filer flags, nesting, channels and users.
Run from the repository root: python3 tests/fuzz/make_visu_seeds.py"""
import os
import struct


def short(text):
    data = text.encode('latin-1')
    return bytes([len(data)]) + data


def sval(text):
    return b'\x06' + short(text)


def record(cls, name, props, children=(), prefix=b''):
    out = prefix + short(cls) + short(name)
    for prop, value in props:
        out += short(prop) + value
    out += b'\0'
    for child in children:
        out += child
    return out + b'\0'


def component_seeds():
    scalars = [
        ('Left', b'\x02\x05'), ('Width', b'\x03' + struct.pack('<h', 1024)),
        ('Tag', b'\x04' + struct.pack('<i', -70000)), ('Big', b'\x13' + struct.pack('<q', 1 << 40)),
        ('Caption', sval('Hallo')), ('Long', b'\x0c' + struct.pack('<I', 3) + b'abc'),
        ('U', b'\x14' + struct.pack('<I', 2) + 'ü'.encode()), ('W', b'\x12' + struct.pack('<I', 1) + b'\x2d\x4e'),
        ('Color', b'\x07' + short('clRed')), ('B0', b'\x08'), ('B1', b'\x09'), ('N', b'\x0d'),
        ('E', b'\x05' + bytes(7) + b'\xc0\xff\x3f'), ('F', b'\x0f' + struct.pack('<f', 1.5)),
        ('C', b'\x10' + struct.pack('<q', 15000)), ('D', b'\x11' + struct.pack('<d', 1.5)),
        ('Bitmap.Data', b'\x0a' + struct.pack('<I', 3) + b'BM\0'), ('Font.Style', b'\x0b' + short('fsBold') + b'\0'),
    ]
    nested = [
        ('L', b'\x01\x02\x01\x01\x06\x01a\x00\x00'),
        ('Kanaele', b'\x0e\x01' + short('Modul') + b'\x02\x45\x00\x02\x07\x01' + short('Kanal') + b'\x02\x03\x00\x00'),
    ]
    children = [
        record('TVisuRoundLED', 'LED1', [('VisuData.Modul', b'\x02\x45')], [record('TVNButton', '', [])]),
        record('TTeleButton', 'K', [], prefix=b'\xf3\x02\x03'),
        record('TVisuText', 'T', [], prefix=b'\xf0'),
    ]
    return {
        'empty_page': b'TPF0' + record('TVisuDesignFrame', 'Seite1', []),
        'scalars': b'TPF0' + record('TVisuDesignFrame', 'P', scalars),
        'nested': b'TPF0' + record('TVisuDesignFrame', 'P', nested, children),
    }


def section_seeds():
    reserved = bytes(16) + sval('') + b'\x02\x00' + sval('') + b'\x02\x00' + sval('') * 4
    daten = b'\x02\x01\x02\x00\x08\x08\x08\x08'
    # Index tables of 3 and 2 slots: the reader accepts other lengths than 65530.
    empty = b'\x02\x03\x00\x01\x00' + b'\x01\x00' + daten + reserved + b'\x01\x00' + sval('') + b'\x01\x00'
    channel = b'\x01' + b'\x02\x01\x02\x45\x02\x03\x02\x02' + sval('Licht') + sval('01012026_1') + b'\x00'
    user = b'\x01' + sval('ab') + sval('cd') + sval('0') + sval('id') + b'\x08' + b'\x00'
    led = record('TVisuRoundLED', 'LED1', [('VisuData.Steuermodul', b'\x02\x01'), ('VisuData.Modul', b'\x02\x45')])
    page = b'TPF0' + record('TVisuDesignFrame', 'Seite1', [('DisplayName', sval('Start'))], [led])
    full = b'\x02\x02\x01\x00' + channel + daten + reserved + user + sval('Seite1') + b'\x01' + page + b'\x00'
    return {'empty': empty, 'full': full}


def write(folder, seeds):
    os.makedirs(folder, exist_ok=True)
    for name, data in seeds.items():
        with open(os.path.join(folder, name), 'wb') as f:
            f.write(data)


if __name__ == '__main__':
    here = os.path.dirname(os.path.abspath(__file__))
    write(os.path.join(here, 'corpus', 'fuzz_component_record'), component_seeds())
    write(os.path.join(here, 'corpus', 'fuzz_visu_section'), section_seeds())
