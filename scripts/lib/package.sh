# Sourced by scripts/package.sh and the package tests: makes the MSI package and the portable zip
# of one width from the program already built in build/WIDTH/bin. Needs $root.

# x86 or x64: the name a width's packages carry.
tarvo_package_arch() { if [ "$1" = win32 ]; then echo x86; else echo x64; fi; }

# Sets tarvo_version, tarvo_publisher and tarvo_strip as CMake wrote them for the width's build.
tarvo_package_info() {
  local info=$root/build/$1/package-info.sh
  [ -f "$info" ] || { echo "package: $1 is not configured (no $info)" >&2; return 1; }
  # shellcheck source=/dev/null
  source "$info"
}

# Puts what a package of the width holds into DIR: the program without its debugging information
# and the read-me files of VERSION (UTF-8 with a byte-order mark and CRLF, as Notepad reads them).
# The width's MSI and zip are made from one such folder: each strip stamps the program anew.
tarvo_stage_files() {
  local width=$1 version=$2 dir=$3 program=$root/build/$1/bin/Tarvo_Viewer.exe lang
  [ -f "$program" ] || { echo "package: $program has not been built" >&2; return 1; }
  tarvo_package_info "$width"
  rm -rf "$dir" && mkdir -p "$dir"
  "$tarvo_strip" -o "$dir/Tarvo_Viewer.exe" "$program"
  for lang in ja en; do
    { printf '\xef\xbb\xbf'
      sed -e "s/@VERSION@/$version/g" -e "s/@BITS@/${width#win}/g" -e 's/$/\r/' \
        "$root/installer/README-$lang.txt.in"
    } > "$dir/README-$lang.txt"
  done
}

# tarvo_make_msi STAGED WIDTH VERSION OUT: the MSI package of what tarvo_stage_files put into
# STAGED, stamped with VERSION.
tarvo_make_msi() {
  local staged=$1 width=$2 version=$3 out=$4 arch stage
  tarvo_package_info "$width"
  arch=$(tarvo_package_arch "$width")
  stage=$(mktemp -d)
  cp "$staged"/* "$root/resources/icons/tarvo.ico" "$stage/"
  # wixl takes the sources' names relative to the folder it runs in.
  (cd "$stage" && wixl -a "$arch" -D Arch="$arch" -D Version="$version" -D Publisher="$tarvo_publisher" \
     -D Program=Tarvo_Viewer.exe -D ReadMeJa=README-ja.txt -D ReadMeEn=README-en.txt -D Icon=tarvo.ico \
     -o package.msi "$root/installer/Tarvo_Viewer.wxs")
  # What wixl 0.101 leaves out, set in the database afterwards: the upgrade row's inclusive maximum
  # (it writes IncludeMinimum alone, so the same version of the other width or a rebuild would
  # stand beside the installed one) and the package's language in the summary (it writes 1033).
  local upgrade_code
  upgrade_code=$(msiinfo export "$stage/package.msi" Property | tr -d '\r' | awk -F'\t' '$1 == "UpgradeCode" { print $2 }')
  msibuild "$stage/package.msi" \
    -q "DELETE FROM \`Upgrade\` WHERE \`ActionProperty\` = 'OLDERVERSIONBEINGUPGRADED'" \
    -q "INSERT INTO \`Upgrade\` (\`UpgradeCode\`, \`VersionMin\`, \`VersionMax\`, \`Attributes\`, \`ActionProperty\`)
        VALUES ('$upgrade_code', '0.0.0', '$version', 768, 'OLDERVERSIONBEINGUPGRADED')" \
    -s "Tarvo_Viewer $version" "$tarvo_publisher" "$([ "$arch" = x86 ] && echo Intel || echo x64);1041"
  mv "$stage/package.msi" "$out"
  rm -rf "$stage"
}

# tarvo_make_zip STAGED OUT: the portable zip, one folder holding what tarvo_stage_files put
# into STAGED.
tarvo_make_zip() {
  local staged=$1 out=$2 stage name
  name=$(basename "$out" .zip)
  stage=$(mktemp -d)
  cp -r "$staged" "$stage/$name"
  rm -f "$out"
  (cd "$stage" && zip -q -X -r "$out" "$name")
  rm -rf "$stage"
}
