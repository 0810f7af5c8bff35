#!/usr/bin/env bash
# Builds the example working set: writes the synthetic exports into DATA_DIR, rebuilds the
# working set from them with the headless driver's batch rebuild and saves it there.
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
# The batch rebuild reads every export from the data folder, which is where the import folder
# starts; then "Bin calculations" (its test import asks for the folder), the unit type report,
# which fills the bin-number table that "Summary of National Emissions" lists, and the save.
# The clock is fixed so that the bin calculations' Monte Carlo draws, and so the set, are the
# same at every build.
"$build/brasket-batch" --data "$data" --clock "1999-07-14 09:30:15" --answer "$data/boilertest.txt" \
  cmdupdateall_Click cmdbincalcs_Click cmdunittype_Click cmdsaveallupdate_Click
# The trace compound data: emission factor data, compound types, the oil and coal print files,
# coal suppliers and the partition factors of the second method; then the set is saved again.
"$build/brasket-batch" --data "$data" \
  --answer "$data/trace oil.PRN" --answer "$data/trace coal.PRN" \
  cmdemisf_Click cmdcompdtype_Click cmdupdatetraceoil_Click cmdupdcoal_Click \
  cmdloadsupplier_Click cmdloadefacts_Click cmdsaveallupdate_Click
