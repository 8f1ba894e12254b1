#!/usr/bin/env bash
# Each shape of value a real machine holds, planted twice on a fresh prefix:
# once with the file it names there, once without. Every row with its file
# there passes; every row without is reported, unless the scanner cannot see
# it (a folder that denies traverse, a relative path, a name no file has),
# which is never reported. The scanner runs without root's file-permission
# override so that the denied folder denies. Prints the table.
#   shapes_test.sh SCANNER.EXE WORK_FOLDER
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
scanner="$1"
work="$(mkdir -p "$2" && cd "$2" && pwd)"
source "$root/scripts/wine-env.sh"
export WINEPREFIX="$work/shapes-test-prefix"
wineserver -k 2>/dev/null
rm -rf "$WINEPREFIX"
wine_prefix_fit "$WINEPREFIX"
wine cmd /c exit >/dev/null 2>&1
drive_c="$WINEPREFIX/drive_c"
user="$(wine cmd /c 'echo %USERNAME%' 2>/dev/null | tr -d '\r\n')"

# Two long folders: a program path of 288 characters, a folder of 279.
long1=$(printf 'L%.0s' $(seq 120))
long2=$(printf 'M%.0s' $(seq 149))
long3=$(printf 'N%.0s' $(seq 152))
long3gone=$(printf 'G%.0s' $(seq 152))
put() { mkdir -p "$(dirname "$drive_c/$1")" && printf 'Tarnel shapes file\r\n' > "$drive_c/$1"; }
put "TS/present.exe"; put "TS/present.dll"; put "TS/$user/present.exe"; put "TS/env/present.exe"
put "TS/$long1/$long2/present.exe"; mkdir -p "$drive_c/TS/$long1/$long3"
put "Program Files/TS/present.exe"; put "Program Files/TS/present.dll"
put "TS/Denied/present.exe"; chmod 000 "$drive_c/TS/Denied"
put "TS/bin/present.exe"
put "TS/WindowsPowerShell/v1.0/powershell.exe"; put "TS/jre1.8.0_311/bin/javaw.exe"; put "TS/App 2.0/app.exe"
put "TS/app.v2.exe"; put "TS/john.smith/AppData/Local/App/Update.exe"; put "Program Files (x86)/TS/x86only.exe"
put "Program Files (x86)/TS/x86only.dll"; put "Program Files (x86)/Common Files/TS/x86only.dll"
put "Program Files/PowerShell/7/pwsh.exe"
for script in script.cmd package.msi package.msp script.vbs script.js script.ps1; do put "TS/$script"; done

