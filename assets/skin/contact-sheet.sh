#!/bin/sh
# contact-sheet.sh SKINDIR OUT.png FONT: every bitmap of a skin folder, three times its size
# with its name and real size under it, on one page.
set -e
skin=$1 out=$2 font=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for bitmap in "$skin"/*.bmp; do
  name=$(basename "$bitmap" .bmp)
  size=$(identify -format '%wx%h' "$bitmap")
  convert "$bitmap" -scale 300% -background '#d8d8d8' -font "$font" -pointsize 11 label:"$name $size" \
    -gravity west -append "$work/$name.png"
done
montage "$work"/*.png -tile 3x -geometry +10+10 -gravity northwest -background '#d8d8d8' "$out"
