#!/usr/bin/env python3
"""How far two runs of a style benchmark agree (Google Benchmark JSON output).

Per style, the largest x_memcpy over frame sizes and progress values in each
run, and their relative difference (|a - b| / min(a, b)). Lists the styles
that differ by more than the tolerance (15 % unless given) and sums up, and
whether each run's repetition rounds held still (see x_memcpy_table.py).

usage: x_memcpy_agreement.py RUN_A.json RUN_B.json [tolerance]
"""
import json
import sys

from x_memcpy_table import describe_rounds, round_shifts


def worst_per_style(path):
    """{style: largest x_memcpy}, from the medians when the run has repetitions."""
    with open(path, encoding="utf-8") as f:
        run = json.load(f)
    single, medians = {}, {}
    for b in run["benchmarks"]:
        if "x_memcpy" not in b:
            continue
        if b.get("run_type") == "aggregate":
            if b.get("aggregate_name") == "median":
                medians[b["run_name"]] = b["x_memcpy"]
        else:
            single[b.get("run_name", b["name"])] = b["x_memcpy"]
    worst = {}
    for name, x in (medians or single).items():
        parts = [p for p in name.split("/") if not p.startswith("iterations:")]
        if parts[0] != "style":
            continue
        style = int(parts[1])
        worst[style] = max(worst.get(style, 0.0), x)
    return worst


def main():
    a, b = worst_per_style(sys.argv[1]), worst_per_style(sys.argv[2])
    tolerance = float(sys.argv[3]) if len(sys.argv) > 3 else 0.15
    styles = sorted(set(a) & set(b))
    differences = {s: abs(a[s] - b[s]) / min(a[s], b[s]) for s in styles}
    print(f"{'style':>5}  {'run A':>6}  {'run B':>6}  {'diff':>6}")
    for s in styles:
        if differences[s] > tolerance:
            print(f"{s:>5}  {a[s]:6.2f}  {b[s]:6.2f}  {differences[s]:6.1%}")
    within = sum(1 for s in styles if differences[s] <= tolerance)
    largest = max(differences.values(), default=0.0)
    print(f"{within} of {len(styles)} styles agree within {tolerance:.0%}; largest difference {largest:.1%}")
    for label, path in (("A", sys.argv[1]), ("B", sys.argv[2])):
        with open(path, encoding="utf-8") as f:
            print(f"run {label} {describe_rounds(round_shifts(json.load(f)))}")


if __name__ == "__main__":
    main()
