#!/usr/bin/env python3
"""Draws the toolbar icons (open, save, setting, store, info) as 48x48 PNG files into res/."""
import math, os, struct, sys, zlib

N = 48

def png(path, px):
    raw = b''.join(b'\x00' + bytes(c for p in row for c in p) for row in px)
    def chunk(t, d):
        return struct.pack('>I', len(d)) + t + d + struct.pack('>I', zlib.crc32(t + d) & 0xffffffff)
    data = (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', N, N, 8, 6, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))
    with open(path, 'wb') as f:
        f.write(data)

def canvas():
    return [[(0, 0, 0, 0) for _ in range(N)] for _ in range(N)]

def rect(px, x0, y0, x1, y1, c):
    for y in range(max(0, y0), min(N, y1)):
        for x in range(max(0, x0), min(N, x1)):
            px[y][x] = c

def disc(px, cx, cy, r, c):
    for y in range(N):
        for x in range(N):
            if (x + .5 - cx) ** 2 + (y + .5 - cy) ** 2 <= r * r:
                px[y][x] = c

def open_icon():
    p = canvas(); y = (230, 170, 40, 255); d = (180, 120, 20, 255)
    rect(p, 4, 10, 20, 16, d); rect(p, 4, 14, 44, 40, d); rect(p, 8, 20, 44, 40, y)
    return p

def save_icon():
    p = canvas(); b = (40, 90, 170, 255); w = (235, 235, 235, 255)
    rect(p, 6, 6, 42, 42, b); rect(p, 12, 6, 36, 18, w); rect(p, 28, 8, 33, 16, b); rect(p, 12, 26, 36, 42, w)
    return p

def setting_icon():
    p = canvas(); g = (110, 110, 120, 255)
    for k in range(8):
        a = k * math.pi / 4
        cx, cy = 24 + 15 * math.cos(a), 24 + 15 * math.sin(a)
        disc(p, cx, cy, 5, g)
    disc(p, 24, 24, 15, g); disc(p, 24, 24, 6, (0, 0, 0, 0))
    return p

def store_icon():
    p = canvas(); g = (40, 150, 70, 255); k = (50, 50, 50, 255)
    rect(p, 8, 30, 40, 42, k)
    for i in range(6):
        rect(p, 10 + i * 5, 42, 12 + i * 5, 46, k)
    rect(p, 20, 4, 28, 18, g)
    for i in range(10):
        rect(p, 14 + i, 18 + i, 34 - i, 19 + i, g)
    return p

def info_icon():
    p = canvas(); b = (30, 110, 200, 255); w = (255, 255, 255, 255)
    disc(p, 24, 24, 22, b); rect(p, 21, 20, 27, 38, w); disc(p, 24, 13, 3.5, w)
    return p

out = sys.argv[1] if len(sys.argv) > 1 else 'res'
for name, f in [('open', open_icon), ('save', save_icon), ('setting', setting_icon),
                ('store', store_icon), ('info', info_icon)]:
    png(os.path.join(out, name + '.png'), f())
