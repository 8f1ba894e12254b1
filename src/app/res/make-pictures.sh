#!/usr/bin/env bash
# Makes the program's pictures from the Tango icon theme (public domain), as
# Debian packages it, and writes them beside this script. The results are
# committed; run this again only to change a picture. Needs apt-get (for the
# package, not installed) and ImageMagick.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
out="$here/pictures"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
(cd "$work" && apt-get download tango-icon-theme >/dev/null && dpkg-deb -x tango-icon-theme_*.deb x)
tango="$work/x/usr/share/icons/Tango"
mkdir -p "$out"
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf

# Tool-bar pictures: 16 and 24 pixels, picked by the screen's resolution.
tool() {  # tool NAME ICON
  convert "$tango/16x16/$2.png" "$tango/24x24/$2.png" "$out/$1.ico"
}
tool start actions/system-search
tool stop actions/process-stop
tool save actions/document-save-as
tool send actions/mail-forward
tool delete places/user-trash
tool regedit apps/accessories-text-editor
tool allvalues actions/format-justify-fill

# Tree and list pictures, 20 x 20, in image-list order: closed folder, open
# folder, binary value, text value, computer.
node() {  # node NAME ICON [LABEL]: the 22-pixel icon cut to 20, a label on it
  local args=("$tango/22x22/$2.png" -gravity center -crop 20x20+0+0 +repage)
  if [ -n "${3:-}" ]; then
    args+=(-font "$font" -pointsize 7 -fill '#204a87' -undercolor white -gravity center -annotate +0+1 "$3")
  fi
  convert "${args[@]}" "$out/$1.ico"
}
node folder places/folder
node folder-open status/folder-open
node binary mimetypes/text-x-generic "011"
node text mimetypes/text-x-generic "ab"
node computer devices/computer

# The program's icon: a broom, the cleaner's tool.
convert "$tango/16x16/actions/edit-clear.png" "$tango/24x24/actions/edit-clear.png" \
        "$tango/32x32/actions/edit-clear.png" \( "$tango/32x32/actions/edit-clear.png" -resize 48x48 \) \
        "$out/tarnel.ico"

# The About box's picture, 149 x 67.
convert -size 149x67 gradient:'#ffffff-#c7d7ec' \
        \( "$tango/32x32/actions/edit-clear.png" -resize 48x48 \) -gravity west -geometry +12+0 -composite \
        -font "$font" -pointsize 24 -fill '#204a87' -gravity west -annotate +68+0 'Tarnel' \
        -type TrueColor BMP3:"$out/about.bmp"

# The tip of the day's picture, 40 x 53, on the white of its panel.
convert -size 40x53 xc:white "$tango/32x32/status/dialog-information.png" -gravity north -geometry +0+4 -composite \
        -type TrueColor BMP3:"$out/tip.bmp"
