#!/usr/bin/env python3
"""Corruption sweep: the real game against bad asset files.

Every catalogue file in turn is spoiled in each of these ways, and the game is
started on the spoiled catalogue (dummy video and audio drivers):
  empty, cut in half, header bytes changed, body bytes changed, another kind of
  file in its place (the other catalogue formats, and a small file of every
  format SDL_image can decode), absurd sizes or counts in its header (with the format's
  checksums made right again, so the decoder reads them), missing, and a FIFO,
  a directory and a device in its place. Some cases must end a given way on
  either library: sound files SDL 1.2 and the compatibility library on SDL 2
  once judged differently, BMP bit fields one of them refuses, and files
  whose reading could hold the start (zeros after a valid header, 50 MB or a
  2 GB sparse file, a chunk type or id that is no name, thousands of empty
  chunks, a 1 GB sound effect, zeros after the last page of a music file).

The game is sent SIGTERM as soon as it runs; it acts on it at its first frame,
which only comes once every file is loaded. So each start ends one of two ways:
  refused   status 1, and standard error names the spoiled file ("cannot load");
  loaded    status 0: the file was read as a valid file. A picture that loads
            is then also put in place of the first intro picture, and the game
            started again must draw it and end with status 0 as well.
Anything else counts against the game: a crash (killed by a signal), a hang
(no end within the time limit), or another status or message; and a case with
an expected end that ends the other way.

Usage: corruption_sweep.py BUILD_DIR [--sample] [--jobs N] [--log FILE]
  --sample  one file of each kind, every other picture replaced by a tiny
            stand-in so a start takes a fraction of a second (the test suite's
            run); without it, the whole catalogue.
Prints a summary by kind of spoiling and exits non-zero on any crash, hang or
unexpected end.
"""

import argparse
import collections
import concurrent.futures
import os
import random
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import zlib

# The game catches its stop signals first thing in main; a start killed by the
# signal itself came too early and is tried again with a longer grace.
START_GRACE_S = (0.1, 1.0)
LIMIT_S = 20.0  # a start that has not ended by then hangs
# A stop request ends the game even while it loads, so the signal waits until
# the game has loaded and waits on its first screen: it has used CPU, then
# next to none for this long.
IDLE_S = 0.25
SAMPLE_FILES = ["Images/Vaisseau1.png", "Images/Coin.bmp", "Sound/Shot1.wav", "Sound/Boss.ogg"]
FIRST_PICTURE = "Images/Programmer.png"  # drawn at the game's first frame


# --- checksums the decoders verify -------------------------------------------


def png_fix_crcs(data):
    """Recomputes every chunk's CRC, so a changed field reaches the decoder."""
    out = bytearray(data[:8])
    at = 8
    while at + 8 <= len(data):
        length = struct.unpack(">I", data[at : at + 4])[0]
        end = at + 8 + length + 4
        if end > len(data):
            out += data[at:]
            return bytes(out)
        body = data[at + 4 : at + 8 + length]
        out += data[at : at + 8 + length] + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
        at = end
    out += data[at:]
    return bytes(out)


def _ogg_crc_table():
    table = []
    for i in range(256):
        r = i << 24
        for _ in range(8):
            r = ((r << 1) ^ 0x04C11DB7) if r & 0x80000000 else (r << 1)
        table.append(r & 0xFFFFFFFF)
    return table


OGG_CRC = _ogg_crc_table()


def ogg_pages(data):
    """(start, end) of every page."""
    pages = []
    at = 0
    while at + 27 <= len(data) and data[at : at + 4] == b"OggS":
        segments = data[at + 26]
        body = sum(data[at + 27 : at + 27 + segments])
        end = at + 27 + segments + body
        pages.append((at, min(end, len(data))))
        at = end
    return pages


