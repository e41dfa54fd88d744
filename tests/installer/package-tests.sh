#!/usr/bin/env bash
# The Windows packages in dist/ (scripts/package.sh writes them), as IT and users meet them.
#   package-tests.sh tables        what the MSI databases and the zips of both widths hold
#   package-tests.sh wine WIDTH    under Wine, in a scratch copy of the width's prefix: silent
#                                  install, the installed program starts and ends, a newer
#                                  package replaces it, an older one is refused, silent uninstall
#                                  leaves nothing, the zip starts from a folder named with spaces
#                                  and Japanese characters
# Pictures of the started programs go to build/package-tests/WIDTH/.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
source scripts/lib/wine.sh
source scripts/lib/package.sh

checks=0
failures=0
# expect WHAT COMMAND...: one check, reported on one line.
expect() {
  local what=$1 started=$SECONDS
  shift
  checks=$((checks + 1))
  if "$@"; then
    echo "  ok    $what ($((SECONDS - started)) s)"
  else
    echo "  FAIL  $what ($((SECONDS - started)) s)"
    failures=$((failures + 1))
  fi
}
finish() {
  echo "package tests: $checks checks, $failures failed"
  [ "$failures" -eq 0 ]
}

# The rows of a table of an MSI database, without the three header lines (exported in a folder
# of its own: msiinfo writes a table's binary fields, the icons, as files beside it).
msi_rows() { (cd "$work" && msiinfo export "$1" "$2" | tail -n +4 | tr -d '\r'); }
has_row() { msi_rows "$1" "$2" | grep -qP -- "$3"; }
property() { msi_rows "$1" Property | awk -F'\t' -v name="$2" '$1 == name { print $2 }'; }

# The file version of a Windows program as its about dialog shows it: the digits of the version
# resource's FileVersion text, its first two commas made periods, ending at the third.
shown_version() {
  python3 - "$1" <<'EOF'
import re, sys
data = open(sys.argv[1], "rb").read()
key = "FileVersion\0".encode("utf-16-le")
at = data.find(key, data.find("VS_VERSION_INFO".encode("utf-16-le"))) + len(key)
at += (4 - at % 4) % 4
text = data[at:data.find(b"\0\0", at) + 1].decode("utf-16-le")
shown = re.sub(r"[^0-9,]", "", text).split(",")[:3]
print(".".join(shown))
EOF
}

tarvo_package_info win64
version=$tarvo_version
publisher=$tarvo_publisher
package() { echo "$root/dist/Tarvo_Viewer-$version-$(tarvo_package_arch "$1").$2"; }
esc() { printf '%s' "$1" | sed 's/[.[\(*^$+?{|]/\\&/g'; }
upgrade_code=$(grep -oP 'define UpgradeCode = "\K[0-9A-F-]+' installer/Tarvo_Viewer.wxs)

# ---- the databases and the zips -------------------------------------------------------------

