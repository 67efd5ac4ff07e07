#!/usr/bin/env bash
# Installs what is missing, builds, marks a copy of the example template with the module's eight
# commands in the host, and shows the marked template with the inspector.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh build
marked=build/example-marked.dxf
cp example/template.dxf "$marked"
build/zanthost "$marked" --load build/ZANTZoDodAdadOvi10.arx --script example/define-template.scr
build/zantinspect --svg build/example-marked.svg "$marked"
echo "Marked drawing: $marked; its picture: build/example-marked.svg"