def ogg_fix_crc(data, page_start, page_end):
    page = bytearray(data[page_start:page_end])
    page[22:26] = b"\0\0\0\0"
    crc = 0
    for b in page:
        crc = ((crc << 8) & 0xFFFFFFFF) ^ OGG_CRC[((crc >> 24) & 0xFF) ^ b]
    page[22:26] = struct.pack("<I", crc)
    return data[:page_start] + bytes(page) + data[page_end:]


# --- small files of every format SDL_image can decode ----------------------------


def _chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def tiny_png():
    """A valid 1x1 RGB PNG: a stand-in picture for a PNG slot."""
    ihdr = struct.pack(">IIBBBBB", 1, 1, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + _chunk(b"IHDR", ihdr) +
            _chunk(b"IDAT", zlib.compress(b"\x00\x60\x40\x20")) + _chunk(b"IEND", b""))


def tiny_bmp():
    """A valid 1x1 24-bit BMP: a stand-in picture for a BMP slot."""
    pixels = b"\x20\x40\x60\x00"
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, 1, 1, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + pixels


def stand_in(rel):
    return tiny_png() if rel.endswith(".png") else tiny_bmp()


def pcx(xmin):
    header = struct.pack("<BBBBHHHHHH48sBBHH", 10, 5, 1, 8, xmin, 0, xmin, 0, 72, 72,
                         bytes(48), 0, 3, 2, 1)
    return header + bytes(128 - len(header)) + b"\x60\x00\x40\x00\x20\x00"


def ico(kind):
    info = struct.pack("<IiiHHIIiiII", 40, 1, 2, 1, 32, 0, 8, 0, 0, 0, 0)
    image = info + b"\x20\x40\x60\xff" + bytes(4)
    return struct.pack("<HHHBBBBHHII", 0, kind, 1, 1, 1, 0, 0, 1, 32, len(image), 22) + image


def foreign_files():
    """Name to bytes: a small file of each format SDL_image can decode (and a
    PCX whose large Xmin once made a reader run past its buffer)."""
    return {
        "BMP": tiny_bmp(),
        "PNG": tiny_png(),
        "GIF": (b"GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00"
                b",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02D\x01\x00;"),
        "XCF": (b"gimp xcf file\0" + struct.pack(">III", 1, 1, 0) + struct.pack(">II", 0, 0) +
                struct.pack(">II", 0, 0)),
        "PCX": pcx(0),
        "PCX, large Xmin": pcx(0xFFF0),
        "JPG": (b"\xff\xd8\xff\xe0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00"
                b"\xff\xd9"),
        "TGA": struct.pack("<BBBHHBHHHHBB", 0, 0, 2, 0, 0, 0, 0, 0, 1, 1, 24, 0) + b"\x20\x40\x60",
        "TIF": b"II*\x00\x08\x00\x00\x00\x00\x00",
        "LBM": (b"FORM" + struct.pack(">I", 4 + 8 + 20) + b"ILBMBMHD" + struct.pack(">I", 20) +
                struct.pack(">HHhhBBBBHBBhh", 1, 1, 0, 0, 1, 0, 0, 0, 0, 1, 1, 1, 1)),
        "PNM": b"P6\n1 1\n255\n\x60\x40\x20",
        "XPM": b'/* XPM */\nstatic char *x[] = {\n"1 1 1 1",\n"a c #604020",\n"a"};\n',
        "XV": b"P7 332\n#END_OF_COMMENTS\n1 1 255\n\x60",
        "ICO": ico(1),
        "CUR": ico(2),
        "WEBP": b"RIFF" + struct.pack("<I", 12) + b"WEBPVP8 " + struct.pack("<I", 0),
    }


# --- ways of spoiling a file ---------------------------------------------------


def put(data, offset, fmt, value):
    b = bytearray(data)
    struct.pack_into(fmt, b, offset, value)
    return bytes(b)


def png_ihdr(fmt_offset_values):
    def spoil(data):
        for offset, fmt, value in fmt_offset_values:
            data = put(data, 16 + offset, fmt, value)
        return png_fix_crcs(data)

    return spoil


