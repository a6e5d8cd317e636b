#!/usr/bin/env python3
# Writes the seed inputs of the fuzz targets into corpus/<target>/seed_*. Findings are kept
# beside them as corpus/<target>/crash_* and are not touched here.
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def put(target, name, data):
    d = os.path.join(HERE, 'corpus', target)
    os.makedirs(d, exist_ok=True)
    with open(os.path.join(d, 'seed_' + name), 'wb') as f:
        f.write(bytes(data))


def u16(v):
    return struct.pack('<H', v)


# packet, checks: 0, op, address, length + 1, selector low word, answer
def check(op, address, length, answer):
    return b'\x00' + bytes([op]) + u16(address) + bytes([length + 1]) + b'\x00\x00' + answer


put('packet', 'version', check(0, 0, 0, bytes.fromhex('0102420200010292')))
put('packet', 'readcfg', check(1, 0x10, 4, bytes.fromhex('03061000aabbccdd')))
put('packet', 'readdyn', check(2, 0x4000, 0, bytes.fromhex('030201020a0b')))
put('packet', 'writecfg', check(3, 0x20, 2, bytes.fromhex('0402')))
put('packet', 'writedyn', check(4, 0x0201, 3, bytes.fromhex('0402')))
put('packet', 'savecfg', check(5, 0, 0, bytes.fromhex('0502')))
put('packet', 'readnv', check(6, 0x74, 2, bytes.fromhex('060274001122')))
put('packet', 'writenv', check(7, 0x74, 2, bytes.fromhex('0702')))
put('packet', 'writesn', check(8, 0, 15, bytes.fromhex('08020100')))
put('packet', 'readsetup', check(9, 0, 3, bytes.fromhex('0902010203')))
put('packet', 'writesetup', check(10, 0, 3, bytes.fromhex('0a02')))
put('packet', 'discovery', check(0, 0, 0, bytes.fromhex('000a')))


# packet, link: 1, then per operation: op, address, length + 1, stale packets, answers
def pk(hexbytes):
    b = bytes.fromhex(hexbytes)
    return bytes([len(b)]) + b


def op(code, address, length, stale, answers):
    return (bytes([code]) + u16(address) + bytes([length + 1]) + bytes([len(stale)]) + b''.join(stale)
            + bytes([len(answers)]) + b''.join(answers))


put('packet', 'link_read', b'\x01' + op(0, 0x3c, 4, [pk('0302000001020304')], [pk('03023c0011223344')])
    + op(1, 0x74, 2, [], [pk('06027400aabb')]) + op(5, 0, 0, [], [pk('0502')]))
put('packet', 'link_faults', b'\x01' + op(0, 0, 4, [], [bytes([65])]) + op(0, 0, 4, [], [bytes([66])])
    + op(3, 0x10, 2, [], [pk('0402'), pk('0402')]) + op(2, 0x4000, 0, [], [pk('0302010100')])
    + op(6, 0, 0, [], [pk('08020000')]) + op(7, 0, 3, [], [pk('0902010203')])
    + op(8, 0, 2, [], [pk('0402')]) + op(4, 0x74, 2, [], [bytes([67])]))


# stream: base, address, length + 1, segment count, segment sizes, stream
def stream(base, address, length, cuts, data):
    return bytes([base]) + u16(address) + bytes([length + 1, len(cuts)]) + bytes(cuts) + data


put('stream', 'version', stream(0, 0, 0, [1], bytes.fromhex('0206420200010292')))
put('stream', 'readcfg', stream(0, 0x10, 4, [3, 0, 5], bytes.fromhex('04061000aabbccdd' '07041000eeff')))
put('stream', 'readdyn', stream(0, 0, 0, [2, 7], bytes.fromhex('040401020a0b' '0400')))
put('stream', 'access', stream(1, 0, 0, [4], bytes.fromhex('e005') + b'2.7\x00x' + bytes.fromhex('ef06010203040506')))
put('stream', 'partial', stream(0, 0, 0, [], bytes.fromhex('0206420200')))

# dump: model (bit 7 seal, bit 6 start from an edited model), then the file, or when sealed an
# offset and the bytes put there
for i, name in enumerate(['1_1', '2_0', '3_0', 'esp', 'robo', 'tokmat']):
    put('dump', name + '_sealed', bytes([0x80 | i]) + u16(0x100) + bytes(range(2, 64)))
    put('dump', name + '_edited_sealed', bytes([0xC0 | i]) + b'\x00' * 16)
    put('dump', name + '_short', bytes([i]) + b'\xff' * 100)
    put('dump', name + '_params', bytes([0x80 | i]) + u16(6540) + bytes(range(256)))
    put('dump', name + '_layout_word', bytes([0x80 | i]) + u16(8176) + bytes([1, 2, 3, 4, 1, 0, 0, 0]))

# files: even = help file, odd = refused block (0xFF none, 0xFE finish fails) and firmware file
put('files', 'help', b'\x00' + '1\nFirst line\nsecond\n---\n\n6540\nЦена [ст.]\n---\n'.encode())
put('files', 'help_unfinished', b'\x00' + b'12\ntext without end\n---\nx\n7\n')
put('files', 'firmware', b'\x01\xff' + bytes(i & 0xFF for i in range(500)))
put('files', 'firmware_refused', b'\x01\x02' + bytes(300))
put('files', 'firmware_header_refused', b'\x01\x00' + b'abc')
put('files', 'firmware_finish_fails', b'\x01\xfe' + bytes(240))

# net: even = discovery datagram, odd = settings file (two bytes for the host added first)
put('net', 'dscr_controller', b'\x00' + b'DSCRMarvek20')
put('net', 'dscr_both', b'\x00' + b'DSCRctl\x00\x00\x00\x00\x00' + 'мост\x00\x00\x00\x00'.encode())
put('net', 'udp_discovery', b'\x00' + b'\x00\x0a')
put('net', 'hosts', b'\x01\x01\x02' + b'[General]\nlang=bg\nnetHosts=10.0.0.5, 192.168.1.7\nudpHosts=10.0.0.5, bad\n')

# udp: per operation op, address, length + 1, datagram count, then per datagram a flags byte
# (bit 0: from a stranger's port), its size and bytes
def udp(code, address, length, grams):
    b = bytes([code]) + u16(address) + bytes([length + 1, len(grams)])
    for stranger, data in grams:
        b += bytes([stranger, len(data)]) + data
    return b


put('udp', 'clean', udp(0, 0x3c, 4, []) + udp(1, 0x74, 2, []) + udp(3, 0x10, 2, []) + udp(4, 0, 0, []))
put('udp', 'stranger', udp(0, 0x10, 4, [(1, bytes.fromhex('0302100001020304'))])
    + udp(5, 0, 3, [(0, bytes.fromhex('0902'))]))
put('udp', 'late', udp(0, 0, 4, [(0, bytes.fromhex('03023c0011223344')), (0, bytes.fromhex('03020000'))])
    + udp(2, 0x4000, 0, [(0, bytes.fromhex('03fe0101aa'))]) + udp(6, 0, 0, [(0, bytes.fromhex('08020000'))]))
