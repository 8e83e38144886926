#!/usr/bin/env bash
# Builds the programs and the benchmarks in release mode and prints a table of figures, each
# measured side by side in this one run: the listing parse and the catalogue scan (Google
# Benchmark), orvane -L against the simulator piped to cat, the peak memory of an automatic run,
# and the sizes of the stripped Windows programs. Benchmarks are not tests: scripts/test.sh does
# not run them. The table is also written to build/bench/table.md.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
export LC_ALL=C

scripts/install-deps.sh libbenchmark-dev time

build="$root/build/bench"
winbuild="$root/build/bench-windows"
echo "Building in release mode: $build, $winbuild" >&2
cmake --preset linux -B "$build" -DCMAKE_BUILD_TYPE=Release -DORVANE_BUILD_BENCHMARKS=ON \
  >/dev/null
cmake --build "$build" --target orvane zunder_sim orvane_bench make_listing drain_pipe >/dev/null
cmake --preset windows -B "$winbuild" -DCMAKE_BUILD_TYPE=Release -DORVANE_BUILD_TESTS=OFF \
  >/dev/null
cmake --build "$winbuild" --target orvane msilaunch >/dev/null

start_load=$(cat /proc/loadavg)
bin="$build/bin"
tools="$build/tools"
work="$build/run"
rm -rf "$work"
mkdir -p "$work/empty"
listing_bytes=$((10 * 1024 * 1024))
"$bin/make_listing" "$work/listing.txt" "$listing_bytes"
"$bin/make_listing" "$work/line.txt" "$listing_bytes" line

# --- Google Benchmark: parse, scan, reference loop ---------------------------------------------
csv="$work/benchmarks.csv"
echo "Running the benchmarks (medians of 5 repetitions)" >&2
"$bin/orvane_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_out="$csv" --benchmark_out_format=csv >&2
if awk -F, '/^name,/ { rows = 1; next } rows && $9 != "" { bad = 1 } END { exit !bad }' \
  "$csv"; then
  echo "A benchmark reported an error; see $csv" >&2
  exit 1
fi
# The median of one column of one benchmark: 4 = CPU time in ns, 6 = bytes per second.
figure() {
  awk -F, -v name="\"$1_median\"" -v column="$2" '
    $1 == name {
      value = $column
      if (column == 4) {
        scale["ns"] = 1; scale["us"] = 1e3; scale["ms"] = 1e6; scale["s"] = 1e9
        value *= scale[$5]
      }
      print value; found = 1
    }
    END { if (!found) exit 1 }' "$csv"
}
calc() { awk "BEGIN { printf \"%.${1}f\", $2 }"; }
check() { awk "BEGIN { print ($1) ? \"yes\" : \"**no**\" }"; }

rows=()
row() { rows+=("| $1 | $2 | $3 | $4 |"); }

for lines in 1000 10000 100000; do
  rate=$(calc 0 "$(figure "BM_ListingParse/lines:$lines" 6) / 1e6")
  row "listing parse, $lines lines" "$rate MB/s" ">= 300 MB/s" "$(check "$rate >= 300")"
done
rate=$(calc 0 "$(figure "BM_ListingParseLongLine/bytes:4194304" 6) / 1e6")
row "listing parse, one line of 4 MiB" "$rate MB/s" ">= 300 MB/s" "$(check "$rate >= 300")"
growth=$(calc 3 "$(figure BM_ListingParse/lines:100000 4) / (10 * $(figure BM_ListingParse/lines:10000 4))")
row "parse growth: 100,000-line time / (10 x 10,000-line time)" "$growth" "<= 1.1" \
  "$(check "$growth <= 1.1")"

for files in 1000 10000; do
  scan=$(figure "BM_CatalogueScan/files:$files" 4)
  reference=$(figure "BM_ReferenceFolderRead/files:$files" 4)
  known=$(figure "BM_ReferenceRead/files:$files" 4)
  search=$(figure "BM_FolderSearch/files:$files" 4)
  ratio=$(calc 2 "$scan / $reference")
  row "catalogue scan / reference loop (one folder listing, then open, read 13 bytes, close), \
$files files ($(calc 2 "$scan / 1e6") ms / $(calc 2 "$reference / 1e6") ms)" "$ratio" "<= 1.3" \
    "$(check "$ratio <= 1.3")"
  row "... the scan / the same loop with the names known beforehand ($(calc 2 "$known / 1e6") ms)" \
    "$(calc 2 "$scan / $known")" "" ""
  row "... of which the folder search; the rest / the loop with names known" \
    "$(calc 2 "$search / 1e6") ms; $(calc 2 "($scan - $search) / $known")" "" ""
