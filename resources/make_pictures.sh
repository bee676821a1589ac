#!/usr/bin/env bash
# Regenerates the program's pictures: the credit shown by the main window's picture box and
# the program icon. Needs imagemagick, the WenQuanYi Zen Hei font and python3.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
font=/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc

# 117 x 164 baseline JPEG: the author's credit written diagonally in yellow on white.
convert -size 117x164 xc:white -font "$font" -pointsize 17 -fill '#FFD400' \
  -stroke '#E0A800' -strokewidth 0.4 -gravity center -annotate -60x-60+0+0 '@Ostrelle制作' \
  -strip -interlace none -sampling-factor 2x2 -quality 88 "$here/main_credit.jpg"

# 32 x 32, 32 bits per pixel icon: a dark grey pixelated square face with two glowing
# magenta eyes, written byte by byte so the file is the same on every run.
python3 - "$here/program.ico" <<'PY'
import struct, sys

size, block = 32, 4
greys = [0x2a, 0x33, 0x3c, 0x30, 0x26, 0x38, 0x2e, 0x41]
pixels = [[(0, 0, 0, 0)] * size for _ in range(size)]
for y in range(size):
    for x in range(size):
        g = greys[((x // block) * 5 + (y // block) * 3 + (x // block) * (y // block)) % len(greys)]
        pixels[y][x] = (g, g, g, 255)

# Eyes: two blocks wide, one block high, with a bright core and a glow around them.
eyes = [(1, 4), (5, 4)]
def in_eye(x, y):
    return any(ex * block <= x < (ex + 2) * block and ey * block <= y < (ey + 1) * block
               for ex, ey in eyes)
def distance_to_eye(x, y):
    best = 99
    for ex, ey in eyes:
        dx = max(ex * block - x, 0, x - ((ex + 2) * block - 1))
        dy = max(ey * block - y, 0, y - ((ey + 1) * block - 1))
        best = min(best, max(dx, dy))
    return best
for y in range(size):
    for x in range(size):
        if in_eye(x, y):
            core = (x % block in (1, 2)) and (y % block in (1, 2))
            pixels[y][x] = (255, 150, 255, 255) if core else (224, 40, 224, 255)
        else:
            d = distance_to_eye(x, y)
            if d <= 2:
                r, g, b, a = pixels[y][x]
                k = (0.55, 0.3)[d - 1]
                pixels[y][x] = (int(r + (224 - r) * k), int(g * (1 - k)), int(b + (224 - b) * k), a)

header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
xor = b''.join(bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
mask = bytes(size * size // 8)  # every pixel opaque; alpha decides
image = header + xor + mask
icon = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(image), 22)
open(sys.argv[1], 'wb').write(icon + image)
PY
