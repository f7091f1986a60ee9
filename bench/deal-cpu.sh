#!/usr/bin/env bash
# What the animated deal costs on a real display. Target for a Freecell deal: under 100 ms of
# the program's CPU and under 40 ms of the X server's.
#
#   bench/deal-cpu.sh [RUNS]      (default 5)
#
# Each run starts build/program/kestrane under its own Xvfb (1280x1024x24) on a fresh data
# folder that chooses Freecell with the deal animated, and prints:
#   shown   milliseconds from the start of the program until the dealt table is shown
#   deal    milliseconds the deal took, from its first drawing to the dealt table
#   cpu     the program's CPU time over the deal, the last frame included
#   xcpu    the X server's CPU time over the same
#   total   the program's CPU time from its start until the dealt table is shown
# then the median of each column. The program marks the deal's start and end on stderr when
# KESTRANE_DEAL_NOTICE is set; CPU times come from the scheduler's counters of every thread.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
program=${KESTRANE:-$here/../build/program/kestrane}

# CPU nanoseconds of a process: the sum over its threads.
cpu_ns() {
    local sum=0 task run rest
    for task in /proc/"$1"/task/*/schedstat; do
        read -r run rest <"$task" 2>/dev/null || continue
        sum=$((sum + run))
    done
    echo "$sum"
}

# Microseconds of the wall clock, without a process of its own.
now_us() { echo "${EPOCHREALTIME/./}"; }

# One run, inside xvfb-run: the X server is the other child of xvfb-run's shell.
one_run() {
    local xserver data log pid start t_deal t_shown cpu0 x0 cpu1 x1 waited line pending=''

    xserver=$(pgrep -P "$PPID" -x Xvfb | head -n 1)
    [[ -n $xserver ]] || { echo "no Xvfb found" >&2; exit 1; }
    data=$(mktemp -d)
    log=$data/stderr.txt
    for line in '[Preference]' Game=1 Game_name= Deal_Animation=Y MainWindowState_Maximized=N \
        MainWindowState_Left=0 MainWindowState_Top=0 MainWindowState_Width=1016 MainWindowState_Height=740; do
        printf '%s\r\n' "$line"
    done >"$data/CFG.DAT"
    # Polling with builtins only (a sleep and the log's lines as they come), so that it costs
    # next to nothing beside the program.
    local nap logfd
    exec {nap}<> <(:)

    : >"$log"
    exec {logfd}<"$log"
    start=$(now_us)
    KESTRANE_DEAL_NOTICE=1 "$program" --no-sound --data-dir "$data" 2>>"$log" &
    pid=$!
    t_deal='' t_shown=''
    for ((waited = 0; waited < 6000; ++waited)); do
        if ! IFS= read -r line <&"$logfd"; then
            pending+=$line # a line not yet written to its end
            read -r -t 0.005 -u "$nap" || true
            continue
        fi
        line=$pending$line pending=''
        if [[ $line == 'deal starts' && -z $t_deal ]]; then
            t_deal=$(now_us) cpu0=$(cpu_ns "$pid") x0=$(cpu_ns "$xserver")
        elif [[ $line == 'deal shown' && -n $t_deal ]]; then
            t_shown=$(now_us)
            break
        fi
    done
    exec {logfd}<&-
    if [[ -z $t_shown ]]; then
        echo "the deal was not shown within 30 s" >&2
        kill "$pid"
        exit 1
    fi
    # The last frame is painted and sent to the server after the deal's code returns.
    read -r -t 0.3 -u "$nap" || true
    cpu1=$(cpu_ns "$pid") x1=$(cpu_ns "$xserver")
    local total
    total=$cpu1
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    rm -rf "$data"
    echo "$(((t_shown - start) / 1000)) $(((t_shown - t_deal) / 1000)) $(((cpu1 - cpu0) / 1000000))" \
        "$(((x1 - x0) / 1000000)) $((total / 1000000))"
}

if [[ ${1:-} == --one-run ]]; then
    one_run
    exit 0
fi

runs=${1:-5}
[[ -x $program ]] || { echo "build the program first: make build" >&2; exit 1; }
results=()
printf '%5s %7s %7s %7s %7s %7s\n' run shown deal cpu xcpu total
for ((i = 1; i <= runs; ++i)); do
    line=$(xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" --one-run)
    results+=("$line")
    # shellcheck disable=SC2086
    printf '%5s %7s %7s %7s %7s %7s\n' "$i" $line
done
median() {
    sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : int((v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}
medians=()
for column in 1 2 3 4 5; do
    medians+=("$(printf '%s\n' "${results[@]}" | awk -v c="$column" '{ print $c }' | median)")
done
printf '%5s %7s %7s %7s %7s %7s   (milliseconds)\n' median "${medians[@]}"
