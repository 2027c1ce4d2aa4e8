#!/usr/bin/env bash
# Fails on any #include against the direction of the layers, naming the file and line.
#   scripts/check-layers.sh [ROOT]     check the tree at ROOT (default: this repository)
#   scripts/check-layers.sh --self-test  plant bad includes in a copy and expect each caught
# Every library target puts the repository root on its include path, so the compiler alone
# would let core/ include tape/; this table is the rule the build is held to.
set -euo pipefail
script=$(cd "$(dirname "$0")" && pwd)/$(basename "$0")

# folder | the folders it may include besides itself (what it links, and what those link) |
# "qt" where Qt's headers may be included. A file belongs to the longest folder that holds it.
layers=(
  "core||"
  "tools|core|"
  "convert|core tools|"
  "tape|core tools|"
  "preview|core tools convert|"
  "tape/tool|core tools tape|"
  "cli|core tools convert tape preview|"
  "gui|core tools|qt"
  "tools/ui|core tools convert gui|qt"
  "tape/ui|core tools tape gui|qt"
  "app|core tools convert tape preview gui tools/ui tape/ui|qt"
)
# Free to include anything: they test or measure every layer.
free_folders="tests bench"

# The layer folder that holds a path relative to the root, or nothing.
folder_of() {
  local path=$1 best="" entry name
  for entry in "${layers[@]}"; do
    name=${entry%%|*}
    if [[ $path == "$name/"* && ${#name} -gt ${#best} ]]; then
      best=$name
    fi
  done
  printf '%s' "$best"
}

# A relative path with its "." and ".." parts resolved as text (the file need not exist).
normalize() {
  local part out=()
  local IFS=/
  for part in $1; do
    case $part in
      "" | .) ;;
      ..) [[ ${#out[@]} -gt 0 ]] && unset 'out[${#out[@]}-1]' ;;
      *) out+=("$part") ;;
    esac
  done
  printf '%s' "${out[*]}"
}

# Qt's headers: <QString>, <QtWidgets/QWidget>, <qglobal.h>.
is_qt_header() {
  [[ $1 =~ ^(Qt[A-Za-z]*/.*|Q[A-Z][A-Za-z0-9]*|q[a-z0-9_]+\.h)$ ]]
}

check_tree() {
  local root=$1 failures=0 file folder entry allowed qt line number text target resolved tfolder
  cd "$root"
  while IFS= read -r file; do
    file=${file#./}
    local top=${file%%/*} skip=0
    for entry in $free_folders; do [[ $top == "$entry" ]] && skip=1; done
    [[ $skip == 1 ]] && continue
    folder=$(folder_of "$file")
    if [[ -z $folder ]]; then
      echo "$file: in no folder of the layer table (scripts/check-layers.sh)"
      failures=$((failures + 1))
      continue
    fi
    for entry in "${layers[@]}"; do
      if [[ ${entry%%|*} == "$folder" ]]; then
        allowed=${entry#*|}
        qt=${allowed#*|}
        allowed=${allowed%%|*}
      fi
    done
    while IFS= read -r line; do
      number=${line%%:*}
      text=${line#*:}
      [[ $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*([\"\<])([^\"\>]+)[\"\>] ]] || continue
      local quote=${BASH_REMATCH[1]}
      target=${BASH_REMATCH[2]}
      if is_qt_header "$target"; then
        if [[ $qt != qt ]]; then
          echo "$file:$number: includes Qt ($target); $folder/ is plain C++"
          failures=$((failures + 1))
        fi
        continue
      fi
      # A quoted include is found beside the file first, then from the root. A bracketed
      # one names a layer only when it spells a file of the tree from the root; anything
      # else is a system or library header.
      resolved=""
      if [[ $quote == '"' && ($target == ../* || -e ${file%/*}/$target) ]]; then
        resolved=$(normalize "${file%/*}/$target")
      elif [[ $quote == '"' || -e $target ]]; then
        resolved=$(normalize "$target")
      fi
      [[ -n $resolved ]] || continue
      tfolder=$(folder_of "$resolved")
      [[ -z $tfolder || $tfolder == "$folder" ]] && continue
      if [[ " $allowed " != *" $tfolder "* ]]; then
        echo "$file:$number: includes $resolved; $folder/ may not include $tfolder/"
        failures=$((failures + 1))
      fi
    done < <(grep -n -E '^[[:space:]]*#[[:space:]]*include' "$file" || true)
  done < <(find . \( -path './build*' -o -path './.git' \) -prune -o -type f \
                \( -name '*.cpp' -o -name '*.h' -o -name '*.hpp' -o -name '*.c' \) -print | sort)
  if [[ $failures -gt 0 ]]; then
    echo "$failures include(s) against the layers (table in scripts/check-layers.sh)" >&2
    return 1
  fi
}

self_test() {
  local tmp status=0 out
  tmp=$(mktemp -d)
  trap 'rm -rf "$tmp"' RETURN
  local source_root
  source_root=$(cd "$(dirname "$script")/.." && pwd)
  mkdir "$tmp/tree"
  (cd "$source_root" && find core tools convert tape preview cli gui app tests \
      \( -name '*.cpp' -o -name '*.h' \) -exec cp --parents {} "$tmp/tree" \;)
  if ! out=$(check_tree "$tmp/tree" 2>&1); then
    echo "self-test: the unchanged tree fails:"$'\n'"$out" >&2
    return 1
  fi
  # file | line planted at its end | what the report must say ("" = must pass)
  local cases=(
    'core/Planted.cpp|#include "tape/TapeReader.h"|core/Planted.cpp:1: includes tape/TapeReader.h; core/ may not include tape/'
    'core/Planted.cpp|#include "../preview/Preview.h"|core/Planted.cpp:1: includes preview/Preview.h'
    'tools/Planted.cpp|#include <QString>|tools/Planted.cpp:1: includes Qt (QString)'
    'tape/Planted.h|  #  include <QtCore/QObject>|tape/Planted.h:1: includes Qt'
    'tape/Planted.cpp|#include "tape/ui/TapLinkerWindow.h"|tape/ui/TapLinkerWindow.h; tape/ may not include tape/ui/'
    'preview/Planted.cpp|#include "tape/TapeReader.h"|preview/ may not include tape/'
    'gui/Planted.cpp|#include "tools/ui/CompressionWindow.h"|gui/ may not include tools/ui/'
    'tools/ui/Planted.cpp|#include "tape/ui/TapLinkerWindow.h"|tools/ui/ may not include tape/ui/'
    'tape/ui/Planted.cpp|#include "app/MainWindow.h"|tape/ui/ may not include app/'
    'cli/Planted.cpp|#include "gui/Dialogs.h"|cli/ may not include gui/'
    'widgets/Planted.cpp|#include "core/T64Image.h"|widgets/Planted.cpp: in no folder of the layer table'
    'app/Planted.cpp|#include "tape/ui/TapLinkerWindow.h"|'
    'cli/Planted.cpp|#include <CLI/CLI.hpp>|'
    'tests/core/Planted.cpp|#include "app/MainWindow.h"|'
    'core/Planted.cpp|// #include "tape/TapeReader.h"|'
  )
  local c file text expected n=0 tree
  for c in "${cases[@]}"; do
    IFS='|' read -r file text expected <<<"$c"
    # The first case among the real files, the others alone in a tree of their own.
    tree=$tmp/tree
    [[ $n -gt 0 ]] && tree=$tmp/case$n
    n=$((n + 1))
    mkdir -p "$tree/$(dirname "$file")"
    printf '%s\n' "$text" >"$tree/$file"
    if out=$(check_tree "$tree" 2>&1); then
      if [[ -n $expected ]]; then
        echo "self-test: not caught: $text in $file" >&2
        status=1
      fi
    elif [[ -z $expected ]]; then
      echo "self-test: refused wrongly: $text in $file:"$'\n'"$out" >&2
      status=1
    elif [[ $out != *"$expected"* ]]; then
      echo "self-test: $text in $file reported as:"$'\n'"$out"$'\n'"expected: $expected" >&2
      status=1
    fi
  done
  [[ $status == 0 ]] && echo "check-layers self-test: ${#cases[@]} cases passed"
  return $status
}

case "${1:-}" in
  --self-test) self_test ;;
  "") check_tree "$(cd "$(dirname "$script")/.." && pwd)" ;;
  *) check_tree "$(cd "$1" && pwd)" ;;
esac
