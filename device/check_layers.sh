#!/usr/bin/env bash
# Fails, naming each file and line, when the device program's code includes a folder that
# is not below its own in the layer order (layers.txt), or names one with "../".
#   check_layers.sh DEVICE_DIR [LAYERS_FILE]
set -euo pipefail
device=${1%/}
layers=$(cd "$(dirname "${2:-$device/layers.txt}")" && pwd)/$(basename "${2:-$device/layers.txt}")
cd "$device"
find . -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.rc' \) | sed 's|^\./||' | sort |
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
      number = 0
      while ((getline line < $0) > 0) {
        ++number
        if (line !~ /^[ \t]*#[ \t]*include[ \t]*"/) continue
        target = line
        sub(/^[^"]*"/, "", target); sub(/".*$/, "", target)
        if (target ~ /^\.\.\//) { print shown $0 ":" number ": names a folder with ../: " target; ++bad; continue }
        split(target, parts, "/")
        if (!(parts[1] in top) || index(target, "/") == 0) continue
        to = layer_of(target)
        if (to == "" || to == own) continue
        if (rank[to] >= rank[own]) {
          print shown $0 ":" number ": " own " includes " target ", of " to ", which is not below it"
          ++bad
        }
      }
      close($0)
    }
    END {
      for (f in unlisted) { print "a folder missing from " layers ": " shown f; ++bad }
      if (bad) { print "check_layers: " bad " problem(s) with the layer order" > "/dev/stderr"; exit 1 }
    }'
