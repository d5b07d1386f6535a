# Sourced: starts a private Xvfb display (1024x768x24) and exports DISPLAY; stop_display ends it.
start_display() {
  local n=90
  while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
  Xvfb :$n -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  PANTREL_XVFB_PID=$!
  for _ in $(seq 100); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
  export DISPLAY=:$n
}
stop_display() {
  [ -n "${PANTREL_XVFB_PID:-}" ] && kill "$PANTREL_XVFB_PID" 2>/dev/null || true
  PANTREL_XVFB_PID=
}
