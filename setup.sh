#!/usr/bin/env bash
# Installs what is missing, builds, and runs the example session in the host.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh build
build/zanthost example/template.dxf --load build/ZANTZoDodAdadOvi10.arx \
  --script example/first-session.scr
