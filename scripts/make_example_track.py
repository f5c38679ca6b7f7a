#!/usr/bin/env python3
"""Writes examples/alpine_hike.plt: a made-up day hike of a few thousand fixes.

The walk leaves a village, climbs to a ridge with a short dip on the way, rests at a hut,
crosses to a summit, descends to a lake, takes a cable car down (the logger is switched off,
so the next fix starts a new segment) and walks the last stretch on the valley floor with a
coffee stop. Positions and altitudes carry a little GPS noise from a fixed seed, so the file
is the same on every run.
"""

import datetime
import math
import random
import sys

START = datetime.datetime(2023, 7, 15, 6, 42, 10)
EPOCH = datetime.datetime(1899, 12, 30)
FEET_PER_METRE = 1.0 / 0.3048006096012
METRES_PER_DEGREE = 111317.0997

# Legs: (kind, seconds, metres along the heading, height change in metres, heading degrees)
LEGS = [
    ("walk", 900, 1100, 40, 70),
    ("walk", 2400, 2600, 520, 95),
    ("walk", 500, 420, -28, 120),  # a dip between two shoulders
    ("walk", 1800, 1500, 390, 80),
    ("stop", 1500, 0, 0, 0),  # rest at the hut
    ("walk", 1200, 1300, 230, 20),
    ("stop", 600, 0, 0, 0),  # summit
    ("walk", 2600, 2900, -640, 200),
    ("walk", 900, 1400, -20, 260),  # along the lake shore
    ("break", 0, 2300, -900, 230),  # cable car, logger off
    ("walk", 1500, 2100, -35, 250),
    ("stop", 1200, 0, 0, 0),  # coffee
    ("walk", 1300, 1700, -15, 300),
]
STEP = 5  # seconds between fixes


def day_count(moment):
    delta = moment - EPOCH
    return delta.days + delta.seconds / 86400.0


def main(path):
    rng = random.Random(20230715)
    lat, lon, alt = 46.5612, 8.0321, 1042.0
    moment = START
    lines = [
        "OziExplorer Track Point File Version 2.1",
        "WGS 84",
        "Altitude is in Feet",
        "Reserved 3",
        "0,2,255,Alpine hike,0,0,2,8421376",
    ]
    points = []
    new_segment = True
    for kind, seconds, metres, climb, heading in LEGS:
        if kind == "break":
            north = metres * math.cos(math.radians(heading))
            east = metres * math.sin(math.radians(heading))
            lat += north / METRES_PER_DEGREE
            lon += east / (METRES_PER_DEGREE * math.cos(math.radians(lat)))
            alt += climb
            moment += datetime.timedelta(seconds=480)
            new_segment = True
            continue
        steps = max(1, seconds // STEP)
        for i in range(steps):
            if kind == "walk":
                wobble = 0.6 + 0.8 * rng.random()
                along = metres / steps * wobble
                turn = math.radians(heading + rng.gauss(0, 12))
                lat += along * math.cos(turn) / METRES_PER_DEGREE
                lon += along * math.sin(turn) / (METRES_PER_DEGREE * math.cos(math.radians(lat)))
                alt += climb / steps * (0.5 + rng.random())
            moment += datetime.timedelta(seconds=STEP + rng.choice((0, 0, 0, 1)))
            jitter_lat = rng.gauss(0, 1.5) / METRES_PER_DEGREE
            jitter_lon = rng.gauss(0, 1.5) / METRES_PER_DEGREE
            jitter_alt = rng.gauss(0, 1.2)
            points.append((lat + jitter_lat, lon + jitter_lon, 1 if new_segment else 0,
                           (alt + jitter_alt) * FEET_PER_METRE, day_count(moment), moment))
            new_segment = False
    lines.append(str(len(points)))
    for la, lo, flag, feet, days, when in points:
        lines.append("%10.6f,%11.6f,%d,%7.1f,%.7f,%s,%s" % (
            la, lo, flag, feet, days, when.strftime("%d-%b-%y"), when.strftime("%H:%M:%S")))
    with open(path, "w", newline="") as out:
        out.write("\r\n".join(lines) + "\r\n")


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "examples/alpine_hike.plt")
