#!/usr/bin/env bash
# Runs every benchmark of the trainer, each beside the bare Qt program, and prints one table.
#   bench/run-benchmarks.sh [build folder] [Windows folder]
#       build folder     default: build/bench (`make bench` runs it)
#       Windows folder   the Windows builds of the trainer and the bare program side by side
#                        (build/windows/bench-folder); when given, their start-up under Wine
#                        is measured too
# Settings, from the environment:
#   BENCH_RUNS            runs of each measure, the medians are taken over (default 5)
#   BENCH_TIMER_SECONDS   how long the run of the timer accuracy measure stays open (default 600)
# Each benchmark starts its own X server (Xvfb) and window manager (openbox) and stops them at
# the end. The table goes to stdout, progress to stderr.
set -euo pipefail

build=${1:-build/bench}
windows_folder=${2:-}
runs=${BENCH_RUNS:-5}
seconds=${BENCH_TIMER_SECONDS:-600}

for setting in "BENCH_RUNS=$runs" "BENCH_TIMER_SECONDS=$seconds"; do
    if ! [[ ${setting#*=} =~ ^[1-9][0-9]*$ ]]; then
        echo "run-benchmarks: $setting is not a positive whole number" >&2
        exit 2
    fi
done

program="$build/kunpu-typing"
bare="$build/bench/bare-two-windows"
windows="$build/bench/bench-windows"
in_process="$build/bench/bench-in-process"
for executable in "$program" "$bare" "$windows" "$in_process"; do
    if [[ ! -x $executable ]]; then
        echo "run-benchmarks: $executable is missing; build the bench preset first" >&2
        exit 2
    fi
done

echo "kunpu-typing benchmarks: $runs runs each (timer: one run of $seconds s); $(nproc) cores;" \
    "times in ms, memory in MiB"
echo "program = the trainer; bare = a Qt program that only opens two similar windows"
"$windows" startup --runs "$runs" --program "$program" --bare "$bare"
"$windows" memory --runs "$runs" --program "$program" --bare "$bare"
"$in_process" latency --runs "$runs"
"$in_process" timer --seconds "$seconds"
if [[ -n $windows_folder ]]; then
    echo "wine = the Windows builds of both, started under Wine"
    "$windows" wine-startup --runs "$runs" --program "$windows_folder/kunpu-typing.exe" \
        --bare "$windows_folder/bare-two-windows.exe"
fi
