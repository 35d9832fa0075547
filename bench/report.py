#!/usr/bin/env python3
"""Turns the bench's raw lines (bench/run_bench.sh) into one table, printed
and written as Markdown, each figure beside its goal.

    report.py --mode full|quick RAW.tsv RESULTS.md

Timings are medians with minimum and maximum over the measured rounds (warm-up
rounds are left out); ratios are taken pair by pair, the two programs having
run in turn, and then their median is compared with the goal. In quick mode
the rounds are too few to mean anything, so no verdict is given; the report
still fails when a figure is missing, which means the bench itself broke.
"""
import argparse
import statistics
import sys

KIB = 1024


def read_raw(path):
    starts = {}  # label -> round -> program -> (start, close); "footprint": (commit, working set)
    toggles = []
    memory = {}
    idle = None
    linux = None
    sizes = {}
    machine = []
    settle = 0
    with open(path, encoding="utf-8") as raw:
        for line in raw:
            fields = line.rstrip("\r\n").split("\t")
            kind = fields[0]
            if kind in ("start", "right_after", "site"):
                round_number = int(fields[1])
                if round_number >= 0:
                    starts.setdefault(kind, {}).setdefault(round_number, {})[fields[2]] = (
                        float(fields[3]), float(fields[4]))
            elif kind == "footprint":
                starts.setdefault(kind, {}).setdefault(int(fields[1]), {})[fields[2]] = (
                    int(fields[3]), int(fields[4]))
            elif kind == "toggle":
                toggles.append((float(fields[2]), float(fields[3])))
            elif kind == "memory":
                memory[fields[1]] = (int(fields[2]), int(fields[3]))
            elif kind == "idle":
                idle = (int(fields[1]), float(fields[2]))
            elif kind == "linux":
                linux = (int(fields[2]), int(fields[3]), int(fields[4]), int(fields[5]))
            elif kind == "size":
                sizes[fields[1]] = (int(fields[2]), fields[3])
            elif kind == "settle":
                settle = int(fields[1])
            elif kind == "machine":
                machine.append((fields[1], fields[2]))
    return starts, toggles, memory, idle, linux, sizes, machine, settle


def spread(values, unit="ms"):
    return f"{statistics.median(values):.1f} {unit} ({min(values):.1f}–{max(values):.1f})"


def ratio_text(ratios):
    return f"{statistics.median(ratios):.2f} ({min(ratios):.2f}–{max(ratios):.2f})"


def verdict(mode, met):
    if mode == "quick":
        return "—"
    return "yes" if met else "**no**"


