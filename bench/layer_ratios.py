#!/usr/bin/env python3
"""Reads lockbench-layer-bench JSON (run with --benchmark_repetitions) and
prints a Markdown table of the median times and the layer/raw ratio per pair.

  ./build/lockbench-layer-bench --benchmark_repetitions=7 --benchmark_format=json > bench.json
  python3 bench/layer_ratios.py bench.json
"""
import json
import sys


def main(path):
    with open(path) as stream:
        runs = json.load(stream)["benchmarks"]
    medians = {}
    for run in runs:
        if run.get("aggregate_name") == "median":
            medians[run["run_name"]] = run
    pairs = sorted({name.rsplit("/", 1)[0] for name in medians},
                   key=lambda name: [int(p) if p.isdigit() else p for p in name.split("/")])
    worst = 0.0
    print("| operation | layer (ns) | raw (ns) | layer/raw |")
    print("|---|---:|---:|---:|")
    for pair in pairs:
        layer, raw = medians.get(pair + "/layer"), medians.get(pair + "/raw")
        if layer is None or raw is None:
            continue
        ratio = layer["real_time"] / raw["real_time"]
        worst = max(worst, ratio)
        extra = ""
        if "items_per_second" in layer:
            extra = " ({:.2f} / {:.2f} G increments/s)".format(
                layer["items_per_second"] / 1e9, raw["items_per_second"] / 1e9)
        print("| {}{} | {:.1f} | {:.1f} | {:.3f} |".format(
            pair, extra, layer["real_time"], raw["real_time"], ratio))
    print("\nlargest layer/raw ratio: {:.3f}".format(worst))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "/dev/stdin")
