#!/usr/bin/env bash
# Broken-link finder against wget's spider on a real documentation site.
#
# Copies the HTML manual of a Debian documentation package (libboost1.74-doc, about 3,800 pages
# below doc/html/) to a temporary folder, plants a few links to missing pages into it, serves it
# with nginx on 127.0.0.1 (a free port, its own config, stopped at the end) and runs
#   wget --spider -r -np -nd -nv -l 19 START
#   build/bin/meldewerk-cli broken START --parallel N        (N = 32 unless PARALLEL is set)
# on the same start address. Both wall times are printed with their ratio; the sets of broken
# page-like addresses (upper-cased address contains .HTM, .SHTM, .PHP, .ASP, .CFM or .JSP) are
# compared and the script exits 1 when they differ otherwise than explained below, 2 when it
# cannot run. KEEP=1 keeps the temporary folder (site, logs, sets) for a look afterwards.
#
# Making the two runs look at the same thing:
# - Scope: meldewerk-cli follows links within the start path (the default of a program folder
#   without Program.ini); wget gets -np (never ascend above the start folder). The manual links
#   up to ../../index.html and similar, which neither follows nor reports.
# - Depth: the crawler counts the start page as level 1 and stops below level 20, so it loads
#   pages up to 19 links away; wget's -l 19 is the same reach.
# - wget is told to ignore robots.txt (the crawler does not ask for it). wget also requests
#   pictures and style sheets, meldewerk-cli only pages; only page-like addresses are compared,
#   so the extra requests cost wget time but do not enter the comparison.
# - wget is one connection in a row; meldewerk-cli uses N parallel downloads.
# - The page scanner reads links by its own rules, not as a tag-aware spider does. Three kinds
#   of difference follow from them and are listed as explained, without failing the run:
#   a link value with ( ) + [ ] is dropped (the manual has href="(http://...)", which wget
#   resolves to a missing page); " href=" inside markup shown as text ("&lt;a href=...&gt;") is
#   read as a link; a lone "%" in an address is sent as written, as a browser sends it, and
#   nginx refuses it with 400, while wget sends "%25" and loads the page.
# - The program folder is a temporary copy of build/bin without Program.ini, so the crawler's
#   own defaults apply whatever settings a developer keeps in build/bin.
#
# The packages nginx, wget and libboost1.74-doc are installed here with apt-get when missing,
# not by scripts/install-deps.sh: the manual with its MathJax dependency is about 120 MB
# installed, and nginx's package starts a system web server on port 80 on machines that run
# services, which a machine that only builds and tests has no use for.
set -euo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
cli_src="$here/build/bin"
parallel="${PARALLEL:-32}"
doc_pkg=libboost1.74-doc
doc_root=/usr/share/doc/libboost1.74-doc

[ -x "$cli_src/meldewerk-cli" ] || { echo "build meldewerk-cli first: $cli_src/meldewerk-cli" >&2; exit 2; }

source "$here/bench/bench-lib.sh"
bench_install nginx wget "$doc_pkg"

