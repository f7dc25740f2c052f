#!/usr/bin/env bash
# Times the report job (report_bench.exe under Wine) against md5sum on the same
# generated 1 GiB file, read from the page cache, and shows the job's peak
# working set on it and on a 5 GiB sparse file. Each figure is the best of
# $runs runs: the machine is shared, and the best run shows the code's cost.
#   bench/report/run.sh [runs]
set -euo pipefail
repo_root=$(cd "$(dirname "$0")/../.." && pwd)
runs=${1:-3}
cd "$repo_root"
cmake -S . -B build -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/i686-w64-mingw32.cmake >/dev/null
build_log=$(mktemp)
cmake --build build --target report_bench >"$build_log" 2>&1 || { cat "$build_log"; rm -f "$build_log"; exit 1; }
rm -f "$build_log"
bench=build/bench/report/report_bench.exe

data=build/bench-data
mkdir -p "$data"
big=$data/random-1GiB.bin
sparse=$data/sparse-5GiB.bin
if [ "$(stat -c %s "$big" 2>/dev/null || echo 0)" != 1073741824 ]; then
  echo "Generating $big"
  head -c 1073741824 /dev/urandom >"$big"
fi
[ "$(stat -c %s "$sparse" 2>/dev/null || echo 0)" = 5368709120 ] || truncate -s 5368709120 "$sparse"

source scripts/wine-env.sh
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT
wine cmd /c exit </dev/null >/dev/null 2>&1

run_job() {  # prints the report_bench output for one file
  scripts/wine-exec "$bench" "$(winepath -w "$1")" | tr -d '\r'
}
field() { awk -v key="$1" '$1 == key { print $2 }'; }
calc() { awk "BEGIN { print $1 }"; }

cat "$big" >/dev/null  # into the page cache
best_md5sum=""; best_job=""; job_output=""
for _ in $(seq "$runs"); do
  start=$(date +%s.%N)
  md5sum "$big" >"$data/md5sum.txt"
  end=$(date +%s.%N)
  seconds=$(calc "$end - $start")
  if [ -z "$best_md5sum" ] || [ "$(calc "$seconds < $best_md5sum")" = 1 ]; then best_md5sum=$seconds; fi

  output=$(run_job "$big")
  seconds=$(echo "$output" | field job_seconds)
  if [ -z "$best_job" ] || [ "$(calc "$seconds < $best_job")" = 1 ]; then best_job=$seconds; job_output=$output; fi
done

md5_expected=$(cut -d' ' -f1 "$data/md5sum.txt" | tr a-f A-F)
md5_job=$(echo "$job_output" | sed -n 's/^MD5：//p')
mb=1073.741824
printf '1 GiB file (page cache), best of %s runs\n' "$runs"
printf '  md5sum      %6.3f s  %7.1f MB/s\n' "$best_md5sum" "$(calc "$mb / $best_md5sum")"
printf '  report job  %6.3f s  %7.1f MB/s\n' "$best_job" "$(calc "$mb / $best_job")"
printf '  MD5 alone   %6.3f s  %7.1f MB/s   (in the same process, the floor of the job)\n' \
  "$(echo "$job_output" | field md5_alone_seconds)" "$(calc "$mb / $(echo "$job_output" | field md5_alone_seconds)")"
printf '  read + SHA-1 + CRC-32 alone %6.3f s (the second thread'"'"'s share)\n' \
  "$(echo "$job_output" | field read_sha1_crc32_seconds)"
printf '  ratio job/md5sum  %.3f   (goal <= 0.95)\n' "$(calc "$best_job / $best_md5sum")"
printf '  peak working set  %.1f MiB (goal <= 32; %.1f MiB before the job)\n' \
  "$(calc "$(echo "$job_output" | field peak_working_set) / 1048576")" \
  "$(calc "$(echo "$job_output" | field peak_working_set_before_job) / 1048576")"
if [ "$md5_job" = "$md5_expected" ]; then echo "  MD5 matches md5sum"; else echo "  MD5 DIFFERS: job $md5_job, md5sum $md5_expected"; fi

sparse_output=$(run_job "$sparse")
printf '5 GiB sparse file\n'
printf '  report job  %6.3f s  %7.1f MB/s\n' "$(echo "$sparse_output" | field job_seconds)" \
  "$(echo "$sparse_output" | field job_mb_per_s)"
printf '  peak working set  %.1f MiB (goal <= 32)\n' \
  "$(calc "$(echo "$sparse_output" | field peak_working_set) / 1048576")"
echo "$sparse_output" | grep -E '^(文件大小|MD5)' | sed 's/^/  /'