test_tables() {
  local width arch msi zip folder extracted v
  v=$(esc "$version")
  for width in win32 win64; do
    arch=$(tarvo_package_arch "$width")
    msi=$(package "$width" msi)
    zip=$(package "$width" zip)
    folder=Tarvo_Viewer-$version-$arch
    echo "== $arch packages"
    expect "$(basename "$msi") and $(basename "$zip") exist" test -s "$msi" -a -s "$zip"
    local program_files=ProgramFilesFolder component_bits=0 template=Intel
    if [ "$arch" = x64 ]; then program_files=ProgramFiles64Folder component_bits=256 template=x64; fi
    local rows=(
      "File|^Tarvo_Viewer\.exe\tProgram\tTarvo_Viewer\.exe\t[0-9]+\t"
      "File|^README_ja\.txt\tReadMeJa\tREADME-ja\.txt\t"
      "File|^README_en\.txt\tReadMeEn\tREADME-en\.txt\t"
      "Component|^Program\t\{[0-9A-F-]{36}\}\tINSTALLDIR\t$component_bits\t\tTarvo_Viewer\.exe$"
      "Component|^ReadMeJa\t\{[0-9A-F-]{36}\}\tINSTALLDIR\t$component_bits\t\tREADME_ja\.txt$"
      "Directory|^INSTALLDIR\t$program_files\tTarvo_Viewer$"
      "Directory|^ProgramMenuFolder\tTARGETDIR\t"
      "Shortcut|^StartMenuShortcut\tProgramMenuFolder\tTarvo_Viewer\tProgram\t\[#Tarvo_Viewer\.exe\]\t.*\tTarvo_Viewer\.ico\t0\t.*\tINSTALLDIR\t"
      "Icon|^Tarvo_Viewer\.ico\t"
      "Upgrade|^\{$upgrade_code\}\t0\.0\.0\t$v\t\t768\t\tOLDERVERSIONBEINGUPGRADED$"
      "Upgrade|^\{$upgrade_code\}\t$v\t\t\t2\t\tNEWERVERSIONDETECTED$"
      "LaunchCondition|^NOT NEWERVERSIONDETECTED\t"
      "InstallExecuteSequence|^RemoveExistingProducts\t\t1401$"
      "Property|^ProductName\tTarvo_Viewer$"
      "Property|^ProductVersion\t$v$"
      "Property|^Manufacturer\t$(esc "$publisher")$"
      "Property|^UpgradeCode\t\{$upgrade_code\}$"
      "Property|^ALLUSERS\t1$"
      "Property|^ARPPRODUCTICON\tTarvo_Viewer\.ico$"
      "Property|^SecureCustomProperties\t.*NEWERVERSIONDETECTED"
      "Property|^SecureCustomProperties\t.*OLDERVERSIONBEINGUPGRADED"
    )
    local row
    for row in "${rows[@]}"; do
      expect "${row%%|*}: ${row#*|}" has_row "$msi" "${row%%|*}" "${row#*|}"
    done
    expect "summary: $template, Japanese" bash -c "msiinfo suminfo '$msi' | grep -qx 'Template: $template;1041'"

    # What the two packages hold is the one program, whose about dialog shows the package version.
    extracted=$(mktemp -d)
    (cd "$extracted" && msiextract -C "$extracted" "$msi" >/dev/null)
    unzip -q "$zip" -d "$extracted/zip"
    local installed="$extracted/Program Files/Tarvo_Viewer/Tarvo_Viewer.exe"
    [ -f "$installed" ] || installed=$(find "$extracted" -path "$extracted/zip" -prune -o -name Tarvo_Viewer.exe -print | head -n 1)
    expect "the zip holds $folder/ with the program and the two read-me files" \
      bash -c "unzip -Z1 '$zip' | sort | tr '\n' ' ' | grep -qx '$folder/ $folder/README-en.txt $folder/README-ja.txt $folder/Tarvo_Viewer.exe '"
    expect "the MSI and the zip hold the same program" cmp -s "$installed" "$extracted/zip/$folder/Tarvo_Viewer.exe"
    expect "the program's about dialog shows $version" test "$(shown_version "$installed")" = "$version"
    expect "the program is built for $arch" bash -c "file '$installed' | grep -q '$([ "$arch" = x64 ] && echo x86-64 || echo 'Intel 80386')'"
    expect "the read-me files name the version, with Notepad's byte-order mark and line ends" \
      bash -c "grep -q 'Tarvo_Viewer $version' '$extracted/zip/$folder/README-en.txt' &&
               grep -q 'Tarvo_Viewer $version' '$extracted/zip/$folder/README-ja.txt' &&
               head -c 3 '$extracted/zip/$folder/README-ja.txt' | od -An -tx1 | grep -q 'ef bb bf' &&
               head -n 1 '$extracted/zip/$folder/README-ja.txt' | grep -q \$'\r\$'"
    rm -rf "$extracted"
  done
  expect "both widths' packages share the one fixed UpgradeCode" \
    test "$(property "$(package win32 msi)" UpgradeCode)" = "$(property "$(package win64 msi)" UpgradeCode)"
}

# ---- under Wine -----------------------------------------------------------------------------

