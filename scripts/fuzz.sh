#!/bin/sh
# Builds the libFuzzer targets with clang (AddressSanitizer) in build-fuzz/ and runs each for
# a bounded time, one after the other. Usage: scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]
# Targets: scanner, url. Findings are written to build-fuzz/<target>/ as crash-* files.
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-60}
[ $# -gt 0 ] && shift
targets=${*:-"scanner url"}
CXX=${CXX:-clang++-14}
command -v "$CXX" >/dev/null 2>&1 || CXX=clang++
out=build-fuzz
mkdir -p "$out"
flags="-std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -Isrc"
common="src/common/Text.cpp"

for t in $targets; do
  case $t in
    scanner) sources="fuzz/ScannerFuzz.cpp src/crawler/HtmlScanner.cpp" ; libs="" ;;
    url) sources="fuzz/UrlFuzz.cpp src/crawler/CrackUrl.cpp src/crawler/FileTypes.cpp src/crawler/QuickSortStringList.cpp"
         libs="-lcurl" ;;
    *) echo "unknown fuzz target: $t" >&2; exit 2 ;;
  esac
  echo "== building $t"
  # shellcheck disable=SC2086
  $CXX $flags $sources $common -o "$out/fuzz_$t" $libs
  mkdir -p "$out/$t/corpus"
  echo "== running $t for $seconds s"
  (cd "$out/$t" && ASAN_OPTIONS=detect_leaks=1 "../fuzz_$t" -max_total_time="$seconds" -max_len=200000 \
      -rss_limit_mb=2048 -print_final_stats=1 corpus)
done
