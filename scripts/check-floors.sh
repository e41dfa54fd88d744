#!/usr/bin/env bash
# Fails when a source file includes a header of a floor above or beside its own.
# Each floor may include itself and the floors listed for it; nothing else of ours.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 2

declare -A allowed=(
  [base]="base"
  [platform]="platform base"
  [image]="image base"
  [recording]="recording base platform image"
  [ui]="ui base platform image"
  [device]="device base platform image recording ui"
  [playback]="playback base platform image recording ui"
  [panels]="panels base platform image recording ui device playback"
  [app]="app base platform image recording ui device playback panels"
)
floors="${!allowed[*]}"

status=0
check_tree() { # top-folder: src or tests
  local top=$1 file floor target line
  while IFS= read -r file; do
    floor=${file#"$top"/}
    floor=${floor%%/*}
    [ -n "${allowed[$floor]+set}" ] || continue
    while IFS= read -r line; do
      target=${line#*\"}
      target=${target%%/*}
      case " $floors " in *" $target "*) ;; *) continue ;; esac
      case " ${allowed[$floor]} " in
        *" $target "*) ;;
        *) echo "$file: includes $target/ from $floor/: ${line#*#}"; status=1 ;;
      esac
    done < <(grep -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[a-z]+/' "$file")
  done < <(find "$top" -type f \( -name '*.h' -o -name '*.cpp' \) | sort)
}
check_tree src
check_tree tests

# The core floors build natively too: no windows.h in them.
if grep -rlE '#[[:space:]]*include[[:space:]]*<windows\.h>' src/base src/image 2>/dev/null; then
  echo "the files above include windows.h in a floor that must build without it"
  status=1
fi
[ $status -eq 0 ] && echo "floors: every include goes down"
exit $status
