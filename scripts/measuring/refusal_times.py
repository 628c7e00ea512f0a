#!/usr/bin/env python3
"""How soon the game names a bad file: every catalogue file in turn is spoiled
so that only its decoder can tell (a PNG's picture data changed with its
checksums made right, a WAV's samples cut off, an Ogg's set-up header
changed, a BMP's pixels cut short), the game is started on that catalogue on
a virtual X server (a real window, as a player's), and the time from its start
to the line that names the file is taken. Each slot is started RUNS times;
prints the median per kind of file, the slowest slot's median, and whether
every start ended with status 1 naming the right file.

Also times the stop signal while the game loads: SIGTERM at several moments of
the start of a good catalogue, and the time until the process has ended.

Usage: scripts/measuring/refusal_times.py BUILD_DIR [--runs N] [--slots all|sample] [--assets DIR]
The game runs with its dummy audio driver unless SDL_AUDIODRIVER is set.
"""

import argparse
import os
import shutil
import signal
import statistics
import struct
import subprocess
import sys
import tempfile
import time
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def catalogue_paths(source):
    """(slot, relative path) of every catalogue file, in slot order."""
    paths = []
    table = os.path.join(source, "src/support/asset_catalogue.h")
    with open(table) as f:
        for line in f:
            line = line.strip()
            if line.startswith('{"') and "loader_kind::" in line:
                path = line.split('"')[3]
                paths.append(path[2:] if path.startswith("./") else path)
    return paths


def png_spoil_data(data):
    """The first IDAT's compressed bytes changed, its CRC made right."""
    at = 8
    while at + 8 <= len(data):
        length = struct.unpack(">I", data[at : at + 4])[0]
        kind = data[at + 4 : at + 8]
        if kind == b"IDAT" and length > 8:
            body = bytearray(data[at + 8 : at + 8 + length])
            for i in range(2, len(body)):
                body[i] ^= 0x5A
            crc = zlib.crc32(kind + bytes(body)) & 0xFFFFFFFF
            return data[: at + 8] + bytes(body) + struct.pack(">I", crc) + data[at + 12 + length :]
        at += 12 + length
    raise ValueError("no IDAT")


def ogg_spoil_setup(data):
    """The second page (comment and set-up headers) changed, its CRC kept: the
    stream's first page still passes the header check."""
    second = data.find(b"OggS", 4)
    b = bytearray(data)
    for i in range(second + 40, min(second + 400, len(b))):
        b[i] ^= 0xFF
    return bytes(b)


