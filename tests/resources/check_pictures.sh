#!/usr/bin/env bash
# The committed pictures are what draw_images.py draws: draws them again into a temporary
# folder and compares the bytes.
#   check_pictures.sh IMAGES_DIR
set -euo pipefail
images=$1
drawn=$(mktemp -d)
trap 'rm -rf "$drawn"' EXIT
python3 "$images/draw_images.py" --out "$drawn"
status=0
names=$(for picture in "$drawn"/* "$images"/*.ico "$images"/*.bmp; do basename "$picture"; done | sort -u)
for name in $names; do
  if [ ! -e "$images/$name" ]; then
    echo "pictures: draw_images.py draws $name, which is not committed" >&2
    status=1
  elif [ ! -e "$drawn/$name" ]; then
    echo "pictures: $name is committed but draw_images.py does not draw it" >&2
    status=1
  elif ! cmp -s "$drawn/$name" "$images/$name"; then
    echo "pictures: $name is not what draw_images.py draws ($(cmp "$drawn/$name" "$images/$name" 2>&1 | head -1));" \
      "run the script and commit its output" >&2
    status=1
  fi
done
[ "$status" = 0 ] && echo "pictures: all $(ls "$drawn" | wc -l) committed pictures are what draw_images.py draws"
exit "$status"
