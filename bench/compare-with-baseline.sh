#!/usr/bin/env bash
# Reading benchmarks of this tree beside a baseline commit, run in turns on
# the same databases so that both see the same machine load: bench_orderdb
# and bench_large_database, each a given number of rounds, then a table of
# the medians over the rounds.
#
#   bench/compare-with-baseline.sh [baseline commit] [rounds]
#
# The baseline (default bf5ea7e, the commit before the reading was made
# compact and parallel) is a detached worktree beside this one ("<this
# folder>-base", or $BASE_WORKTREE), added when missing and never committed
# to. It is built with this tree's benchmark sources, so that both sides are
# measured alike; only the program's code differs. Run it on a quiet machine:
# every figure is wall clock.
set -euo pipefail
cd "$(dirname "$0")/.."
baseline=${1:-bf5ea7e}
rounds=${2:-3}
here=$(pwd)
base=${BASE_WORKTREE:-$here-base}
targets=(bench_orderdb bench_large_database qmdata-reader)

if [[ ! -d $base ]]; then
    git worktree add --detach "$base" "$baseline"
fi
cp -r bench/. "$base/bench/"
for tree in "$here" "$base"; do
    (cd "$tree" && cmake --preset default >/dev/null &&
        cmake --build --preset default -j"$(nproc)" --target "${targets[@]}" >/dev/null)
done

# Both sides read the same files, written once by this tree's writer.
data=$here/build/bench-data
data1m=$here/build/bench-data-1m
mkdir -p "$data" "$data1m"
[[ -f $data/qmdata.mdb ]] || "$here/build/default/bin/bench_orderdb" --write "$data/qmdata.mdb"
[[ -f $data1m/qmdata.mdb ]] || "$here/build/default/bin/bench_large_database" --write "$data1m"

log=$here/build/compare-with-baseline.log
: >"$log"
for ((round = 1; round <= rounds; round++)); do
    for side in baseline this; do
        tree=$here
        [[ $side == baseline ]] && tree=$base
        echo "== $side, round $round" | tee -a "$log"
        "$tree/build/default/bin/bench_orderdb" "$data/qmdata.mdb" | tee -a "$log"
        "$tree/build/default/bin/bench_large_database" "$data1m" | tee -a "$log"
    done
done

python3 - "$log" <<'EOF'
import re, statistics, sys
figures = {}  # (side, figure) -> values
side = None
section = None
for line in open(sys.argv[1]):
    if m := re.match(r"== (\w+), round", line):
        side = m.group(1)
        continue
    if m := re.match(r"(Client \+ JobLog|Orders)\s+cursors\s+([\d.]+) s.*reader alone\s+([\d.]+) s", line):
        section = m.group(1)
        figures.setdefault((side, f"{section}: cursors, s"), []).append(float(m.group(2)))
        figures.setdefault((side, f"{section}: reader alone, s"), []).append(float(m.group(3)))
    elif m := re.search(r"mdb-export\s+([\d.]+) s.*cat\s+([\d.]+) s", line):
        figures.setdefault((side, f"{section}: mdb-export, s"), []).append(float(m.group(1)))
        figures.setdefault((side, f"{section}: cat, s"), []).append(float(m.group(2)))
    elif m := re.match(r"(main window load|first selection|Refresh Jobs):\s+([\d.]+) s", line):
        figures.setdefault((side, f"1M: {m.group(1)}, s"), []).append(float(m.group(2)))
    elif m := re.match(r"later selections:\s+median ([\d.]+) s", line):
        figures.setdefault((side, "1M: later selections (median), s"), []).append(float(m.group(1)))
    elif m := re.match(r"program peak:\s+(\d+) MiB.*, ([\d.]+) x the file", line):
        figures.setdefault((side, "1M: program peak, x the file"), []).append(float(m.group(2)))
names = list(dict.fromkeys(name for _, name in figures))
median = lambda side, name: statistics.median(figures.get((side, name), [float("nan")]))
print(f"\nMedians over the rounds\n{'figure':44} {'baseline':>9} {'this':>9}")
for name in names:
    print(f"{name:44} {median('baseline', name):9.3f} {median('this', name):9.3f}")
for section in ("Client + JobLog", "Orders"):
    for side in ("baseline", "this"):
        c, r = median(side, f"{section}: cursors, s"), median(side, f"{section}: reader alone, s")
        e, k = median(side, f"{section}: mdb-export, s"), median(side, f"{section}: cat, s")
        print(f"{section + ', ' + side + ':':30} cursors/mdb-export {c / e:.2f}, "
              f"cursors/cat {c / k:.1f}, reader alone/cat {r / k:.1f}")
EOF
