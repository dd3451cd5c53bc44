# Helpers for the bench scripts that time a command as processor time against
# a limit measured in the same run, so that a figure holds on a busy machine,
# and set up the run.
# Source it; it needs perf, whose task-clock counts to the microsecond where
# /usr/bin/time counts in hundredths of a second.

# Prints the median of the numbers given.
median() {
    printf '%s\n' "$@" | sort -g | awk '{t[NR] = $1} END {print t[int((NR + 1) / 2)]}'
}

# Prints the median user plus system time, in seconds, of RUNS runs of the
# command (RUNS defaults to 5). The command's output is dropped.
cpu_seconds() {
    local runs=${RUNS:-5} times=() i
    for ((i = 0; i < runs; i++)); do
        times+=("$(perf stat -x, -e task-clock "$@" 2>&1 >/dev/null | awk -F, '$3 == "task-clock" {print $1 / 1000}')")
    done
    median "${times[@]}"
}

# Prints the median time from start to end, in seconds, of RUNS runs of the
# command, for a command that works on several processors at once.
wall_seconds() {
    local runs=${RUNS:-5} times=() i start
    for ((i = 0; i < runs; i++)); do
        start=$EPOCHREALTIME
        "$@" >/dev/null 2>&1
        times+=("$(awk -v s="$start" -v e="$EPOCHREALTIME" 'BEGIN { print e - s }')")
    done
    median "${times[@]}"
}

# Prints one line: what was timed, its CPU time, the reference's CPU time and
# their ratio. usage: print_ratio NAME SECONDS REFERENCE_NAME REFERENCE_SECONDS
print_ratio() {
    awk -v name="$1" -v t="$2" -v rname="$3" -v r="$4" 'BEGIN {
        ratio = r > 0 ? t / r : 0
        printf "%-34s %7.3f s CPU   %-26s %7.3f s CPU   ratio %6.2f\n", name, t, rname, r, ratio
    }'
}

# Sets cli to team-editor-cli of the build folder (build/ when none is given)
# and work to a new folder that is removed on exit.
# usage: start_cli_bench ROOT [BUILD_DIR]
start_cli_bench() {
    local build=${2:-"$1/build"}
    cli="$build/bin/team-editor-cli"
    [ -x "$cli" ] || { echo "no $cli: build team-editor-cli first" >&2; exit 1; }
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
}