done

# --- orvane -L against the tool piped to cat -----------------------------------------------------
export PATH="$tools:$PATH"
export ZUNDER_LISTING="$work/listing.txt"
unset ZUNDER_STATE ZUNDER_LOG
if ! "$bin/orvane" -L | cmp -s - "$ZUNDER_LISTING"; then
  echo "orvane -L did not pass the listing through unchanged" >&2
  exit 1
fi
now() { local t=$EPOCHREALTIME; echo "${t//[.,]/}"; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
repetitions=15
echo "Timing orvane -L and zunder -L | cat, $repetitions times each, taken in turn" >&2
: >"$work/orvane.times"
: >"$work/cat.times"
: >"$work/drain.times"
for ((i = 0; i < repetitions; ++i)); do
  start=$(now)
  "$bin/orvane" -L >/dev/null
  end=$(now)
  echo $((end - start)) >>"$work/orvane.times"
  start=$(now)
  "$tools/zunder" -L | cat >/dev/null
  end=$(now)
  echo $((end - start)) >>"$work/cat.times"
  start=$(now)
  "$tools/zunder" -L | "$bin/drain_pipe"
  end=$(now)
  echo $((end - start)) >>"$work/drain.times"
done
orvane_us=$(median <"$work/orvane.times")
cat_us=$(median <"$work/cat.times")
drain_us=$(median <"$work/drain.times")
ratio=$(calc 2 "$orvane_us / $cat_us")
row "orvane -L / zunder -L \\| cat, 10 MiB listing ($(calc 1 "$orvane_us / 1e3") ms / $(calc 1 \
  "$cat_us / 1e3") ms, medians of $repetitions)" "$ratio" "<= 2.0" "$(check "$ratio <= 2.0")"
row "... zunder -L \\| 512-byte reads that keep nothing, / zunder -L \\| cat" \
  "$(calc 2 "$drain_us / $cat_us")" "" ""

# --- Peak resident memory of an automatic run --------------------------------------------------
# An empty folder: the run lists the devices and catalogues nothing, so it flashes nothing.
peak() {
  local runs=()
  for _ in 1 2 3; do
    (cd "$work/empty" && ZUNDER_LISTING="$1" /usr/bin/time -f %M -o "$work/rss" "$bin/orvane" \
      >/dev/null)
    runs+=("$(cat "$work/rss")")
  done
  printf '%s\n' "${runs[@]}" | median
}
limit_kb=$((3 * listing_bytes / 1024 + 4096))
for kind in listing line; do
  kb=$(peak "$work/$kind.txt")
  what="10 MiB device listing"
  [ "$kind" = line ] && what="one line of 10 MiB"
  row "peak resident memory, automatic run, $what" "$(calc 1 "$kb / 1024") MiB" \
    "<= $(calc 0 "$limit_kb / 1024") MiB" "$(check "$kb <= $limit_kb")"
done

# --- Sizes of the stripped Windows programs --------------------------------------------------
mkdir -p "$work/stripped"
for program in orvane:256 msilaunch:128; do
  name=${program%%:*}
  limit=${program#*:}
  cp "$winbuild/bin/$name.exe" "$work/stripped/$name.exe"
  x86_64-w64-mingw32-strip "$work/stripped/$name.exe"
  bytes=$(stat -c %s "$work/stripped/$name.exe")
  row "$name.exe, stripped" "$(calc 1 "$bytes / 1024") KiB" "<= $limit KiB" \
    "$(check "$bytes <= $limit * 1024")"
done

# --- The table ----------------------------------------------------------------------------------
cpu=$(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo)
load=$(cut -d' ' -f1 <<<"$start_load")
{
  echo "Measured $(date -u '+%Y-%m-%d') on $(nproc) CPUs ($cpu), load average $load at the"
  echo "start; the benchmark figures are medians of CPU times, the program runs medians of wall times."
  echo
  echo "| figure | measured | target | met |"
  echo "|---|---|---|---|"
  printf '%s\n' "${rows[@]}"
} | tee "$build/table.md"
