#!/usr/bin/env bash
# Checks that includes run one way through the layers of src/, from the bottom:
#   common, platform, crawler, store, the subsystems (scans, submit, ranking, metatags, tools,
#   auxiliary), shell, then app and cli.
# A file may include its own layer and any layer below it; subsystems may include each other, app and
# cli may not. Logic (every source compiled into meldewerk_core) never includes a window or widget
# header: neither a source of meldewerk_gui nor a header of Qt's Widgets, Gui, PrintSupport or WebEngine.
# Prints one line per offending include and exits 1 when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A rank=(
  [common]=0 [platform]=1 [crawler]=2 [store]=3
  [scans]=4 [submit]=4 [ranking]=4 [metatags]=4 [tools]=4 [auxiliary]=4
  [shell]=5 [app]=6 [cli]=6
)
subsystem_rank=4

# The sources a target lists in the src/*/CMakeLists.txt files, as layer/File.ext lines.
target_files() {
  local target=$1 list dir
  for list in src/*/CMakeLists.txt; do
    dir=$(basename "$(dirname "$list")")
    awk -v t="$target" '
      $0 ~ "target_sources\\(" t "[ \t]" { inside = 1 }
      inside { line = $0; sub("target_sources\\(" t, "", line); gsub(/PRIVATE|PUBLIC|[()]/, "", line)
               n = split(line, w, /[ \t]+/); for (i = 1; i <= n; i++) if (w[i] != "") print w[i] }
      inside && /\)/ { inside = 0 }' "$list" | sed "s#^#$dir/#"
  done
}

declare -A core gui
while read -r f; do core[$f]=1; done < <(target_files meldewerk_core)
while read -r f; do gui[$f]=1; gui[${f%.*}.h]=1; done < <(target_files meldewerk_gui)

qt_include=""
for d in /usr/include/x86_64-linux-gnu/qt6 /usr/include/qt6 /usr/include/aarch64-linux-gnu/qt6; do
  [ -d "$d/QtWidgets" ] && qt_include=$d && break
done
is_qt_gui_header() {
  [ -n "$qt_include" ] || return 1
  local name=$1 module
  for module in QtWidgets QtGui QtPrintSupport QtWebEngineWidgets QtWebEngineCore; do
    [ -e "$qt_include/$module/$name" ] && return 0
    [[ $name == "$module/"* ]] && return 0
  done
  return 1
}

failures=0
report() {
  echo "$1:$2: $3"
  failures=$((failures + 1))
}

while IFS= read -r file; do
  layer=${file#src/}
  layer=${layer%%/*}
  [ -n "${rank[$layer]:-}" ] || continue
  relative=${file#src/}
  is_logic=0
  if [ -n "${core[$relative]:-}" ] || [ -n "${core[${relative%.*}.cpp]:-}" ]; then is_logic=1; fi
  while IFS=: read -r line text; do
    if [[ $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([a-z]+)/([^\"]+)\" ]]; then
      target=${BASH_REMATCH[1]}
      name=${BASH_REMATCH[2]}
      [ -n "${rank[$target]:-}" ] || continue
      if [ "$target" != "$layer" ]; then
        if ((rank[$target] > rank[$layer])); then
          report "$file" "$line" "$layer must not include $target/$name (a higher layer)"
        elif ((rank[$target] == rank[$layer] && rank[$layer] != subsystem_rank)); then
          report "$file" "$line" "$layer must not include $target/$name (app and cli stand side by side)"
        fi
      fi
      if ((is_logic)) && [ -n "${gui[$target/$name]:-}" ]; then
        report "$file" "$line" "logic must not include the window header $target/$name"
      fi
    elif ((is_logic)) && [[ $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<(Q[^\>]+)\> ]]; then
      if is_qt_gui_header "${BASH_REMATCH[1]}"; then
        report "$file" "$line" "logic must not include the widget header <${BASH_REMATCH[1]}>"
      fi
    fi
  done < <(grep -n '#[[:space:]]*include' "$file" || true)
done < <(find src -type f \( -name '*.h' -o -name '*.cpp' \) | sort)

if ((failures)); then
  echo "check-layers: $failures include(s) break the order of the layers" >&2
  exit 1
fi
echo "check-layers: every include runs one way"