# Shape, then the value with its file there and the value without.
rows=(
  "quoted program + arguments|\"C:\\TS\\present.exe\" /x|\"C:\\TS\\gone.exe\" /x"
  "unquoted program + arguments|C:\\TS\\present.exe -x|C:\\TS\\gone.exe -x"
  "program path of 288 / 285 characters|C:\\TS\\$long1\\$long2\\present.exe -x|C:\\TS\\$long1\\$long2\\gone.exe -x"
  "@file,-id resource|@C:\\TS\\present.dll,-101|@C:\\TS\\gone.dll,-101"
  "@%SystemRoot% resource|@%SystemRoot%\\system32\\shell32.dll,-21787|@%SystemRoot%\\system32\\tarnelgone.dll,-1"
  "%USERNAME% inside a path|C:\\TS\\%USERNAME%\\present.exe|C:\\TS\\%USERNAME%\\gone.exe"
  "per-user variable (HKCU\\Environment)|%TarnelShapes%\\present.exe|%TarnelShapes%\\gone.exe"
  "%ProgramFiles% (64-bit folder)|\"%ProgramFiles%\\TS\\present.exe\" -x|\"%ProgramFiles%\\TS\\gone.exe\" -x"
  "rundll32.exe DLL,Entry (full path)|rundll32.exe C:\\TS\\present.dll,Entry|rundll32.exe C:\\TS\\gone.dll,Entry"
  "rundll32 bare DLL|rundll32 shell32,Control_RunDLL|rundll32 tarnelgone,Entry"
  "unquoted program without extension|C:\\TS\\present /x|C:\\TS\\gone /x"
  "Sysnative folder|C:\\windows\\Sysnative\\notepad.exe|C:\\windows\\Sysnative\\tarnelgone.exe"
  "unquoted, folder v1.0, argument x.ps1|C:\\TS\\WindowsPowerShell\\v1.0\\powershell.exe -File x.ps1|C:\\TS\\WindowsPowerShell\\v1.0\\gone.exe -File x.ps1"
  "unquoted, folder jre1.8.0_311, argument x.jar|C:\\TS\\jre1.8.0_311\\bin\\javaw.exe -jar x.jar|C:\\TS\\jre1.8.0_311\\bin\\gone.exe -jar x.jar"
  "unquoted, folder App 2.0, app.txt \"%1\"|C:\\TS\\App 2.0\\app.exe /log app.txt \"%1\"|C:\\TS\\App 2.0\\gone.exe /log app.txt \"%1\""
  "unquoted app.v2.exe, argument app.ini|C:\\TS\\app.v2.exe -c app.ini|C:\\TS\\gone.v2.exe -c app.ini"
  "unquoted, profile john.smith, App.exe|C:\\TS\\john.smith\\AppData\\Local\\App\\Update.exe --processStart App.exe|C:\\TS\\john.smith\\AppData\\Local\\App\\Gone.exe --processStart App.exe"
  "blanks before a quoted program|  \"C:\\TS\\present.exe\" /x|  \"C:\\TS\\gone.exe\" /x"
  "blanks around an unquoted program|   C:\\TS\\present.exe  |   C:\\TS\\gone.exe  "
  "%ProgramFiles% shared key, 32-bit folder|\"%ProgramFiles%\\TS\\x86only.exe\" -x|\"%ProgramFiles%\\TS\\gone.exe\" -x"
  "\\\\?\\ path|\\\\?\\C:\\TS\\present.exe|\\\\?\\C:\\TS\\gone.exe"
  "\\??\\ path|\\??\\C:\\TS\\present.exe|\\??\\C:\\TS\\gone.exe"
  "quoted \\\\?\\ path + \"%1\"|\"\\\\?\\C:\\TS\\present.exe\" \"%1\"|\"\\\\?\\C:\\TS\\gone.exe\" \"%1\""
  "quoted \\??\\ path + \"%1\"|\"\\??\\C:\\TS\\present.exe\" \"%1\"|\"\\??\\C:\\TS\\gone.exe\" \"%1\""
  "file URL with %20|file:///C:/TS/App%202.0/app.exe|file:///C:/TS/App%202.0/gone.exe"
  "cmd /c \"script\"|cmd /c \"C:\\TS\\script.cmd\"|cmd /c \"C:\\TS\\gone.cmd\""
  "cmd.exe /k script|C:\\windows\\system32\\cmd.exe /k C:\\TS\\script.cmd|C:\\windows\\system32\\cmd.exe /k C:\\TS\\gone.cmd"
  "msiexec /i \"package\"|msiexec /i \"C:\\TS\\package.msi\"|msiexec /i \"C:\\TS\\gone.msi\""
  "msiexec.exe /p patch /qn|msiexec.exe /p C:\\TS\\package.msp /qn|msiexec.exe /p C:\\TS\\gone.msp /qn"
  "msiexec /package \"package\"|msiexec /package \"C:\\TS\\package.msi\"|msiexec /package \"C:\\TS\\gone.msi\""
  "wscript \"script\"|wscript \"C:\\TS\\script.vbs\"|wscript \"C:\\TS\\gone.vbs\""
  "cscript //nologo script|cscript //nologo C:\\TS\\script.js|cscript //nologo C:\\TS\\gone.js"
  "powershell -File \"script\"|powershell -ExecutionPolicy Bypass -File \"C:\\TS\\script.ps1\"|powershell -ExecutionPolicy Bypass -File \"C:\\TS\\gone.ps1\""
  "pwsh -File script|\"C:\\Program Files\\PowerShell\\7\\pwsh.exe\" -File C:\\TS\\script.ps1|\"C:\\Program Files\\PowerShell\\7\\pwsh.exe\" -File C:\\TS\\gone.ps1"
  "regsvr32 /s \"library\"|regsvr32 /s \"C:\\TS\\present.dll\"|regsvr32 /s \"C:\\TS\\gone.dll\""
)
# Rows never reported, file there or not: the scanner cannot tell.
unseen=(
  "folder that denies traverse|C:\\TS\\Denied\\present.exe|C:\\TS\\Denied\\gone.exe"
  "relative path|TS\\bin\\present.exe|TS\\bin\\gone.exe"
  "variable without a value|%TarnelNoSuchVariable%\\present.exe|%TarnelNoSuchVariable%\\gone.exe"
  "package resource|@{Tarnel.Present_1.0_x64__0?ms-resource://x}|@{Tarnel.Gone_1.0_x64__0?ms-resource://x}"
  "msiexec /i product code|msiexec /i {7A4E1DE0-0000-4000-8000-00000000E001}|msiexec /i {7A4E1DE0-0000-4000-8000-00000000E002}"
  "cmd /c built-in command|cmd /c start \"\" C:\\TS\\present.exe|cmd /c start \"\" C:\\TS\\gone.exe"
  "wscript, relative script|wscript TS\\script.vbs|wscript TS\\gone.vbs"
)
escape() { local s="${1//\\/\\\\}"; printf '%s' "${s//\"/\\\"}"; }
hex2() {  # REG_EXPAND_SZ data as REGEDIT4 writes it
  printf '%s' "$1" | od -An -tx1 -v | tr -s ' \n' ',,' | sed 's/^,//; s/,$//' | sed 's/$/,00/'
}
{
  printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Environment]\r\n"TarnelShapes"=hex(2):%s\r\n\r\n' "$(hex2 '%SystemDrive%\TS\env')"
  printf '[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n'
  i=0
  for row in "${rows[@]}" "${unseen[@]}"; do
    IFS='|' read -r shape there gone <<< "$row"
    printf '"Shape%02d-there"="%s"\r\n"Shape%02d-gone"="%s"\r\n' $i "$(escape "$there")" $i "$(escape "$gone")"
    i=$((i + 1))
  done
  printf '"ExpandThere"=hex(2):%s\r\n"ExpandGone"=hex(2):%s\r\n\r\n' \
    "$(hex2 '%SystemRoot%\notepad.exe')" "$(hex2 '%SystemRoot%\tarnelgone.exe')"
  for which in there gone; do
    dll=present.dll; [ $which = gone ] && dll=gone.dll
    printf '[HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\{7A4E1DE0-0000-4000-8000-00000000E%s}\\InprocServer32]\r\n@=hex(2):%s\r\n\r\n' \
      "$([ $which = there ] && echo 001 || echo 002)" "$(hex2 "%ProgramFiles%\\TS\\$dll")"
    printf '[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\TarnelShapes-%s.exe]\r\n@=hex(2):%s\r\n\r\n' \
      $which "$(hex2 "%SystemDrive%\\TS\\${dll%.dll}.exe")"
    folder="$long3"; [ $which = gone ] && folder="$long3gone"
    printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TarnelShapes-%s]\r\n"InstallLocation"="%s"\r\n"DisplayIcon"="%s"\r\n\r\n' \
      $which "$(escape "C:\\TS\\$long1\\$folder")" "$(escape "@C:\\TS\\$dll,-1")"
    # A 32-bit class: its %ProgramFiles% is the (x86) folder, where present.dll is not.
    x86dll=x86only.dll; [ $which = gone ] && x86dll=present.dll
    printf '[HKEY_LOCAL_MACHINE\\Software\\Classes\\Wow6432Node\\CLSID\\{7A4E1DE0-0000-4000-8000-00000000E%s}\\InprocServer32]\r\n@=hex(2):%s\r\n\r\n' \
      "$([ $which = there ] && echo 003 || echo 004)" "$(hex2 "%ProgramFiles%\\TS\\$x86dll")"
    x86dll=x86only.dll; [ $which = gone ] && x86dll=gone.dll
    printf '[HKEY_LOCAL_MACHINE\\Software\\Classes\\Wow6432Node\\CLSID\\{7A4E1DE0-0000-4000-8000-00000000E%s}\\InprocServer32]\r\n@=hex(2):%s\r\n\r\n' \
      "$([ $which = there ] && echo 005 || echo 006)" "$(hex2 "%CommonProgramFiles%\\TS\\$x86dll")"
    printf '[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\TarnelShapes-blanks-%s.exe]\r\n@="%s"\r\n\r\n' \
      $which "$(escape "   C:\\TS\\${dll%.dll}.exe")"
    printf '[HKEY_LOCAL_MACHINE\\Software\\Classes\\TarnelShapes.%s\\shell\\open\\command]\r\n@="%s"\r\n\r\n' \
      $which "$(escape " \"C:\\TS\\${dll%.dll}.exe\" \"%1\"")"
  done
  # An empty install folder names none: never reported, as one of blanks.
  printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TarnelShapes-empty]\r\n"InstallLocation"=""\r\n\r\n'
  printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TarnelShapes-blanks]\r\n"InstallLocation"="   "\r\n\r\n'
} > "$work/shapes.reg"
wine_merge "$work/shapes.reg"
wineserver -w
setpriv --bounding-set -dac_override,-dac_read_search --inh-caps -all -- wine "$scanner" > "$work/shapes-found.txt" 2>&1
python3 "$root/scripts/problem-records.py" "$work/shapes-found.txt" > "$work/shapes-found.records"
chmod 755 "$drive_c/TS/Denied"

