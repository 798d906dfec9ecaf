#!/usr/bin/env python3
"""Turns the results of tools/bench.sh into tables and a plot.

Reads scene.json (Google Benchmark), frames.csv, monitors.csv, startup.csv,
cpu.csv, linux_frames.csv, linux_cpu.csv, wayland_cpu.csv and wayland_idle_cpu.csv
from the folder given, prints Markdown tables (with the ratio of a tick to
the sine-and-cosine floor per size), and draws frame_time.png there with
ImageMagick. A measurement that is missing (an empty or absent file, a
negative time) ends it with a message and exit code 1. Standard library only.
"""
import csv
import json
import os
import subprocess
import sys


class Missing(Exception):
    """A measurement that bench.sh did not make."""


def read_csv(path):
    try:
        with open(path) as f:
            rows = list(csv.DictReader(f))
    except OSError:
        rows = []
    if not rows:
        raise Missing(f"{os.path.basename(path)} holds no measurement")
    return rows


def scene_tables(results):
    per_sat = {}
    per_call = {}
    for b in results["benchmarks"]:
        name = b["name"]
        if "/" in name:
            routine, size = name.split("/")
            per_sat[(routine, int(size))] = b["per_satellite"] * 1e9  # seconds -> ns
            per_call[(routine, int(size))] = b["cpu_time"]
        else:
            per_call[(name, None)] = b["cpu_time"]
    print("| satellites | AdvanceScene ns/satellite | sine+cosine floor ns/satellite | ratio |")
    print("|---:|---:|---:|---:|")
    for size in sorted({s for r, s in per_sat if r == "AdvanceSceneTick"}):
        tick = per_sat[("AdvanceSceneTick", size)]
        floor = per_sat[("SineCosineBaseline", size)]
        print(f"| {size} | {tick:.2f} | {floor:.2f} | {tick / floor:.2f} |")
    print()
    print("| routine | ns per call |")
    print("|---|---:|")
    for (routine, size), ns in sorted(per_call.items(), key=lambda kv: (kv[0][0], kv[0][1] or 0)):
        if routine in ("HueToRgbaCall", "SpawnSatellitesCall"):
            label = routine.replace("Call", "") + (f" ({size} satellites)" if size else "")
            print(f"| {label} | {ns:.1f} |")
    print()


FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"


def plot(frames, path):
    """A line plot of ms per frame against satellite count, drawn by
    ImageMagick from a vector description (MVG)."""
    xs = [int(r["satellites"]) for r in frames]
    ys = [float(r["ms_per_frame"]) for r in frames]
    w, h, left, bottom, top, right = 640, 400, 70, 50, 50, 30
    xmax, ymax = max(xs) * 1.05, max(ys) * 1.15

    def px(x):
        return left + (w - left - right) * x / xmax

    def py(y):
        return h - bottom - (h - top - bottom) * y / ymax

    def text(x, y, label, anchor="middle"):
        return f"text-anchor {anchor} text {x:.1f},{y:.1f} '{label}'"

    mvg = [f"viewbox 0 0 {w} {h}", "fill white rectangle 0,0 %d,%d" % (w, h),
           f"font '{FONT}' font-size 13 stroke none fill black",
           text(w / 2, 22, "Frame time, 1024x768, Wine and Mesa llvmpipe"),
           text(w / 2, h - 12, "satellites"), text(left, top - 12, "ms per frame", "start")]
    for i in range(6):
        y = ymax * i / 5
        mvg.append(f"stroke '#dddddd' line {left},{py(y):.1f} {w - right},{py(y):.1f}")
        mvg.append("stroke none fill black " + text(left - 6, py(y) + 4, f"{y:.0f}", "end"))
    mvg.append(f"stroke black line {left},{py(0):.1f} {w - right},{py(0):.1f}")
    mvg.append(f"stroke black line {left},{py(0):.1f} {left},{top}")
    points = " ".join(f"{px(x):.1f},{py(y):.1f}" for x, y in zip(xs, ys))
    mvg.append(f"fill none stroke '#cc4400' stroke-width 2 polyline {points}")
    for x, y in zip(xs, ys):
        mvg.append(f"stroke none fill '#cc4400' circle {px(x):.1f},{py(y):.1f} {px(x) + 4:.1f},{py(y):.1f}")
        mvg.append("fill black " + text(px(x), py(y) - 10, f"{y:.1f} ms"))
        mvg.append("fill black " + text(px(x), py(0) + 16, str(x)))
    with open(path, "w") as f:
        f.write("\n".join(mvg) + "\n")


def main(folder):
    try:
        report(folder)
    except Missing as missing:
        sys.exit(f"bench: a measurement is missing: {missing}")


def report(folder):
    try:
        with open(os.path.join(folder, "scene.json")) as f:
            scene = json.load(f)
    except (OSError, ValueError):
        raise Missing("scene.json holds no benchmark results")
    scene_tables(scene)
    frames = read_csv(os.path.join(folder, "frames.csv"))
    print("| satellites | ms per frame |")
    print("|---:|---:|")
    for r in frames:
        print(f"| {r['satellites']} | {float(r['ms_per_frame']):.2f} |")
    print()
    print("| monitors (5 satellites) | ms per frame | CPU ms per frame | frames a second the drawing allows |")
    print("|---|---:|---:|---:|")
    for r in read_csv(os.path.join(folder, "monitors.csv")):
        ms = float(r["ms_per_frame"])
        print(f"| {r['monitors']} | {ms:.2f} | {float(r['cpu_ms_per_frame']):.2f} | {min(100, 1000 / ms):.0f} |")
    print()
    startup = [float(r["ms_to_first_frame"]) for r in read_csv(os.path.join(folder, "startup.csv"))]
    if min(startup) < 0:
        raise Missing("startup.csv: a start showed no first frame")
    print(f"startup to first frame: median {sorted(startup)[len(startup) // 2]:.0f} ms "
          f"(runs: {', '.join(f'{s:.0f}' for s in startup)})")
    for name, label in (("cpu.csv", "Windows saver under Wine"), ("linux_cpu.csv", "X11 hack"),
                        ("wayland_cpu.csv", "Wayland program on sway, 1280x720"),
                        ("wayland_idle_cpu.csv", "Wayland program waiting with --idle")):
        cpu = read_csv(os.path.join(folder, name))[0]
        share = float(cpu["cpu_seconds"]) / float(cpu["wall_seconds"])
        print(f"steady CPU use at 5 satellites, {label}: {float(cpu['cpu_seconds']):.2f} s of CPU in "
              f"{float(cpu['wall_seconds']):.1f} s, {100 * share:.1f}% of one core")
    linux = read_csv(os.path.join(folder, "linux_frames.csv"))[0]
    print(f"Linux program, 5 satellites, 1024x768: {float(linux['ms_per_frame']):.2f} ms per frame")
    mvg = os.path.join(folder, "frame_time.mvg")
    plot(frames, mvg)
    subprocess.run(["convert", "mvg:" + mvg, os.path.join(folder, "frame_time.png")], check=False)
    print(f"plot: {os.path.join(folder, 'frame_time.png')}")


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "build/bench")
