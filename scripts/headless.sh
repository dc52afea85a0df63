# Sourced by the test scripts: a private X server (Xvfb, Mesa's software
# OpenGL) with a light window manager, and SDL's dummy audio driver, all
# stopped when the sourcing script exits.
display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/tmp/sorca-xvfb.log 2>&1 &
xvfb_pid=$!
wm_pid=""
cleanup() {
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY="$display" SORCA_HEADLESS_DISPLAY="$display"
for _ in $(seq 50); do
  xdpyinfo >/dev/null 2>&1 && break
  sleep 0.1
done
# Full screen only really resizes a window under a window manager.
openbox >/tmp/sorca-openbox.log 2>&1 &
wm_pid=$!

export SDL_AUDIODRIVER=dummy
export LIBGL_ALWAYS_SOFTWARE=1
