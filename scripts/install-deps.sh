#!/usr/bin/env bash
# Installs the Debian packages (and the browser test's npm package) the project builds and tests
# with, only those that are missing.
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
  libwebsockets-dev                        # the host's web front end: HTTP and WebSocket in one library
  python3-websocket                        # the web front end's end-to-end tests talk to it
  chromium nodejs                          # the page's browser test (headless Chromium, playwright-core)
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# Debian's nodejs leaves npm to its own package; other builds of nodejs bring it along.
command -v npm >/dev/null || missing+=(npm)
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi

# The browser test's driver, pinned by its lock file; installed again only when the lock changes.
web_tests="$(dirname "$0")/../tests/web"
if ! cmp -s "$web_tests/package-lock.json" "$web_tests/node_modules/.installed-lock.json"; then
  npm ci --prefix "$web_tests" --no-audit --no-fund --loglevel=error
  cp "$web_tests/package-lock.json" "$web_tests/node_modules/.installed-lock.json"
fi
