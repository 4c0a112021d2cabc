#!/usr/bin/env bash
# Measures what a player feels of speed and memory: launch to first frame, resident memory
# on the main menu and on a game board, and CPU use and wake-ups while each stands still.
# Runs the built game under its own Xvfb (1280 x 1024) and prints medians.
#
# Usage: scripts/measure.sh [runs]       (default 5 runs per backend; RUNS=10 in the env too)
#        BACKENDS="gl software" scripts/measure.sh   (rows by --renderer; "default" passes none)
#        GAME=/path/to/petalune scripts/measure.sh   (another build, say an older one to compare)
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-${RUNS:-5}}
still_seconds=${STILL_SECONDS:-20}
game=${GAME:-build/bin/petalune}
display=:${MEASURE_DISPLAY:-77}

if [ -z "${GAME:-}" ]; then
    [ -f build/CMakeCache.txt ] || cmake -S . -B build -G Ninja >/dev/null
    cmake --build build --target petalune >/dev/null
fi

backends=${BACKENDS:-}
if [ -z "$backends" ]; then
    backends=default
    if "$game" --help 2>&1 | grep -q -- '--renderer'; then backends="gl software"; fi
fi

work=$(mktemp -d)
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# CPU ticks (user + system, all threads) and context switches (all threads) of a process.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
switches() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/ctxt_switches/ {n += $2} END {print n}'; }
rss_mib() { awk '/^VmRSS/ {printf "%.1f", $2 / 1024}' "/proc/$1/status"; }

# Prints "cpu_percent wakeups_per_second" over still_seconds of the running game.
stillness() {
    local ticks0 switches0 ticks1 switches1 hz
    hz=$(getconf CLK_TCK)
    ticks0=$(cpu_ticks "$pid")
    switches0=$(switches "$pid")
    sleep "$still_seconds"
    ticks1=$(cpu_ticks "$pid")
    switches1=$(switches "$pid")
    awk -v t="$((ticks1 - ticks0))" -v s="$((switches1 - switches0))" -v hz="$hz" -v d="$still_seconds" \
        'BEGIN {printf "%.2f %.1f\n", 100 * t / hz / d, s / d}'
}

# Clicks a point given in the 640 x 860 design area of the game's window.
click_design() {
    local window x y width height scale left bottom
    # A window that never shows must not hang the measurement.
    window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$pid" | head -n 1 || true)
    if [ -z "$window" ]; then
        echo "measure: the game's window did not show within 20 s" >&2
        exit 1
    fi
    eval "$(xdotool getwindowgeometry --shell "$window")"
    width=$WIDTH height=$HEIGHT
    read -r left bottom scale < <(awk -v w="$width" -v h="$height" 'BEGIN {
        s = w / 640 < h / 860 ? w / 640 : h / 860
        printf "%f %f %f\n", (w - 640 * s) / 2, (h - 860 * s) / 2, s }')
    x=$(awk -v l="$left" -v s="$scale" -v x="$1" 'BEGIN {printf "%d", l + x * s}')
    y=$(awk -v b="$bottom" -v s="$scale" -v h="$height" -v y="$2" 'BEGIN {printf "%d", h - b - y * s}')
    xdotool mousemove --window "$window" "$x" "$y" click 1
}

median() { sort -g | awk '{a[NR] = $1} END {print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2}'; }

echo "Petalune on $(uname -m), Xvfb 1280x1024, $runs runs per backend, still for ${still_seconds} s"
printf '%-9s %12s %10s %10s %10s %10s %10s %10s\n' backend first_ms menu_MiB menu_cpu% menu_wake/s \
    board_MiB board_cpu% board_wake/s
for backend in $backends; do
    : >"$work/results"
    for run in $(seq "$runs"); do
        data="$work/data-$backend-$run"
        mkdir -p "$data"
        args=()
        # The automatic choice would take software on a machine without a GPU: each row names its own.
        [ "$backend" = default ] || args+=("--renderer=$backend")
        start=$(date +%s.%N)
        PETALUNE_DATA_DIR=$data PETALUNE_REPORT_FIRST_FRAME=1 "$game" "${args[@]}" 2>"$work/log" &
        pid=$!
        for _ in $(seq 200); do grep -q 'first frame at' "$work/log" && break; sleep 0.05; done
        first=$(awk '/first frame at/ {print $NF; exit}' "$work/log")
        first_ms=$(awk -v a="$start" -v b="${first:-$start}" 'BEGIN {printf "%.0f", (b - a) * 1000}')
        sleep 5  # the intro clicks itself into the main menu after three seconds
        menu_rss=$(rss_mib "$pid")
        read -r menu_cpu menu_wake < <(stillness)
        click_design 320 620  # "Start Game"
        sleep 5
        board_rss=$(rss_mib "$pid")
        read -r board_cpu board_wake < <(stillness)
        kill "$pid"
        wait "$pid" 2>/dev/null || true
        pid=
        echo "$first_ms $menu_rss $menu_cpu $menu_wake $board_rss $board_cpu $board_wake" >>"$work/results"
    done
    medians=()
    for column in 1 2 3 4 5 6 7; do medians+=("$(cut -d' ' -f"$column" "$work/results" | median)"); done
    printf '%-9s %12s %10s %10s %10s %10s %10s %10s\n' "$backend" "${medians[@]}"
done
