#!/usr/bin/env python3
"""Seeds for the fuzzers of piyo-import and piyo-check-media: small files that
lie the way hostile ones do (a few KB claiming 20000 x 20000 pixels, 1024
channels, 256 MB of frames), cut short, or carry what a camera or another
editor adds (an EXIF thumbnail, a byte order mark, code page 932 text).
Made afresh each run, a few KB each, from the pictures and sounds seeds.sh
already made.
usage: tool-seeds.py OUT_DIR"""

import os
import shutil
import struct
import subprocess
import sys
import zlib

out = sys.argv[1]
pictures = os.path.join(out, "import_picture")
recordings = os.path.join(out, "import_recording")
texts = os.path.join(out, "import_description")
sounds = os.path.join(out, "check_sound")
for folder in (pictures, recordings, texts, sounds):
    os.makedirs(folder, exist_ok=True)


def write(folder, name, data):
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def convert(*arguments):
    """ImageMagick's output as bytes, or None where it is missing."""
    if not shutil.which("convert"):
        return None
    try:
        return subprocess.run(["convert", *arguments], check=True, capture_output=True).stdout
    except subprocess.CalledProcessError:
        return None


# --- pictures -------------------------------------------------------------

def jpeg_segments(data):
    """(marker, start, end) of each segment before the first scan's data."""
    i = 2
    while i + 4 <= len(data):
        marker = data[i + 1]
        length = struct.unpack(">H", data[i + 2:i + 4])[0]
        yield marker, i, i + 2 + length
        if marker == 0xDA:
            return
        i += 2 + length


def jpeg_with_size(data, width, height):
    """The same JPEG with its frame header claiming another size."""
    data = bytearray(data)
    for marker, start, _ in jpeg_segments(data):
        if marker in (0xC0, 0xC1, 0xC2):
            data[start + 5:start + 9] = struct.pack(">HH", height, width)
    return bytes(data)


def jpeg_with_exif(data, thumbnail, orientation):
    """A camera's JPEG: an APP1 Exif block after the start marker, with an
    orientation tag and a thumbnail JPEG (its own end marker included)."""
    def entry(tag, kind, count, value):
        return struct.pack("<HHII", tag, kind, count, value)

    ifd0_offset = 8
    ifd0 = struct.pack("<H", 1) + entry(0x0112, 3, 1, orientation)
    ifd1_offset = ifd0_offset + len(ifd0) + 4
    ifd1_size = 2 + 2 * 12 + 4
    thumb_offset = ifd1_offset + ifd1_size
    ifd1 = struct.pack("<H", 2) + entry(0x0201, 4, 1, thumb_offset) + entry(0x0202, 4, 1, len(thumbnail))
    tiff = b"II*\x00" + struct.pack("<I", ifd0_offset) + ifd0 + struct.pack("<I", ifd1_offset) + ifd1 + \
        struct.pack("<I", 0) + thumbnail
    app1 = b"Exif\x00\x00" + tiff
    return data[:2] + b"\xFF\xE1" + struct.pack(">H", len(app1) + 2) + app1 + data[2:]


def png_chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def png(width, height, rows, colour=0, depth=8):
    header = struct.pack(">IIBBBBB", width, height, depth, colour, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) + \
        png_chunk(b"IDAT", zlib.compress(rows, 9)) + png_chunk(b"IEND", b"")


