#!/usr/bin/env bash
# Installs every Debian package the build, the program and the tests need.
# Idempotent: when everything is already installed it does nothing.
set -euo pipefail

packages=(
  # toolchain
  cmake ninja-build g++ ccache pkg-config
  # Qt 6
  qt6-base-dev qt6-base-dev-tools libgl-dev
  # tests, benchmarks, fuzzing
  libgtest-dev libbenchmark-dev clang libclang-rt-14-dev python3
  # reading service: MeCab with the IPADIC dictionary, kanji readings
  libmecab-dev mecab mecab-ipadic-utf8 kanjidic
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
