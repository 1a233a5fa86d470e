#!/usr/bin/env bash
# Installs every Debian package the build, the program and the tests need.
# Idempotent: when everything is already installed it does nothing.
set -euo pipefail

packages=(
  # toolchain
  cmake ninja-build g++ ccache pkg-config
  # Qt 6 with the embedded browser, a Japanese font, a virtual display for browser tests
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-webengine-dev qt6-webchannel-dev libqt6svg6 fonts-ipaexfont-gothic
  # Qt's own words in Japanese; a font with the rare ideographs (CJK extensions B to F)
  qt6-translations-l10n fonts-hanazono
  xvfb xauth
  # tests, benchmarks, fuzzing
  libgtest-dev libbenchmark-dev clang libclang-rt-14-dev python3 time
  # reading service: MeCab with the IPADIC dictionary, kanji readings (kanjidic, and
  # kanjidic-xml read through zlib), compounds, rare kanji (Unihan in unicode-data read
  # through libbz2, the SKK dictionary of JIS X 0213 kanji in skkdic-extra)
  libmecab-dev mecab mecab-ipadic-utf8 kanjidic kanjidic-xml zlib1g-dev edict
  unicode-data libbz2-dev skkdic-extra
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
