#!/usr/bin/env bash
# Times every digest routine under Wine on one 1 GiB file, in the 5 MiB chunks
# the report job reads, beside md5sum, openssl and rhash on the same file.
#   bench/digest/run.sh [passes]      (VELQUIN_BENCH_FILE picks another file)
set -euo pipefail
repo_root=$(cd "$(dirname "$0")/../.." && pwd)
passes=${1:-3}
file_size=$((1 << 30))
data_file=${VELQUIN_BENCH_FILE:-$repo_root/build/bench-data/digest-1GiB.bin}

cd "$repo_root"
if [ ! -f build/build.ninja ]; then
  cmake -S . -B build -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/i686-w64-mingw32.cmake >/dev/null
fi
cmake --build build -j2 --target digest_bench >/dev/null

if [ "$(stat -c %s "$data_file" 2>/dev/null || echo 0)" != "$file_size" ]; then
  echo "Writing $data_file" >&2
  mkdir -p "$(dirname "$data_file")"
  head -c "$file_size" /dev/urandom >"$data_file"
fi
# Every tool then reads from the page cache, not the disk.
cat "$data_file" >/dev/null

results=$(mktemp)
trap 'rm -f "$results"' EXIT

# best_native <digest> <command...>: the fastest of the passes, and the digest it printed.
best_native() {
  local digest=$1 best=0 output start end rate
  shift
  for _ in $(seq "$passes"); do
    start=$(date +%s%N)
    output=$("$@" "$data_file" 2>/dev/null)
    end=$(date +%s%N)
    rate=$((file_size * 1000 / (end - start)))  # bytes per ns * 1000 = MB/s
    [ "$rate" -gt "$best" ] && best=$rate
  done
  value=$(grep -oiE '\b[0-9a-f]{8,40}\b' <<<"$output" | tail -1 | tr a-f A-F)
  echo "$digest $1 $best - $value" >>"$results"
}
best_native md5 md5sum
best_native sha1 openssl dgst -sha1
best_native crc32 rhash --crc32

source scripts/wine-env.sh
# A persistent server for the run, unless one is already up (then it stays up).
started_server=0
wineserver -p 2>/dev/null && started_server=1
scripts/wine-exec build/bench/digest/digest_bench.exe "$(winepath -w "$data_file")" "$passes" | tr -d '\r' >>"$results"
[ "$started_server" = 1 ] && wineserver -k 2>/dev/null

echo "1 GiB page-cached file, 5 MiB chunks, best of $passes passes; MB = 10^6 bytes"
echo "Ours: 32-bit x86 build (8 vector registers) under $(wine --version 2>/dev/null); MB/s includes reading, hash MB/s is the digest alone"
echo "CPU:$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2-), $(nproc) cores;" \
  "flags: $(grep -m1 '^flags' /proc/cpuinfo | grep -oE '\b(sse2|ssse3|sse4_1|pclmulqdq|avx2|sha_ni|vpclmulqdq|avx512f)\b' | tr '\n' ' ')"
awk '
  $3 == "unavailable" { printf "%-6s %-18s unavailable on this processor\n", $1, $2; next }
  $4 == "-" { tool[$1] = $2; toolRate[$1] = $3; toolValue[$1] = $5; next }
  { row[++rows] = $0 }
  END {
    printf "%-6s %-18s %6s %9s %8s %8s  %s\n", "digest", "routine", "MB/s", "hash MB/s", "vs tool", "hash vs", "digest"
    split("md5 sha1 crc32", order, " ")
    for (k = 1; k <= 3; ++k) if ((d = order[k]) in tool) printf "%-6s %-18s %6d %9s %8s %8s  %s\n", d, tool[d], toolRate[d], "", "1.00", "", toolValue[d]
    for (i = 1; i <= rows; ++i) {
      split(row[i], f, " ")
      mark = (f[5] == toolValue[f[1]]) ? "" : "  (differs from " tool[f[1]] ")"
      printf "%-6s %-18s %6d %9d %7.2fx %7.2fx  %s%s\n", f[1], f[2], f[3], f[4], f[3] / toolRate[f[1]], f[4] / toolRate[f[1]], f[5], mark
    }
  }' "$results"
