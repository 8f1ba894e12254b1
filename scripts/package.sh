#!/usr/bin/env bash
# Builds the packages from this checkout:
#   dist/Tarnel-<version>-setup.exe     the installer (NSIS)
#   dist/Tarnel-<version>-portable.zip  x64\ and x86\, each the complete program
# Prints the two paths.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
scripts/install-deps.sh >&2
scripts/build.sh win64 >&2
scripts/build.sh win32 >&2

version="$(sed -n 's/^!define VERSION "\(.*\)"$/\1/p' build/win64/package/version.nsh)"
[ -n "$version" ] || { echo "package.sh: no version in build/win64/package/version.nsh" >&2; exit 1; }

# What the program needs beside it, and nothing else: the names are the same
# for both widths.
program_files=(Tarnel.exe TarnelScan.exe Knowbase.ini Tarnel.chm lang.ini)
while IFS= read -r language; do program_files+=("$language"); done < <(cd data/lang && ls *.lng)

stage="$root/build/package"
rm -rf "$stage" && mkdir -p "$stage"
for width in x64 x86; do
  build="$root/build/win64"; [ "$width" = x86 ] && build="$root/build/win32"
  mkdir -p "$stage/$width"
  for f in "${program_files[@]}"; do
    from="$build/src/app/$f"
    [ "$f" = TarnelScan.exe ] && from="$build/src/cli/$f"
    cp "$from" "$stage/$width/"
  done
done
cp src/app/res/pictures/tarnel.ico "$stage/"

# The installer's file list, written out of the same list.
{
  echo '!macro InstallFiles WIDTH'
  for f in "${program_files[@]}"; do echo "  File \"\${STAGE}\\\${WIDTH}\\$f\""; done
  echo '!macroend'
  echo '!macro RemoveFiles'
  for f in "${program_files[@]}"; do echo "  Delete \"\$INSTDIR\\$f\""; done
  echo '!macroend'
} > "$stage/files.nsh"

mkdir -p dist
setup="dist/Tarnel-$version-setup.exe"
portable="dist/Tarnel-$version-portable.zip"
makensis -V2 -DSTAGE="$stage" -DVERSION_FILE="$root/build/win64/package/version.nsh" \
         -DOUT="$root/$setup" package/Tarnel.nsi >&2

rm -f "$portable"
folder="$stage/zip/Tarnel-$version"
mkdir -p "$folder"
cp -r "$stage/x64" "$stage/x86" "$folder/"
cp package/portable-readme.txt "$folder/README.txt"
(cd "$stage/zip" && zip -q -r -X "$root/$portable" "Tarnel-$version")

echo "$root/$setup"
echo "$root/$portable"
