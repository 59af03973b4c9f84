#!/usr/bin/env bash
# Regenerates the picture files under ok/ and bad/ from ImageMagick's built-in "rose:"
# picture and the GIF descriptions in src/. Needs cjpeg, convert (with WebP), gifbuild and
# python3.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

convert rose: "$tmp/rose.ppm"
cjpeg -quality 85 "$tmp/rose.ppm" > ok/baseline.jpg
cjpeg -progressive "$tmp/rose.ppm" > ok/progressive.jpg
cjpeg -grayscale "$tmp/rose.ppm" > ok/grey.jpg
cjpeg -restart 1 "$tmp/rose.ppm" > ok/restart.jpg
cjpeg -sample 1x1 -quality 95 "$tmp/rose.ppm" > ok/444.jpg
convert rose: -colorspace CMYK ok/cmyk.jpg

convert rose: BMP3:ok/rose24.bmp
convert rose: -colors 16 -type Palette -compress None BMP3:ok/rose4.bmp
convert rose: -colors 200 -type Palette -compress None BMP3:ok/rose8.bmp
convert rose: -colors 200 -type Palette -compress RLE BMP3:ok/rose8rle.bmp
convert rose: -monochrome BMP3:ok/rose1.bmp
convert rose: -define bmp:subtype=RGB565 BMP:ok/rose16.bmp

