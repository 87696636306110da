#!/usr/bin/env bash
# Starts the game in its run directory; falls back to silent audio when no sound device exists.
# When the game's web server (VANTORELLO_SERVER, default localhost:8780) does not answer and
# the web service program is given, starts the service on this machine for the game's run,
# with its data in the build tree (seeded with the run directory's tracks on first use).
#   tools/run-game.sh RUN_DIR GAME [SERVICE]
set -euo pipefail
rundir=$(cd "$1" && pwd); exe=$2; service=${3:-}
cd "$rundir"
if [ -z "${SDL_AUDIODRIVER:-}" ] && ! ls /dev/snd/pcm* >/dev/null 2>&1 && [ -z "${PULSE_SERVER:-}" ] && ! [ -S "${XDG_RUNTIME_DIR:-/nonexistent}/pulse/native" ]; then
  echo "No sound device found: starting with SDL's dummy audio driver (no sound)."
  export SDL_AUDIODRIVER=dummy
fi

server=${VANTORELLO_SERVER:-localhost:8780}
host=${server%%:*}; port=8780
[[ $server == *:* ]] && port=${server##*:}
reachable() { timeout 2 bash -c "exec 3<>/dev/tcp/$1/$2" 2>/dev/null; }

service_pid=
stop_service() { [ -z "$service_pid" ] || { kill "$service_pid" 2>/dev/null; wait "$service_pid" 2>/dev/null || true; }; }
if [ -n "$service" ] && ! reachable "$host" "$port"; then
  case $host in localhost|127.0.0.1) ;; *) port=8780 ;; esac
  data="$rundir/../service-data"
  [ -d "$data" ] || "$service" "$data" --seed "$rundir" >/dev/null
  "$service" "$data" --port "$port" >"$rundir/../service.log" 2>&1 &
  service_pid=$!
  trap stop_service EXIT
  for _ in $(seq 50); do reachable 127.0.0.1 "$port" && break; sleep 0.1; done
  export VANTORELLO_SERVER=127.0.0.1:$port
  echo "Started the game's web service on 127.0.0.1:$port (data in build/release/service-data)."
fi
# True while a process runs the program file (the game, or the one a live update put in its place).
program_running() {
  local pid
  for pid in /proc/[0-9]*; do [ "$(readlink "$pid/exe" 2>/dev/null)" = "$1" ] && return 0; done
  return 1
}

started=$(date +%s)
status=0
"$exe" || status=$?
# A live update that replaced the program ends the game and starts the new program from
# "update.sh" in the background: stay (and keep the service) until that one ends too.
if [ "$status" -eq 0 ] && [ -f update.sh ] && [ "$(stat -c %Y update.sh)" -ge "$started" ]; then
  program=$(readlink -f "$exe")
  for _ in $(seq 150); do program_running "$program" && break; sleep 0.1; done
  while program_running "$program"; do sleep 1; done
fi
exit $status
