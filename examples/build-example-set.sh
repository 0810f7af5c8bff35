#!/usr/bin/env bash
# Builds the example working set: writes the synthetic exports into DATA_DIR, imports them
# with the headless driver and saves the working set there.
#   examples/build-example-set.sh BUILD_DIR DATA_DIR [--small]
# --small writes the small set the tests use instead of the full-size fleet.
set -euo pipefail
if [ $# -lt 2 ] || [ $# -gt 3 ]; then
  echo "usage: $0 BUILD_DIR DATA_DIR [--small]" >&2
  exit 2
fi
build=$1
data=$2
for tool in brasket-make-example brasket-batch; do
  if [ ! -x "$build/$tool" ]; then
    echo "$0: $build/$tool was not built" >&2
    exit 1
  fi
done
mkdir -p "$data"
"$build/brasket-make-example" "$data" ${3:+"$3"} >/dev/null
# Each import menu item asks for its folder: any file in DATA_DIR answers it.
answer="$data/partIIExport.txt"
# The bin factor item reads the file chosen: the example's bin factor file.
"$build/brasket-batch" --data "$data" \
  --answer "$answer" --answer "$answer" --answer "$answer" \
  --answer "$answer" --answer "$answer" --answer "$data/dornvelt factors.txt" \
  cmdupdateplant_Click cmdreadhganalysis_Click cmdfuelusageexport_Click \
  cmdmakeEF_Click cmdloadbin_Click cmdupdatebininfo_Click cmdupdateconc_Click \
  cmdsaveallupdate_Click
# The trace compound data: emission factor data, compound types, the oil and coal print files,
# coal suppliers and the partition factors of the second method; then the set is saved again.
"$build/brasket-batch" --data "$data" \
  --answer "$data/trace oil.PRN" --answer "$data/trace coal.PRN" \
  cmdemisf_Click cmdcompdtype_Click cmdupdatetraceoil_Click cmdupdcoal_Click \
  cmdloadsupplier_Click cmdloadefacts_Click cmdsaveallupdate_Click