work="$(mktemp -d /tmp/broken-vs-wget.XXXXXX)"
nginx_pid=""
cleanup() {
  if [ -n "$nginx_pid" ]; then kill "$nginx_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# The site: the package's folder with doc/html below it, symbolic links resolved.
site="$work/site"
mkdir -p "$site/doc"
cp -rL "$doc_root/doc/html" "$site/doc/html"
chmod -R a+rX "$work"

# Planted faults: five links to missing pages in pages at different depths, and one missing
# picture that must not count as a broken page.
plant() {  # file, href, tag
  local file="$site/doc/html/$1"
  [ -f "$file" ] || { echo "no page to plant into: $1" >&2; exit 2; }
  if [ "$3" = img ]; then
    sed -i "0,/<\/body>/s||<img src=\"$2\" alt=\"\"></body>|" "$file"
  else
    sed -i "0,/<\/body>/s||<a href=\"$2\">planted</a></body>|" "$file"
  fi
}
plant index.html missing-overview.html a
plant libraries.html no-such-library.htm a
plant accumulators/user_s_guide.html gone-chapter.html a
plant thread/synchronization.html ../lost/locks.php a
plant boost/any.html "../missing%20class.html" a
plant any.html missing-picture.png img
planted=5
pages=$(find "$site/doc/html" -iname '*.htm*' | wc -l)

port=$(bench_free_port)
bench_serve "$site" "$work" "$port" 2 /doc/html/index.html
start="http://127.0.0.1:$port/doc/html/index.html"

page_like() { grep -aE '\.([Hh][Tt][Mm]|[Ss][Hh][Tt][Mm]|[Pp][Hh][Pp]|[Aa][Ss][Pp]|[Cc][Ff][Mm]|[Jj][Ss][Pp])' || true; }

now() { date +%s.%N; }

echo "site: $doc_pkg, $pages pages, $planted broken page links planted, start $start"

mkdir -p "$work/wget"
t0=$(now)
set +e
(cd "$work/wget" && wget --spider -r -np -nd -nv -l 19 -e robots=off "$start" >"$work/wget.log" 2>&1)
set -e
t1=$(now)
# wget closes with "Found N broken links." and the addresses, one a line.
sed -n '/^Found [0-9]* broken link/,$p' "$work/wget.log" | grep -a '^http' | page_like | sort -u >"$work/wget.set"

cp -r "$cli_src" "$work/cli"
rm -f "$work/cli/Program.ini"
t2=$(now)
set +e
"$work/cli/meldewerk-cli" broken "$start" --parallel "$parallel" >"$work/cli.log" 2>"$work/cli.err"
cli_rc=$?
set -e
t3=$(now)
sed -n 's/^Broken Link ----- Die URL \(.*\) wird nicht gefunden!.*$/\1/p' "$work/cli.log" | page_like | sort -u >"$work/cli.set"

wget_ok=$(grep -aoE 'URL: ?http[^ ]*' "$work/wget.log" | sed 's/^URL: \?//' | page_like | sort -u | wc -l)
cli_ok=$(grep -ac '^OK: ' "$work/cli.log" || true)
echo "wget:         $(wc -l <"$work/wget.set") broken page links, $wget_ok pages loaded"
echo "meldewerk-cli: $(wc -l <"$work/cli.set") broken page links, $cli_ok pages OK, exit $cli_rc"
python3 - "$t0" "$t1" "$t2" "$t3" <<'EOF'
import sys
t0, t1, t2, t3 = map(float, sys.argv[1:])
w, m = t1 - t0, t3 - t2
print(f"wall time: wget {w:.2f} s, meldewerk-cli {m:.2f} s, ratio {m / w:.2f}")
EOF

# The sets are compared address by address. A difference that follows from the page scanner's
# own link rules is shown as explained and does not fail the run (see the header); any other
# difference does.
set +e
python3 - "$work/wget.set" "$work/cli.set" "$work/cli.log" <<'EOF'
import re, sys, urllib.parse, urllib.request
wget = set(open(sys.argv[1]).read().split())
cli = set(open(sys.argv[2]).read().split())
referrer = {}
for line in open(sys.argv[3], encoding="utf-8", errors="replace"):
    m = re.match(r"Broken Link ----- Die URL (.*) wird nicht gefunden! \(verlinkt auf (.*)\)$", line.rstrip("\n"))
    if m:
        referrer[m.group(1)] = m.group(2)

def shown_as_code(address):
    # The referring page shows markup as text ("&lt;a href=...&gt;"): the scanner reads the
    # href there as well, a tag-aware spider does not.
    page = referrer.get(address)
    if not page:
        return False
    text = urllib.request.urlopen(page).read().decode("utf-8", "replace")
    for value in re.findall(r'&lt;a href="([^"]*)"', text):
        if urllib.parse.urljoin(page, value).split("#")[0] == address:
            return True
    return False

def why(address, only_cli):
    if not only_cli and re.search(r"[()+\[\]]", address):
        return "the scanner drops a link value with ( ) + [ ]"
    if only_cli and re.search(r"%(?![0-9A-Fa-f]{2})", address):
        return "a lone % is sent as written, as a browser does, and the server refuses it; wget sends %25"
    if only_cli and shown_as_code(address):
        return "the href stands in markup shown as text on " + referrer[address]
    return None

unexplained = 0
for only_cli, addresses in ((False, sorted(wget - cli)), (True, sorted(cli - wget))):
    for a in addresses:
        reason = why(a, only_cli)
        side = "meldewerk-cli only" if only_cli else "wget only"
        if reason:
            print(f"  explained, {side}: {a}\n    ({reason})")
        else:
            print(f"  DIFFERENT, {side}: {a}")
            unexplained += 1
common = wget & cli
print(f"found by both: {len(common)}")
for a in sorted(common):
    print("  " + a)
sys.exit(1 if unexplained else 0)
EOF
same=$?
set -e
[ -n "${KEEP:-}" ] && { trap - EXIT; kill "$nginx_pid" 2>/dev/null || true; echo "kept: $work"; }
if [ "$same" -ne 0 ]; then
  echo "the broken page links differ"
  exit 1
fi
echo "same broken page links (apart from the explained differences above)"
exit 0
