#!/usr/bin/env python3
"""How long Sorca takes to end once the player quits from the menu.

Measures the time from the input (Escape, a click on Exit, or the window
manager's close, which is Alt+F4 under openbox) to the end of the process,
as the player feels it, over a few runs of each. The clock starts before
xdotool does (it takes a few milliseconds to start), so the figures are on
the safe side.

Needs an X display with a window manager at 1920 x 1080 (the game starts in
full screen) and xdotool, for example Xvfb and openbox:
  DISPLAY=:66 SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1 scripts/quit_time.py [build/sorca] [runs]
"""
import statistics
import subprocess
import sys
import time

# The Exit button's middle in screen pixels: (402, 447) of the 800 x 600
# window, scaled to the full screen.
EXIT_BUTTON = ("965", "805")
WAYS = {"Escape": ["key", "Escape"], "Exit button": ["click", "1"], "window close": ["key", "alt+F4"]}


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True, stdout=subprocess.DEVNULL)


def start_at_menu(sorca):
    game = subprocess.Popen([sorca], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    xdotool("search", "--sync", "--onlyvisible", "--name", "^Sorca$")
    # Space skips the splash and does nothing in the menu: pressed a few
    # times, a press lost while the window takes the focus does no harm.
    for _ in range(4):
        time.sleep(0.5)
        xdotool("key", "space")
    time.sleep(1.5)  # the menu's fade-in
    return game


def quit_once(sorca, way):
    game = start_at_menu(sorca)
    if way == "Exit button":
        xdotool("mousemove", *EXIT_BUTTON)
        time.sleep(0.2)
    sent = time.monotonic()
    # Not waited for: xdotool lingers for a while after its last event.
    sender = subprocess.Popen(["xdotool", *WAYS[way]])
    try:
        game.wait(timeout=5)
        took = (time.monotonic() - sent) * 1000
    except subprocess.TimeoutExpired:
        game.kill()
        game.wait()
        took = None
    sender.wait()
    return took


def main():
    sorca = sys.argv[1] if len(sys.argv) > 1 else "build/sorca"
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    every = []
    for way in WAYS:
        times = [quit_once(sorca, way) for _ in range(runs)]
        ended = [t for t in times if t is not None]
        every += ended
        print(f"{way}: " + " ".join("-" if t is None else f"{t:.0f}" for t in times) + " ms"
              + (f" (median {statistics.median(ended):.0f})" if ended else ""))
        if len(ended) < len(times):
            print(f"{way}: {len(times) - len(ended)} run(s) still going after 5 s")
    print(f"all: median {statistics.median(every):.0f} ms, worst {max(every):.0f} ms")


if __name__ == "__main__":
    main()
