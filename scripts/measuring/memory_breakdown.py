#!/usr/bin/env python3
"""Where the game's resident memory goes, once its catalogue is loaded.

Starts the game from BUILD_DIR/assets under a virtual X server (dummy audio
driver, which still opens the mixer, so the sound effects load), waits until
its first picture has been shown plus SECONDS more, then reads
/proc/PID/smaps and prints the resident set by kind of mapping:
  heap          the C heap ([heap] and the thread arenas' anonymous mappings
                that are not large single allocations)
  anonymous     other private anonymous mappings: large allocations such as
                picture surfaces and sound effects, thread stacks
  library code  executable mappings of shared libraries and the game
  library data  their other mappings (read-only data, relocations, .data)
  shared        X shared-memory images and other shared mappings
  other         stack, vdso, anything else
and, beside it, the floor: every picture's surface in the display format
(width x height x 4 bytes) plus every sound effect as the mixer keeps it
(44.1 kHz, 16-bit stereo), plus the library code, computed from the asset
files themselves. Also the peak (VmHWM).
Usage: scripts/measuring/memory_breakdown.py BUILD_DIR [SECONDS]
"""

import os
import struct
import subprocess
import sys
import tempfile
import time


def picture_bytes(path):
    with open(path, "rb") as f:
        head = f.read(32)
    if head[:8] == b"\x89PNG\r\n\x1a\n":
        w, h = struct.unpack(">II", head[16:24])
    else:
        w, h = struct.unpack("<ii", head[18:26])
    return w * abs(h) * 4


def chunk_bytes(path):
    with open(path, "rb") as f:
        data = f.read()
    channels, rate = struct.unpack("<HI", data[22:28])
    bits = struct.unpack("<H", data[34:36])[0]
    at = 12
    while at + 8 <= len(data):
        kind, size = data[at:at + 4], struct.unpack("<I", data[at + 4:at + 8])[0]
        if kind == b"data":
            frames = size // (channels * bits // 8)
            return int(frames * 44100 / rate) * 4
        at += 8 + size + (size & 1)
    return 0


def catalogue_floor(assets):
    pictures = sum(picture_bytes(os.path.join(assets, "Images", n))
                   for n in os.listdir(os.path.join(assets, "Images")))
    chunks = sum(chunk_bytes(os.path.join(assets, "Sound", n))
                 for n in os.listdir(os.path.join(assets, "Sound")) if n.endswith(".wav"))
    return pictures, chunks


def breakdown(pid):
    kinds = dict.fromkeys(
        ["heap", "anonymous", "library code", "library data", "shared", "other"], 0)
    name = perms = ""
    with open("/proc/%d/smaps" % pid) as f:
        for line in f:
            fields = line.split()
            if "-" in fields[0] and len(fields) >= 5 and ":" in fields[3]:
                perms = fields[1]
                name = fields[5] if len(fields) > 5 else ""
                continue
            if fields[0] != "Rss:":
                continue
            kb = int(fields[1])
            if name == "[heap]":
                kind = "heap"
            elif name == "" and perms.endswith("p"):
                kind = "anonymous"
            elif perms.endswith("s") or name.startswith("/SYSV"):
                kind = "shared"
            elif name.startswith("/") and "x" in perms:
                kind = "library code"
            elif name.startswith("/"):
                kind = "library data"
            else:
                kind = "other"
            kinds[kind] += kb * 1024
    with open("/proc/%d/status" % pid) as f:
        status = dict(line.split(":", 1) for line in f)
    peak = int(status["VmHWM"].split()[0]) * 1024
    rss = int(status["VmRSS"].split()[0]) * 1024
    return kinds, rss, peak


def main():
    build = os.path.abspath(sys.argv[1])
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 3.0
    assets = os.path.join(build, "assets")
    # Xvfb picks a free display and writes its number once it accepts clients.
    reader, writer = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(writer), "-screen", "0", "640x480x24",
                             "-nolisten", "tcp", "-noreset"], pass_fds=(writer,),
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(writer)
    game = None
    try:
        with os.fdopen(reader) as number:
            display = ":" + number.readline().strip()
        if display == ":":
            sys.exit("memory_breakdown: the virtual X server did not start")
        env = dict(os.environ, DISPLAY=display, SDL_AUDIODRIVER="dummy")
        game = subprocess.Popen([os.path.join(build, "graze")], cwd=assets, env=env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(seconds)
        kinds, rss, peak = breakdown(game.pid)
    finally:
        if game:
            game.kill()
            game.wait()
        xvfb.terminate()
        xvfb.wait()
    mib = 1024.0 * 1024.0
    pictures, chunks = catalogue_floor(assets)
    for kind, size in kinds.items():
        print("%-14s %8.1f MiB" % (kind, size / mib))
    print("%-14s %8.1f MiB   (peak %.1f MiB)" % ("resident", rss / mib, peak / mib))
    floor = pictures + chunks + kinds["library code"]
    print("floor: surfaces %.1f + sound effects %.1f + library code %.1f = %.1f MiB" %
          (pictures / mib, chunks / mib, kinds["library code"] / mib, floor / mib))
    print("resident / floor: %.3f, peak / floor: %.3f" % (rss / floor, peak / floor))


if __name__ == "__main__":
    main()
