#!/usr/bin/env bash
# Installs the Debian packages that the build, the tests and the demonstration need, where they
# are missing. As root it installs them with apt-get; otherwise it names what is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ googletest        # native build and tests
  g++-mingw-w64-x86-64-posix wine64       # Windows build, and Wine to run it
  wixl                                    # Windows Installer packages: tests and the release
  clang libclang-rt-14-dev                # the sanitizer build and the fuzzers
  valgrind                                # memory checks of the native programs
)
if [ "$#" -gt 0 ]; then packages+=("$@"); fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ "${#missing[@]}" -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing Debian packages: ${missing[*]}" >&2
  echo "Install them as root: apt-get install ${missing[*]}" >&2
  exit 1
fi
echo "Installing Debian packages: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
