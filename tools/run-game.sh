#!/usr/bin/env bash
# Starts the game in its run directory; falls back to silent audio when no sound device exists.
set -euo pipefail
rundir=$1; exe=$2
cd "$rundir"
if [ -z "${SDL_AUDIODRIVER:-}" ] && ! ls /dev/snd/pcm* >/dev/null 2>&1 && [ -z "${PULSE_SERVER:-}" ] && ! [ -S "${XDG_RUNTIME_DIR:-/nonexistent}/pulse/native" ]; then
  echo "No sound device found: starting with SDL's dummy audio driver (no sound)."
  export SDL_AUDIODRIVER=dummy
fi
exec "$exe"
