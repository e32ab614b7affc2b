#!/usr/bin/env bash
# Installs Vantorel for the current user, without root: builds what is installed, then copies the
# CLAP plug-in into ~/.clap, the LV2 bundle into ~/.lv2 and the programs into ~/.local/bin (the JACK program's menu entry into
# ~/.local/share/applications). Build dependencies: tools/ci/install-deps.sh (needs root once).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
jobs=${JOBS:-$(nproc)}

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$build" -j "$jobs" --target vantorel_installables > /dev/null
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cmake --install "$build" --prefix "$stage" > /dev/null

install -D -m 644 "$stage/lib/clap/vantorel.clap" "$HOME/.clap/vantorel.clap"
echo "$HOME/.clap/vantorel.clap"
if [ -d "$stage/lib/lv2/vantorel.lv2" ]; then
  rm -rf "$HOME/.lv2/vantorel.lv2"
  mkdir -p "$HOME/.lv2"
  cp -R "$stage/lib/lv2/vantorel.lv2" "$HOME/.lv2/"
  echo "$HOME/.lv2/vantorel.lv2"
fi
for program in "$stage"/bin/*; do
  install -D -m 755 "$program" "$HOME/.local/bin/$(basename "$program")"
  echo "$HOME/.local/bin/$(basename "$program")"
done
desktop="$stage/share/applications/vantorel.desktop"
if [ -f "$desktop" ]; then
  install -D -m 644 "$desktop" "$HOME/.local/share/applications/vantorel.desktop"
  echo "$HOME/.local/share/applications/vantorel.desktop"
fi
case ":$PATH:" in
  *":$HOME/.local/bin:"*) ;;
  *) echo "Note: $HOME/.local/bin is not on your PATH; add it to run vantorel-render by name." ;;
esac
