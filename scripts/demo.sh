#!/usr/bin/env bash
# The main job, shown against the zunder simulator: builds orvane, lays out a folder of
# firmware files and four simulated devices, and runs the automatic update in verbose mode.
#   one device has a newer file of its major version    -> flashed
#   one has a newer file, but of another major version  -> left alone
#   one is current already                              -> left alone
#   one is component 2, with a newer configuration file -> flashed, with "-3 60000"
# Pass --windows to run orvane.exe and the simulator under Wine instead.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/install-deps.sh
if [ "${1:-}" = "--windows" ]; then
  preset=windows
  run() { "$root/scripts/wine-run" "$@"; }
  exe=.exe
  tools="Z:${root//\//\\}\\build\\windows\\tools"
else
  preset=linux
  run() { "$@"; }
  exe=
  tools="$root/build/linux/tools"
fi
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target orvane zunder_sim >/dev/null
bin="$root/build/$preset/bin"
export WINEPREFIX="$root/build/$preset/wineprefix"

demo="$root/build/demo"
rm -rf "$demo"
mkdir -p "$demo"
cd "$demo"

# A firmware header: product id, version as four ASCII digits, four bytes not read, component.
header() { printf '%s%s....' "$1" "$2"; printf "\\$(printf '%03o' "$3")"; }
header C7E3 0272 1 > main_fw.dat      # device SN1001 has 261: same major version 1, newer
header C7E3 0262 1 > main_fw_old.dat  # older than main_fw.dat, so never chosen
header C7E3 0300 3 > aux_fw.dat       # device SN1002 has 255: major version 0, so not flashed
header C7E3 0120 4 > io_fw.dat        # device SN1003 has 120 already
header c7e3 0510 2 > display.cfg      # device SN1004 has 500; component 2, lower-case id

cat > devices.txt <<'STATE'
C7E3 1 261 SN1001
C7E3 3 255 SN1002
C7E3 4 120 SN1003
C7E3 2 500 SN1004
STATE
export ZUNDER_STATE="$demo/devices.txt"
export ZUNDER_LOG="$demo/zunder.log"
export PATH="$root/build/$preset/tools:$PATH"
[ "$preset" = windows ] && export WINEPATH="$tools"

echo "Firmware files in $demo:"
for f in *.dat *.cfg; do
  printf '  %-16s %s\n' "$f" "$(head -c 12 "$f") component $(od -An -tu1 -j12 -N1 "$f" | tr -d ' ')"
done
echo
echo "Devices before (zunder -L):"
ZUNDER_LOG= run "$root/build/$preset/tools/zunder$exe" -L | sed 's/^/  /'
echo
echo "Running: orvane -deb"
run "$bin/orvane$exe" -deb
echo
echo
echo "Command lines the tool received:"
sed 's/^/  /' zunder.log
echo
echo "Devices after (zunder -L):"
ZUNDER_LOG= run "$root/build/$preset/tools/zunder$exe" -L | sed 's/^/  /'
