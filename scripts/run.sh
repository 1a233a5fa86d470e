#!/usr/bin/env bash
# Installs what is needed, builds the program and starts it.
# Without a display (a server, a container) it converts a sample text with the
# command-line converter instead and prints the HTML body.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target yomika yomika-convert

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec ./build/yomika "$@"
fi
echo "No display found: converting a sample with build/yomika-convert instead." >&2
printf '%s\n' "ここにルビをつけたい文字を入力します。" "お金を払う。人々は三ヶ月ぶりに霞ヶ関へ。" |
  ./build/yomika-convert