# The Apps & features entries named Tarvo_Viewer, one line each: version|publisher. Both views of
# the registry: Wine registers a 32-bit package in the 32-bit one.
registered() {
  local view
  for view in 64 32; do
    wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s /reg:$view 2>/dev/null
  done | tr -d '\r' |
    awk '/^HKEY_/ { if (name == "Tarvo_Viewer") print key "|" version "|" publisher; key = $0; name = version = publisher = ""; next }
         $1 == "DisplayName" { name = $3 } $1 == "DisplayVersion" { version = $3 }
         $1 == "Publisher" { $1 = $2 = ""; sub(/^ +/, ""); publisher = $0 }
         END { if (name == "Tarvo_Viewer") print key "|" version "|" publisher }' | sort -u | cut -d'|' -f2-
}
registered_versions() { registered | cut -d'|' -f1 | tr '\n' ' '; }
# The icon file of the installed product's registration (Apps & features shows it).
product_icon() {
  wine reg query 'HKLM\Software\Classes\Installer\Products' /s 2>/dev/null | tr -d '\r' |
    awk '$1 == "ProductIcon" { $1 = $2 = ""; sub(/^ +/, ""); print }'
}
msiexec() { wine msiexec "$@" </dev/null >/dev/null 2>&1; }
refused() { ! "$@"; }
windows_path() { wine winepath -w "$1" 2>/dev/null | tr -d '\r'; }
unix_path() { wine winepath -u "$1" 2>/dev/null | tr -d '\r'; }
viewer_window() { xwininfo -root -tree 2>/dev/null | grep -q '"Tarvo_Viewer'; }
# The viewers running in this prefix (other prefixes' viewers are not ours to look at).
viewer_running() {
  local process
  for process in $(pgrep -f 'Tarvo_Viewer\.exe'); do
    tr '\0' '\n' < "/proc/$process/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && return 0
  done
  return 1
}
# The Start-menu shortcut: in the Start menu of all users, where Windows puts a per-machine
# package's; Wine's installer puts it in the user's (it leaves ALLUSERS out of ProgramMenuFolder).
start_menu_shortcut() {
  local folder
  for folder in "$c/ProgramData/Microsoft/Windows/Start Menu/Programs" \
                "$c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"; do
    [ -f "$folder/Tarvo_Viewer.lnk" ] && echo "$folder/Tarvo_Viewer.lnk"
  done
}

# started_and_closed PICTURE COMMAND...: the program started by COMMAND shows its window (a
# picture of the screen goes to PICTURE) and, closed as its close button closes it, ends.
started_and_closed() {
  local picture=$1 i
  shift
  "$@" </dev/null >/dev/null 2>&1 &
  for i in $(seq 1 150); do viewer_window && break; sleep 0.2; done
  if ! viewer_window; then
    echo "        no window appeared"
    wine taskkill /f /im Tarvo_Viewer.exe >/dev/null 2>&1
    return 1
  fi
  sleep 2
  import -window root "$picture"
  echo "        picture: $picture"
  # WM_CLOSE to the program's windows, as the close button sends.
  wine taskkill /im Tarvo_Viewer.exe >/dev/null 2>&1
  for i in $(seq 1 100); do viewer_running || break; sleep 0.2; done
  if viewer_running; then
    if viewer_window; then echo "        the window is still there"; else echo "        the window closed, but the program is still running 20 s later"; fi
    wine taskkill /f /im Tarvo_Viewer.exe >/dev/null 2>&1
    return 1
  fi
  ! viewer_window
}

