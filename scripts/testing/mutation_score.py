#!/usr/bin/env python3
"""How many small faults in the game's rules the fast tests catch.

Makes seeded single-point changes (mutants) in src/levels, src/engine and
src/objects: a number +1, -1 or doubled, a comparison or a logical operator
turned round, a table row or a call dropped (drawn as numbers 3 in 5, operators
1 in 5, dropped rows and calls 1 in 5). Each mutant is built and the fast
tests run on it (build/tests/graze_tests without the whole-game replays and
the slow tests, stopping at the first failure); a failing, crashing or
hanging run kills the mutant. A mutant that does not compile is not counted
and another is drawn. Prints the share killed and every survivor
(file:line and the change).

Mutants are made in copies of the checkout under WORK_DIR (default
build-mutation/, one a job), never in the checkout itself; the copy's file is
put back after every mutant, on Ctrl-C too. A copy keeps the checkout's
relative layout, so with the shared ccache (CCACHE_BASEDIR) its first build
mostly hits the cache; afterwards a mutant rebuilds one object (or unity batch)
and relinks the test binary only.

--level-6-gun adds the mutants that move one gun point of Level 6's boss by a
pixel (the guns[] table of src/levels/level_6.cpp), reported apart.

Usage: scripts/testing/mutation_score.py [--count N] [--seed S] [--jobs J]
           [--level-6-gun] [--work-dir DIR] [--filter GTEST_FILTER]
"""

import argparse
import filecmp
import json
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import threading
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
MUTATED_DIRS = ["src/levels", "src/engine", "src/objects"]
LAYER_OF = {"src/levels": "graze_levels", "src/engine": "graze_engine", "src/objects": "graze_objects"}

# The whole-game replays, the pilot's long flights, the tests that start
# graze-sim or graze-soak as programs (their binaries are not relinked for a
# mutant), and the slow checks of the generated pictures and sound, which no
# mutant here touches: what is left runs in under a minute.
SLOW_TESTS = [
    "autopilot_sim.*", "whole_game.*", "graze_sim_autopilot.*", "graze_sim_tool.*",
    "sim_long_runs.*", "soak.*", "sim_command_line.*", "sound_loudness.*", "run_length_keys.*",
    "every_stage/*", "every_track/*", "readable_pictures.*", "png_corpus.*", "png_decoder.*",
    "assetgen_test.*", "generated_assets.*", "install_tree.*", "shell_start_up*", "linked_sdl.*",
    "adler32.*", "shell_bad_assets.*", "shell_asset_checks.*", "shell_bmp_masks.*",
    "desktop_threads.*", "tracked_memory_death.*", "liste_death.*",
]
DEFAULT_FILTER = "*-" + ":".join(SLOW_TESTS)

NUMBER = re.compile(r"(?<![\w.])(\d+)(?![\w.'])")
COMPARISONS = {" < ": " >= ", " >= ": " < ", " > ": " <= ", " <= ": " > ", " == ": " != ",
               " != ": " == "}
LOGIC = {" && ": " || ", " || ": " && "}
TABLE_ROW = re.compile(r"^\s*\{.*\},?\s*(//.*)?$")
CALL_ROW = re.compile(r"^\s*[a-z_][\w:]*\(.*\);\s*(//.*)?$")


def code_part(line):
    """The line without its comment, or None for lines not worth mutating."""
    stripped = line.strip()
    if not stripped or stripped.startswith(("//", "#", "static_assert", "*", "/*")):
        return None
    if '"' in line:  # strings: tags and file names, not rules
        return None
    cut = line.find("//")
    return line if cut < 0 else line[:cut]


