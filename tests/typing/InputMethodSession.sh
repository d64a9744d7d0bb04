#!/usr/bin/env bash
# Runs a test program the way an estimator types Korean on Linux: on a private X display
# (Xvfb on a free display number), with a private session bus that activates no services,
# and fcitx5 whose only input method is its hangul engine with the Dubeolsik layout. The
# program runs on that display through Qt's fcitx input context; xdotool, which it calls,
# types and clicks there. Every process started here is ended by its id on the way out.
# Usage: InputMethodSession.sh PROGRAM [ARGUMENTS...]; the exit code is the program's.
set -uo pipefail

fail() {
  echo "input method session: $*" >&2
  exit 1
}

[ $# -ge 1 ] || fail "no program given"
for tool in Xvfb dbus-launch dbus-send fcitx5 xdotool; do
  command -v "$tool" >/dev/null || fail "$tool is missing; scripts/setup installs it"
done

work=$(mktemp -d "${TMPDIR:-/tmp}/vek-ime.XXXXXX") || fail "no temporary folder"
started=()

# Waits up to $1 tenths of a second for the command after it to succeed.
poll() {
  local tenths=$1 i
  shift
  for ((i = 0; i < tenths; i++)); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

# Whether process $1 has ended (a zombie waiting to be reaped has).
ended() {
  [ ! -e "/proc/$1" ] || grep -q '^State:[[:space:]]*Z' "/proc/$1/status" 2>/dev/null
}

stop() {
  local pid i
  for ((i = ${#started[@]} - 1; i >= 0; i--)); do
    kill "${started[i]}" 2>/dev/null
  done
  for pid in "${started[@]}"; do
    poll 50 ended "$pid" || kill -KILL "$pid" 2>/dev/null
  done
  wait 2>/dev/null
  rm -rf "$work"
}
trap stop EXIT
trap 'exit 130' INT TERM

# The display: Xvfb picks a free number and writes it to descriptor 3.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
started+=($!)
poll 200 grep -q '^[0-9]' "$work/display" || fail "Xvfb did not start: $(tail -5 "$work/xvfb.log")"
display=":$(head -1 "$work/display")"

# The session bus: only the programs started here, nothing activated on demand.
cat >"$work/bus.conf" <<EOF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$work</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
EOF
bus=$(env -u DISPLAY dbus-launch --sh-syntax --config-file="$work/bus.conf") || fail "dbus-launch failed"
DBUS_SESSION_BUS_ADDRESS=$(sed -n "s/^DBUS_SESSION_BUS_ADDRESS='\(.*\)';$/\1/p" <<<"$bus")
bus_pid=$(sed -n 's/^DBUS_SESSION_BUS_PID=\([0-9]*\);$/\1/p' <<<"$bus")
[ -n "$DBUS_SESSION_BUS_ADDRESS" ] && [ -n "$bus_pid" ] || fail "dbus-launch said: $bus"
started+=("$bus_pid")
export DBUS_SESSION_BUS_ADDRESS

# fcitx5 with a profile whose only input method is hangul, Dubeolsik.
mkdir -p "$work/config/fcitx5/conf" "$work/data" "$work/cache" "$work/runtime"
chmod 700 "$work/runtime"
cat >"$work/config/fcitx5/profile" <<EOF
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=hangul

[Groups/0/Items/0]
Name=hangul
Layout=

[GroupOrder]
0=Default
EOF
echo "Keyboard=Dubeolsik" >"$work/config/fcitx5/conf/hangul.conf"
export DISPLAY=$display XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_CACHE_HOME=$work/cache \
  XDG_RUNTIME_DIR=$work/runtime
fcitx5 --disable=all --enable=dbus,dbusfrontend,xcb,keyboard,hangul >"$work/fcitx5.log" 2>&1 &
started+=($!)
fcitx_ready() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.fcitx.Fcitx5 2>/dev/null | grep -q 'boolean true'
}
poll 300 fcitx_ready || fail "fcitx5 did not come up: $(tail -5 "$work/fcitx5.log")"

QT_QPA_PLATFORM=xcb QT_IM_MODULE=fcitx XMODIFIERS=@im=fcitx "$@" &
program=$!
started+=("$program")
wait "$program"
code=$?
if [ "$code" -ne 0 ]; then
  echo "input method session: the program ended with $code; the end of fcitx5's log:" >&2
  tail -20 "$work/fcitx5.log" >&2
fi
exit "$code"
