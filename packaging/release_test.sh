#!/bin/sh
# Tests of the release packages, the Windows programs running under Wine in the build's prefix.
#   release_test.sh zip      the zip holds the two programs as built, and nothing else
#   release_test.sh install  msilaunch installs the package, the installed orvane runs against
#                            the simulator, and msilaunch removes the package again
#   release_test.sh upgrade  the next version, installed over this one, replaces it, and this
#                            one does not go back over the next
# packaging/CMakeLists.txt passes the build's paths and names in the environment. Whatever
# happens, the packages are removed again at the end, so that the prefix is left as it was found
# for the other tests. Exit codes seen through wine64 are cut to 8 bits and msilaunch always
# exits with 0, so every check looks at files, registrations and printed text instead.
set -u

: "${BUILD_DIR:?}" "${WINE_RUN:?}" "${MSI:?}" "${ZIP:?}" "${PRODUCT_NAME:?}" "${PRODUCT_CODE:?}"
: "${VERSION:?}" "${MSILAUNCH:?}" "${ORVANE:?}" "${TOOLS_DIR:?}" "${PROBE_MSI:?}"
: "${PROBE_PRODUCT_CODE:?}" "${CMAKE:=cmake}"

mode=${1:-}
step_limit=120 # seconds for one Windows program; a hung one fails the test instead of hanging it
failures=0
timed_out=0
cleaning=0

WINEPREFIX=$BUILD_DIR/wineprefix
export WINEPREFIX
scratch=$BUILD_DIR/scratch/release_$mode
install_dir="$WINEPREFIX/drive_c/Program Files/$PRODUCT_NAME"
installed_orvane="C:\\Program Files\\$PRODUCT_NAME\\orvane.exe"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

show() {
  echo "--- $1:" >&2
  cat "$1" >&2
  echo "---" >&2
}

# A Unix path as Windows programs see it under Wine: drive Z: is the Unix root.
windows_path() {
  printf 'Z:%s' "$1" | tr '/' '\\'
}

# run FOLDER OUTPUT PROGRAM ARGUMENTS...: runs a Windows program in FOLDER with no input (so
# that a "pause" returns at once), its standard output in OUTPUT.
run() {
  folder=$1
  output=$2
  shift 2
  (cd "$folder" && exec timeout -k 10 "$step_limit" "$WINE_RUN" "$@") </dev/null >"$output" \
    2>"$output.err"
  status=$?
  if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
    timed_out=1
    fail "$* did not finish within $step_limit s"
    # What follows would wait on the same stuck installer: stop, and clean up.
    [ "$cleaning" -eq 1 ] || exit 1
  fi
  return 0
}

# The package is handed over by its bare name from its own folder, as an administrator would
# type it: msilaunch takes package paths of at most 51 characters.
msilaunch() {
  run "$(dirname "$1")" "$scratch/msilaunch.out" "$MSILAUNCH" "$(basename "$1")" "$2"
  if grep -q '[^[:space:]]' "$scratch/msilaunch.out"; then
    [ "${3:-}" = may_fail ] || fail "msilaunch $(basename "$1") $2 reported a problem"
    show "$scratch/msilaunch.out"
  fi
}

registered() {
  run "$scratch" "$scratch/reg.out" reg query "$uninstall_key\\{$1}"
  grep -qi "$1" "$scratch/reg.out"
}

expect_registered() {
  registered "$1" || fail "product {$1} ($2) is not registered"
}

expect_unregistered() {
  if registered "$1"; then fail "product {$1} ($2) is still registered"; fi
}

expect_installed() {
  listing=$(ls "$install_dir" 2>/dev/null | tr '\n' ' ')
  [ "$listing" = "msilaunch.exe orvane.exe " ] ||
    fail "the install folder holds '$listing' instead of msilaunch.exe and orvane.exe"
}

expect_removed() {
  [ ! -e "$install_dir" ] ||
    fail "the install folder is still there, holding: $(ls "$install_dir" | tr '\n' ' ')"
}

# Removes whatever a run installed, through msiexec itself so that a faulty msilaunch cannot
# leave the prefix dirty.
cleanup() {
  cleaning=1
  if [ "$timed_out" -eq 1 ]; then
    /usr/lib/wine/wineserver -k 2>/dev/null
  fi
  if [ "$mode" = install ] || [ "$mode" = upgrade ]; then
    for package in "$PROBE_MSI" "$MSI"; do
      run "$(dirname "$package")" "$scratch/cleanup.out" msiexec /x "$(basename "$package")" /qn
    done
    if [ -e "$install_dir" ]; then
      fail "the install folder is left behind"
    fi
  fi
  cleaning=0
}

