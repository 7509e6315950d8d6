#!/usr/bin/env bash
# Times `exeicon extract` against `wrestool -x -t14` (icoutils) on the same library, for its
# first and its last icon group, and checks that both give the same images.
# usage: compare_wrestool.sh EXEICON [LIBRARY] [RUNS]
set -euo pipefail
exeicon=${1:?usage: compare_wrestool.sh EXEICON [LIBRARY] [RUNS]}
library=${2:-/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/shell32.dll}
runs=${3:-50}
command -v wrestool >/dev/null || { echo "wrestool not installed (package icoutils)"; exit 1; }
[ -f "$library" ] || { echo "no $library"; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

listing=$("$exeicon" groups "$library")
count=$(sed -n 1p <<<"$listing")
# wrestool names the group by its key: the name or number of the first and the last group.
key_of() { sed -n "$(($1 + 1))p" <<<"$listing" | sed -E 's/^[0-9]+ "?([^":]*)"?: .*/\1/'; }

# Milliseconds per run of a command, from the wall time of `runs` runs.
per_run() {
  local start end
  start=$(date +%s%N)
  for ((i = 0; i < runs; i++)); do "$@" >/dev/null 2>&1; done
  end=$(date +%s%N)
  awk -v t=$((end - start)) -v n="$runs" 'BEGIN { printf "%.2f", t / n / 1e6 }'
}

# Peak resident memory in kilobytes of one run.
peak_kb() {
  if [ -x /usr/bin/time ]; then
    /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1
  else
    echo "-"
  fi
}

echo "library: $library ($(stat -c %s "$library") bytes, $count icon groups), $runs runs each"
row='%-8s %-28s %12s %12s %14s %14s\n'
printf "$row" group key "exeicon ms" "wrestool ms" "exeicon KB" "wrestool KB"
for group in 1 "$count"; do
  key=$(key_of "$group")
  ours=(  "$exeicon" extract "$library" "$out/ours.ico" --group "$group")
  theirs=(wrestool -x -t14 -n "$key" -o "$out/theirs.ico" "$library")
  printf "$row" "$group" "$key" "$(per_run "${ours[@]}")" \
    "$(per_run "${theirs[@]}")" "$(peak_kb "${ours[@]}")" "$(peak_kb "${theirs[@]}")"
  # The directories are laid out differently (ours is computed from the images); the images
  # themselves must be the same, apart from the image-size field that exeicon writes as 0.
  python3 - "$out/ours.ico" "$out/theirs.ico" <<'PY'
import struct, sys
def images(path, zero):
    data = open(path, "rb").read()
    out = []
    for i in range(struct.unpack_from("<H", data, 4)[0]):
        size, offset = struct.unpack_from("<II", data, 6 + 16 * i + 8)
        image = bytearray(data[offset:offset + size])
        if zero and not image.startswith(b"\x89PNG") and len(image) >= 24:
            image[20:24] = bytes(4)
        out.append(bytes(image))
    return out
if images(sys.argv[1], False) != images(sys.argv[2], True):
    sys.exit("images differ")
PY
done
