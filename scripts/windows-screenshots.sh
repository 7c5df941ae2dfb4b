#!/usr/bin/env bash
# The README's picture of the Windows program, docs/windows.png: walk-converter.exe under Wine
# in a private X server, driven by its real-window test of the Windows stage, which saves the
# picture on the way (build-windows/screenshots/windows.png).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh windows
bash scripts/test-windows.sh -R '^win32\.RealProgramConvertsUnderWine$'
cp build-windows/screenshots/windows.png docs/windows.png
echo "docs/windows.png updated"
