#!/usr/bin/env python3
"""Reads a screenshot (binary PPM) of the whole X screen and checks that each
monitor, given as WxH+X+Y, shows the central sphere centred and round, at the
size its own height gives (with --narrower-side, the size its narrower side
gives, as each of several monitors is framed), and that nothing is lit where
no monitor is. With --wait it takes screenshots of the current DISPLAY into
that file: first until every monitor shows something, that is until the
first frames are on the screen (60 s only guard against a hang), then
again, up to 10 times, while the check fails, so that a frame caught while
the picture settles is not taken for the verdict, and a wrong picture is
reported within seconds."""
import math
import subprocess
import sys
import time

LIT = 16  # any channel above this is part of the picture


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:  # magic, width, height, maximum value
        while data[pos:pos + 1].isspace():
            pos += 1
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    assert fields[0] == b"P6" and fields[3] == b"255", "not an 8-bit binary PPM"
    return int(fields[1]), int(fields[2]), data[pos + 1:]


def read_lit(path):
    """The screenshot's width and height, and one byte a pixel, 1 where it is
    lit: worked out with whole-buffer operations, as a loop over the pixels
    would take seconds a picture on a loaded machine."""
    width, height, pixels = read_ppm(path)
    lit_byte = bytes(int(value > LIT) for value in range(256))
    channels = [int.from_bytes(pixels[c::3].translate(lit_byte), "little") for c in range(3)]
    return width, height, (channels[0] | channels[1] | channels[2]).to_bytes(width * height, "little")


def check(path, monitors, narrower):
    width, _, lit = read_lit(path)
    failures = []
    # The sphere's angular radius is asin(0.5 / 5) in a 45-degree field of view.
    share = math.tan(math.asin(0.1)) / math.tan(math.radians(22.5))
    lit_on_monitors = 0
    for x, y, w, h in monitors:
        rows = [(py, lit[py * width + x:py * width + x + w]) for py in range(y, y + h)]
        lit_on_monitors += sum(row.count(1) for _, row in rows)
        spans = [(py, x + row.find(1), x + row.rfind(1)) for py, row in rows if 1 in row]
        if not spans:
            failures.append(f"monitor {w}x{h}+{x}+{y} shows nothing")
            continue
        left, right = min(s[1] for s in spans), max(s[2] for s in spans)
        top, bottom = spans[0][0], spans[-1][0]
        across, down = right - left + 1, bottom - top + 1
        centre = ((left + right) / 2 - x, (top + bottom) / 2 - y)
        side = min(w, h) if narrower else h
        print(f"monitor {w}x{h}+{x}+{y}: sphere {across}x{down} centred at {centre}, expected "
              f"{share * side:.1f} across at {((w - 1) / 2, (h - 1) / 2)}")
        if abs(centre[0] - (w - 1) / 2) > 1.5 or abs(centre[1] - (h - 1) / 2) > 1.5:
            failures.append(f"monitor {w}x{h}+{x}+{y}: the sphere is not centred")
        if abs(across - down) > 2:
            failures.append(f"monitor {w}x{h}+{x}+{y}: the sphere is not round")
        if abs(down - share * side) > 0.04 * share * side:
            failures.append(f"monitor {w}x{h}+{x}+{y}: the sphere is not the size of this monitor's view")

    # Monitors do not overlap: what is lit off them is what is left over.
    stray = lit.count(1) - lit_on_monitors
    if stray:
        failures.append(f"{stray} lit pixels where no monitor is")
    return failures


def shows_something(path, monitors):
    """True when each monitor has a lit pixel."""
    width, _, lit = read_lit(path)
    return all(any(1 in lit[py * width + x:py * width + x + w] for py in range(y, y + h)) for x, y, w, h in monitors)


def screenshot(path):
    subprocess.run(["import", "-window", "root", "-depth", "8", path], check=False)


def main(args):
    wait = "--wait" in args
    narrower = "--narrower-side" in args
    args = [a for a in args if a not in ("--wait", "--narrower-side")]
    path = args[0]
    monitors = []
    for area in args[1:]:
        size, x, y = area.split("+")
        w, h = size.split("x")
        monitors.append((int(x), int(y), int(w), int(h)))

    if wait:
        for _ in range(600):
            screenshot(path)
            if shows_something(path, monitors):
                break
            time.sleep(0.1)
    failures = check(path, monitors, narrower)
    for _ in range(10 if wait else 0):
        if not failures:
            break
        time.sleep(0.1)
        screenshot(path)
        failures = check(path, monitors, narrower)
    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
