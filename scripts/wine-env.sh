# Sourced: a throwaway Wine prefix inside the build folder, a virtual X
# display for windows, and a warm wineserver. wine_env_stop undoes it all.
# Needs $root (the checkout).
export WINEPREFIX="$root/build/wineprefix"
export WINEDEBUG=-all
wine_env_pids=()

# A virtual X display, unless there is a display already.
x_display_start() {
  if [ -z "${DISPLAY:-}" ]; then
    local n=97
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    wine_env_pids+=($!)
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  fi
}

wine_env_start() {
  x_display_start
  wine_prefix_fit "$WINEPREFIX"
  # Persistent server, then one program outside CTest, or CTest stalls on
  # Wine's background services.
  wineserver -p
  wine cmd /c exit >/dev/null 2>&1 || true
  # Top-level windows are destroyed at once only when unmanaged.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
}

# A prefix made before Wine's 32-bit side was installed cannot start any
# program once it is: such a prefix is made anew.
wine_prefix_fit() {
  if [ -d "$1/drive_c/windows" ] && [ ! -d "$1/drive_c/windows/syswow64" ]; then
    WINEPREFIX="$1" wineserver -k 2>/dev/null || true
    rm -rf "$1"
  fi
  mkdir -p "$1"
}

# Whether a Windows program is built for x86_64 (its PE machine field).
pe_is_64bit() {
  python3 -c 'import struct, sys
head = open(sys.argv[1], "rb").read(4096)
sys.exit(0 if struct.unpack_from("<H", head, struct.unpack_from("<I", head, 0x3C)[0] + 4)[0] == 0x8664 else 1)' "$1"
}

# Merges a REGEDIT4 file into $WINEPREFIX with the system's registry editor,
# the 64-bit one, as a user of 64-bit Windows would: the plain "wine regedit"
# is the 32-bit editor, which writes the machine's keys into the 32-bit view.
# Both builds of Tarnel read both views.
#   wine_merge FILE.reg
wine_merge() {
  WINELOADER=/usr/lib/wine/wine64 /usr/lib/wine/wine64 regedit /s "$(winepath -w "$1" 2>/dev/null)" >/dev/null 2>&1
}

wine_env_stop() {
  wineserver -k 2>/dev/null || true
  local pid
  for pid in "${wine_env_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wine_env_pids=()
}
