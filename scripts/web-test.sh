#!/usr/bin/env bash
# The web build's proof, in headless Chromium (SwiftShader's WebGL):
#   1. scripts/web.sh --build makes build-web/ (installing what is missing);
#   2. the page reaches the menu with no error on the console, and its picture
#      (build-web/menu.png) is close to the desktop's docs/screenshots/menu.png;
#   3. tests/journals/whole_game.journal replays in the page exactly as
#      `sorca --replay` does on the desktop: every frame's digest matches and
#      the session ends where it ended when it was recorded.
# Exit code 0 when all three hold.
set -euo pipefail
cd "$(dirname "$0")/.."

# Mean difference per channel (0..1) the browser's menu may show against the
# desktop's: the same pictures, drawn by another rasteriser.
max_menu_difference=0.04

started=$SECONDS
scripts/web.sh --build
echo "== web build ready after $((SECONDS - started)) s"

echo "== the menu in the browser"
node --experimental-websocket web/drive.mjs menu build-web build-web/menu.png
difference=$(compare -metric RMSE build-web/menu.png docs/screenshots/menu.png null: 2>&1 | sed -n 's/.*(\(.*\)).*/\1/p')
echo "   menu against the desktop's: RMSE $difference (at most $max_menu_difference)"
awk -v d="$difference" -v m="$max_menu_difference" 'BEGIN { exit !(d != "" && d <= m) }' \
  || { echo "web-test: the browser's menu differs from the desktop's" >&2; exit 1; }

echo "== replaying the whole game in the browser"
replay_started=$SECONDS
node --experimental-websocket web/drive.mjs replay build-web tests/journals/whole_game.journal
echo "== web test passed: replay $((SECONDS - replay_started)) s, all $((SECONDS - started)) s"
