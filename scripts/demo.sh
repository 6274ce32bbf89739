#!/usr/bin/env bash
# Builds everything, then runs the demo session in cadhost: the plug-in loads, prints its
# banner, and the demo script's commands run on the sample floor plan; the drawing, its
# picture and the command-line transcript are written to build/demo/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$root/build" -j"${JOBS:-$(nproc)}"

out="$root/build/demo"
mkdir -p "$out"
plan="$root/build/install/Samples/Office.dwg"
args=(--install "$root/build/install" --appdata "$out/appdata"
      --script "$root/samples/demo/info.scr" --transcript "$out/transcript.txt")
if [ -f "$plan" ]; then
  args+=(--open "$plan" --save "$out/demo.dwg" --png "$out/demo.png")
fi
"$root/build/cadhost" "${args[@]}"
echo
echo "Demo output in $out"