def mutants_of(path, text):
    """Every single-point change of one file: (path, line number, new line, what)."""
    out = []
    lines = text.split("\n")
    for number, line in enumerate(lines, start=1):
        code = code_part(line)
        if code is None:
            continue
        for m in NUMBER.finditer(code):
            value = int(m.group(1))
            for new, what in ((value + 1, "+1"), (value - 1, "-1"), (value * 2, "x2")):
                if new < 0 or new == value:
                    continue
                changed = line[: m.start()] + str(new) + line[m.end() :]
                out.append((path, number, changed, f"{value} -> {new} ({what})"))
        for table in (COMPARISONS, LOGIC):
            for old, new in table.items():
                start = code.find(old)
                while start >= 0:
                    changed = line[:start] + new + line[start + len(old) :]
                    out.append((path, number, changed, f"'{old.strip()}' -> '{new.strip()}'"))
                    start = code.find(old, start + 1)
        if TABLE_ROW.match(code):
            out.append((path, number, None, "row dropped"))
        elif CALL_ROW.match(code) and not code.strip().startswith("return"):
            out.append((path, number, None, "call dropped"))
    return out


def level_6_gun_mutants():
    """Each of the boss's gun points moved one pixel right: the table of
    launch points its volleys leave from (`guns[]` in level_6.cpp)."""
    path = "src/levels/level_6.cpp"
    with open(os.path.join(ROOT, path)) as f:
        lines = f.read().split("\n")
    out = []
    for number, line in enumerate(lines, start=1):
        table = re.search(r"\bguns\[\]\s*=\s*\{(.*)\};", line)
        if not table:
            continue
        points = list(re.finditer(r"\{\s*(-?\d+)\s*,\s*(-?\d+)\s*\}", table.group(1)))
        for gun, point in enumerate(points):
            x = int(point.group(1))
            start = table.start(1) + point.start(1)
            changed = line[:start] + str(x + 1) + line[table.start(1) + point.end(1):]
            out.append((path, number, changed, f"Level 6 gun {gun} moved: x {x} -> {x + 1}"))
    if not out:
        sys.exit("mutation_score: no guns[] table in src/levels/level_6.cpp")
    return out


def run(command, cwd=None, timeout=None, env=None):
    return subprocess.run(command, cwd=cwd, timeout=timeout, env=env, stdout=subprocess.PIPE,
                          stderr=subprocess.STDOUT, text=True)


