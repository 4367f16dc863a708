#!/usr/bin/python3
"""Summarises one run of tools/measure_performance.sh as the ratios docs/PERFORMANCE.md reports.

usage: tools/perf_summary.py OUT_DIR

Reads OUT_DIR/alternate-LEVEL-N.txt (timedemos whose frames alternate culled and baseline, so the
two modes ran at the same moments), fragments-LEVEL.txt, floor.txt, memory-*.txt and the benchmarks'
JSON, and prints Markdown.
"""

import glob
import json
import os
import re
import statistics
import sys


def read_report(text):
    """The figures of one mode's report."""
    first = re.match(r"(\d+) frames ([\d.]+) seconds ([\d.]+) fps ([\d.]+)/([\d.]+)/([\d.]+)/([\d.]+) ms", text)
    figures = {
        "frames": int(first.group(1)), "seconds": float(first.group(2)), "fps": float(first.group(3)),
        "min": float(first.group(4)), "avg": float(first.group(5)), "max": float(first.group(6)),
        "stddev": float(first.group(7)),
    }
    patterns = {
        "median": r"frame time median: ([\d.]+) ms",
        "p99": r"frame time 99th percentile: ([\d.]+) ms",
        "leaves": r"leaves drawn per frame: ([\d.]+) of (\d+)",
        "nodes": r"octree nodes tested per frame: ([\d.]+)",
        "faces": r"collision faces tested per frame: ([\d.]+)",
        "cpu_ms": r"frame CPU work .*?: ([\d.]+) ms per frame \(([\d.]+)% of frame time\)",
        "startup": r"start-up \(process start to first frame\): ([\d.]+) seconds",
        "shaded": r"level fragments per frame: ([\d.]+) M shaded \(([\d.]+) x the window\)",
        "passed": r"([\d.]+) M passing the depth test \(([\d.]+) x",
    }
    for key, pattern in patterns.items():
        m = re.search(pattern, text)
        if m is None:
            continue
        figures[key] = float(m.group(1))
        if key == "leaves":
            figures["leaf_total"] = int(m.group(2))
        if key == "cpu_ms":
            figures["cpu_share"] = float(m.group(2))
        if key in ("shaded", "passed"):
            figures[key + "_windows"] = float(m.group(2))
    return figures


def read_alternate(path):
    """Culled figures, baseline figures and the two ratios of an alternating timedemo's output."""
    text = open(path, encoding="utf-8").read()
    reports = [r for r in re.split(r"\n(?=\d+ frames )", text) if r.strip()]
    culled = read_report(next(r for r in reports if "mode: culled" in r))
    baseline = read_report(next(r for r in reports if "mode: baseline" in r))
    m = re.search(r"culled over baseline, alternate frames: ([\d.]+) \(frames per second\), ([\d.]+)", text)
    return culled, baseline, float(m.group(1)), float(m.group(2))


def print_timedemos(out):
    levels = sorted({re.search(r"alternate-(.+)-\d+\.txt$", p).group(1)
                     for p in glob.glob(os.path.join(out, "alternate-*-[0-9]*.txt"))})
    for level in levels:
        rounds = [read_alternate(p) for p in sorted(glob.glob(os.path.join(out, "alternate-%s-[0-9]*.txt" % level)))]
        print("%s: culled and baseline in alternate frames of one timedemo" % level)
        print()
        print("| run | culled fps | baseline fps | culled / baseline (fps) | (median frame) | leaves drawn (culled) | frame CPU share | start-up |")
        print("|---|---|---|---|---|---|---|---|")
        for n, (c, b, fps_ratio, median_ratio) in enumerate(rounds, 1):
            print("| %d | %.1f | %.1f | %.3f | %.3f | %.1f of %d (%.1f%%) | %.2f%% | %.3f s |" % (
                n, c["fps"], b["fps"], fps_ratio, median_ratio, c["leaves"], c["leaf_total"],
                100.0 * c["leaves"] / c["leaf_total"], c["cpu_share"], c["startup"]))
        print()
        print("%s: median culled/baseline %.3f (fps), %.3f (median frame time)" % (
            level, statistics.median(r[2] for r in rounds), statistics.median(r[3] for r in rounds)))
        model, octree = (os.path.join(out, "%s-%s.json" % (k, level)) for k in ("model", "octree"))
        if os.path.exists(model) and os.path.exists(octree):
            faces = sum(o["faceCount"] for o in json.load(open(model, encoding="utf-8"))["objects"])
            tree = json.load(open(octree, encoding="utf-8"))
            held = sum(leaf["triangleCount"] for leaf in tree["leaves"])
            print("%s: %d faces; the %d leaves hold %d triangles (%.2f times the faces)" % (
                level, faces, tree["leafCount"], held, held / faces))
        fragments = os.path.join(out, "fragments-%s.txt" % level)
        if os.path.exists(fragments):
            c, b, _, _ = read_alternate(fragments)
            for label, f in (("culled", c), ("baseline", b)):
                if "passed" in f:
                    print("%s, %s: level fragments per frame %s M shaded (%s x the window), %.2f M passing (%.1f x)" % (
                        level, label, "%.2f" % f["shaded"] if "shaded" in f else "n/a",
                        "%.1f" % f["shaded_windows"] if "shaded" in f else "n/a", f["passed"], f["passed_windows"]))
        print()


