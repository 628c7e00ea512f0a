#!/usr/bin/env python3
"""A file refused while the window opens stays refused when a stop request
follows: the game started on a virtual X server with a music track whose
Vorbis headers are damaged names it, is sent SIGTERM at once, and must end
with status 1 every time (not the 0 of a plain stop).
Usage: refusal_outlives_a_stop_test.py BUILD_DIR"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile

SOURCE = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.dont_write_bytecode = True  # nothing written into the source tree
sys.path.insert(0, os.path.join(SOURCE, "scripts/measuring"))
import refusal_times  # noqa: E402  (the measuring script's helpers)

STARTS = 10


def main():
    build = os.path.abspath(sys.argv[1])
    game, assets = os.path.join(build, "graze"), os.path.join(build, "assets")
    xvfb, display = refusal_times.start_virtual_display()
    env = dict(os.environ, DISPLAY=display, SDL_AUDIODRIVER="dummy")
    env.pop("SDL_VIDEODRIVER", None)
    folder = tempfile.mkdtemp(prefix="graze-refusal-stop-")
    try:
        for sub in ("Images", "Sound"):
            shutil.copytree(os.path.join(assets, sub), os.path.join(folder, sub))
        track = os.path.join(folder, "Sound/Boss.ogg")
        with open(track, "rb") as f:
            data = f.read()
        with open(track, "wb") as f:
            f.write(refusal_times.ogg_spoil_setup(data))
        ends = []
        for _ in range(STARTS):
            game_run = subprocess.Popen([game], cwd=folder, env=env, stdin=subprocess.DEVNULL,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
            line = game_run.stderr.readline().decode(errors="replace")
            game_run.send_signal(signal.SIGTERM)
            game_run.wait(timeout=20)
            game_run.stderr.close()
            ends.append((game_run.returncode, "cannot load Sound/Boss.ogg" in line))
    finally:
        shutil.rmtree(folder)
        xvfb.terminate()
        xvfb.wait()
    wrong = [end for end in ends if end != (1, True)]
    print("%d starts: %s" % (STARTS, ends))
    if wrong:
        print("FAIL: a refused start ended otherwise: %s" % wrong)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