def png_absurd():
    return {
        "size 0x0": png_ihdr([(0, ">I", 0), (4, ">I", 0)]),
        "size 2^31-1 square": png_ihdr([(0, ">I", 0x7FFFFFFF), (4, ">I", 0x7FFFFFFF)]),
        "size 100000 square": png_ihdr([(0, ">I", 100000), (4, ">I", 100000)]),
        "size 65536 square": png_ihdr([(0, ">I", 65536), (4, ">I", 65536)]),
        "width 1000000": png_ihdr([(0, ">I", 1000000)]),
        "bit depth 3": png_ihdr([(8, ">B", 3)]),
        "16-bit RGBA": png_ihdr([(8, ">B", 16), (9, ">B", 6)]),
        "colour type 7": png_ihdr([(9, ">B", 7)]),
        "interlaced": png_ihdr([(12, ">B", 1)]),
        "IDAT length 2^31": lambda d: png_fix_crcs(put(d, 33, ">I", 0x80000000)),
    }


def bmp_absurd():
    def field(offset, fmt, value):
        return lambda d: put(d, offset, fmt, value)

    def both(w, h):
        return lambda d: put(put(d, 18, "<i", w), 22, "<i", h)

    return {
        "size 0x0": both(0, 0),
        "size 2^31-1 square": both(0x7FFFFFFF, 0x7FFFFFFF),
        "size 100000 square": both(100000, 100000),
        "size 65536 square": both(65536, 65536),
        "height -2^31": field(22, "<i", -0x80000000),
        "width -1": field(18, "<i", -1),
        "bits 0": field(28, "<H", 0),
        "bits 3": field(28, "<H", 3),
        "bits 64": field(28, "<H", 64),
        "compression 99": field(30, "<I", 99),
        "pixels at 2^32-16": field(10, "<I", 0xFFFFFFF0),
        "palette of 2^32-1": field(46, "<I", 0xFFFFFFFF),
        "8-bit, palette of 2^31": lambda d: put(put(d, 28, "<H", 8), 46, "<I", 0x80000000),
        "1-bit, palette of 3": lambda d: put(put(d, 28, "<H", 1), 46, "<I", 3),
        "8-bit with bit fields": lambda d: put(put(d, 28, "<H", 8), 30, "<I", 3),
        "info size 2^32-1": field(14, "<I", 0xFFFFFFFF),
        "info size 0": field(14, "<I", 0),
    }


def wav_absurd():
    def field(offset, fmt, value):
        return lambda d: put(d, offset, fmt, value)

    return {
        "channels 0": field(22, "<H", 0),
        "channels 3": field(22, "<H", 3),
        "channels 65535": field(22, "<H", 65535),
        "rate 0": field(24, "<I", 0),
        "rate 1": field(24, "<I", 1),
        "rate 100": field(24, "<I", 100),
        "rate 2^31-1": field(24, "<I", 0x7FFFFFFF),
        "rate 2^32-1": field(24, "<I", 0xFFFFFFFF),
        "bits 0": field(34, "<H", 0),
        "bits 7": field(34, "<H", 7),
        "bits 24": field(34, "<H", 24),
        "bits 64": field(34, "<H", 64),
        "format ADPCM": field(20, "<H", 2),
        "format float": field(20, "<H", 3),
        "format extensible": field(20, "<H", 0xFFFE),
        "block align 0": field(32, "<H", 0),
        "fmt size 2^32-1": field(16, "<I", 0xFFFFFFFF),
        "fmt size 2": field(16, "<I", 2),
        "data size 2^32-16": field(40, "<I", 0xFFFFFFF0),
        "data size 0": field(40, "<I", 0),
        "RIFF size 0": field(4, "<I", 0),
    }


