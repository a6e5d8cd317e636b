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

# dyn: per answer of the board a flags byte (bit 0: last packet of its list, bit 7: lost), a
# complete byte, a length byte and the records
def dyn(flags, records, complete=None):
    return bytes([flags, len(records) if complete is None else complete, len(records)]) + records


M16 = bytes.fromhex('03201045') + u16(5)                    # 0x45102003, a 16-bit mask
N16 = bytes.fromhex('02201042') + u16(1) + u16(1000) + u16(100)  # 0x42102002 with its limits
STR = bytes.fromhex('01105047') + u16(4) + b'wifi'            # 0x47501001, a string
ARR = bytes.fromhex('022010c8') + u16(0) + u16(500) + u16(5) * 16  # 0xC8102002, list 3
put('dyn', 'board', dyn(0, M16 + N16) + dyn(1, STR) + dyn(1, b'') + dyn(1, ARR))
put('dyn', 'split_record', dyn(0, M16 + N16[:3], 6) + dyn(1, N16[3:]) + dyn(1, b'') + dyn(1, b''))
put('dyn', 'lost_packet', dyn(0, M16) + dyn(0x80, b'') + dyn(1, M16) + dyn(1, b'') + dyn(1, b''))
put('dyn', 'unknown_kind', dyn(1, bytes.fromhex('0100003f') + b'\x00\x00'))

# clidump: bit 0 a described board's dump (else a 2.0 controller's), bit 1 a hardware settings name
put('clidump', 'dyn', b'\x01' + b'DevCom2\x00' + bytes.fromhex('03201045') + u16(7))
put('clidump', 'dyn_hset', b'\x03' + b'DevCom2\x00' + bytes.fromhex('03201045') + u16(7))
put('clidump', 'dyn_foreign', b'\x01' + b'DevCom2\x00' + bytes.fromhex('09990045') + u16(7))
put('clidump', 'fixed_short', b'\x00' + b'\xff' * 100)
put('clidump', 'fixed_whole', b'\x00' + b'\xff' * 8192)

# usbprobe: a first byte (0 mod 4: string lengths beyond the buffer), then per device bus,
# address, flags (1 own numbers, 2 string error, 4 own string, 8 silent, 16 short, 32 stall),
# vendor, product, open, configuration and string error picks, string
def dev(bus, address, flags, vendor=0x04D8, product=0x3101, errs=(0, 0), string=b'', strerr=None):
    b = bytes([bus, address, flags]) + u16(vendor) + u16(product) + bytes(errs)
    if flags & 2:
        b += bytes([strerr or 0])
    if flags & 4:
        b += bytes([len(string)]) + string
    return b


put('usbprobe', 'board', b'\x01' + dev(0, 5, 0))
put('usbprobe', 'strangers', b'\x01' + dev(0, 5, 1, 0x1234, 0x5678) + dev(1, 6, 4, string=b'Other thing'))
put('usbprobe', 'errors', b'\x00' + dev(0, 7, 0, errs=(7, 0)) + dev(0, 8, 2, strerr=2) + dev(1, 9, 8)
    + dev(2, 10, 16) + dev(2, 11, 32) + dev(0, 12, 0, errs=(0, 4)))

# sim: 0 packet requests, 1 stream requests, 2 description file; bit 2 the described board
put('sim', 'packets', b'\x00' + bytes([2]) + bytes.fromhex('0200') + bytes([6]) + bytes.fromhex('030010000400'))
put('sim', 'packets_dyn', b'\x04' + bytes([6]) + bytes.fromhex('030000000040') + bytes([6]) + bytes.fromhex('030000000000'))
put('sim', 'stream', b'\x01' + bytes([2, 0]) + bytes([3, 3]) + bytes.fromhex('100004'))
put('sim', 'stream_dyn', b'\x05' + bytes([4, 4]) + bytes.fromhex('00000040') + bytes([5, 4]) + bytes.fromhex('01000102'))
put('sim', 'describe', b'\x02' + b'# board\n45102003 0500\n42102002 0100e8036400\n47501001 04007769 6669\n')
put('sim', 'describe_bad', b'\x02' + b'45102003 05\nzz\n')

# discovery: per step bit 7 a round, else an answer from source (bits 0-2) with its names
def answer(source, names):
    return bytes([source, len(names)]) + names


CTL = b'Marvek20'
BOTH = b'ctl\x00\x00\x00\x00\x00' + 'мост'.encode() + b'\x00\x00\x00\x00'
put('discovery', 'two_boards', answer(0, CTL) + answer(2, BOTH) + b'\x80' + answer(0, CTL) + answer(2, BOTH))
put('discovery', 'moved', answer(0, BOTH) + b'\x80\x80\x80\x80' + answer(5, BOTH) + b'\x80' + answer(0, BOTH))
put('discovery', 'renamed', answer(1, CTL) + answer(1, b'Other123') + b'\x80' * 20 + answer(1, CTL))

# tcp: per operation op (0 readCfg, 1 readNvMem, 2 readDynCfg, 3 writeCfg), address, length + 1,
# piece count, then per piece its size and bytes, all sent before the well-formed answer
def tcp(code, address, length, pieces):
    return (bytes([code]) + u16(address) + bytes([length + 1, len(pieces)])
            + b''.join(bytes([len(p)]) + p for p in pieces))


put('tcp', 'clean', tcp(0, 0x3c, 4, []) + tcp(1, 0x74, 2, []) + tcp(2, 0x4000, 0, []) + tcp(3, 0x10, 2, []))
put('tcp', 'stale_and_split', tcp(0, 0x10, 4, [bytes.fromhex('0406100001020304'), bytes.fromhex('04')])
    + tcp(3, 0x20, 2, [bytes.fromhex('0206'), bytes.fromhex('420200010292')]))
put('tcp', 'junk', tcp(2, 0x4000, 0, [bytes([0x7f, 0]) * 20, bytes.fromhex('ff05aabb')]) + tcp(0, 0, 8, []))