test_wine() {
  local width=$1 arch msi newer shots c
  arch=$(tarvo_package_arch "$width")
  msi=$(package "$width" msi)
  shots=$root/build/package-tests/$width
  rm -rf "$shots" && mkdir -p "$shots"
  tarvo_start_display
  tarvo_use_width "$width"
  # A scratch copy of the width's prefix, so that the installs leave the tests' prefix as it was.
  tarvo_start_wine
  wineserver -k >/dev/null 2>&1; wineserver -w >/dev/null 2>&1
  local base=$WINEPREFIX
  export WINEPREFIX=$root/build/wine-package-$width
  rm -rf "$WINEPREFIX" && cp -a "$base" "$WINEPREFIX"
  wineserver -p
  wine cmd /c exit </dev/null >/dev/null 2>&1
  c=$WINEPREFIX/drive_c
  local folder="$c/Program Files/Tarvo_Viewer"

  echo "== $arch package under Wine ($tarvo_loader, scratch prefix $WINEPREFIX)"
  expect "a silent install succeeds" msiexec /i "$(windows_path "$msi")" /qn
  expect "the program is in Program Files\\Tarvo_Viewer with its read-me files" \
    test -f "$folder/Tarvo_Viewer.exe" -a -f "$folder/README-ja.txt" -a -f "$folder/README-en.txt"
  local shortcut
  shortcut=$(start_menu_shortcut)
  expect "the Start-menu shortcut Tarvo_Viewer exists, once" test -n "$shortcut" -a "$(echo "$shortcut" | wc -l)" = 1
  expect "Apps & features lists Tarvo_Viewer $version by $publisher, once" test "$(registered)" = "$version|$publisher"
  local icon
  icon=$(product_icon)
  expect "its entry has the program's icon" bash -c "test -n '$icon' && cmp -s '$(unix_path "$icon")' '$root/resources/icons/tarvo.ico'"
  expect "the installed program, started from its Start-menu shortcut, shows its window and ends when closed" \
    started_and_closed "$shots/installed.png" wine start "$(windows_path "$shortcut")"

  local newer_version scratch
  newer_version=$(echo "$version" | awk -F. '{ print $1 "." $2 "." $3 + 1 }')
  scratch=$(mktemp -d)
  newer=$scratch/Tarvo_Viewer-newer.msi
  tarvo_stage_files "$width" "$newer_version" "$scratch/files"
  tarvo_make_msi "$scratch/files" "$width" "$newer_version" "$newer"
  expect "a newer package ($newer_version) installs silently over it" msiexec /i "$(windows_path "$newer")" /qn
  expect "one product is registered, the newer one" test "$(registered_versions)" = "$newer_version "
  expect "the installed files are the newer package's" \
    bash -c "test -f '$folder/Tarvo_Viewer.exe' && grep -q 'Tarvo_Viewer $newer_version' '$folder/README-en.txt'"
  expect "the older package is refused" refused msiexec /i "$(windows_path "$msi")" /qn
  expect "and leaves the newer one as it was" test "$(registered_versions)" = "$newer_version "

  expect "a silent uninstall succeeds" msiexec /x "$(windows_path "$newer")" /qn
  expect "it removes the program's folder" test ! -e "$folder"
  expect "it removes the shortcut" test -z "$(start_menu_shortcut)"
  expect "it removes the registration" test -z "$(registered)"
  rm -rf "$scratch"

  if [ "$width" = win64 ]; then
    # The 32-bit package on 64-bit Windows: installed, not run.
    local folder32="$c/Program Files (x86)/Tarvo_Viewer"
    expect "the x86 package installs silently" msiexec /i "$(windows_path "$(package win32 msi)")" /qn
    expect "into Program Files (x86)" test -f "$folder32/Tarvo_Viewer.exe" -a ! -e "$folder"
    expect "the x64 package of the same version installs silently over it" msiexec /i "$(windows_path "$msi")" /qn
    expect "and replaces it" test -f "$folder/Tarvo_Viewer.exe" -a ! -e "$folder32"
    expect "one product is registered" test "$(registered_versions)" = "$version "
    msiexec /x "$(windows_path "$msi")" /qn
    expect "and uninstalling it leaves nothing" \
      test -z "$(registered)" -a ! -e "$folder" -a ! -e "$folder32" -a -z "$(start_menu_shortcut)"
  fi

  # The portable zip, unpacked in a folder whose name has spaces and Japanese characters.
  local stick="$c/USB メモリー 1"
  mkdir -p "$stick" && unzip -q "$(package "$width" zip)" -d "$stick"
  expect "the zip's program, unpacked in \"USB メモリー 1\", shows its window and ends when closed" \
    started_and_closed "$shots/zip.png" wine "$(windows_path "$stick/Tarvo_Viewer-$version-$arch/Tarvo_Viewer.exe")"

  wineserver -k >/dev/null 2>&1; wineserver -w >/dev/null 2>&1
  rm -rf "$WINEPREFIX"
}

work=$(mktemp -d)
case "${1:-}" in
  tables)
    trap 'rm -rf "$work"' EXIT
    test_tables
    ;;
  wine)
    trap 'tarvo_stop_all; rm -rf "$work"' EXIT
    test_wine "${2:?width: win32 or win64}"
    ;;
  *) echo "usage: $0 tables | wine WIDTH" >&2; exit 2 ;;
esac
finish