def wav_extensible(data, sub_format):
    """The same samples in the extensible wrapper (a 40-byte format chunk)."""
    tag, channels, rate, byte_rate, align, bits = struct.unpack_from("<HHIIHH", data, 20)
    guid = struct.pack("<I", sub_format) + bytes.fromhex("00001000800000aa00389b71")
    fmt = struct.pack("<HHIIHHHHI", 0xFFFE, channels, rate, byte_rate, align, bits, 22, bits,
                      4 if channels == 1 else 3) + guid
    samples = data[44:]
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + \
        struct.pack("<I", len(samples)) + samples
    return b"RIFF" + struct.pack("<I", len(body)) + body


def wav_one_verdict():
    """Sound files each library judged its own way once: the game's verdict
    must be the same on both (detail, spoil, expected verdict)."""
    def field(offset, fmt, value):
        return lambda d: put(d, offset, fmt, value)

    return [
        ("cut at 44 bytes", lambda d: d[:44], "refused"),
        ("cut at half", lambda d: d[: len(d) // 2], "refused"),
        ("one byte short", lambda d: d[:-1], "refused"),
        ("data size 2 GB", field(40, "<I", 0x80000000), "refused"),
        ("data size 3 GB", field(40, "<I", 0xC0000000), "refused"),
        ("data size 4 GB", field(40, "<I", 0xFFFFFFFF), "refused"),
        ("block align 0", field(32, "<H", 0), "refused"),
        ("extensible PCM", lambda d: wav_extensible(d, 1), "loaded"),
        ("extensible float", lambda d: wav_extensible(d, 3), "refused"),
    ]


# --- files whose headers could hold the start (a walk over millions of chunks) --


class sparse:
    """A file of these bytes, then zeros up to `size` bytes, written as a
    hole: a 2 GB file costs no disk."""

    def __init__(self, head, size):
        self.head = head
        self.size = size


MB = 1024 * 1024
GB = 1024 * MB


def png_chunks(data):
    """(offset, type) of every chunk."""
    chunks = []
    at = 8
    while at + 8 <= len(data):
        chunks.append((at, data[at + 4 : at + 8]))
        at += 12 + struct.unpack(">I", data[at : at + 4])[0]
    return chunks


def png_bounded():
    """A walk over the chunks is bounded: each case is refused (detail,
    spoil, expected verdict), or read as the file it holds."""
    def retyped(data):
        at = png_chunks(data)[1][0]
        return data[: at + 5] + b"4" + data[at + 6 :]

    def empty_chunks(count):
        def spoil(data):
            empty = struct.pack(">I", 0) + b"grZe" + struct.pack(">I", zlib.crc32(b"grZe"))
            return data[:33] + empty * count + data[33:]

        return spoil

    return [
        ("zeros after the header, 50 MB", lambda d: sparse(d[:33], 50 * MB), "refused"),
        ("zeros after the header, 2 GB", lambda d: sparse(d[:33], 2 * GB), "refused"),
        ("a chunk type with a digit", retyped, "refused"),
        ("4100 empty chunks", empty_chunks(4100), "refused"),
        ("2 GB of zeros after IEND", lambda d: sparse(d, 2 * GB), "loaded"),
        ("a 1 GB chunk before the pixels",
         lambda d: sparse(d[:33] + struct.pack(">I", GB) + b"grZe", 33 + 8 + GB + 4 + 64),
         "refused"),
    ]


def wav_bounded():
    def before_data(chunk_id, count=1):
        def spoil(data):
            junk = chunk_id + struct.pack("<I", 0)
            return data[:36] + junk * count + data[36:]

        return spoil

    return [
        ("zeros after the format, 50 MB", lambda d: sparse(d[:36], 50 * MB), "refused"),
        ("zeros after the format, 2 GB", lambda d: sparse(d[:36], 2 * GB), "refused"),
        ("a chunk id of control bytes", before_data(b"LI\x01T"), "refused"),
        ("a chunk id of bytes past ASCII", before_data(b"\xffabc"), "refused"),
        ("a printable unknown chunk id", before_data(b"id3 "), "loaded"),
        ("4100 empty chunks", before_data(b"JUNK", 4100), "refused"),
        ("a data chunk of 1 GB", lambda d: sparse(put(d[:44], 40, "<I", GB), 44 + GB),
         "refused"),
    ]


def ogg_bounded():
    return [
        ("2 GB of zeros after the end", lambda d: sparse(d, 2 * GB), "refused"),
        ("a byte after the last page", lambda d: d + b"\0", "refused"),
    ]


def bmp_masked(data, bits, masks, info_size=40, alpha=0):
    """The 24-bit picture again with 16- or 32-bit pixels under these colour
    masks (bit fields), after a 40-byte info header or inside a longer one."""
    w, h = struct.unpack_from("<ii", data, 18)
    pixels_at = struct.unpack_from("<I", data, 10)[0]
    row_in = (w * 3 + 3) // 4 * 4
    row_out = (w * bits // 8 + 3) // 4 * 4

    def place(channel, mask):
        if not mask:
            return 0
        shift = (mask & -mask).bit_length() - 1
        width = bin(mask).count("1")
        value = channel >> (8 - width) if width <= 8 else channel << (width - 8)
        return (value << shift) & mask

    rows = []
    for y in range(h):
        src = data[pixels_at + y * row_in : pixels_at + (y + 1) * row_in]
        out = bytearray()
        for x in range(w):
            b, g, r = src[3 * x : 3 * x + 3]
            value = place(r, masks[0]) | place(g, masks[1]) | place(b, masks[2])
            out += struct.pack("<H" if bits == 16 else "<I", value)
        rows.append(bytes(out) + bytes(row_out - len(out)))
    mask_bytes = struct.pack("<III", *masks)
    if info_size >= 56:
        mask_bytes += struct.pack("<I", alpha)
    header_rest = bytes(max(0, info_size - 40 - len(mask_bytes)))
    offset = 14 + info_size + (12 if info_size == 40 else 0)
    info = struct.pack("<IiiHHIIiiII", info_size, w, h, 1, bits, 3, row_out * h, 2835, 2835, 0, 0)
    body = info + mask_bytes + header_rest + b"".join(rows)
    return struct.pack("<2sIHHI", b"BM", 14 + len(body), 0, 0, offset) + body


def bmp_one_verdict():
    """Bit fields SDL 1.2 and SDL 2 read alike, or which one of them refuses
    (SDL 2: "Unknown pixel format") or reads with alpha."""
    return [
        ("bit fields 5-6-5", lambda d: bmp_masked(d, 16, (0xF800, 0x07E0, 0x001F)), "loaded"),
        ("bit fields 8-8-8 in a version 4 header",
         lambda d: bmp_masked(d, 32, (0xFF0000, 0xFF00, 0xFF), 108), "loaded"),
        ("overlapping masks", lambda d: bmp_masked(d, 16, (0xF800, 0x0FE0, 0x001F)), "refused"),
        ("a mask with a gap", lambda d: bmp_masked(d, 16, (0xF00F, 0x07E0, 0x0010)), "refused"),
        ("a layout SDL 2 does not know",
         lambda d: bmp_masked(d, 16, (0x0F00, 0x00F0, 0x000F)), "refused"),
        ("an alpha mask in a version 4 header",
         lambda d: bmp_masked(d, 32, (0xFF0000, 0xFF00, 0xFF), 108, 0xFF000000), "refused"),
    ]


def ogg_absurd():
    def ident(offset, fmt, value):
        def spoil(data):
            pages = ogg_pages(data)
            if not pages:
                return data
            data = put(data, 28 + offset, fmt, value)
            return ogg_fix_crc(data, *pages[0])

        return spoil

    def comment_header(field, value):
        """The comment header (second page): its vendor string's length, or
        the count of comments after that string."""

        def spoil(data):
            pages = ogg_pages(data)
            if len(pages) < 2:
                return data
            start, end = pages[1]
            body = start + 27 + data[start + 26]
            vendor = struct.unpack_from("<I", data, body + 7)[0]
            offset = 7 if field == "vendor" else 11 + vendor
            if body + offset + 4 > end:
                return data
            data = put(data, body + offset, "<I", value)
            return ogg_fix_crc(data, start, end)

        return spoil

    def segments(data):
        pages = ogg_pages(data)
        data = put(data, 26, "<B", 255)
        return ogg_fix_crc(data, 0, pages[0][1]) if pages else data

    return {
        "channels 0": ident(11, "<B", 0),
        "channels 3": ident(11, "<B", 3),
        "channels 255": ident(11, "<B", 255),
        "rate 0": ident(12, "<I", 0),
        "rate 1": ident(12, "<I", 1),
        "rate 100": ident(12, "<I", 100),
        "rate 2^32-1": ident(12, "<I", 0xFFFFFFFF),
        "block sizes 0": ident(28, "<B", 0),
        "block sizes 15/15": ident(28, "<B", 0xFF),
        "255 segments": segments,
        "vendor length 2^31-1": comment_header("vendor", 0x7FFFFFFF),
        "comment count 2^32-1": comment_header("count", 0xFFFFFFFF),
    }


ABSURD = {".png": png_absurd, ".bmp": bmp_absurd, ".wav": wav_absurd, ".ogg": ogg_absurd}
# Cases with the end they must have, whichever library reads the file.
EXPECTED_ENDS = {
    ".png": [("bounded walk", png_bounded)],
    ".bmp": [("one verdict", bmp_one_verdict)],
    ".wav": [("one verdict", wav_one_verdict), ("bounded walk", wav_bounded)],
    ".ogg": [("bounded walk", ogg_bounded)],
}


def scrambled(data, start, count, seed):
    rng = random.Random(seed)
    b = bytearray(data)
    for i in range(start, min(start + count, len(b))):
        b[i] = rng.randrange(256)
    return bytes(b)


def cases_for(path, exemplars):
    """(kind of spoiling, detail, spoil, expected verdict or None) for one
    file; spoil returns the new bytes, or a special marker for the file-system
    cases."""
    ext = os.path.splitext(path)[1].lower()
    seed = zlib.crc32(path.encode())
    header = {".png": (16, 17), ".bmp": (2, 52), ".wav": (4, 40), ".ogg": (4, 54)}[ext]
    cases = [
        ("empty", "", lambda d: b""),
        ("cut in half", "", lambda d: d[: len(d) // 2]),
        ("header bytes changed", "scrambled", lambda d: scrambled(d, *header, seed)),
        ("header bytes changed", "inverted", lambda d: bytes(x ^ 0xFF for x in d[:64]) + d[64:]),
        ("body bytes changed", "middle", lambda d: scrambled(d, len(d) // 2, 256, seed + 1)),
        ("body bytes changed", "spread", lambda d: spread_damage(d, seed + 2)),
    ]
    for other_ext, other in sorted(exemplars.items()):
        if other_ext != ext:
            cases.append(("another kind of file", other_ext, lambda d, o=other: o))
    for name, other in foreign_files().items():
        if name.lower() != ext[1:]:
            cases.append(("another kind of file", name, lambda d, o=other: o))
    cases.append(("another kind of file", "text", lambda d: b"not a picture nor a sound\n"))
    for detail, spoil in ABSURD[ext]().items():
        cases.append(("absurd header", detail, spoil))
    for marker in ("missing", "fifo", "directory", "device"):
        cases.append((marker if marker == "missing" else "not a regular file", marker, marker))
    cases = [case + (None,) for case in cases]
    for kind, named in EXPECTED_ENDS.get(ext, []):
        for detail, spoil, expected in named():
            cases.append((kind, detail, spoil, expected))
    return cases


def spread_damage(data, seed):
    rng = random.Random(seed)
    b = bytearray(data)
    for _ in range(32):
        if len(b) > 128:
            b[rng.randrange(64, len(b))] = rng.randrange(256)
    return bytes(b)


# --- running the game -------------------------------------------------------------


def start_game(game, folder):
    for grace in START_GRACE_S:
        status, err, seconds = start_game_once(game, folder, grace)
        if status != -signal.SIGTERM:
            break
    return status, err, seconds


def cpu_ticks(pid):
    """The process's user and system time, in clock ticks, or None once it is gone."""
    try:
        with open("/proc/%d/stat" % pid) as f:
            fields = f.read().rsplit(")", 1)[1].split()
    except OSError:
        return None
    return int(fields[11]) + int(fields[12])


def wait_until_idle(proc, at_least, at_most):
    """Returns once the game has ended, or after at least `at_least` seconds
    when it has stopped working (its first screen waits), or after `at_most`."""
    started = time.monotonic()
    history = []  # (time, ticks)
    while time.monotonic() - started < at_most:
        if proc.poll() is not None:
            return
        ticks = cpu_ticks(proc.pid)
        if ticks is None:
            return
        now = time.monotonic()
        history.append((now, ticks))
        window = [t for when, t in history if now - when <= IDLE_S]
        settled = history[0][0] <= now - IDLE_S and window[-1] - window[0] <= 1
        if now - started >= at_least and ticks > 0 and settled:
            return
        time.sleep(0.03)


def start_game_once(game, folder, grace):
    env = dict(os.environ, SDL_VIDEODRIVER="dummy", SDL_AUDIODRIVER="dummy")
    started = time.monotonic()
    proc = subprocess.Popen(
        [game], cwd=folder, env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
        stderr=subprocess.PIPE)
    wait_until_idle(proc, grace, LIMIT_S / 2)
    if proc.poll() is None:
        proc.send_signal(signal.SIGTERM)
    try:
        _, err = proc.communicate(timeout=LIMIT_S)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.communicate()
        return None, "", time.monotonic() - started
    return proc.returncode, err.decode(errors="replace"), time.monotonic() - started


def judge(status, err, rel_path):
    if status is None:
        return "hang"
    if status < 0:
        return "crash (signal %d)" % -status
    if status == 1 and ("cannot load" in err and rel_path in err):
        return "refused"
    if status == 0 and not err.strip():
        return "loaded"
    return "unexpected (status %d: %s)" % (status, err.strip()[:200])


class worker_folder:
    """A private copy of the catalogue that one spoiled file at a time goes into."""

    def __init__(self, assets, stand_ins):
        self.dir = tempfile.mkdtemp(prefix="graze_sweep_")
        shutil.copytree(assets, self.dir, dirs_exist_ok=True)
        if stand_ins:
            for name in os.listdir(os.path.join(self.dir, "Images")):
                with open(os.path.join(self.dir, "Images", name), "wb") as f:
                    f.write(stand_in(name))


def write_file(path, content):
    """Bytes, or a sparse file."""
    with open(path, "wb") as f:
        if isinstance(content, sparse):
            f.write(content.head)
            f.truncate(content.size)
        else:
            f.write(content)


def place(folder, rel, spoil, original):
    path = os.path.join(folder, rel)
    os.remove(path)
    if spoil == "missing":
        return
    if spoil == "fifo":
        os.mkfifo(path)
    elif spoil == "directory":
        os.mkdir(path)
    elif spoil == "device":
        os.symlink("/dev/zero", path)
    else:
        write_file(path, spoil(original))


def restore(folder, rel, original):
    path = os.path.join(folder, rel)
    if os.path.isdir(path) and not os.path.islink(path):
        os.rmdir(path)
    elif os.path.lexists(path):
        os.remove(path)
    write_file(path, original)


def drawn(game, folder, spoiled):
    """A picture that loaded, shown as the first intro picture."""
    with open(os.path.join(folder, FIRST_PICTURE), "rb") as f:
        first = f.read()
    restore(folder, FIRST_PICTURE, spoiled)
    status, err, seconds = start_game(game, folder)
    restore(folder, FIRST_PICTURE, first)
    verdict = judge(status, err, "./" + FIRST_PICTURE)
    if verdict != "loaded":
        verdict = "when drawn: " + verdict
    return verdict, seconds


def run_file(game, folder, assets, rel, exemplars, stand_ins):
    with open(os.path.join(assets, rel), "rb") as f:
        original = f.read()
    results = []
    if stand_ins and rel.startswith("Images/"):
        restore(folder, rel, original)  # the picture under test is the real one
    picture = rel.startswith("Images/")
    for kind, detail, spoil, expected in cases_for(rel, exemplars):
        place(folder, rel, spoil, original)
        status, err, seconds = start_game(game, folder)
        verdict = judge(status, err, "./" + rel if picture else rel)
        restore(folder, rel, original)
        if expected and verdict in ("refused", "loaded") and verdict != expected:
            verdict = "unexpected verdict (%s, not %s: %s)" % (verdict, expected, err.strip()[:200])
        same_format = os.path.splitext(rel)[1] == os.path.splitext(FIRST_PICTURE)[1]
        if (verdict == "loaded" and picture and same_format and rel != FIRST_PICTURE
                and callable(spoil)):
            verdict, more = drawn(game, folder, spoil(original))
            seconds += more
        results.append((rel, kind, detail, verdict, seconds))
    if stand_ins and rel.startswith("Images/"):
        restore(folder, rel, stand_in(rel))
    return results


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("build_dir")
    parser.add_argument("--sample", action="store_true")
    parser.add_argument("--jobs", type=int, default=1)
    parser.add_argument("--log")
    args = parser.parse_args()

    build = os.path.abspath(args.build_dir)
    game = os.path.join(build, "graze")
    assets = os.path.join(build, "assets")
    files = SAMPLE_FILES if args.sample else sorted(
        os.path.join(d, name) for d in ("Images", "Sound")
        for name in os.listdir(os.path.join(assets, d)))
    exemplars = {}
    for rel in SAMPLE_FILES:
        with open(os.path.join(assets, rel), "rb") as f:
            exemplars[os.path.splitext(rel)[1]] = f.read()

    jobs = max(1, args.jobs)
    folders = [worker_folder(assets, args.sample) for _ in range(jobs)]
    free = collections.deque(folders)
    results = []
    started = time.monotonic()
    try:
        with concurrent.futures.ThreadPoolExecutor(jobs) as pool:
            def task(rel):
                folder = free.popleft()
                try:
                    return run_file(game, folder.dir, assets, rel, exemplars, args.sample)
                finally:
                    free.append(folder)

            for done in pool.map(task, files):
                results.extend(done)
    finally:
        for folder in folders:
            shutil.rmtree(folder.dir, ignore_errors=True)

    log = open(args.log, "w") if args.log else None
    table = collections.OrderedDict()
    bad = []
    for rel, kind, detail, verdict, seconds in results:
        if log:
            log.write("%s\t%s\t%s\t%s\t%.2fs\n" % (rel, kind, detail, verdict, seconds))
        outcome = verdict if verdict in ("refused", "loaded") else "bad"
        table.setdefault(kind, collections.Counter())[outcome] += 1
        if outcome == "bad":
            bad.append((rel, kind, detail, verdict))
    if log:
        log.close()

    print("corruption sweep: %d files, %d starts of the game in %.0f s" %
          (len(files), len(results), time.monotonic() - started))
    print("%-22s %8s %8s %8s" % ("spoiled by", "refused", "loaded", "bad"))
    for kind, counts in table.items():
        print("%-22s %8d %8d %8d" % (kind, counts["refused"], counts["loaded"], counts["bad"]))
    crashes = sum(1 for b in bad if b[3].startswith("crash"))
    hangs = sum(1 for b in bad if b[3] == "hang")
    print("crashes: %d, hangs: %d, other unexpected ends: %d" %
          (crashes, hangs, len(bad) - crashes - hangs))
    for rel, kind, detail, verdict in bad:
        print("BAD: %s, %s %s: %s" % (rel, kind, detail, verdict))
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