def paired(series, index):
    rounds = [r for r in series.values() if "veilux" in r and "floor" in r]
    program = [r["veilux"][index] for r in rounds]
    floor = [r["floor"][index] for r in rounds]
    ratios = [p / f for p, f in zip(program, floor) if f > 0]
    return program, floor, ratios


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--mode", choices=("full", "quick"), required=True)
    parser.add_argument("raw")
    parser.add_argument("results")
    options = parser.parse_args()
    mode = options.mode

    starts, toggles, memory, idle, linux, sizes, machine, settle = read_raw(options.raw)
    missing = [name for name, present in (
        ("start", "start" in starts), ("right_after", "right_after" in starts), ("site", "site" in starts),
        ("footprint", "footprint" in starts),
        ("toggle", bool(toggles)), ("memory warm", "warm" in memory), ("memory after", "after" in memory),
        ("idle", idle is not None), ("linux", linux is not None), ("size veilux", "veilux" in sizes), ("size floor", "floor" in sizes))
        if not present]
    if missing:
        print(f"report.py: no figures for: {', '.join(missing)}", file=sys.stderr)
        return 1

    head = "| figure | veilux.exe | floor | ratio, pair by pair | goal | met |"
    rule = "|---|---|---|---|---|---|"
    rows = []

    def start_close_rows(label, index, name, goal_text, goal, information=False):
        program, floor, ratios = paired(starts[label], index)
        met = "for information" if information else verdict(mode, statistics.median(ratios) <= goal)
        rows.append(f"| {name} | {spread(program)} | {spread(floor)} | {ratio_text(ratios)} | {goal_text} | {met} |")

    start_close_rows("start", 0, "start-to-ready", "≤ 1.2 ×", 1.2)
    start_close_rows("site", 0, "start-to-ready, site up answering 100", "—", 0, information=True)
    start_close_rows("start", 1, f"close-to-exit ({settle / 1000:g} s after ready)", "≤ 1.5 ×", 1.5)
    start_close_rows("right_after", 1, "close-to-exit right after ready", "—", 0, information=True)

    # What the program holds all day: 3 s after its window first answered,
    # its start and its update check over.
    for index, name, goal_text, goal in ((0, "commit", "≤ 1.5 ×", 1.5), (1, "working set", "—", None)):
        program, floor, ratios = paired(starts["footprint"], index)
        met = "for information" if goal is None else verdict(mode, statistics.median(ratios) <= goal)
        program_kib = [value / KIB for value in program]
        floor_kib = [value / KIB for value in floor]
        rows.append(f"| {name} 3 s after ready | {spread(program_kib, 'KiB')} | {spread(floor_kib, 'KiB')} | "
                    f"{ratio_text(ratios)} | {goal_text} | {met} |")

    program = [t[0] for t in toggles]
    direct = [t[1] for t in toggles]
    ratios = [p / d for p, d in toggles if d > 0]
    rows.append(f"| one toggle ({len(toggles)} in turn) | {spread(program)} | {spread(direct)} (same calls, direct) | "
                f"{ratio_text(ratios)} | ≤ 1.1 × | {verdict(mode, statistics.median(ratios) <= 1.1)} |")

    warm, after = memory["warm"][0], memory["after"][0]
    growth = after - warm
    rows.append(f"| committed memory over {len(toggles)} toggles after warm-up | {warm / KIB:.0f} KiB → "
                f"{after / KIB:.0f} KiB: {growth / KIB:+.0f} KiB | — | — | grows ≤ 64 KiB | "
                f"{verdict(mode, growth <= 64 * KIB)} |")

    seconds, cpu = idle
    rows.append(f"| CPU time idle for {seconds} s (GetProcessTimes) | {cpu:.0f} ms | — | — | 0 ms | "
                f"{verdict(mode, cpu == 0)} |")
    run_ns, slices, threads, ended = linux
    rows.append(f"| the same seen by Linux: run time, times scheduled ({threads} thread{'s' * (threads != 1)}"
                f"{f'; {ended} ended meanwhile' if ended else ''}) | "
                f"{run_ns / 1e6:.2f} ms, {slices} | — | — | no timer, no polling | for information |")

    release, source = sizes["veilux"]
    floor_size, _ = sizes["floor"]
    rows.append(f"| release .exe ({source}) | {release:,} bytes ({release / KIB:.0f} KiB) | {floor_size:,} bytes | "
                f"{release / floor_size:.1f} | ≤ 256 KiB | {verdict(mode, release <= 256 * KIB)} |")

    lines = []
    if mode == "quick":
        lines.append("Quick mode: one round of each; the figures show that the bench works, not how fast anything is.")
        lines.append("")
    lines += [head, rule] + rows
    lines.append("")
    private = memory["after"][1]
    lines.append(f"Memory is PROCESS_MEMORY_COUNTERS_EX.PagefileUsage (PrivateUsage read {private}).")
    lines.append("")
    lines.append("| machine | |")
    lines.append("|---|---|")
    lines += [f"| {name} | {value} |" for name, value in machine]
    text = "\n".join(lines) + "\n"
    with open(options.results, "w", encoding="utf-8") as results:
        results.write(text)
    print(text, end="")
    return 0


if __name__ == "__main__":
    sys.exit(main())
