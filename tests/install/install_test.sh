#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and plays the installed game under Xvfb with
# xdotool from an unrelated working directory. The game must read the DESTDIR's data, keep its
# settings and the player's files in the XDG folders and write nothing anywhere else; a live
# update from the web service must bring a picture into the player's folder and leave the
# program alone.
#   tests/install/install_test.sh BUILD_DIR
set -euo pipefail
if [ -z "${VR_INSTALL_TEST_DISPLAY:-}" ]; then
  export VR_INSTALL_TEST_DISPLAY=1
  exec xvfb-run -a -s "-screen 0 800x600x24 -nolisten tcp" "$0" "$@"
fi
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
tmp=$(mktemp -d /tmp/vantorello-install-XXXXXX)
game_pid= service_pid=
stop() { [ -z "$1" ] || { kill "$1" 2>/dev/null; wait "$1" 2>/dev/null || true; }; }
finish() { stop "$game_pid"; stop "$service_pid"; rm -rf "$tmp"; }
trap finish EXIT
fail() { echo "FAIL: $*"; [ -f "$tmp/game.log" ] && sed 's/^/  game: /' "$tmp/game.log"; exit 1; }
bmp() { python3 "$here/bmp_tool.py" "$@"; }

dest=$tmp/dest work=$tmp/work home=$tmp/home
config=$tmp/xdg/config/vantorello user=$tmp/xdg/data/vantorello
mkdir -p "$work" "$home"
DESTDIR=$dest cmake --install "$build" --prefix /usr >/dev/null
game=$dest/usr/games/vantorello data=$dest/usr/share/games/vantorello
[ -x "$game" ] && [ -d "$data/GFX" ] || fail "the install holds no program or no GFX"

# Marks: the DESTDIR's licence picture becomes magenta, so a menu showing magenta there was
# drawn from this copy; the live update later brings a cyan picture for the update entry.
bmp solid "$data/GFX/icon_license.bmp" "$data/GFX/icon_license.bmp" ff00ff
license_at="26 109" update_at="238 109"
snapshot() { (cd "$dest" && find . -printf '%p %s %T@ %m\n' | sort); }
snapshot >"$tmp/install.before"

# Starts the installed game in the working directory with the test's environment and waits
# for its window.
start_game() {
  (cd "$work" && exec env -i PATH=/usr/bin:/bin DISPLAY="$DISPLAY" XAUTHORITY="${XAUTHORITY:-}" \
      HOME="$home" XDG_CONFIG_HOME="$tmp/xdg/config" XDG_DATA_HOME="$tmp/xdg/data" \
      SDL_AUDIODRIVER=dummy VANTORELLO_SERVER="$1" "$game" >"$tmp/game.log" 2>&1) &
  game_pid=$!
  window=$(timeout 60 xdotool search --sync --name 'Vanto Rello' | head -1) || fail "no game window"
  xdotool windowfocus --sync "$window" 2>/dev/null || true
}
key() {
  for k in "$@"; do xdotool key "$k"; sleep 0.3; done
}
newest_shot() {
  local shots=("$user"/Screenshot-*.bmp)
  [ -e "${shots[-1]}" ] && echo "${shots[-1]}" || true
}
# Clicks through the intro, taking screenshots until one shows the colour at the spot.
reach_menu() {
  local x=$1 y=$2 colour=$3
  for _ in $(seq 60); do
    xdotool mousemove --window "$window" 320 240 click 1
    xdotool key F12
    sleep 0.5
    shot=$(newest_shot)
    [ -n "$shot" ] && bmp near "$shot" "$x" "$y" "$colour" && return 0
  done
  fail "the menu never showed $colour at $x,$y (last screenshot ${shot:-none})"
}
wait_for() {
  for _ in $(seq 100); do compgen -G "$1" >/dev/null && return 0; sleep 0.2; done
  fail "$1 never appeared"
}
quit_game() {
  key Escape
  for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.2; done
  wait "$game_pid" || fail "the game ended with $?"
  game_pid=
}

# 1. Play: the menu, the settings, a track from the constructor, a screenshot.
start_game 127.0.0.1:9
reach_menu $license_at ff00ff
key Up Up Up Left Return Return Return Escape  # settings: German, English, save on leaving
wait_for "$config/VantoRello.cfg"
key Down Down Return Return Right Return  # constructor: build, save the track
wait_for "$user/TRK/VRWIN*.TRK"
key Escape
quit_game
grep -qF "data from $data, settings in $config, player's files in $user" "$tmp/game.log" ||
  fail "no line naming the folders in use"
[ "$(stat -c %s "$config/VantoRello.cfg")" = 74 ] || fail "settings file of the wrong size"
[ -z "$(ls -A "$work")" ] || fail "wrote into the working directory: $(ls -A "$work")"
[ -z "$(ls -A "$home")" ] || fail "wrote into the home folder: $(ls -A "$home")"
snapshot | diff "$tmp/install.before" - >&2 || fail "the install tree changed"
echo "Played the installed game: $(cd "$tmp" && find xdg -type f | sort | tr '\n' ' ')"

# 2. Live update from the web service on 127.0.0.1: release 3.99 with a new picture and a
# new program.
mkdir -p "$tmp/release/GFX"
bmp solid "$data/GFX/icon_live_update.bmp" "$tmp/release/GFX/icon_live_update.bmp" 00ffff
cp "$game" "$tmp/release/vantorello" && echo "newer" >>"$tmp/release/vantorello"
service=$build/vantorello-service
"$service" "$tmp/service" --publish-release "$tmp/release" 3.99 >/dev/null || fail "cannot publish the release"
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
"$service" "$tmp/service" --host 127.0.0.1 --port "$port" >"$tmp/service.log" 2>&1 &
service_pid=$!
for _ in $(seq 50); do grep -q '^Serving' "$tmp/service.log" && break; sleep 0.1; done
grep -q '^Serving' "$tmp/service.log" || fail "the web service did not start: $(cat "$tmp/service.log")"
start_game "127.0.0.1:$port"
# Space ends the intro, then takes the offered update.
for _ in $(seq 40); do
  key space
  for _ in $(seq 10); do [ -f "$user/installed.ver" ] && break 2; sleep 0.2; done
done
wait_for "$user/installed.ver"
key F12
sleep 0.5
update_shot=$(newest_shot)
key Escape
quit_game
cmp -s "$user/GFX/icon_live_update.bmp" "$tmp/release/GFX/icon_live_update.bmp" || fail "the picture was not updated"
[ "$(cat "$user/installed.ver")" = 3.99 ] || fail "release not recorded"
grep -q "Program updates come with the system's packages" "$tmp/game.log" || fail "no word on the program"
! compgen -G "$user/VantoRello.upd" >/dev/null && ! compgen -G "$user/update.sh" >/dev/null ||
  fail "the new program was downloaded"
cmp -s "$game" "$build/vantorello" || fail "the installed program changed"
snapshot | diff "$tmp/install.before" - >&2 || fail "the install tree changed"
[ -z "$(ls -A "$work")" ] || fail "wrote into the working directory"

# 3. The next start shows the new picture beside the installed one.
start_game 127.0.0.1:9
reach_menu $update_at 00ffff
bmp near "$shot" $license_at ff00ff || fail "the installed picture is gone"
quit_game
[ -n "${VR_KEEP_SCREENSHOTS:-}" ] && cp "$update_shot" "$shot" "$VR_KEEP_SCREENSHOTS/"
echo "Live update when installed: picture in $user/GFX, program left to the packages."
