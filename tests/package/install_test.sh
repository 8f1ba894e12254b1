#!/usr/bin/env bash
# The packages on a fresh Wine prefix, as a user meets them:
#  - the portable zip, unpacked into a folder, runs (window and scanner);
#  - a silent install puts the files, the Start menu shortcut, the App Path
#    and the uninstall entry in place, and the installed programs run;
#  - a scan with the shipped rules reports nothing of Tarnel's own;
#  - a silent uninstall leaves no file and no registry entry of Tarnel's but
#    its settings; /PURGE takes the settings too;
#  - on 32-bit Windows the 32-bit program is installed, and uninstalled.
#   install_test.sh SETUP.EXE PORTABLE.ZIP WORK_FOLDER
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
setup="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
portable="$(cd "$(dirname "$2")" && pwd)/$(basename "$2")"
work="$(mkdir -p "$3" && cd "$3" && pwd)"

source "$root/scripts/wine-env.sh"
export WINEPREFIX="$work/prefix"
# No menu entries on the host for the shortcut the installer makes.
export WINEDLLOVERRIDES="winemenubuilder.exe=d"
unset DISPLAY
x_display_start
trap 'wineserver -k 2>/dev/null; for pid in "${wine_env_pids[@]}"; do kill "$pid" 2>/dev/null; done' EXIT
rm -rf "$WINEPREFIX" "$work/portable" "$work"/*.txt "$work"/registry-*
wine cmd /c exit >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wineserver -w

failed=0
fail() { echo "FAIL: $*"; failed=1; }
program_files=(Tarnel.exe TarnelScan.exe Knowbase.ini Tarnel.chm lang.ini)
while IFS= read -r language; do program_files+=("$language"); done < <(cd "$root/data/lang" && ls *.lng)
install_dir="$WINEPREFIX/drive_c/Program Files/Tarnel"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tarnel/Tarnel.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarnel'
tarnel_pattern='tarnel|vexa|quellin'

snapshot() {  # the registry files as they are now, written to disk
  wineserver -w
  mkdir -p "$work/registry-$1"
  cp "$WINEPREFIX/system.reg" "$WINEPREFIX/user.reg" "$work/registry-$1/"
}
# Wine's own tools of 64 bits: the installer writes the 64-bit registry
# view, and only a 64-bit tool sees a 64-bit program's process.
wine64() { WINELOADER=/usr/lib/wine/wine64 /usr/lib/wine/wine64 "$@"; }
reg64() { wine64 reg "$@" 2>/dev/null | tr -d '\r'; }

scan() {  # scan NAME SCANNER.EXE: its problems, one line each
  (cd "$(dirname "$2")" && wine "./$(basename "$2")" > "$work/scan-$1.txt" 2> "$work/scan-$1.err")
  local code=$?
  [ $code -le 1 ] || fail "$2 ended with exit code $code: $(head -3 "$work/scan-$1.err")"
  python3 "$root/scripts/problem-records.py" "$work/scan-$1.txt" > "$work/problems-$1.txt"
}

window_starts() {  # window_starts NAME TARNEL.EXE: the window appears and closes again
  (cd "$(dirname "$2")" && wine "./$(basename "$2")" >/dev/null 2>&1) &
  local pid=$! shown=0
  for _ in $(seq 40); do
    sleep 0.5
    if xwininfo -root -tree 2>/dev/null | grep -q '"Tarnel [0-9]'; then shown=1; break; fi
  done
  if [ $shown -eq 1 ]; then
    sleep 2
    import -window root -crop 900x650+0+0 "$work/window-$1.png"
  else
    fail "$2 showed no window"
  fi
  # Closed as a user closes it, so that it writes its settings.
  local taskkill=(wine taskkill)
  pe_is_64bit "$2" && taskkill=(wine64 taskkill)
  "${taskkill[@]}" /im Tarnel.exe >/dev/null 2>&1
  for _ in $(seq 20); do kill -0 $pid 2>/dev/null || break; sleep 0.5; done
  kill -0 $pid 2>/dev/null && { fail "$2 did not close"; "${taskkill[@]}" /f /im Tarnel.exe >/dev/null 2>&1; }
  wineserver -w
}

none_of_tarnels() {  # none_of_tarnels NAME [BASELINE]: the scan NAME found nothing new, nothing of Tarnel's
  local new
  new="$(grep -vxFf "$work/problems-${2:-before}.txt" "$work/problems-$1.txt")"
  [ -z "$new" ] || fail "the scan $1 found problems the fresh prefix did not have:"$'\n'"$new"
  grep -i -E "$tarnel_pattern" "$work/problems-$1.txt" && fail "the scan $1 reports Tarnel's own entries"
}

# The installer runs from a Downloads folder where DLLs were planted, and the
# uninstaller with that folder as its current one; the planted DLLs are
# preferred to Wine's, as Windows prefers a DLL found in the search path to a
# system DLL that is not a Known DLL. None may be loaded: each would write a
# marker file. Not planted: version.dll, shlwapi.dll and uxtheme.dll, which
# Wine's own user32, shell32 and comctl32 take from the program's folder at
# start (measured), and Windows' do not.
marker="$root/build/win32/tests/app/planted_dlls/version.dll"  # 32-bit, as the installer is
planted=(userenv apphelp propsys dwmapi cryptbase oleacc ntmarta riched20 riched32 msftedit shfolder profapi mpr
         secur32 winmm System)
downloads="$work/downloads"
rm -rf "$downloads" && mkdir -p "$downloads"
[ -f "$marker" ] || fail "no marker DLL at $marker"
for name in "${planted[@]}"; do cp "$marker" "$downloads/$name.dll"; done
cp "$setup" "$downloads/"
with_planted_dlls() { (cd "$downloads" && WINEDLLOVERRIDES="$WINEDLLOVERRIDES;$(IFS=,; echo "${planted[*]}")=n,b" "$@"); }

install() {  # the installer, silently
  with_planted_dlls wine "./$(basename "$setup")" /S
  wineserver -w
}

uninstall() {  # uninstall SWITCH...: the installed uninstaller, until its copy has ended
  with_planted_dlls wine "$install_dir/uninstall.exe" "$@"
  wineserver -w
  for _ in $(seq 20); do [ -e "$install_dir" ] || break; sleep 0.5; done
  [ -e "$install_dir" ] && fail "left behind by uninstall.exe $*: $(ls "$install_dir")"
}

nothing_of_tarnels_left() {  # BEFORE AFTER: the registry snapshots differ in nothing of Tarnel's
  python3 "$root/tests/package/wine_registry_diff.py" "$work/registry-$1" "$work/registry-$2" "$tarnel_pattern" ||
    fail "after $2, the registry entries above are left"
}

# --- The portable zip, unpacked into a folder.
snapshot before
mkdir -p "$work/portable" && (cd "$work/portable" && unzip -q "$portable")
portable_folder="$(ls -d "$work/portable"/Tarnel-*)/x64"
for f in "${program_files[@]}"; do [ -f "$portable_folder/$f" ] || fail "the portable zip lacks x64/$f"; done
pe_is_64bit "$portable_folder/Tarnel.exe" || fail "x64/Tarnel.exe is not a 64-bit program"
pe_is_64bit "$(dirname "$portable_folder")/x86/Tarnel.exe" && fail "x86/Tarnel.exe is not a 32-bit program"
scan before "$portable_folder/TarnelScan.exe"
[ -s "$work/scan-before.txt" ] || fail "the portable scanner printed nothing"
window_starts portable "$portable_folder/Tarnel.exe"

# --- Silent install.
install
for f in "${program_files[@]}" uninstall.exe; do [ -f "$install_dir/$f" ] || fail "not installed: $f"; done
pe_is_64bit "$install_dir/Tarnel.exe" || fail "the installed Tarnel.exe is not the 64-bit program"
cmp -s "$install_dir/Knowbase.ini" "$portable_folder/Knowbase.ini" || fail "the installed Knowbase.ini is not the 64-bit program's"
[ -f "$shortcut" ] || fail "no Start menu shortcut"
reg64 query "$uninstall_key" > "$work/uninstall-entry.txt"
for value in DisplayName DisplayVersion Publisher DisplayIcon InstallLocation UninstallString; do
  grep -q "^ *$value " "$work/uninstall-entry.txt" || fail "the uninstall entry has no $value"
done
version="$(basename "$setup" | sed 's/^Tarnel-\(.*\)-setup\.exe$/\1/')"
grep -q "DisplayVersion *REG_SZ *$version\$" "$work/uninstall-entry.txt" || fail "DisplayVersion is not $version"
grep -q 'InstallLocation *REG_SZ *C:\\Program Files\\Tarnel$' "$work/uninstall-entry.txt" ||
  fail "InstallLocation is not C:\\Program Files\\Tarnel"
window_starts installed "$install_dir/Tarnel.exe"
scan installed "$install_dir/TarnelScan.exe"
none_of_tarnels installed

# --- Silent uninstall: only the settings stay.
uninstall /S
[ -e "$(dirname "$shortcut")" ] && fail "the Start menu folder is left behind"
snapshot uninstalled
python3 "$root/tests/package/wine_registry_diff.py" "$work/registry-before" "$work/registry-uninstalled" \
  "$tarnel_pattern" > "$work/uninstalled-diff.txt"
grep -v -E '^user\.reg: \+ Software\\\\Vexa(\\\\Quellin)?( \||$)' "$work/uninstalled-diff.txt" &&
  fail "the silent uninstall left the registry entries above"
grep -q 'Software\\\\Vexa\\\\Quellin' "$work/uninstalled-diff.txt" || fail "the silent uninstall removed the settings"
scan uninstalled "$portable_folder/TarnelScan.exe"
none_of_tarnels uninstalled

# --- Install again, uninstall with /PURGE: nothing at all stays.
install
uninstall /S /PURGE
snapshot purged
nothing_of_tarnels_left before purged

# --- On 32-bit Windows: the 32-bit program, gone again after uninstalling.
wineserver -k
export WINEPREFIX="$work/prefix32" WINEARCH=win32
rm -rf "$WINEPREFIX"
wine cmd /c exit >/dev/null 2>&1
snapshot before32
x86_folder="$(dirname "$portable_folder")/x86"
scan before32 "$x86_folder/TarnelScan.exe"
install
install_dir="$WINEPREFIX/drive_c/Program Files/Tarnel"
for f in "${program_files[@]}" uninstall.exe; do [ -f "$install_dir/$f" ] || fail "not installed on 32-bit Windows: $f"; done
pe_is_64bit "$install_dir/Tarnel.exe" && fail "the 64-bit program was installed on 32-bit Windows"
cmp -s "$install_dir/Knowbase.ini" "$x86_folder/Knowbase.ini" || fail "the Knowbase.ini installed on 32-bit Windows is not the 32-bit program's"
wine reg query "$uninstall_key" /v InstallLocation >/dev/null 2>&1 || fail "no uninstall entry on 32-bit Windows"
scan installed32 "$install_dir/TarnelScan.exe"
none_of_tarnels installed32 before32
uninstall /S /PURGE
snapshot purged32
nothing_of_tarnels_left before32 purged32

for loaded in "$downloads"/*.loaded; do
  [ -e "$loaded" ] && fail "$(basename "$loaded" .loaded) planted beside the installer was loaded by: $(tr -d '\r' < "$loaded" | sort -u | tr '\n' ' ')"
done

if [ $failed -eq 0 ]; then echo "packages: all checks passed"; fi
exit $failed
