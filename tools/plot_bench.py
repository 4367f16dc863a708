#!/usr/bin/python3
"""Plots load and query cost against model size from bench_scaling's JSON output.

usage: tools/plot_bench.py SCALING.json OUT.png   (Debian's python3 with python3-matplotlib)

Every BM_Scale_* series becomes one line, time per operation (CPU time, milliseconds) against the
faces of the generated hall, on log-log axes; the legend gives each line's growth exponent k, the
slope of a least-squares fit of log(time) against log(faces): time grows like faces^k. The same
figures are printed as a table on standard output.
"""

import json
import math
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402

LABELS = {
    "BM_Scale_Load": "3DS load (parse + normals)",
    "BM_Scale_Normals": "vertex normals, one pass",
    "BM_Scale_NormalsReference": "vertex normals, per-vertex scan",
    "BM_Scale_OctreeBuild": "octree build",
    "BM_Scale_Collide": "sphere query, octree (per query)",
    "BM_Scale_CollideBruteForce": "sphere query, every face (per query)",
}

TO_MS = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}


def milliseconds(entry):
    """CPU time of one operation; a series timing many queries a round reports per query."""
    if "query_us" in entry:
        return entry["query_us"] * 1e3  # a rate counter inverted: seconds per query
    return entry["cpu_time"] * TO_MS[entry["time_unit"]]


def growth(points):
    xs = [math.log(x) for x, _ in points]
    ys = [math.log(y) for _, y in points]
    n = len(points)
    mx, my = sum(xs) / n, sum(ys) / n
    sxx = sum((x - mx) ** 2 for x in xs)
    return sum((x - mx) * (y - my) for x, y in zip(xs, ys)) / sxx if sxx > 0 else float("nan")


def main(argv):
    if len(argv) != 3:
        sys.stderr.write(__doc__)
        return 2
    with open(argv[1], encoding="utf-8") as f:
        data = json.load(f)
    series = {}
    for entry in data.get("benchmarks", []):
        if entry.get("run_type", "iteration") != "iteration" or "error_occurred" in entry:
            continue
        family = entry["name"].split("/")[0]
        if family not in LABELS or "faces" not in entry:
            continue
        series.setdefault(family, []).append((entry["faces"], milliseconds(entry)))
    if not series:
        sys.stderr.write("plot_bench.py: no BM_Scale_* figures in %s\n" % argv[1])
        return 1

    fig, ax = plt.subplots(figsize=(9, 6), dpi=100)
    print("%-40s %s" % ("series", "faces: ms per operation ... growth exponent"))
    for family in LABELS:
        points = sorted(series.get(family, []))
        if len(points) < 2:
            continue
        k = growth(points)
        ax.plot([p[0] for p in points], [p[1] for p in points], marker="o",
                label="%s  (k = %.2f)" % (LABELS[family], k))
        cells = "  ".join("%d: %.4g" % (x, y) for x, y in points)
        print("%-40s %s  k=%.2f" % (LABELS[family], cells, k))
    ax.set_xscale("log")
    ax.set_yscale("log")
    ax.set_xlabel("faces in the level")
    ax.set_ylabel("CPU time per operation (ms)")
    context = data.get("context", {})
    ax.set_title("Load and query cost against model size (%s CPUs, one run)" % context.get("num_cpus", "?"))
    ax.grid(True, which="both", linestyle=":", linewidth=0.5)
    ax.legend(fontsize=8, loc="upper left")
    fig.tight_layout()
    fig.savefig(argv[2])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
