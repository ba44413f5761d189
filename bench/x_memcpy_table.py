#!/usr/bin/env python3
"""Compact table of a style benchmark run (Google Benchmark JSON output).

Per style: the largest x_memcpy (the median of paired ratios to a memcpy of
the frame) over frame sizes and progress values, and the value at 1200x850 /
progress 50. With --benchmark_repetitions the median of
the repetitions is used. Names come from src/effects/catalogue.cpp.

usage: x_memcpy_table.py RUN.json [catalogue.cpp]
"""
import json
import os
import re
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


def main():
    run_path = sys.argv[1]
    here = os.path.dirname(os.path.abspath(__file__))
    catalogue = sys.argv[2] if len(sys.argv) > 2 else os.path.join(here, "..", "src", "effects", "catalogue.cpp")
    names = style_names(catalogue)
    with open(run_path, encoding="utf-8") as f:
        values = figures(json.load(f))
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


if __name__ == "__main__":
    main()