convert rose: -colors 64 ok/rose.gif
for f in src/*.txt; do gifbuild "$f" > "ok/$(basename "${f%.txt}").gif"; done

convert rose: -strip ok/rose.png
convert rose: -strip -interlace PNG ok/interlaced.png
convert rose: -strip -depth 16 PNG48:ok/rose48.png
convert rose: -strip -colors 64 PNG8:ok/palette.png
convert rose: -quality 90 ok/rose.webp
convert rose: -define webp:lossless=true ok/lossless.webp
convert -delay 10 -size 8x6 xc:'#0a141e' xc:'#c8643c' -loop 0 -define webp:lossless=true ok/anim.webp

python3 - <<'PY'
import random, struct, zlib

def patch(data, at, fmt, *values):
    data = bytearray(data)
    struct.pack_into(fmt, data, at, *values)
    return bytes(data)

def sof(data):
    for marker in (b'\xff\xc0', b'\xff\xc2'):
        at = data.find(marker)
        if at >= 0:
            return at
    raise SystemExit('no SOF')

def write(name, data):
    with open(name, 'wb') as f:
        f.write(data)

def chunk(kind, body):
    return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body))

def png(width, height, rgba):
    rows = b''.join(b'\0' + bytes(rgba[y * width * 4:(y + 1) * width * 4]) for y in range(height))
    return png_head(width, height) + chunk(b'IDAT', zlib.compress(rows)) + chunk(b'IEND', b'')

def png_head(width, height):
    return b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 6, 0, 0, 0))

rnd = random.Random(1234)
jpeg = open('ok/baseline.jpg', 'rb').read()
write('bad/truncated.jpg', jpeg[:len(jpeg) // 2])
write('bad/header-only.jpg', jpeg[:sof(jpeg) + 19])
write('bad/sof-65535.jpg', patch(jpeg, sof(jpeg) + 5, '>HH', 65535, 65535))
write('bad/sof-60000.jpg', patch(jpeg, sof(jpeg) + 5, '>HH', 60000, 60000))
write('bad/sof-zero.jpg', patch(jpeg, sof(jpeg) + 5, '>HH', 0, 70))
write('bad/garbage-after-soi.jpg', b'\xff\xd8' + bytes(rnd.randrange(256) for _ in range(2000)))
write('bad/random.jpg', bytes(rnd.randrange(256) for _ in range(4096)))

bmp = open('ok/rose24.bmp', 'rb').read()
write('bad/width-negative.bmp', patch(bmp, 18, '<i', -70))
write('bad/width-zero.bmp', patch(bmp, 18, '<i', 0))
write('bad/height-zero.bmp', patch(bmp, 22, '<i', 0))
write('bad/height-int-min.bmp', patch(bmp, 22, '<i', -2**31))
write('bad/huge.bmp', patch(bmp, 18, '<ii', 100000, 100000))
write('bad/huge-wide.bmp', patch(bmp, 18, '<ii', 2**31 - 1, 2))
write('bad/offset-beyond-file.bmp', patch(bmp, 10, '<I', len(bmp) + 100))
write('bad/offset-inside-header.bmp', patch(bmp, 10, '<I', 20))
write('bad/truncated.bmp', bmp[:len(bmp) - 500])
write('bad/depth-7.bmp', patch(bmp, 28, '<H', 7))
write('bad/png-compressed.bmp', patch(bmp, 30, '<I', 5))
write('bad/info-size-99.bmp', patch(bmp, 14, '<I', 99))
write('bad/header-only.bmp', bmp[:30])
write('bad/wrong-magic.bmp', b'MB' + bmp[2:])
write('bad/random.bmp', bytes(rnd.randrange(256) for _ in range(4096)))
write('bad/random-bm.bmp', b'BM' + bytes(rnd.randrange(256) for _ in range(4096)))

gif = open('ok/anim.gif', 'rb').read()
write('bad/screen-65535.gif', patch(gif, 6, '<HH', 65535, 65535))
second = gif.find(b',', gif.find(b',') + 1)
write('bad/cut-in-second-frame.gif', gif[:second + 12])
write('bad/cut-in-first-frame.gif', gif[:gif.find(b',') + 12])
huge = open('ok/hugeframe.gif', 'rb').read()
write('bad/frame-65535.gif', patch(huge, huge.find(b',') + 5, '<HH', 65535, 65535))
write('bad/header-only.gif', gif[:13])
write('bad/random.gif', bytes(rnd.randrange(256) for _ in range(4096)))
write('bad/magic-then-garbage.gif',
      b'GIF89a' + struct.pack('<HHBBB', 8, 6, 0x80, 0, 0) + bytes(6) + bytes(rnd.randrange(256) for _ in range(4096)))
# Half-transparent red, opaque green, fully transparent blue, quarter-opaque orange.
write('ok/alpha.png', png(4, 1, [255, 0, 0, 128, 0, 255, 0, 255, 0, 0, 255, 0, 200, 100, 40, 64]))
rose_png = open('ok/rose.png', 'rb').read()
write('bad/truncated.png', rose_png[:len(rose_png) // 2])
write('bad/garbage-after-signature.png', rose_png[:8] + bytes(rnd.randrange(256) for _ in range(2000)))
write('bad/header-only.png', rose_png[:33])
idat = rose_png.find(b'IDAT')
write('bad/idat-crc.png', patch(rose_png, idat + 40, 'B', rose_png[idat + 40] ^ 0xff))
write('bad/huge.png', png_head(100000, 100000) + chunk(b'IDAT', zlib.compress(bytes(4096))) + chunk(b'IEND', b''))
webp = open('ok/rose.webp', 'rb').read()
write('bad/truncated.webp', webp[:len(webp) // 2])
write('bad/garbage-after-header.webp', webp[:12] + bytes(rnd.randrange(256) for _ in range(2000)))
anim = open('ok/anim.webp', 'rb').read()
# A bare lossless stream whose last codes run past its end: every pixel decodes, but libwebp's
# decoder (unlike its incremental one) refuses it.
write('bad/lossless-past-end.webp', bytes.fromhex(
    '5650384ca40000002f02801b001f20102078f5bf60432090e46f36d583201020ac3b732680d959438d23fa1f'))
write('bad/canvas-20000.webp', patch(anim, 20, '<B3x', anim[20] | 0x10)[:24] +
      (20000 - 1).to_bytes(3, 'little') * 2 + anim[30:])
PY
rm -f ok/hugeframe.gif
convert ok/alpha.png -define webp:lossless=true -define webp:exact=true ok/alpha.webp
: > bad/empty.jpg
: > bad/empty.bmp
: > bad/empty.gif
: > bad/empty.png
: > bad/empty.webp
