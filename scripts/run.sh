#!/usr/bin/env bash
# Installs what is needed, builds the program and starts it. Until the main window exists
# this converts a sample text (or the files given as arguments) with the command-line
# converter and prints the HTML body.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target yomika-convert

if [ $# -gt 0 ]; then
  exec ./build/cli/yomika-convert "$@"
fi
printf '%s\n' "ここにルビをつけたい文字を入力します。" "お金を払う。人々は三ヶ月ぶりに霞ヶ関へ。" |
  ./build/cli/yomika-convert
