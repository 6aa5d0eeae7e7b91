#!/usr/bin/env bash
# Builds the benchmarks and runs them under Wine inside one Xvfb server, as the tests run: the
# upload against a plain copy of the same files, Open of 1,000 and 10,000 files, start-up
# against a minimal program, and the memory of a 64 MiB upload. Every figure is held against a
# baseline measured in the same run. Prints one table and writes it, with the machine it ran
# on, to bench/RESULTS.md. BENCH_RUNS sets how many runs each median is taken over (5).
# Neither `make test` nor CI runs this.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
source scripts/configure.sh

tonvale_configure windows build
# The benchmarks are outside `all`; a build folder configured before they existed learns of
# them here.
cmake --preset windows >/dev/null
scripts/build.sh Tonvale p2kapi bench_window bench_memory bench_startup bench_minimal
runs=${BENCH_RUNS:-5}
results=$(mktemp)
start_folder=build/bench-start

tonvale_wine_prefix
cleanup() {
    tonvale_wineserver_stop
    tonvale_xvfb_stop
    rm -f "$results"
}
trap cleanup EXIT
tonvale_xvfb_start
tonvale_wineserver_start
load_before=$(cut -d' ' -f1-3 /proc/loadavg)

measure() {
    echo "== $1" >&2
    shift
    wine "$@" </dev/null | tr -d '\r' >>"$results"
}
measure "Upload and plain copy: 100 files of 1 MiB" \
    build/bin/bench_window.exe upload "$runs" 1048576 100
measure "Upload and plain copy: 500 and 2,000 files of 4 KiB" \
    build/bin/bench_window.exe upload "$runs" 4096 500 2000
measure "Upload and plain copy: one file of 64 MiB" \
    build/bin/bench_window.exe upload "$runs" 67108864 1
measure "Open: 1,000 and 10,000 files" build/bin/bench_window.exe open "$runs" 1000 10000

# Memory: the shipped program uploads a 64 MiB file to a virtual phone with room for it.
memory_folder=build/bench-memory
rm -rf "$memory_folder"
mkdir -p "$memory_folder"
head -c $((64 * 1048576)) /dev/urandom >"$memory_folder/clip.jpg"
measure "Memory: Tonvale uploads one file of 64 MiB" build/bin/bench_memory.exe "$runs" \
    "$(winepath -w "$memory_folder/clip.jpg" 2>/dev/null)"
rm -rf "$memory_folder"

# Start-up: the program as it is shipped, the virtual phone beside it, in a folder of its own.
rm -rf "$start_folder"
mkdir -p "$start_folder"
cp build/bin/Tonvale.exe build/bin/p2kapi.dll build/bin/bench_minimal.exe "$start_folder/"
cp p2kapi/p2kapi.ini "$start_folder/"
measure "Start-up: Tonvale and a minimal program" build/bin/bench_startup.exe "$runs" \
    "$(winepath -w "$start_folder/Tonvale.exe" 2>/dev/null)" \
    "$(winepath -w "$start_folder/bench_minimal.exe" 2>/dev/null)"
rm -rf "$start_folder"

declare -A value
while read -r key number; do
    value[$key]=$number
done <"$results"
for key in upload_100x1048576 copy_100x1048576 upload_500x4096 copy_500x4096 \
    upload_2000x4096 copy_2000x4096 upload_1x67108864 copy_1x67108864 open_1000 open_10000 \
    memory_before_ws memory_peak_ws \
    start_Tonvale start_bench_minimal; do
    [ -n "${value[$key]:-}" ] || {
        echo "bench: no figure for $key" >&2
        exit 1
    }
done

math() { awk "BEGIN { printf \"%.${2:-3}f\", $1 }"; }
yes_if() { awk "BEGIN { print ($1) ? \"yes\" : \"**no**\" }"; }
rows=()
row() { rows+=("| $1 | $2 | $3 | $4 | $5 | $6 |"); }
# figure, measured, baseline (seconds), target ratio
ratio_row() {
    local ratio
    ratio=$(math "$2 / $3" 2)
    row "$1" "$(math "$2") s" "$(math "$3") s" "$ratio" "≤ $4" "$(yes_if "$2 / $3 <= $4")"
}
mib() { math "$1 / 1048576" 1; }

ratio_row "Upload 100 × 1 MiB vs CopyFileW" "${value[upload_100x1048576]}" \
    "${value[copy_100x1048576]}" 1.25
ratio_row "Upload 2,000 × 4 KiB vs CopyFileW" "${value[upload_2000x4096]}" \
    "${value[copy_2000x4096]}" 1.25
ratio_row "Upload 1 × 64 MiB vs CopyFileW" "${value[upload_1x67108864]}" \
    "${value[copy_1x67108864]}" 1.25
