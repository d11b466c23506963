#!/usr/bin/env bash
# Writes the image fixtures from one 16 x 16 source picture (quadrants red, green, blue, yellow;
# the same pattern ImageDecodeTest computes) with Debian's netpbm tools. Run from this folder.
set -euo pipefail
python3 - <<'PY'
rows = []
for y in range(16):
    for x in range(16):
        rows.append({(0, 0): (255, 0, 0), (1, 0): (0, 255, 0), (0, 1): (0, 0, 255), (1, 1): (255, 255, 0)}[(x // 8, y // 8)])
with open("source.ppm", "wb") as f:
    f.write(b"P6\n16 16\n255\n" + bytes(c for p in rows for c in p))
with open("alpha.pam", "wb") as f:
    f.write(b"P7\nWIDTH 16\nHEIGHT 16\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n")
    f.write(bytes(c for i, p in enumerate(rows) for c in p + ((i % 16) * 16,)))
PY
pamtopng source.ppm > rgb.png
pamtopng alpha.pam > rgba.png
ppmtopgm source.ppm | pamtopng > grey.png
pnmtopng source.ppm > palette.png
pnmtojpeg -quality 100 -sample=1x1,1x1,1x1 source.ppm > rgb.jpg
ppmtobmp -bpp 24 source.ppm > rgb24.bmp 2>/dev/null
ppmtobmp -bpp 8 source.ppm > pal8.bmp 2>/dev/null
ppmtotga -rgb -norle source.ppm > rgb.tga
ppmtotga -rgb source.ppm > rle.tga
pnmtoplainpnm source.ppm > plain.ppm
rm -f alpha.pam