def benchmarks(path):
    if not os.path.exists(path):
        return {}
    data = json.load(open(path, encoding="utf-8"))
    return {b["name"]: b for b in data.get("benchmarks", []) if b.get("run_type", "iteration") == "iteration"}


# The frame-cost targets: timedemo fps over the floor's (median of the rounds), the church's
# fragments shaded per frame in the culled frames (half of the 2.7 M measured when the target was
# set), and culled over baseline on the larger level (median of the runs, from frames per second).
FLOOR_TARGET = 0.35
FRAGMENT_TARGET = 1.35
LARGE_TARGET = 2.0


def print_targets(out):
    rows = []
    floor = os.path.join(out, "floor.txt")
    m = re.search(r"median ([\d.]+)", open(floor, encoding="utf-8").read()) if os.path.exists(floor) else None
    if m:
        rows.append(("timedemo fps / floor fps at least %.2f" % FLOOR_TARGET, float(m.group(1)), float(m.group(1)) >= FLOOR_TARGET))
    fragments = os.path.join(out, "fragments-church.txt")
    if os.path.exists(fragments):
        culled = read_alternate(fragments)[0]
        if "shaded" in culled:
            rows.append(("church fragments shaded per frame at most %.2f M" % FRAGMENT_TARGET, culled["shaded"],
                         culled["shaded"] <= FRAGMENT_TARGET))
    large = sorted(glob.glob(os.path.join(out, "alternate-large-[0-9]*.txt")))
    if large:
        ratio = statistics.median(read_alternate(p)[2] for p in large)
        rows.append(("culled / baseline on the larger level at least %.1f" % LARGE_TARGET, ratio, ratio >= LARGE_TARGET))
    if rows:
        print("| target | measured | met |")
        print("|---|---|---|")
        for name, value, met in rows:
            print("| %s | %.3f | %s |" % (name, value, "yes" if met else "**no**"))
        print()


def main(argv):
    if len(argv) != 2:
        sys.stderr.write(__doc__)
        return 2
    out = argv[1]
    print_timedemos(out)
    print_targets(out)
    floor = os.path.join(out, "floor.txt")
    if os.path.exists(floor):
        print("".join(line for line in open(floor, encoding="utf-8") if not line.startswith("round ")))
    memory = {k: os.path.join(out, "memory-%s.txt" % k) for k in ("timedemo", "floor")}
    if all(os.path.exists(p) for p in memory.values()):
        kb = {k: int(open(p, encoding="utf-8").read().split()[-1]) for k, p in memory.items()}
        print("peak resident memory over 2000 frames: timedemo %.0f MB, floor program %.0f MB (window and GL driver)" % (
            kb["timedemo"] / 1024, kb["floor"] / 1024))
        print()
    for file, bench in (("octree.json", "BM_CollideOctree"), ("models.json", "BM_ReferenceNormalsScan")):
        b = benchmarks(os.path.join(out, file)).get(bench)
        if b is not None and "speedup" in b:
            print("%s speedup (thread CPU time): %.0f" % (bench, b["speedup"]))
    print()

    loading = benchmarks(os.path.join(out, "loading.json"))
    side = [b for name, b in loading.items() if name.startswith("BM_Load3DS_SideBySide/")]
    if side:
        print()
        print("| file | faces | ours (ms CPU) | lib3ds / ours | lib3ds+normals / ours | assimp / ours |")
        print("|---|---|---|---|---|---|")
        for b in side:
            name = b["name"].split("/")[1]
            faces = loading.get("BM_Load3DS_Ours/" + name, {}).get("faces", float("nan"))
            print("| %s | %d | %.2f | %s | %s | %s |" % (
                name, faces, b["ours_ms"],
                "%.2f" % b["lib3ds_over_ours"] if "lib3ds_over_ours" in b else "n/a",
                "%.2f" % b["lib3ds_normals_over_ours"] if "lib3ds_normals_over_ours" in b else "n/a",
                "%.2f" % b["assimp_over_ours"] if "assimp_over_ours" in b else "n/a"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