upload_2000=$(math "${value[upload_2000x4096]} / 2000 * 1000")
upload_500=$(math "${value[upload_500x4096]} / 500 * 1000")
row "Upload per file, 2,000 vs 500 × 4 KiB" "$upload_2000 ms" "$upload_500 ms" \
    "$(math "$upload_2000 / $upload_500" 2)" "≤ 1.5" "$(yes_if "$upload_2000 / $upload_500 <= 1.5")"
copy_2000=$(math "${value[copy_2000x4096]} / 2000 * 1000")
copy_500=$(math "${value[copy_500x4096]} / 500 * 1000")
row "CopyFileW per file, 2,000 vs 500 × 4 KiB (for comparison)" "$copy_2000 ms" "$copy_500 ms" \
    "$(math "$copy_2000 / $copy_500" 2)" "—" "—"
ratio_row "Open 10,000 vs 1,000 files" "${value[open_10000]}" "${value[open_1000]}" 15
row "Open 10,000 files" "$(math "${value[open_10000]}") s" "—" "—" "< 2 s" \
    "$(yes_if "${value[open_10000]} < 2")"
ratio_row "Start-up to an idle window: Tonvale vs minimal program" "${value[start_Tonvale]}" \
    "${value[start_bench_minimal]}" 2
limit=$((64 * 1048576 + 32 * 1048576))
row "Peak working set of Tonvale uploading 64 MiB (baseline: just before)" \
    "$(mib "${value[memory_peak_ws]}") MiB" "$(mib "${value[memory_before_ws]}") MiB" \
    "$(math "${value[memory_peak_ws]} / ${value[memory_before_ws]}" 2)" "≤ 96 MiB" \
    "$(yes_if "${value[memory_peak_ws]} <= $limit")"
growth=$((${value[memory_peak_ws]%.*} - ${value[memory_before_ws]%.*}))
row "Working set the upload adds (baseline: the file)" "$(mib $growth) MiB" "64.0 MiB" \
    "$(math "$growth / (64 * 1048576)" 2)" "—" "—"

table=$(
    echo "| figure | measured | baseline | ratio | target | met |"
    echo "|---|---|---|---|---|---|"
    printf '%s\n' "${rows[@]}"
)
echo
echo "$table"

memory_kib=$(awk '/^MemTotal:/ { print $2 }' /proc/meminfo)
{
    echo "# Benchmark results"
    echo
    echo "Written by \`make bench\` (\`scripts/bench.sh\`) from its last run: each time the median"
    echo "of $runs runs, each figure beside its baseline measured in the same run."
    echo
    echo "| machine | |"
    echo "|---|---|"
    echo "| date | $(date -u '+%Y-%m-%d %H:%M UTC') |"
    echo "| processors (\`nproc\`) | $(nproc) |"
    echo "| CPU | $(grep -m1 '^model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//') |"
    echo "| memory | $(math "$memory_kib / 1048576" 1) GiB |"
    echo "| Wine | $(wine --version 2>/dev/null) (WoW64, Xvfb) |"
    echo "| load average before the run | $load_before |"
    echo
    echo "$table"
    echo
    cat <<'EOF'
## What is measured

- **Upload**: the real main window (`TForm1`, shown) over the virtual phone `p2kapi.dll`, in
  the benchmark's own process. The files are opened through the file dialog's seam, then the
  time runs from pressing Upload (`BitBtn2`) until the window is idle again, drawing included.
  Every run has a fresh phone volume and checks that every byte arrived. The baseline copies
  the same files with `CopyFileW` into a fresh folder beside the phone's, made before its
  clock starts as the phone's is. Upload and copy take turns, run by run.
- **Upload per file**: the same upload of 4 KiB files, 2,000 against 500; the plain copy's own
  ratio is shown beside it, since under Wine a name that does not exist yet costs a pass over
  its whole folder, for the copy as for the upload.
- **Open**: a fresh window, the selection handed over through the dialog's seam in shuffled
  order, from pressing Open (`BitBtn1`) until the window is idle again: list rows, log lines,
  sorting and measuring every file.
- **Start-up**: `bench_startup.exe` starts the program with `CreateProcess` and stops the clock
  once the program's window is visible and its thread answers a message, then closes it. Tonvale
  runs as shipped, with the virtual phone and its default `p2kapi.ini` beside it; the baseline
  is `bench_minimal.exe`, a window and a message loop. Both start under the same persistent Wine
  server; a first round warms the file cache and is not counted.
- **Memory**: `bench_memory.exe` starts the shipped `Tonvale.exe` (a virtual phone with room
  for the file beside it), waits for its phone, opens a 64 MiB file through the program's own
  Open dialog, reads its working set, presses Upload and waits for the log to report the file
  uploaded, then reads the process's peak working set (`GetProcessMemoryInfo`), and closes it.
  Wine reports no private bytes (it counts them in swap, and there is none here).
EOF
} >bench/RESULTS.md
echo
echo "Wrote bench/RESULTS.md"