gradient = ["-size", "48x32", "gradient:#3a6-#fc4"]
baseline = convert(*gradient, "-quality", "80", "jpg:-")
if baseline:
    write(pictures, "baseline.jpg", baseline)
    # Beyond the pixel budget: refused before decoding. (A claim within it, 8192 x
    # 8192, is decoded grey at full size, a second or more under the sanitizers:
    # seeds like that would take most of the fuzzing time.)
    write(pictures, "claims-20000x20000.jpg", jpeg_with_size(baseline, 20000, 20000))
    # Cut in the middle of its coded data: Qt would show the missing rows grey.
    write(pictures, "cut-short.jpg", baseline[:len(baseline) * 2 // 3])
    write(pictures, "no-end-marker.jpg", baseline[:-2])
    thumbnail = convert("-size", "8x8", "xc:#357", "-quality", "50", "jpg:-")
    if thumbnail:
        # The thumbnail's end marker comes first: only the main picture's counts.
        write(pictures, "camera-thumbnail-turned.jpg", jpeg_with_exif(baseline, thumbnail, 6))
        write(pictures, "camera-thumbnail-cut-short.jpg",
              jpeg_with_exif(baseline, thumbnail, 1)[:len(baseline) + len(thumbnail)])
progressive = convert(*gradient, "-interlace", "JPEG", "-quality", "70", "jpg:-")
if progressive:
    write(pictures, "progressive.jpg", progressive)
    write(pictures, "progressive-claims-20000x20000.jpg", jpeg_with_size(progressive, 20000, 20000))
for name, form in (("small.webp", "webp:-"), ("small.gif", "gif:-")):
    data = convert(*gradient, form)
    if data:
        write(pictures, name, data)
# PNGs by hand: a real small one, and headers claiming what their few bytes
# could never hold.
write(pictures, "small.png", png(16, 8, b"".join(b"\x00" + bytes(range(i, i + 48)) for i in range(8)), 2))
write(pictures, "claims-20000x20000.png", png(20000, 20000, b"\x00" * 4096))
write(pictures, "claims-8192x8192-grey.png", png(8192, 8192, b"\x00" * 8193 * 4))
write(pictures, "claims-1x20000000.png", png(1, 20000000, b"\x00\x00" * 2048))
write(pictures, "cut-short.png", png(16, 8, b"\x00" * 400, 2)[:60])

# The pictures seeds.sh made: the bundled GIFs and small copies in each format.
picture_seeds = os.path.join(out, "picture")
if os.path.isdir(picture_seeds):
    for name in sorted(os.listdir(picture_seeds))[:12]:
        shutil.copy(os.path.join(picture_seeds, name), pictures)

# --- sounds ---------------------------------------------------------------

def wav(channels, rate, bits, declared_data, data, tag=1, extensible=False):
    block = channels * bits // 8
    fmt = struct.pack("<HHIIHH", 0xFFFE if extensible else tag, channels, rate, rate * block, block, bits)
    if extensible:
        fmt += struct.pack("<HHI", 22, bits, 0) + struct.pack("<IHH", tag, 0x0000, 0x0010) + \
            b"\x80\x00\x00\xaa\x00\x38\x9b\x71"
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + \
        struct.pack("<I", declared_data) + data
    return b"RIFF" + struct.pack("<I", min(0xFFFFFFFF, len(body) + declared_data - len(data))) + body


def au(channels, rate, encoding, declared_data, data):
    return b".snd" + struct.pack(">IIIII", 24, declared_data, encoding, rate, channels) + data


noise = bytes((i * 73 + 11) & 0xFF for i in range(8192))
crafted = {
    # A few KB declaring 1024 channels and 256 MB of frames.
    "1024-channels-256MB.wav": wav(1024, 8000, 16, 256 << 20, noise),
    "1024-channels-extensible.wav": wav(1024, 48000, 16, 256 << 20, noise, extensible=True),
    "stereo-256MB.wav": wav(2, 44100, 16, 256 << 20, noise),
    "mono-16bit.wav": wav(1, 8000, 16, len(noise), noise),
    "mono-11025.wav": wav(1, 11025, 8, len(noise), noise),
    "rate-1000.wav": wav(1, 1000, 16, len(noise), noise),
    "rate-384000.wav": wav(2, 384000, 16, len(noise), noise),
    # Float samples far beyond full scale, and infinities.
    "float-huge.wav": wav(2, 8000, 32, 4096,
                          struct.pack("<1024f", *[3e38 if i % 3 else -3e38 for i in range(1024)]), tag=3),
    "float-huge-mono.wav": wav(1, 8000, 32, 4096,
                               struct.pack("<1024f", *[3.3e38 if i // 10 % 2 else -3.3e38 for i in range(1024)]), tag=3),
    "float-inf.wav": wav(1, 8000, 32, 1024, struct.pack("<256f", *[float("inf")] * 128 + [0.5] * 128), tag=3),
    "ima-adpcm.wav": wav(1, 8000, 4, len(noise), noise, tag=0x11),
    "au-1024-channels.au": au(1024, 8000, 3, 0xFFFFFFFF, noise),
    "au-unknown-length.au": au(1, 8000, 2, 0xFFFFFFFF, noise),
}
for name, data in crafted.items():
    write(recordings, name, data)
    write(sounds, name, data)
# The sounds seeds.sh made: each format a recorder or an archive gives.
wav_seeds = os.path.join(out, "wav")
if os.path.isdir(wav_seeds):
    for name in sorted(os.listdir(wav_seeds))[:12]:
        for folder in (recordings, sounds):
            shutil.copy(os.path.join(wav_seeds, name), folder)

# --- texts ----------------------------------------------------------------

japanese = "干潟で最もよく見られるシギの一種。春と秋の渡りの時期に群れで訪れる。"
write(texts, "utf8.txt", (japanese + "\n" + "ﾀﾞｲｾﾞﾝ（雄） ①②\n\nlast line").encode("utf-8"))
write(texts, "utf8-bom-crlf.txt", ("\ufeff" + japanese + "\r\n" + "二行目\r\n").encode("utf-8"))
write(texts, "cp932.txt", (japanese + "\r\n" + "～ ￢ ∵\r\n").encode("cp932"))
write(texts, "wave-dash.txt", "波〜線\n".encode("utf-8"))
write(texts, "emoji.txt", "鳥 🐦\n".encode("utf-8"))
write(texts, "lone-cr.txt", "one\rtwo\r\nthree\n".encode("utf-8"))
write(texts, "controls.txt", "tab\there\x00nul\x1b[31mred\x7f\n".encode("utf-8"))
write(texts, "line-100KB.txt", ("シギ" * 17000 + "\n").encode("utf-8"))
write(texts, "invalid-utf8.txt", b"ok\n\xc3\x28 \xed\xa0\x80 \xf4\x90\x80\x80 \xc0\xaf\n")

print("tool seeds:", ", ".join(f"{len(os.listdir(f))} in {os.path.basename(f)}"
                                for f in (pictures, recordings, texts, sounds)))