def spoiled(path, data):
    if path.endswith(".png"):
        return png_spoil_data(data)
    if path.endswith(".ogg"):
        return ogg_spoil_setup(data)
    return data[: len(data) // 2]  # WAV and BMP: cut in half


def free_display_number():
    """A display number no X server here uses: neither a lock file in /tmp nor
    a listening socket, abstract ones included (a server inside another root
    with a /tmp of its own shares those)."""
    with open("/proc/net/unix") as f:
        sockets = f.read()
    for number in range(60, 1000):
        if ("/tmp/.X11-unix/X%d\n" % number) not in sockets and not os.path.exists(
                "/tmp/.X%d-lock" % number):
            return number
    raise RuntimeError("no free display number")


def start_virtual_display():
    """Xvfb on a free display; (process, DISPLAY) once it accepts clients."""
    number = free_display_number()
    proc = subprocess.Popen(
        ["Xvfb", ":%d" % number, "-screen", "0", "640x480x24", "-nolisten", "tcp", "-noreset"],
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for _ in range(100):
        if subprocess.run(["xdpyinfo", "-display", ":%d" % number], stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL).returncode == 0:
            return proc, ":%d" % number
        time.sleep(0.1)
    proc.kill()
    raise RuntimeError("the virtual X server did not start")


def time_refusal(game, folder, expected):
    """Seconds to the line naming the file, the exit status, and whether the
    line names `expected`."""
    started = time.monotonic()
    proc = subprocess.Popen([game], cwd=folder, stdin=subprocess.DEVNULL,
                            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    line = proc.stderr.readline().decode(errors="replace")
    said = time.monotonic() - started
    try:
        proc.wait(timeout=20)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()
    proc.stderr.close()
    if os.environ.get("REFUSAL_DEBUG"):
        print(repr(line), proc.returncode)
    return said, proc.returncode, ("cannot load" in line and expected in line)


def time_stop(game, folder, after):
    """Seconds from SIGTERM, sent `after` seconds into the start, to the end."""
    proc = subprocess.Popen([game], cwd=folder, stdin=subprocess.DEVNULL,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(after)
    sent = time.monotonic()
    proc.send_signal(signal.SIGTERM)
    try:
        proc.wait(timeout=20)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()
        return None, None
    return time.monotonic() - sent, proc.returncode


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--slots", choices=["all", "sample"], default="all")
    parser.add_argument("--assets", help="the catalogue to spoil (default BUILD/assets)")
    args = parser.parse_args()
    source = os.path.dirname(os.path.dirname(HERE))
    build = os.path.abspath(args.build)
    game = os.path.join(build, "graze")
    assets = os.path.abspath(args.assets or os.path.join(build, "assets"))
    paths = catalogue_paths(source)
    slots = range(len(paths))
    if args.slots == "sample":
        slots = [0, 12, 13, 100, 226, 227, 237, 238, 249]

    xvfb, display = start_virtual_display()
    os.environ["DISPLAY"] = display
    os.environ.pop("SDL_VIDEODRIVER", None)
    os.environ.setdefault("SDL_AUDIODRIVER", "dummy")
    folder = tempfile.mkdtemp(prefix="graze-refusal-")
    try:
        for sub in ("Images", "Sound"):
            os.makedirs(os.path.join(folder, sub))
        for path in set(paths):  # a file may serve two slots
            os.symlink(os.path.join(assets, path), os.path.join(folder, path))
        by_kind = {}
        worst = (0.0, None)
        wrong = []
        for slot in slots:
            path = paths[slot]
            target = os.path.join(folder, path)
            with open(os.path.join(assets, path), "rb") as f:
                data = f.read()
            os.unlink(target)
            with open(target, "wb") as f:
                f.write(spoiled(path, data))
            times = []
            for _ in range(args.runs):
                said, status, named = time_refusal(game, folder, path)
                times.append(said)
                if status != 1 or not named:
                    wrong.append((slot, path, status))
            os.unlink(target)
            os.symlink(os.path.join(assets, path), target)
            median = statistics.median(times)
            by_kind.setdefault(os.path.splitext(path)[1], []).append(median)
            if median > worst[0]:
                worst = (median, "%d %s" % (slot, path))
        for kind, medians in sorted(by_kind.items()):
            print("refusal %s: %d slots, median %.0f ms, slowest slot %.0f ms" % (
                kind, len(medians), 1000 * statistics.median(medians), 1000 * max(medians)))
        print("refusal: slowest slot's median %.0f ms (%s); %d of %d starts ended otherwise %s" % (
            1000 * worst[0], worst[1], len(wrong), len(slots) * args.runs, wrong[:5]))
        for after in (0.02, 0.05, 0.1, 0.2, 0.3, 0.5, 0.8):
            ends = [time_stop(game, folder, after) for _ in range(args.runs)]
            seconds = [s for s, _ in ends if s is not None]
            statuses = sorted({status for _, status in ends})
            print("stop %.2f s into the start: median %.0f ms, slowest %.0f ms, statuses %s" % (
                after, 1000 * statistics.median(seconds), 1000 * max(seconds), statuses))
    finally:
        shutil.rmtree(folder)
        xvfb.terminate()
        xvfb.wait()
    return 0


if __name__ == "__main__":
    sys.exit(main())
