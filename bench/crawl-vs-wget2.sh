#!/usr/bin/env bash
# Crawl speed of meldewerk-cli against wget2's spider, side by side on one machine.
#
#   bench/crawl-vs-wget2.sh            the Python 3.11 manual (python3.11-doc, about 530 pages,
#                                      50 MB) served by nginx on 127.0.0.1; RUNS alternating
#                                      runs of each (default 5); medians of wall time, CPU time
#                                      (user + system) and peak memory, their ratios, the pages
#   bench/crawl-vs-wget2.sh --scale    a generated site of 1 000, 10 000 and 100 000 static
#                                      pages in a temporary folder, crawled by meldewerk-cli:
#                                      pages per second and peak memory for each size
#
# meldewerk-cli runs "crawl START --parallel N --depth 20 --scan path" (N = PARALLEL, default 32),
# wget2 "--spider -r -np -l 19 --robots=off" with its own default threads. The load average
# of the machine is printed before and after, since other work on it changes every figure.
# nginx, wget2 and python3.11-doc are installed with apt-get when missing (not by
# scripts/install-deps.sh: none of them is needed to build or test). Exit 2 when it cannot run.
set -euo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
cli="$here/build/bin/meldewerk-cli"
parallel="${PARALLEL:-32}"
runs="${RUNS:-5}"
mode="${1:-manual}"
doc_root=/usr/share/doc/python3.11/html

[ -x "$cli" ] || { echo "build meldewerk-cli first: $cli" >&2; exit 2; }

source "$here/bench/bench-lib.sh"
bench_install nginx wget2 python3.11-doc

