#!/usr/bin/env bash
# Installs the Debian packages the project builds and tests with, only those that are missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config         # toolchain
  libgtest-dev libgmock-dev                # unit tests
  libsqlite3-dev sqlite3                   # the maker's prompt database
  libreadline-dev                          # line editing and history at the host's command line
  binutils-mingw-w64-x86-64                # windres: compiles .rc resource scripts to .res
  python3 python3-ezdxf                    # end-to-end tests; ezdxf reads our drawings back
  clang-format                             # formatting gate
  clang libclang-rt-14-dev                 # libFuzzer for the DXF reader's fuzz target
  librsvg2-bin                             # rsvg-convert renders the inspector's pictures in tests
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi
