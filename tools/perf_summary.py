#!/usr/bin/python3
"""Summarises one run of tools/measure_performance.sh as the ratios docs/PERFORMANCE.md reports.

usage: tools/perf_summary.py OUT_DIR

Reads OUT_DIR/timedemo-N.txt and timedemo-baseline-N.txt (the rounds alternate culled and baseline,
so each pair ran at about the same moment), loading.json and scaling.json, and prints Markdown.
"""

import glob
import json
import os
import re
import statistics
import sys


def read_report(path):
    text = open(path, encoding="utf-8").read()
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
    return figures


def benchmarks(path):
    if not os.path.exists(path):
        return {}
    data = json.load(open(path, encoding="utf-8"))
    return {b["name"]: b for b in data.get("benchmarks", []) if b.get("run_type", "iteration") == "iteration"}


def main(argv):
    if len(argv) != 2:
        sys.stderr.write(__doc__)
        return 2
    out = argv[1]
    rounds = []
    for culled_path in sorted(glob.glob(os.path.join(out, "timedemo-[0-9]*.txt"))):
        n = re.search(r"timedemo-(\d+)\.txt$", culled_path).group(1)
        baseline_path = os.path.join(out, "timedemo-baseline-%s.txt" % n)
        if os.path.exists(baseline_path):
            rounds.append((n, read_report(culled_path), read_report(baseline_path)))
    if rounds:
        print("| round | culled fps | baseline fps | culled / baseline | leaves drawn (culled) | frame CPU share | start-up |")
        print("|---|---|---|---|---|---|---|")
        for n, c, b in rounds:
            print("| %s | %.1f | %.1f | %.2f | %.1f of %d (%.1f%%) | %.2f%% | %.3f s |" % (
                n, c["fps"], b["fps"], c["fps"] / b["fps"], c["leaves"], c["leaf_total"],
                100.0 * c["leaves"] / c["leaf_total"], c["cpu_share"], c["startup"]))
        ratios = [c["fps"] / b["fps"] for _, c, b in rounds]
        print()
        print("median culled/baseline fps ratio: %.2f" % statistics.median(ratios))
        for label, key in (("culled", 1), ("baseline", 2)):
            r = [x[key] for x in rounds]
            print("%s: median of frame medians %.2f ms, p99 %.2f ms, min/avg/max/stddev of the first round %.1f/%.1f/%.1f/%.1f ms, "
                  "nodes tested %.1f, faces tested %.1f, CPU work %.3f ms (%.2f%%)" % (
                      label, statistics.median(x["median"] for x in r), statistics.median(x["p99"] for x in r),
                      r[0]["min"], r[0]["avg"], r[0]["max"], r[0]["stddev"], statistics.median(x["nodes"] for x in r),
                      statistics.median(x["faces"] for x in r), statistics.median(x["cpu_ms"] for x in r),
                      statistics.median(x["cpu_share"] for x in r)))
        startups = [x[k]["startup"] for x in rounds for k in (1, 2)]
        print("start-up over %d runs: median %.3f s, max %.3f s" % (len(startups), statistics.median(startups), max(startups)))

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
