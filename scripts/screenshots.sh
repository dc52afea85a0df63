#!/usr/bin/env bash
# Takes the README's screenshots from the real game: the built build/sorca in
# an 800x600 window on a private X server, played with xdotool clicks and
# keys as a player would, each picture captured with ImageMagick into
# docs/screenshots/. These pictures are the only generated files kept in git:
# run this again after a change to what they show, look at them, commit them.
#
#   scripts/screenshots.sh [--display N] [NAME...]
#
# NAMEs (menu, first-room, jigsaw, battle-one, second-room, rings, maze,
# maze-two, battle-two) take only those pictures again; none takes them all.
#
# Needs a build (scripts/setup.sh) and Xvfb, xdotool and ImageMagick, which
# setup.sh installs; uses optipng when it is there, to make the files smaller.
set -euo pipefail
cd "$(dirname "$0")/.."

display=":$((190 + RANDOM % 100))"
if [ "${1:-}" = "--display" ]; then
  [ -n "${2:-}" ] || { echo "usage: scripts/screenshots.sh [--display N] [NAME...]" >&2; exit 2; }
  display=":$2"
  shift 2
fi
only=" $* "
wanted() { [ "$only" = "  " ] || [[ "$only" == *" $1 "* ]]; }

game=build/sorca
out=docs/screenshots
[ -x "$game" ] || { echo "no $game: build first (scripts/setup.sh)" >&2; exit 1; }
for tool in Xvfb xdotool xdpyinfo import convert; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/setup.sh installs it)" >&2; exit 1; }
done
mkdir -p "$out"

# No window manager: the 800x600 window fills the 800x600 screen, with no
# frame, and takes the keyboard focus when asked.
Xvfb "$display" -screen 0 800x600x24 -nolisten tcp >/tmp/sorca-shots-xvfb.log 2>&1 &
xvfb_pid=$!
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
  rm -f /tmp/sorca-shot.png
}
trap cleanup EXIT
export DISPLAY="$display" SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1
for _ in $(seq 50); do
  xdpyinfo >/dev/null 2>&1 && break
  sleep 0.1
done

window=""

# Starts the game in state $1 and waits for its window and its first frames.
# A start that dies before its window shows is tried again: now and then
# the engine's GLEW set-up fails under Xvfb and the program halts.
start() {
  for attempt in 1 2 3; do
    "$game" --windowed --start-state "$1" >/tmp/sorca-shots-game.log 2>&1 &
    game_pid=$!
    window=""
    for _ in $(seq 150); do
      window=$(xdotool search --onlyvisible --pid "$game_pid" 2>/dev/null | head -1) || true
      [ -n "$window" ] && break
      kill -0 "$game_pid" 2>/dev/null || break
      sleep 0.1
    done
    [ -n "$window" ] && break
    echo "state $1, attempt $attempt: no window; the game said:" >&2
    tail -5 /tmp/sorca-shots-game.log >&2
    stop
  done
  [ -n "$window" ] || { echo "the game's window did not show for state $1" >&2; exit 1; }
  xdotool windowfocus --sync "$window"
  xdotool mousemove --window "$window" 400 580
  sleep 3  # loading and the fade-in
}

stop() {
  kill "$game_pid" 2>/dev/null || true
  wait "$game_pid" 2>/dev/null || true
  game_pid=""
}

# A click at (x, y) of the window, held for a few frames so the game sees it.
click() {
  xdotool mousemove --window "$window" "$1" "$2"
  sleep 0.2
  xdotool mousedown 1
  sleep 0.1
  xdotool mouseup 1
  sleep 0.2
}

# Holds key $1 for $2 seconds.
hold() {
  xdotool keydown "$1"
  sleep "$2"
  xdotool keyup "$1"
  sleep 0.2
}

tap() { hold "$1" 0.1; }

# The window as it stands into $out/$1.png, 800x600, without metadata.
shoot() {
  import -window "$window" "/tmp/sorca-shot.png"
  convert /tmp/sorca-shot.png -strip -define png:compression-level=9 "$out/$1.png"
  if command -v optipng >/dev/null; then optipng -quiet -o2 "$out/$1.png"; fi
  echo "$out/$1.png: $(identify -format '%wx%h' "$out/$1.png"), $(du -k "$out/$1.png" | cut -f1) kB"
}

# Picture $1 of the battle of state $2, just begun, the wand low in the
# view: the orbs fly everywhere, and a wand left still soon loses lives.
battle() {
  start "$2"
  click 400 300
  xdotool mousemove --window "$window" 400 480
  sleep 1
  shoot "$1"
  stop
}

# Picture $1 of the maze of state $2, a cell or two walked up from the start.
maze() {
  start "$2"
  click 400 300
  hold w 0.5
  sleep 0.5
  shoot "$1"
  stop
}

# The menu: the logo skipped, the buttons faded in.
if wanted menu; then
  start 7
  tap space
  sleep 2
  xdotool mousemove --window "$window" 400 250  # over Start
  sleep 0.5
  shoot menu
  stop
fi

# The first room, the apprentice a few steps in.
if wanted first-room; then
  start 4
  hold d 0.6
  shoot first-room
  stop
fi

# The jigsaw in play, the top-left piece picked up.
if wanted jigsaw; then
  start 8
  click 400 300  # the intro caption away
  sleep 0.5
  click 325 101  # the piece in the top-left cell
  sleep 0.5
  shoot jigsaw
  stop
fi

# The first spell battle, just begun.
if wanted battle-one; then battle battle-one 6; fi

# The second room, the apprentice a few steps in.
if wanted second-room; then
  start 5
  hold a 0.6
  shoot second-room
  stop
fi

# The rings of the clock, in play.
if wanted rings; then
  start 12
  click 400 300
  sleep 0.5
  shoot rings
  stop
fi

# The first maze and the second, a cell or two walked up from the start.
if wanted maze; then maze maze 14; fi
if wanted maze-two; then maze maze-two 15; fi

# The second spell battle, just begun.
if wanted battle-two; then battle battle-two 13; fi

du -ch "$out"/*.png | tail -1