finish() {
  cleanup
  if [ "$failures" -eq 0 ]; then
    echo "release_$mode: passed"
    exit 0
  fi
  echo "release_$mode: $failures check(s) failed" >&2
  exit 1
}

test_zip() {
  "$CMAKE" -E tar tf "$ZIP" >"$scratch/zip.list" || fail "cannot read $ZIP"
  listing=$(sort "$scratch/zip.list" | tr '\n' ' ')
  [ "$listing" = "msilaunch.exe orvane.exe " ] ||
    fail "the zip holds '$listing' instead of msilaunch.exe and orvane.exe"
  (cd "$scratch" && "$CMAKE" -E tar xf "$ZIP") || fail "cannot unpack $ZIP"
  cmp -s "$scratch/orvane.exe" "$ORVANE" || fail "the zip's orvane.exe is not the build's"
  cmp -s "$scratch/msilaunch.exe" "$MSILAUNCH" || fail "the zip's msilaunch.exe is not the build's"
}

test_install() {
  msilaunch "$MSI" install
  expect_installed
  expect_registered "$PRODUCT_CODE" "$VERSION"
  cmp -s "$install_dir/orvane.exe" "$ORVANE" || fail "the installed orvane.exe is not the build's"
  cmp -s "$install_dir/msilaunch.exe" "$MSILAUNCH" ||
    fail "the installed msilaunch.exe is not the build's"

  run "$scratch" "$scratch/version.out" "$installed_orvane" -V
  printf '\r\n%s\r\n\r\nVersion: %s' "$PRODUCT_NAME" "$VERSION" >"$scratch/version.expected"
  if ! cmp -s "$scratch/version.out" "$scratch/version.expected"; then
    fail "the installed orvane -V prints something else than its title and version $VERSION"
    show "$scratch/version.out"
  fi

  # The simulator's folder is on the Windows search path, not beside the installed program.
  printf 'C7E3 1 260 RT0001\nc7e3a 2 301 RT0002\n' >"$scratch/devices.txt"
  ZUNDER_STATE=$(windows_path "$scratch/devices.txt")
  WINEPATH=$(windows_path "$TOOLS_DIR")
  export ZUNDER_STATE WINEPATH
  run "$scratch" "$scratch/list.out" "$installed_orvane" -L
  unset ZUNDER_STATE WINEPATH
  for device in 'PID:C7E3 COMP:1 EC:0260 SN:RT0001' 'PID:c7e3a COMP:2 EC:0301 SN:RT0002'; do
    if ! grep -qF "$device" "$scratch/list.out"; then
      fail "the installed orvane -L does not list '$device'"
      show "$scratch/list.out"
    fi
  done

  msilaunch "$MSI" uninstall
  expect_removed
  expect_unregistered "$PRODUCT_CODE" "$VERSION"
}

test_upgrade() {
  msilaunch "$MSI" install
  expect_registered "$PRODUCT_CODE" "$VERSION"

  msilaunch "$PROBE_MSI" install
  expect_installed
  expect_registered "$PROBE_PRODUCT_CODE" "the next version"
  expect_unregistered "$PRODUCT_CODE" "$VERSION, replaced by the next version"

  # Windows Installer refuses to go back; msilaunch explains that and pauses.
  msilaunch "$MSI" install may_fail
  expect_registered "$PROBE_PRODUCT_CODE" "the next version"
  expect_unregistered "$PRODUCT_CODE" "$VERSION, installed over the next version"
  expect_installed

  msilaunch "$PROBE_MSI" uninstall
  expect_removed
  expect_unregistered "$PROBE_PRODUCT_CODE" "the next version"
}

case $mode in
  zip | install | upgrade) ;;
  *)
    echo "usage: $0 zip|install|upgrade" >&2
    exit 2
    ;;
esac

rm -rf "$scratch"
mkdir -p "$scratch" || exit 1
trap finish EXIT
trap 'fail "interrupted"; exit 1' INT TERM HUP

# A package left behind by an earlier run that was killed would make the checks meaningless.
if [ "$mode" != zip ]; then
  cleanup
  [ "$failures" -eq 0 ] || exit 1
fi
"test_$mode"
