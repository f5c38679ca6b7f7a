#!/usr/bin/env python3
"""Runs pelorin-cli on every real .plt recording in each connection mode and compares the
JSON report, the points CSV and the SVG profiles with the outputs recorded in this folder.

  check_golden.py --cli "CMD" --data DIR [--golden DIR] [--update]

CMD is the tool's command line (it may start with a runner such as wine). A difference in a
report names each figure or cell that changed, with its old and new value.
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


def read_hashes(folder):
    table = {}
    if os.path.exists(os.path.join(folder, HASHES)):
        with open(os.path.join(folder, HASHES), encoding="utf-8") as f:
            for line in f:
                run_name, what, value = line.split()
                table[(run_name, what)] = value
    return table


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", required=True)
    parser.add_argument("--data", required=True, help="folder of .plt recordings")
    parser.add_argument("--golden", default=os.path.dirname(os.path.abspath(__file__)))
    parser.add_argument("--update", action="store_true")
    options = parser.parse_args()
    cli = shlex.split(options.cli)
    files = sorted(f for f in os.listdir(options.data) if f.lower().endswith(".plt"))
    if not files:
        print("no .plt files in " + options.data, file=sys.stderr)
        return 1
    expected = read_hashes(options.golden)
    found = {}
    failures = 0
    with tempfile.TemporaryDirectory() as scratch:
        for name in files:
            for mode in MODES:
                run_name = "%s.%s" % (os.path.splitext(name)[0], mode)
                report, hashes = outputs(cli, os.path.join(options.data, name), mode, scratch)
                golden_path = os.path.join(options.golden, run_name + ".json")
                for what, value in hashes.items():
                    found[(run_name, what)] = value
                if options.update:
                    with open(golden_path, "w", encoding="utf-8", newline="") as f:
                        f.write(report)
                    continue
                problems = []
                if not os.path.exists(golden_path):
                    problems.append("  no recorded report " + golden_path)
                else:
                    with open(golden_path, encoding="utf-8", newline="") as f:
                        old = f.read()
                    if old != report:
                        problems += describe_difference(old, report)
                for what, value in hashes.items():
                    if expected.get((run_name, what)) != value:
                        problems.append("  %s: %s -> %s" % (what, expected.get((run_name, what)),
                                                            value))
                if problems:
                    failures += 1
                    print("%s differs:\n%s" % (run_name, "\n".join(problems)))
    if options.update:
        with open(os.path.join(options.golden, HASHES), "w", encoding="utf-8") as f:
            for (run_name, what), value in sorted(found.items()):
                f.write("%s %s %s\n" % (run_name, what, value))
        print("recorded %d runs" % (len(files) * len(MODES)))
        return 0
    total = len(files) * len(MODES)
    print("%d passed, %d failed" % (total - failures, failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
