# Sourced: velquin_start_xvfb starts a private Xvfb display (1024x768, 24-bit)
# and exports DISPLAY; it stops when the sourcing script exits.
velquin_start_xvfb() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    velquin_xvfb_pid=$!
    for _ in $(seq 100); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      kill -0 "$velquin_xvfb_pid" 2>/dev/null || break
      sleep 0.05
    done
    if [ -e "/tmp/.X11-unix/X$n" ]; then
      export DISPLAY=":$n"
      trap 'kill $velquin_xvfb_pid 2>/dev/null' EXIT
      return 0
    fi
  done
  echo "Could not start Xvfb" >&2
  return 1
}