failed=0
reported() {  # key pattern, value name (empty: the key itself)
  if [ -n "$2" ]; then grep -F "$1" "$work/shapes-found.records" | grep -qF "\"$2\""
  else grep -qF "$1" "$work/shapes-found.records"; fi
}
verdict() {  # shape, key, there-value, gone-value, whether a missing file is seen[, the gone value's key]
  local there gone
  reported "$2" "$3" && there="reported" || there="passes"
  local gone_key="${6:-${2/there/gone}}"
  [ -n "${6:-}" ] || [ "$2" = "${2/E001/E002}" ] || gone_key="${2/E001/E002}"
  reported "$gone_key" "$4" && gone="reported" || gone="passes"
  printf '%s\t%s\t%s\n' "$1" "$there" "$gone"
  [ "$there" = passes ] || failed=1
  if [ "$5" = seen ]; then [ "$gone" = reported ] || failed=1; else [ "$gone" = passes ] || failed=1; fi
}
run='HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run'
{
  printf 'shape\tfile there\tfile missing\n'
  i=0
  for row in "${rows[@]}"; do
    verdict "${row%%|*}" "$run" "$(printf 'Shape%02d-there' $i)" "$(printf 'Shape%02d-gone' $i)" seen; i=$((i + 1))
  done
  for row in "${unseen[@]}"; do
    verdict "${row%%|*} (cannot tell)" "$run" "$(printf 'Shape%02d-there' $i)" "$(printf 'Shape%02d-gone' $i)" unseen
    i=$((i + 1))
  done
  verdict "REG_EXPAND_SZ %SystemRoot% in Run" "$run" ExpandThere ExpandGone seen
  uninstall='Uninstall\TarnelShapes-there'
  verdict "folder of 279 characters (InstallLocation)" "$uninstall" InstallLocation InstallLocation seen
  verdict "@file,-id DisplayIcon (Uninstall)" "$uninstall" DisplayIcon DisplayIcon seen
  verdict "InprocServer32 REG_EXPAND_SZ %ProgramFiles%" '00000000E001}\InprocServer32' "" "" seen
  verdict "App Paths REG_EXPAND_SZ %SystemDrive%" 'App Paths\TarnelShapes-there.exe' "" "" seen
  verdict "32-bit InprocServer32 %ProgramFiles%" '00000000E003}\InprocServer32' "" "" seen '00000000E004}\InprocServer32'
  verdict "32-bit InprocServer32 %CommonProgramFiles%" '00000000E005}\InprocServer32' "" "" seen '00000000E006}\InprocServer32'
  verdict "App Paths, blanks before the path" 'App Paths\TarnelShapes-blanks-there.exe' "" "" seen
  verdict "open command, a blank before the quote" 'TarnelShapes.there\shell' "" "" seen 'TarnelShapes.gone\shell'
  verdict "empty / blank InstallLocation (cannot tell)" 'Uninstall\TarnelShapes-empty' InstallLocation InstallLocation unseen \
    'Uninstall\TarnelShapes-blanks'
} > "$work/shapes-table.txt"
column -t -s $'\t' "$work/shapes-table.txt"
if [ $failed -ne 0 ]; then
  echo "FAIL: a row with its file there was reported, or one without was not as expected; found:"
  cat "$work/shapes-found.records"
fi
wineserver -k 2>/dev/null
rm -rf "$WINEPREFIX"
exit $failed