work="$(mktemp -d /tmp/crawl-vs-wget2.XXXXXX)"
nginx_pid=""
cleanup() {
  if [ -n "$nginx_pid" ]; then kill "$nginx_pid" 2>/dev/null || true; fi
  if [ -n "${KEEP:-}" ]; then echo "kept: $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT

site="$work/site"
mkdir -p "$site"
port=$(bench_free_port)
serve() { bench_serve "$site" "$work" "$port" 1 /index.html; }

# One measured run: "wall cpu peak_kb" of the command, its standard output into $1.
measure() {
  local out="$1"
  shift
  /usr/bin/time -f '%e %U %S %M' -o "$work/time" "$@" >"$out" 2>"$work/stderr" || true
  read -r wall user sys peak < <(tail -1 "$work/time")
  python3 -c "print($wall, round($user + $sys, 3), $peak)"
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo "machine: $(nproc) cores, load before: $(cut -d' ' -f1-3 /proc/loadavg)"

if [ "$mode" = "--scale" ]; then
  # Pages in folders of 1 000, each linking to the next ten pages and back to the first of its
  # folder, so the crawl is wide, deep and full of links it has already seen.
  python3 - "$site" <<'EOF'
import os, sys
root = sys.argv[1]
for size in (1000, 10000, 100000):
    base = os.path.join(root, f"s{size}")
    for i in range(size):
        folder = os.path.join(base, f"d{i // 1000}")
        if i % 1000 == 0:
            os.makedirs(folder, exist_ok=True)
        links = "".join(f'<li><a href="/s{size}/d{j // 1000}/p{j}.html">Seite {j}</a></li>\n'
                        for j in range(i + 1, min(size, i + 11)))
        with open(os.path.join(folder, f"p{i}.html"), "w") as f:
            f.write(f"<!DOCTYPE html>\n<html><head><title>Seite {i}</title>"
                    f'<meta name="keywords" content="seite, {i}"></head>\n<body><h1>Seite {i}</h1>\n'
                    f"<ul>\n{links}</ul>\n<p>{'Text der Seite. ' * 60}</p>\n"
                    f'<a href="/s{size}/d{i // 1000}/p{(i // 1000) * 1000}.html">Anfang</a></body></html>\n')
    with open(os.path.join(base, "index.html"), "w") as f:
        f.write(f'<html><body><a href="/s{size}/d0/p0.html">Start</a></body></html>\n')
open(os.path.join(root, "index.html"), "w").write("<html><body>scale</body></html>\n")
EOF
  chmod -R a+rX "$work"
  serve
  printf "%-8s %8s %10s %10s %12s\n" pages wall_s pages/s cpu_s peak_MB
  for size in 1000 10000 100000; do
    start="http://127.0.0.1:$port/s$size/index.html"
    # The queue must hold the wide front of the large site.
    read -r wall cpu peak < <(measure "$work/out" "$cli" crawl "$start" --parallel "$parallel" --depth 100000 \
      --scan path --max-queue 200000)
    got=$(grep -c '^page	' "$work/out" || true)
    python3 -c "print(f'{$size:<8} {$wall:8.2f} {$got / $wall:10.0f} {$cpu:10.2f} {$peak / 1024:12.1f}   ({$got} pages received)')"
  done
  echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
  exit 0
fi

cp -rL "$doc_root/." "$site/"
chmod -R a+rX "$work"
pages=$(find "$site" -name '*.html' | wc -l)
serve
start="http://127.0.0.1:$port/index.html"
echo "site: python3.11-doc, $pages pages, $(du -sm "$site" | cut -f1) MB, start $start, $runs runs each"

: >"$work/cli.runs"
: >"$work/wget2.runs"
for i in $(seq "$runs"); do
  echo "$(measure "$work/cli.out" "$cli" crawl "$start" --parallel "$parallel" --depth 20 \
    --scan path) $(grep -c '^page	' "$work/cli.out" || true)" >>"$work/cli.runs"
  (cd "$work" && rm -rf wget2.dir && mkdir wget2.dir)
  echo "$(cd "$work/wget2.dir" && measure "$work/wget2.out" wget2 --spider -r -np -l 19 --robots=off -q \
    "$start")" >>"$work/wget2.runs"
done

# wget2's pages (answers 200 to a GET) from one more run with its per-site statistics,
# which are not part of the measured runs.
(cd "$work/wget2.dir" && wget2 --spider -r -np -l 19 --robots=off -q --stats-site="csv:$work/wget2.csv" "$start" \
  >/dev/null 2>&1 || true)
wget2_pages=$(awk -F, '$4 == 200 && $6 == 1 { print $3 }' "$work/wget2.csv" | sort -u | wc -l)
sed -i "s/\$/ $wget2_pages/" "$work/wget2.runs"

col() { awk -v c="$1" '{ print $c }' "$2" | median; }
printf "%-14s %8s %8s %9s %6s\n" "" wall_s cpu_s peak_MB pages
for who in cli wget2; do
  name=$([ "$who" = cli ] && echo meldewerk-cli || echo wget2)
  printf "%-14s %8.3f %8.3f %9.1f %6s\n" "$name" "$(col 1 "$work/$who.runs")" "$(col 2 "$work/$who.runs")" \
    "$(echo "$(col 3 "$work/$who.runs") / 1024" | bc -l)" "$(col 4 "$work/$who.runs")"
done
python3 - "$(col 1 "$work/cli.runs")" "$(col 1 "$work/wget2.runs")" "$(col 2 "$work/cli.runs")" \
  "$(col 2 "$work/wget2.runs")" "$(col 3 "$work/cli.runs")" "$(col 3 "$work/wget2.runs")" <<'EOF'
import sys
cw, ww, cc, wc, cm, wm = map(float, sys.argv[1:])
print(f"ratio meldewerk-cli / wget2: wall {cw / ww:.2f}, CPU {cc / wc:.2f}, peak memory {cm / wm:.2f}")
EOF
echo "every run (wall cpu peak_kb pages):"
paste "$work/cli.runs" "$work/wget2.runs" | sed 's/^/  cli: /; s/\t/   wget2: /'
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
