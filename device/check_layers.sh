#!/usr/bin/env bash
# Fails, naming each file and line, when the device program's code includes a file of a
# folder that is not below its own in the layer order (layers.txt), names a folder with
# "..", or includes through a macro. The compiler keeps the layers for includes looked up in
# the include folders (layer_roots.cmake); this check covers what it cannot: a quoted include
# is looked up beside the including file first, so "dialogs/x.h" from sync/ would find
# sync/dialogs/x.h. Includes are resolved the same way here.
#   check_layers.sh DEVICE_DIR [LAYERS_FILE]
set -euo pipefail
device=${1%/}
layers=$(cd "$(dirname "${2:-$device/layers.txt}")" && pwd)/$(basename "${2:-$device/layers.txt}")
cd "$device"
find . -type f ! -name '*.txt' ! -name '*.sh' ! -name '*.cmake' ! -name '*.md' ! -name '*.ico' \
  ! -name '*.bmp' ! -name '*.png' | sed 's|^\./||' | sort |
  awk -v layers="$layers" -v shown="$(basename "$PWD")/" '
    function layer_of(path,    best, l) {  # the longest listed folder holding path
      best = ""
      for (l in rank) if ((path == l || index(path, l "/") == 1) && length(l) > length(best)) best = l
      return best
    }
    BEGIN {
      n = 0
      while ((getline line < layers) > 0) {
        sub(/#.*/, "", line)
        if (split(line, words) == 0) continue
        ++n
        for (i = 1; i in words; ++i) rank[words[i]] = n
      }
      if (n == 0) { print "check_layers: no layers read from " layers > "/dev/stderr"; exit 2 }
      for (l in rank) { split(l, parts, "/"); top[parts[1]] = 1 }
    }
    {
      file = $0
      own = layer_of(file)
      if (own == "") { sub(/\/[^\/]*$/, "", file); unlisted[file] = 1; next }
      folder = file; sub(/\/?[^\/]*$/, "", folder)
      number = 0
      while ((getline line < $0) > 0) {
        ++number
        gsub(/\/\*([^*]|\*+[^*\/])*\*+\//, " ", line)  # comments inside the directive
        if (line !~ /^[ \t]*#[ \t]*include/) continue
        sub(/^[ \t]*#[ \t]*include[ \t]*/, "", line)
        if (line !~ /^["<]/) { print shown $0 ":" number ": includes through a macro: " line; ++bad; continue }
        quote = substr(line, 1, 1)
        target = substr(line, 2); sub(quote == "<" ? ">.*$" : "\".*$", "", target)
        if (target ~ /(^|\/)\.\.(\/|$)/) { print shown $0 ":" number ": names a folder with ..: " target; ++bad; continue }
        path = target
        if (quote == "\"" && folder != "" && (getline probe < (folder "/" target)) >= 0) {
          close(folder "/" target); path = folder "/" target  # found beside the including file
        }
        split(path, parts, "/")
        if (!(parts[1] in top) || index(path, "/") == 0) continue
        to = layer_of(path)
        if (to == "" || to == own) continue
        if (rank[to] >= rank[own]) {
          print shown $0 ":" number ": " own " includes " target (path == target ? "" : " (" path ")") ", of " to ", which is not below it"
          ++bad
        }
      }
      close($0)
    }
    END {
      for (f in unlisted) { print "a folder missing from " layers ": " shown f; ++bad }
      if (bad) { print "check_layers: " bad " problem(s) with the layer order" > "/dev/stderr"; exit 1 }
    }'
