#!/usr/bin/env python3
"""Compact table of a style benchmark run (Google Benchmark JSON output).

Per style: the largest x_memcpy (the median of paired ratios to a memcpy of
the frame) over frame sizes and progress values, and the value at 1200x850 /
progress 50. With --benchmark_repetitions the median of
the repetitions is used. Names come from src/effects/catalogue.cpp.

With repetitions, the last line says whether the machine held still over the
run: per repetition round, the median over all style figures of that round's
value against the figure's median. Every round near 1 means the table can be
trusted; rounds that moved by more than 5 % (a shared host's busy spell can
shift every figure of its rounds by 10-25 %) mean it should be taken again.

usage: x_memcpy_table.py RUN.json [catalogue.cpp]
"""
import json
import os
import re
import statistics
import sys


def style_names(catalogue_path):
    names = {}
    pattern = re.compile(r'\{"(.*)", \w+(?:, [\w:]+)?\},\s*// (\d+)$')
    with open(catalogue_path, encoding="utf-8") as f:
        for line in f:
            m = pattern.search(line.rstrip())
            if m:
                names[int(m.group(2))] = m.group(1)
    return names


def figures(run):
    """{benchmark name: x_memcpy}, medians when the run has repetitions."""
    single, medians = {}, {}
    for b in run["benchmarks"]:
        if "x_memcpy" not in b:
            continue
        if b.get("run_type") == "aggregate":
            if b.get("aggregate_name") == "median":
                medians[b["run_name"]] = b["x_memcpy"]
        else:
            single[b.get("run_name", b["name"])] = b["x_memcpy"]
    return medians or single


def round_shifts(run):
    """Per repetition round, the median over style benchmarks of that round's
    x_memcpy against the benchmark's median; [] without repetitions."""
    rounds = {}
    for b in run["benchmarks"]:
        if b.get("run_type") == "iteration" and "x_memcpy" in b and b["run_name"].startswith("style/"):
            rounds.setdefault(b["run_name"], {})[b.get("repetition_index", 0)] = b["x_memcpy"]
    shifts = {}
    for values in rounds.values():
        if len(values) < 2:
            continue
        middle = statistics.median(values.values())
        for index, x in values.items():
            shifts.setdefault(index, []).append(x / middle)
    return [statistics.median(shifts[i]) for i in sorted(shifts)]


def describe_rounds(shifts, tolerance=0.05):
    """One line on how far the rounds of a run moved."""
    if not shifts:
        return "# no repetitions: nothing to say about the rounds"
    moved = max(abs(x - 1.0) for x in shifts)
    figures = " ".join(f"{x:.2f}" for x in shifts)
    verdict = "held still" if moved <= tolerance else f"moved by {moved:.0%}: the machine did not hold still, take it again"
    return f"# rounds against the medians: {figures} ({verdict})"


def main():
    run_path = sys.argv[1]
    here = os.path.dirname(os.path.abspath(__file__))
    catalogue = sys.argv[2] if len(sys.argv) > 2 else os.path.join(here, "..", "src", "effects", "catalogue.cpp")
    names = style_names(catalogue)
    with open(run_path, encoding="utf-8") as f:
        run = json.load(f)
    values = figures(run)
    per_style = {}
    references = []
    for name, x in values.items():
        parts = [p for p in name.split("/") if not p.startswith("iterations:")]
        if parts[0] == "style":
            per_style.setdefault(int(parts[1]), {})["/".join(parts[2:])] = x
        else:
            references.append(("/".join(parts), x))
    print(f"{'style':>5}  {'max':>6}  {'1200x850/50':>11}  name")
    for style in sorted(per_style):
        runs = per_style[style]
        worst = max(runs.values())
        at_half = runs.get("1200x850/50", float("nan"))
        print(f"{style:>5}  {worst:6.2f}  {at_half:11.2f}  {names.get(style, '?')}")
    for name, x in sorted(references):
        print(f"{name}: {x:.2f}")
    print(describe_rounds(round_shifts(run)))


if __name__ == "__main__":
    main()
