#!/usr/bin/env bash
# Runs every fuzz target over its seed corpus, then mutates for a short time.
#   fuzz/run-fuzzers.sh FUZZ_BUILD_DIR [SECONDS_PER_TARGET]
# The seeds come from the small example set: its exports (cut to their first lines), its
# working files (cut to their first records), and fields and numbers taken from them. A target
# that finds a fault stops the run; the input that caused it is kept as
# FUZZ_BUILD_DIR/fuzz-findings/<target>-crash-*, to become a regression test.
set -euo pipefail
if [ $# -lt 1 ] || [ $# -gt 2 ]; then
  echo "usage: $0 FUZZ_BUILD_DIR [SECONDS_PER_TARGET]" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
seconds=${2:-15}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/brasket-fuzz.XXXXXX")
trap 'rm -rf "$work"' EXIT
findings="$build/fuzz-findings"
mkdir -p "$findings"

# The small example set, exports and working files, made by the tools of this build.
"$here/../examples/build-example-set.sh" "$build" "$work/set" --small >"$work/set.log" 2>&1 || {
  cat "$work/set.log" >&2
  exit 1
}
set="$work/set"

corpus() { mkdir -p "$work/corpus/$1" && echo "$work/corpus/$1"; }
# A seed: a selector byte (written as three octal digits) followed by a file's first lines.
seedlines() {  # target selector file lines
  local dir
  dir=$(corpus "$1")
  { printf "\\$2"; head -n "$4" "$3"; } >"$dir/$(basename "$3" | tr ' ' _)-$2"
}
seedbytes() {  # target selector file bytes
  local dir
  dir=$(corpus "$1")
  { printf "\\$2"; head -c "$4" "$3"; } >"$dir/$(basename "$3" | tr ' ' _)-$2"
}

# Imports: the selector of imports_fuzz.cpp chooses the reader.
seedlines imports 000 "$set/partIIExport.txt" 40
seedlines imports 001 "$set/hg1Qdatashort.txt" 40
seedlines imports 002 "$set/fuelusageexport.txt" 40
seedlines imports 003 "$set/boilertest.txt" 30
seedlines imports 004 "$set/pmtest.txt" 30
seedlines imports 005 "$set/so2test.txt" 30
seedlines imports 006 "$set/efsummary.txt" 30
seedlines imports 007 "$set/translation table 2.txt" 30
seedlines imports 010 "$set/dornvelt factors.txt" 30
# The compound data: concentration exports, suppliers, partition factors, emission data.
[ -f "$set/combustion concentrations.prn" ] && seedlines imports 011 "$set/combustion concentrations.prn" 40
[ -f "$set/database2/coal suppliers.txt" ] && seedlines imports 012 "$set/database2/coal suppliers.txt" 30
[ -f "$set/database2/partfactors.txt" ] && seedlines imports 013 "$set/database2/partfactors.txt" 60
[ -f "$set/EMISDATA.prn" ] && seedlines imports 014 "$set/EMISDATA.prn" 40
[ -f "$set/compounds.prn" ] && seedlines imports 015 "$set/compounds.prn" 40
[ -f "$set/trace oil.PRN" ] && seedlines imports 016 "$set/trace oil.PRN" 40

# Export lines and fields: whole exports cut short.
for f in "$set"/*.txt "$set"/*.prn "$set"/*.PRN; do
  case "$(basename "$f")" in "import warnings.txt") continue ;; esac
  [ -f "$f" ] || continue
  head -n 20 "$f" >"$(corpus exportfields)/$(basename "$f" | tr ' ' _)"
done

# Numbers: the distinct fields of the exports' first lines, and a few of the writer's forms.
numbers=$(corpus numtext)
head -q -n 30 "$set/partIIExport.txt" "$set/hg1Qdatashort.txt" "$set/fuelusageexport.txt" "$set/boilertest.txt" |
  tr '\t' '\n' | sort -u | awk -v d="$numbers" 'NR <= 300 { f = sprintf("%s/field-%04d", d, NR); printf "%s", $0 > f; close(f) }'
for n in "&H7FFF" "&O777" " -1.5E+07" "1e-320" "1e309" ".5" "12,5"; do printf '%s' "$n" >"$numbers/form-$(printf '%s' "$n" | od -An -tx1 | tr -d ' \n')"; done

# Patterns: those the reports use, each with a number.
patterns=$(corpus numformat)
k=0
for p in "##.##" "#.###e+0" "#.###e+##" "0.000e+0" "#####0.####" "####   " "###########" "0.0%" "000" "#,##0.00"; do
  for n in 0 0.05 1234.5678 -2.675 1e-310 5e-324 1.7976931348623157e308; do
    k=$((k + 1))
    printf '%s\n%s' "$p" "$n" >"$patterns/pattern-$k"
  done
done

# Working files: the selector of loading_fuzz.cpp is the position in the saved set's list
# (idplant idunit idfuel meas owner operator coalsupply unit plant fueluse boiler pm scrub
# nox binnumber bins test emfactor emfactorf emfactorfs), then partfactors1 partfactors2
# states.prn, the commit marker and the begin marker.
i=0
for f in idplant.dat idunit.dat idfuel.dat meas.dat owner.dat operator.dat coalsupply.dat unit.dat plant.dat \
  fueluse.dat boiler.dat pm.dat scrub.dat nox.dat binnumber.dat bins.dat test.dat emfactor.dat emfactorf.dat \
  emfactorfs.dat; do
  [ -f "$set/$f" ] && seedbytes loading "$(printf '%03o' $i)" "$set/$f" 4096
  i=$((i + 1))
done

status=0
for target in numtext numformat exportfields imports loading; do
  bin="$build/fuzz/fuzz_$target"
  dir=$(corpus "$target")
  time=$seconds
  [ "$target" = imports ] && time=$((seconds * 2))  # every reader shares this one
  echo "fuzzing $target for ${time}s over $(ls "$dir" | wc -l) seeds"
  # The target's scratch folder lies in the run's folder, so that it goes with it also when a
  # fault ends the target before it can remove the folder itself.
  if ! TMPDIR=$work ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$bin" -max_total_time="$time" -timeout=20 -rss_limit_mb=2048 -max_len=65536 -print_final_stats=0 \
    -artifact_prefix="$findings/$target-" "$dir" >"$work/$target.log" 2>&1; then
    echo "fuzz target $target found a fault; the input is kept in $findings:" >&2
    tail -n 60 "$work/$target.log" >&2
    status=1
  fi
done
exit $status
