# Sourced by the scripts that need a headless X display.
#
# start_xvfb DIR: starts Xvfb on the first free display number of SCRAPVAULT_DISPLAYS
# (default "60-99"; a list of numbers and ranges), logging to DIR/xvfb.log; exports
# DISPLAY and sets xvfb_pid. stop_xvfb ends it.

xvfb_pid=""

xvfb_display_candidates() {
  local ranges=${SCRAPVAULT_DISPLAYS:-60-99} part
  for part in ${ranges//,/ }; do
    if [[ $part == *-* ]]; then seq "${part%-*}" "${part#*-}"; else echo "$part"; fi
  done
}

# A number is free when it has neither a lock file nor a socket. Another X server may take
# the same number between the check and the start; ours then exits at once and the next
# number is tried.
start_xvfb() {
  local log_dir=$1 n i
  for n in $(xvfb_display_candidates); do
    if [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; then
      continue
    fi
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$log_dir/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for i in $(seq 1 100); do
      kill -0 "$xvfb_pid" 2>/dev/null || break
      if xdpyinfo -display ":$n" >/dev/null 2>&1; then
        export DISPLAY=":$n"
        return 0
      fi
      sleep 0.1
    done
    stop_xvfb
  done
  echo "no free X display in ${SCRAPVAULT_DISPLAYS:-60-99}" >&2
  return 1
}

stop_xvfb() {
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
  fi
}
