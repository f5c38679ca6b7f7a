#!/usr/bin/env python3
"""Runs pelorin-cli on every real recording it reads in each connection mode and compares the
JSON report, the points CSV and the SVG profiles with the outputs recorded in this folder.

  check_golden.py --cli "CMD" --data DIR [--golden DIR] [--update]

CMD is the tool's command line (it may start with a runner such as wine). DIR holds a folder
per format (plt, gpx, ...); the recordings are the files that `pelorin-cli --each` picks there,
so a format the tool learns to read is checked from then on. A difference in a report names
each figure or cell that changed, with its old and new value.

With --platform NAME, the hashes in hashes.NAME.txt replace the recorded ones: outputs that a
build for that platform gives where its C library rounds differently (MinGW's cosine differs
from glibc's in the last bit for about one argument in a thousand). --update with --platform
writes only that file.
"""

import argparse
import hashlib
import json
import os
import shlex
import subprocess
import sys
import tempfile

MODES = ("none", "auto", "all")
HASHES = "hashes.txt"


def run(cli, args):
    # Files, not pipes: under wine a pipe stays open until wineserver ends, seconds later.
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        # The recorded elevations, whatever folder of terrain tiles the environment names.
        env = {k: v for k, v in os.environ.items() if k != "PELORIN_DEM"}
        done = subprocess.run(cli + args, stdout=out, stderr=err, stdin=subprocess.DEVNULL,
                              env=env)
        out.seek(0)
        return done.returncode, out.read()


def sha256(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def outputs(cli, path, mode, scratch):
    """The report text and the hashes of the points CSV and both profiles of one run."""
    points = os.path.join(scratch, "points.csv")
    by_distance = os.path.join(scratch, "distance.svg")
    by_time = os.path.join(scratch, "time.svg")
    common = ["--connect", mode]
    status, report = run(cli, common + ["--format", "json", "--points", points,
                                        "--plot", by_distance, "--", path])
    status_time, _ = run(cli, common + ["--plot", by_time, "--over", "time", "--", path])
    hashes = {"status": str(status), "points": sha256(points),
              "svg-distance": sha256(by_distance), "svg-time": sha256(by_time)}
    if status_time != status:
        hashes["status"] += "/" + str(status_time)
    return report.decode("utf-8"), hashes


def recordings(cli, data):
    """The files under data that the tool reads, relative to data, in path order."""
    _, lines = run(cli, ["--each", "--format", "json", "--", data])
    files = [os.path.relpath(json.loads(line)["file"], data) for line in lines.splitlines()]
    return sorted(f.replace(os.sep, "/") for f in files)


def run_name(path, mode):
    """A .plt file's outputs are named by its stem, as they were before there were other
    formats; any other file's by its whole name."""
    name = os.path.basename(path)
    stem, extension = os.path.splitext(name)
    return "%s.%s" % (stem if extension.lower() == ".plt" else name, mode)


def describe_difference(old_text, new_text):
    """Which figures and cells changed, one line each."""
    try:
        old, new = json.loads(old_text), json.loads(new_text)
    except ValueError as error:
        return ["  the report is no longer JSON: %s" % error]
    lines = []
    if old.get("title") != new.get("title"):
        lines.append("  title: %r -> %r" % (old.get("title"), new.get("title")))
    for kind, key in (("section", "index"), ("statistic", "label")):
        old_rows = old.get(kind + "s", [])
        new_rows = new.get(kind + "s", [])
        if len(old_rows) != len(new_rows):
            lines.append("  %d %ss -> %d" % (len(old_rows), kind, len(new_rows)))
        for before, after in zip(old_rows, new_rows):
            for field in sorted(set(before) | set(after)):
                if before.get(field) != after.get(field):
                    lines.append("  %s %s, %s: %r -> %r" % (kind, before.get(key), field,
                                                           before.get(field), after.get(field)))
    return lines or ["  the text differs, the values do not (spacing or order)"]


def read_hashes(path):
    table = {}
    if os.path.exists(path):
        with open(path, encoding="utf-8") as f:
            for line in f:
                run_name, what, value = line.split()
                table[(run_name, what)] = value
    return table


def write_hashes(path, table):
    with open(path, "w", encoding="utf-8") as f:
        for (name, what), value in sorted(table.items()):
            f.write("%s %s %s\n" % (name, what, value))


def compare(golden, name, report, hashes, expected):
    """What differs between one run and its recorded outputs, a line each."""
    problems = []
    golden_path = os.path.join(golden, name + ".json")
    if not os.path.exists(golden_path):
        problems.append("  no recorded report " + golden_path)
    else:
        with open(golden_path, encoding="utf-8", newline="") as f:
            old = f.read()
        if old != report:
            problems += describe_difference(old, report)
    for what, value in hashes.items():
        if expected.get((name, what)) != value:
            problems.append("  %s: %s -> %s" % (what, expected.get((name, what)), value))
    return problems


def recorded_runs(golden):
    return {f[:-len(".json")] for f in os.listdir(golden) if f.endswith(".json")}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", required=True)
    parser.add_argument("--data", required=True, help="folder of a folder per format")
    parser.add_argument("--golden", default=os.path.dirname(os.path.abspath(__file__)))
    parser.add_argument("--update", action="store_true")
    parser.add_argument("--platform", help="take the hashes in hashes.PLATFORM.txt")
    options = parser.parse_args()
    cli = shlex.split(options.cli)
    files = recordings(cli, options.data)
    if not files:
        print("no recordings in " + options.data, file=sys.stderr)
        return 1
    expected = read_hashes(os.path.join(options.golden, HASHES))
    platform_path = os.path.join(options.golden, "hashes.%s.txt" % options.platform)
    if options.platform:
        expected.update(read_hashes(platform_path))
    found = {}
    reports = {}
    failures = 0
    with tempfile.TemporaryDirectory() as scratch:
        for path in files:
            for mode in MODES:
                name = run_name(path, mode)
                reports[name], hashes = outputs(cli, os.path.join(options.data, path), mode,
                                                scratch)
                for what, value in hashes.items():
                    found[(name, what)] = value
                problems = [] if options.update else compare(options.golden, name,
                                                             reports[name], hashes, expected)
                if problems:
                    failures += 1
                    print("%s differs:\n%s" % (name, "\n".join(problems)))
    stale = sorted(recorded_runs(options.golden) - set(reports))
    if options.update and options.platform:
        recorded = read_hashes(os.path.join(options.golden, HASHES))
        write_hashes(platform_path, {key: value for key, value in found.items()
                                     if recorded.get(key) != value})
        return 0
    if options.update:
        for name in stale:
            os.remove(os.path.join(options.golden, name + ".json"))
        for name, report in reports.items():
            with open(os.path.join(options.golden, name + ".json"), "w", encoding="utf-8",
                      newline="") as f:
                f.write(report)
        write_hashes(os.path.join(options.golden, HASHES), found)
        print("recorded %d runs of %d files" % (len(reports), len(files)))
        return 0
    for name in stale:
        print("%s is recorded but the tool no longer reads its file" % name)
    print("%d passed, %d failed" % (len(reports) - failures, failures + len(stale)))
    return 1 if failures or stale else 0


if __name__ == "__main__":
    sys.exit(main())