class Copy:
    """One copy of the checkout and its build, where mutants are made."""

    def __init__(self, work, index, env):
        self.tree = os.path.join(work, f"tree{index}")
        self.build = os.path.join(self.tree, "build")
        self.env = env
        self.touched = None  # (path, original text) while a mutant is in place

    def prepare(self):
        listed = run(["git", "ls-files", "-co", "--exclude-standard", "-z"], cwd=ROOT).stdout
        # Only files whose content differs are copied, so the times of the
        # rest (and the copy's build) stay as they were for a second run.
        for name in filter(None, listed.split("\0")):
            source, target = os.path.join(ROOT, name), os.path.join(self.tree, name)
            if not os.path.lexists(source):
                continue
            os.makedirs(os.path.dirname(target), exist_ok=True)
            if os.path.islink(source):
                if os.path.lexists(target):
                    os.remove(target)
                os.symlink(os.readlink(source), target)
            elif not (os.path.exists(target) and filecmp.cmp(source, target, shallow=False)):
                shutil.copy2(source, target)
        if not os.path.exists(os.path.join(self.build, "CMakeCache.txt")):
            self.must(["cmake", "-S", self.tree, "-B", self.build, "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
                       "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"], "configure")
        # The assets are the checkout build's, when it has them: generating
        # them again takes minutes and no mutant touches the generator.
        source_assets = os.path.join(ROOT, "build", "assets")
        stamp = os.path.join(self.build, "assets", ".generated")
        if os.path.exists(os.path.join(source_assets, ".generated")) and not os.path.exists(stamp):
            self.must(["cmake", "--build", self.build, "-j2", "--target", "assetgen"], "assetgen")
            shutil.copytree(source_assets, os.path.join(self.build, "assets"), dirs_exist_ok=True)
            icons = os.path.join(ROOT, "build", "icons")
            if os.path.isdir(icons):
                shutil.copytree(icons, os.path.join(self.build, "icons"), dirs_exist_ok=True)
            os.utime(stamp)
        self.must(["cmake", "--build", self.build, "-j2", "--target", "graze_tests"], "build")

    def must(self, command, what):
        result = run(command, env=self.env)
        if result.returncode != 0:
            sys.exit(f"mutation_score: {what} failed in {self.tree}:\n{result.stdout[-4000:]}")

    def rebuild(self):
        """The layers (with their dependency scan: a unity batch's object depends on the
        files it includes only through it), then the test binary's link; False when it
        does not compile."""
        targets = list(LAYER_OF.values()) + ["graze_tests/fast"]
        result = run(["make", "-C", self.build, "-j1"] + targets, env=self.env)
        return result.returncode == 0

    def apply(self, mutant):
        path, number, changed, _ = mutant
        full = os.path.join(self.tree, path)
        with open(full) as f:
            original = f.read()
        lines = original.split("\n")
        if changed is None:
            del lines[number - 1]
        else:
            lines[number - 1] = changed
        self.touched = (full, original)
        with open(full, "w") as f:
            f.write("\n".join(lines))

    def restore(self):
        if self.touched:
            full, original = self.touched
            with open(full, "w") as f:
                f.write(original)
            self.touched = None

    def test(self, test_filter, timeout):
        command = [os.path.join(self.build, "tests", "graze_tests"), "--gtest_filter=" + test_filter,
                   "--gtest_fail_fast", "--gtest_brief=1"]
        env = dict(self.env, SDL_VIDEODRIVER="dummy", SDL_AUDIODRIVER="dummy")
        try:
            result = run(command, cwd=self.build, timeout=timeout, env=env)
        except subprocess.TimeoutExpired:
            return "killed (hang)", ""
        if result.returncode == 0:
            return "survived", ""
        failed = re.findall(r"\[  FAILED  \] (\S+)", result.stdout)
        how = "killed" if result.returncode == 1 else f"killed (status {result.returncode})"
        return how, failed[0] if failed else ""


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--count", type=int, default=200, help="mutants to score (default 200)")
    parser.add_argument("--seed", type=int, default=1, help="the draw's seed (default 1)")
    parser.add_argument("--jobs", type=int, default=1, help="copies working at once (default 1)")
    parser.add_argument("--level-6-gun", action="store_true",
                        help="also score the mutants that move a gun point of Level 6's boss")
    parser.add_argument("--work-dir", default=os.path.join(ROOT, "build-mutation"))
    parser.add_argument("--filter", default=DEFAULT_FILTER, help="the fast tests (a gtest filter)")
    parser.add_argument("--report", help="also write every result as JSON lines here")
    args = parser.parse_args()

    env = dict(os.environ)
    env.setdefault("CCACHE_BASEDIR", os.path.commonpath([ROOT, os.path.abspath(args.work_dir)]))
    env.setdefault("CCACHE_NOHASHDIR", "true")

    # Ctrl-C and SIGTERM put every copy's file back before leaving.
    def stop(signum, frame):
        raise KeyboardInterrupt
    signal.signal(signal.SIGTERM, stop)

    copies = [Copy(args.work_dir, i, env) for i in range(args.jobs)]
    started = time.time()
    for copy in copies:
        copy.prepare()
    print(f"mutation_score: {len(copies)} copies built in {time.time() - started:.0f} s", flush=True)

    baseline_started = time.time()
    outcome, failed = copies[0].test(args.filter, None)
    baseline = time.time() - baseline_started
    if outcome != "survived":
        sys.exit(f"mutation_score: the fast tests fail without a mutant ({failed})")
    timeout = max(60.0, 4 * baseline)
    print(f"mutation_score: fast tests pass in {baseline:.1f} s (a mutant's limit {timeout:.0f} s)",
          flush=True)

    candidates = []
    for folder in MUTATED_DIRS:
        for name in sorted(os.listdir(os.path.join(ROOT, folder))):
            if name.endswith(".cpp"):
                path = f"{folder}/{name}"
                with open(os.path.join(ROOT, path)) as f:
                    candidates += mutants_of(path, f.read())
    # One of each change (1 doubled is 1 + 1).
    candidates = list({(path, number, changed): (path, number, changed, what)
                       for path, number, changed, what in candidates}.values())
    # Numbers far outnumber the other sites: the draw takes a kind first
    # (numbers 3 in 5, operators 1 in 5, dropped rows and calls 1 in 5), then a
    # mutant of that kind.
    draw = random.Random(args.seed)
    kinds = {"number": [], "operator": [], "dropped": []}
    for mutant in candidates:
        what = mutant[3]
        kinds["dropped" if "dropped" in what else "operator" if what.startswith("'") else "number"].append(mutant)
    for mutants in kinds.values():
        draw.shuffle(mutants)
    candidates = []
    while any(kinds.values()):
        kind = draw.choices(["number", "operator", "dropped"], weights=[3, 1, 1])[0]
        if kinds[kind]:
            candidates.append(kinds[kind].pop())
    queue = (level_6_gun_mutants() if args.level_6_gun else []) + candidates
    print(f"mutation_score: {len(candidates)} possible mutants; scoring {args.count}"
          + (" and the Level 6 gun moves" if args.level_6_gun else ""), flush=True)

    lock = threading.Lock()
    results = []
    state = {"next": 0, "scored": 0, "broken": 0, "stop": False}
    wanted = args.count + (len(queue) - len(candidates))
    report = open(args.report, "w") if args.report else None

    def worker(copy):
        while True:
            with lock:
                if state["stop"] or state["scored"] >= wanted or state["next"] >= len(queue):
                    return
                mutant = queue[state["next"]]
                state["next"] += 1
                state["scored"] += 1  # held for this mutant; given back if it does not compile
            t0 = time.time()
            try:
                copy.apply(mutant)
                compiled = copy.rebuild()
                outcome, failed = copy.test(args.filter, timeout) if compiled else ("", "")
            finally:
                copy.restore()
            spent = time.time() - t0
            with lock:
                if not compiled:
                    state["scored"] -= 1
                    state["broken"] += 1
                    continue
                path, number, _, what = mutant
                row = {"file": path, "line": number, "mutation": what, "outcome": outcome,
                       "failed": failed, "seconds": round(spent, 1),
                       "gun": what.startswith("Level 6 gun")}
                results.append(row)
                if report:
                    report.write(json.dumps(row) + "\n")
                    report.flush()
                print(f"[{len(results)}/{wanted}] {outcome:15} {path}:{number}  {what}  "
                      f"{failed}  ({spent:.0f} s)", flush=True)

    threads = [threading.Thread(target=worker, args=(copy,), daemon=True) for copy in copies]
    try:
        for thread in threads:
            thread.start()
        while any(thread.is_alive() for thread in threads):
            for thread in threads:
                thread.join(0.5)
    except KeyboardInterrupt:
        with lock:
            state["stop"] = True
        print("\nmutation_score: interrupted; putting the copies' files back", flush=True)
        for thread in threads:
            thread.join()
    finally:
        for copy in copies:
            copy.restore()
        if report:
            report.close()

    gun = [r for r in results if r["gun"]]
    drawn = [r for r in results if not r["gun"]]
    for r in gun:
        print(f"Level 6 gun move: {r['outcome']} ({r['mutation']}, {r['failed'] or 'no test failed'})")
    killed = [r for r in drawn if r["outcome"] != "survived"]
    survivors = [r for r in drawn if r["outcome"] == "survived"]
    elapsed = time.time() - started
    if drawn:
        mean = sum(r["seconds"] for r in results) / len(results)
        print(f"score: {len(killed)}/{len(drawn)} killed ({100 * len(killed) / len(drawn):.1f}%), "
              f"{state['broken']} mutants did not compile (not counted); "
              f"{mean:.0f} s a mutant, {elapsed / 60:.1f} min in all")
    if survivors:
        print("survivors:")
        for r in sorted(survivors, key=lambda r: (r["file"], r["line"])):
            print(f"  {r['file']}:{r['line']}  {r['mutation']}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
