#!/usr/bin/env bash
# Installs the built programs into a temporary prefix and checks the installation as a user's
# desktop would see it: the desktop entry and the AppStream metadata pass their validators, the
# installed command line and window work in the user's data folder (seeded from share/meldewerk
# at the first start), and a later version's new files reach that folder without overwriting
# what the user changed. Everything happens below one temporary folder, which also serves as
# HOME: neither the repository nor the real HOME is touched. Run after scripts/build.sh.
# Usage: scripts/check-install.sh [BUILD_FOLDER]; KEEP=1 keeps the temporary folder for a look.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

tmp=$(mktemp -d "${TMPDIR:-/tmp}/meldewerk-install-XXXXXX")
window_pid=""
cleanup() {
  [ -n "$window_pid" ] && kill "$window_pid" 2>/dev/null || true
  [ -n "${KEEP:-}" ] || rm -rf "$tmp"
}
trap cleanup EXIT
prefix=$tmp/prefix
failures=0
fail() {
  echo "check-install: $*" >&2
  failures=$((failures + 1))
}
# A user of our own: every folder a program or a toolkit may write to lies below $tmp.
as_user() {
  env HOME="$tmp/home" XDG_DATA_HOME="$tmp/home/data" XDG_CONFIG_HOME="$tmp/home/config" \
    XDG_CACHE_HOME="$tmp/home/cache" XDG_RUNTIME_DIR="$tmp/home/runtime" "$@"
}
mkdir -p "$tmp/home/runtime" && chmod 700 "$tmp/home/runtime"

cmake --install "$build" --prefix "$prefix" >/dev/null

id=org.example.Meldewerk
for f in bin/meldewerk bin/meldewerk-cli bin/meldewerk-click share/meldewerk/ver.ini share/applications/$id.desktop \
  share/metainfo/$id.metainfo.xml share/icons/hicolor/scalable/apps/$id.svg \
  share/icons/hicolor/48x48/apps/$id.png share/icons/hicolor/256x256/apps/$id.png; do
  [ -f "$prefix/$f" ] || fail "not installed: $f"
done
desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop-file-validate failed"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >"$tmp/appstream.txt" 2>&1 ||
  { cat "$tmp/appstream.txt" >&2; fail "appstreamcli validate failed"; }

# The command line: the version of ver.ini, from a user folder seeded at its first start.
version=$(head -n 1 data/ver.ini | tr -d '\r')
number=$(grep -oE '[0-9]+(\.[0-9]+)*' <<<"$version" | head -n 1)
grep -q "<release version=\"$number\"" "$prefix/share/metainfo/$id.metainfo.xml" ||
  fail "the metadata names no release $number (ver.ini: $version)"
shown=$(as_user "$prefix/bin/meldewerk-cli" --version) || fail "meldewerk-cli --version failed"
[ "$shown" = "$version" ] || fail "meldewerk-cli --version printed '$shown', ver.ini says '$version'"
user=$tmp/home/data/Meldewerk
cmp -s data/ver.ini "$user/ver.ini" || fail "the user folder was not seeded by meldewerk-cli"
as_user "$prefix/bin/meldewerk-cli" --help >"$tmp/help.txt"
grep -qF "Program folder: $user/" "$tmp/help.txt" || fail "--help names no program folder"
for command in $(sed -n '/^Commands:/,/^$/{s/^  \([a-z-]*\) .*/\1/p}' "$tmp/help.txt"); do
  as_user "$prefix/bin/meldewerk-cli" "$command" --help | grep -qF "Program folder: $user/" ||
    fail "meldewerk-cli $command --help names no program folder"
done

# A later version: one new template, one changed file; the user has edited the help page.
printf 'meine Hilfe\r\n' >"$user/help/help.html"
mkdir -p "$prefix/share/meldewerk/Projects/templates"
printf '[SETTINGS]\r\nBasicURL=http://127.0.0.1/?url=KLXURL\r\n' >"$prefix/share/meldewerk/Projects/templates/Neu_DE.ini"
printf 'neu\r\n' >>"$prefix/share/meldewerk/help/help.html"
as_user "$prefix/bin/meldewerk-cli" --version >/dev/null
cmp -s "$prefix/share/meldewerk/Projects/templates/Neu_DE.ini" "$user/Projects/templates/Neu_DE.ini" ||
  fail "a later version's new template did not reach the user folder"
[ "$(cat "$user/help/help.html")" = $'meine Hilfe\r' ] || fail "the user's changed file was overwritten"

# The window seeds a user folder of its own at its first start and creates its work folders
# there; it is ended once they exist.
window_data=$tmp/home/window
env HOME="$tmp/home" XDG_DATA_HOME="$window_data" XDG_CONFIG_HOME="$tmp/home/config" \
  XDG_CACHE_HOME="$tmp/home/cache" XDG_RUNTIME_DIR="$tmp/home/runtime" QT_QPA_PLATFORM=offscreen \
  QTWEBENGINE_DISABLE_SANDBOX=1 "$prefix/bin/meldewerk" >"$tmp/window.log" 2>&1 &
window_pid=$!
for _ in $(seq 300); do
  [ -d "$window_data/Meldewerk/reports" ] && break
  kill -0 "$window_pid" 2>/dev/null || break
  sleep 0.1
done
[ -d "$window_data/Meldewerk/reports" ] && cmp -s data/ver.ini "$window_data/Meldewerk/ver.ini" ||
  { cat "$tmp/window.log" >&2; fail "the installed window did not work in its seeded user folder"; }
kill "$window_pid" 2>/dev/null || true
wait "$window_pid" 2>/dev/null || true
window_pid=""
for d in "$prefix/share/meldewerk/Temp" "$prefix/share/meldewerk/reports" "$prefix/bin/Temp"; do
  [ -e "$d" ] && fail "the installed program wrote into its installation: $d"
done

if ((failures)); then
  echo "check-install: $failures check(s) failed" >&2
  exit 1
fi
echo "check-install: the installation validates and works in the user's data folder"
