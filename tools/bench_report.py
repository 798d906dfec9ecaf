#!/usr/bin/env python3
"""Turns the results of tools/bench.sh into tables and a plot.

Reads scene.json (Google Benchmark), frames.csv, startup.csv and cpu.csv
from the folder given, prints Markdown tables (with the ratio of a tick to
the sine-and-cosine floor per size), and writes frame_time.svg and, through
ImageMagick, frame_time.png there. Standard library only.
"""
import csv
import json
import os
import subprocess
import sys


def read_csv(path):
    with open(path) as f:
        return list(csv.DictReader(f))


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


def plot(frames, path):
    """A line plot of ms per frame against satellite count, as SVG."""
    xs = [int(r["satellites"]) for r in frames]
    ys = [float(r["ms_per_frame"]) for r in frames]
    w, h, left, bottom, top, right = 640, 400, 70, 50, 30, 30
    xmax, ymax = max(xs) * 1.05, max(ys) * 1.15

    def px(x):
        return left + (w - left - right) * x / xmax

    def py(y):
        return h - bottom - (h - top - bottom) * y / ymax

    svg = [f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" font-family="sans-serif" font-size="12">',
           f'<rect width="{w}" height="{h}" fill="white"/>',
           f'<line x1="{left}" y1="{py(0)}" x2="{w - right}" y2="{py(0)}" stroke="black"/>',
           f'<line x1="{left}" y1="{py(0)}" x2="{left}" y2="{top}" stroke="black"/>',
           f'<text x="{w / 2}" y="{h - 12}" text-anchor="middle">satellites</text>',
           f'<text x="16" y="{h / 2}" text-anchor="middle" transform="rotate(-90 16 {h / 2})">ms per frame</text>',
           f'<text x="{w / 2}" y="18" text-anchor="middle">Frame time, 1024x768, Wine and Mesa llvmpipe</text>']
    for i in range(5):
        y = ymax * i / 5
        svg.append(f'<text x="{left - 6}" y="{py(y) + 4}" text-anchor="end">{y:.1f}</text>')
        svg.append(f'<line x1="{left}" y1="{py(y)}" x2="{w - right}" y2="{py(y)}" stroke="#ddd"/>')
    points = " ".join(f"{px(x):.1f},{py(y):.1f}" for x, y in zip(xs, ys))
    svg.append(f'<polyline points="{points}" fill="none" stroke="#c40" stroke-width="2"/>')
    for x, y in zip(xs, ys):
        svg.append(f'<circle cx="{px(x):.1f}" cy="{py(y):.1f}" r="4" fill="#c40"/>')
        svg.append(f'<text x="{px(x):.1f}" y="{py(y) - 10:.1f}" text-anchor="middle">{y:.2f}</text>')
        svg.append(f'<text x="{px(x):.1f}" y="{py(0) + 16:.1f}" text-anchor="middle">{x}</text>')
    svg.append("</svg>")
    with open(path, "w") as f:
        f.write("\n".join(svg) + "\n")


def main(folder):
    with open(os.path.join(folder, "scene.json")) as f:
        scene_tables(json.load(f))
    frames = read_csv(os.path.join(folder, "frames.csv"))
    print("| satellites | ms per frame |")
    print("|---:|---:|")
    for r in frames:
        print(f"| {r['satellites']} | {float(r['ms_per_frame']):.2f} |")
    print()
    startup = [float(r["ms_to_first_frame"]) for r in read_csv(os.path.join(folder, "startup.csv"))]
    print(f"startup to first frame: median {sorted(startup)[len(startup) // 2]:.0f} ms "
          f"(runs: {', '.join(f'{s:.0f}' for s in startup)})")
    cpu = read_csv(os.path.join(folder, "cpu.csv"))[0]
    share = float(cpu["cpu_seconds"]) / float(cpu["wall_seconds"])
    print(f"steady CPU use at 5 satellites: {float(cpu['cpu_seconds']):.2f} s of CPU in "
          f"{float(cpu['wall_seconds']):.1f} s, {100 * share:.1f}% of one core")
    svg = os.path.join(folder, "frame_time.svg")
    plot(frames, svg)
    subprocess.run(["convert", svg, os.path.join(folder, "frame_time.png")], check=False)
    print(f"plot: {os.path.join(folder, 'frame_time.png')}")


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "build/bench")
