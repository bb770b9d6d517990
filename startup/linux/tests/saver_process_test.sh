#!/usr/bin/env bash
# The Linux saver as a process in a private Xvfb.
#   saver_process_test.sh TEST SKYVAULT SAVER_PROBE DATA_DIR
# TEST: own-window | given-window | signals | shm-refused | hostile-pictures |
#       hostile-settings | engine-sound | settings-kept | settings-large |
#       settings-unstored | stuck-reads | stuck-libraries | large-pictures |
#       large-windows
set -eEu
# Any step that fails unexpectedly, in a function too, says which one rather
# than ending quietly.
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND (status $?)"' ERR
test_name=$1 saver=$2 probe=$3 data=$4
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=SCRIPTDIR/../../../tools/xvfb.sh
. "$here/../../../tools/xvfb.sh"

work=$(mktemp -d)
# The saver's settings file goes to the test's own folder.
export XDG_CONFIG_HOME="$work/config"
saver_pid="" host_pid=""
cleanup() {
  set +e
  [ -n "$saver_pid" ] && kill "$saver_pid" 2>/dev/null
  [ -n "$host_pid" ] && kill "$host_pid" 2>/dev/null
  skyvault_stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT
SKYVAULT_SCREEN=1024x768x24 skyvault_start_xvfb

fail() {
  echo "FAIL: $*"
  if [ -n "$saver_pid" ] && ! kill -0 "$saver_pid" 2>/dev/null; then
    wait "$saver_pid" || echo "the saver has ended with status $?"
  fi
  [ -f "$work/saver.log" ] && cat "$work/saver.log"
  exit 1
}


# Waits until the saver has drawn the bridge with an aircraft into window $1.
wait_for_bridge() {
  local _
  for _ in $(seq 1 60); do
    "$probe" check "$1" "$data/Bridge.bmp" >"$work/check.log" 2>&1 && return 0
    sleep 0.25
  done
  cat "$work/check.log"
  return 1
}

# Waits until window $1 shows something new (the saver goes on drawing).
wait_for_change() {
  local before _
  before=$("$probe" hash "$1")
  for _ in $(seq 1 40); do
    sleep 0.1
    [ "$("$probe" hash "$1")" != "$before" ] && return 0
  done
  return 1
}

# Milliseconds since the epoch, without starting a process.
now_ms() {
  local now=${EPOCHREALTIME/./}
  echo $((now / 1000))
}

# Ends the saver with $1 (TERM, or key in a window of its own) and checks
# that the process is gone within a second, with status 0; $2 names the case.
# The key's second starts once xdotool has sent it.
ends_within_a_second() {
  local how=$1 case=$2 started elapsed
  if [ "$how" = key ]; then xdotool key space; fi
  started=$(now_ms)
  [ "$how" = key ] || kill -TERM "$saver_pid"
  while kill -0 "$saver_pid" 2>/dev/null; do
    elapsed=$(($(now_ms) - started))
    [ "$elapsed" -gt 1500 ] && break
    sleep 0.01
  done
  elapsed=$(($(now_ms) - started))
  echo "$case: ended $elapsed ms after the $how"
  if kill -0 "$saver_pid" 2>/dev/null; then
    echo "its threads:" && grep -H . /proc/"$saver_pid"/task/*/wchan 2>/dev/null
    fail "$case: still running $elapsed ms after the $how"
  fi
  [ "$elapsed" -le 1000 ] || fail "$case: ended only $elapsed ms after the $how"
  wait "$saver_pid" || fail "$case: ended with status $? after the $how"
  saver_pid=""
}

start_saver() {
  "$@" >"$work/saver.log" 2>&1 &
  saver_pid=$!
}

# A window of the test's own, as xscreensaver or the settings' preview makes one.
start_host() {
  "$probe" window "$1" >"$work/host.id" &
  host_pid=$!
  local _
  for _ in $(seq 1 100); do
    [ -s "$work/host.id" ] && break
    sleep 0.05
  done
  host=$(cat "$work/host.id")
  [ -n "$host" ] || fail "no host window"
}

# A new host window of size $1 in place of the last one, so that what an
# earlier saver drew there cannot pass for what the next one draws.
fresh_host() {
  if [ -n "$host_pid" ]; then
    kill "$host_pid" 2>/dev/null || true
    wait "$host_pid" 2>/dev/null || true
    host_pid=""
  fi
  start_host "$1"
}

# Ends the saver by SIGTERM; fails unless it goes within $1 seconds.
end_saver_within() {
  kill "$saver_pid"
  skyvault_wait_for_exit "$saver_pid" "$1" || fail "SIGTERM does not end it within $1 s"
  saver_pid=""
}

# Settings files the saver cannot take as they are keep every byte: it runs
# on its first-run values (the bridge) and says once on stderr why. A link
# in the file's place stays a link, and temporaries a killed writer left go.
settings_kept() {
  local folder=$XDG_CONFIG_HOME/skyvault kind before size
  local ini=$folder/skyvault.ini user='[Startup]\nBackGround=2\nMessage=mine\nFontClock=40\n'
  mkdir -p "$folder"
  for kind in oversized ten-megabytes utf-16; do
    case $kind in
      oversized)
        printf '%b' "$user" >"$ini"
        size=$(stat -c %s "$ini")
        head -c $((1048733 - size)) /dev/zero | tr '\0' '\n' >>"$ini"
        ;;
      ten-megabytes) { printf '%b' "$user" && head -c 10000000 /dev/zero | tr '\0' ' '; } >"$ini" ;;
      utf-16) printf '%b' "$user" | iconv -f UTF-8 -t UTF-16 >"$ini" ;;
    esac
    before=$(sha256sum <"$ini")
    fresh_host 320x240
    start_saver "$saver" --window-id "$host"
    wait_for_bridge "$host" || fail "no bridge with a settings file of $kind"
    end_saver_within 5
    [ "$(sha256sum <"$ini")" = "$before" ] || fail "a settings file of $kind was written over"
    [ "$(grep -c "skyvault.ini .*left as it is" "$work/saver.log")" = 1 ] ||
      fail "no one reason on stderr for a settings file of $kind"
  done

  rm -f "$ini"
  mkdir -p "$work/dotfiles"
  ln -s "$work/dotfiles/skyvault.ini" "$ini"
  : >"$work/dotfiles/skyvault.ini.Ab12Yz"
  fresh_host 320x240
  start_saver "$saver" --window-id "$host"
  wait_for_bridge "$host" || fail "no bridge with a linked settings file"
  end_saver_within 5
  [ -L "$ini" ] || fail "the link was replaced"
  grep -q '^SetReg=2$' "$work/dotfiles/skyvault.ini" || fail "the linked file was not written"
  [ ! -e "$work/dotfiles/skyvault.ini.Ab12Yz" ] || fail "a stale temporary stayed"
}

# Settings files at the size limit, of many keys or many sections, are read
# at once: the window shows and SIGTERM ends it within seconds (half a
# minute each before), and one moved over a running saver's file does not
# stop its frames.
settings_large() {
  local folder=$XDG_CONFIG_HOME/skyvault kind started
  local ini=$folder/skyvault.ini
  local head="[System]\nSetReg=2\n[Startup]\nBackGround=3\nBMPFileName=$data/Bridge.bmp\n"
  mkdir -p "$folder"
  printf '%b' "$head" >"$work/keys.ini"
  seq -f 'k%06g=1' 1 100000 >>"$work/keys.ini"
  printf '%b' "$head" >"$work/sections.ini"
  seq -f '[s%05g]' 1 71420 | sed 's/$/\nk=1/' >>"$work/sections.ini"
  for kind in keys sections; do
    [ "$(stat -c %s "$work/$kind.ini")" -le 1048576 ] || fail "the file of $kind is over the limit"
    cp "$work/$kind.ini" "$ini"
    fresh_host 320x240
    started=$(now_ms)
    start_saver "$saver" --window-id "$host"
    wait_for_bridge "$host" || fail "no bridge with a settings file of many $kind"
    echo "many $kind: the bridge shows after $(($(now_ms) - started)) ms"
    cp "$work/$kind.ini" "$work/moved.ini"
    mv "$work/moved.ini" "$ini"
    wait_for_change "$host" || fail "frames stopped after a file of many $kind was moved in"
    started=$(now_ms)
    end_saver_within 5
    echo "many $kind: ended $(($(now_ms) - started)) ms after SIGTERM"
  done
}

# Where the settings cannot be stored (a folder in the file's place), the
# saver runs on its first-run values: the bridge, not a black background.
# A stored stock picture whose folder is gone shows from the data folder.
settings_unstored() {
  local folder=$XDG_CONFIG_HOME/skyvault
  mkdir -p "$folder/skyvault.ini"
  start_host 320x240
  start_saver "$saver" --window-id "$host"
  wait_for_bridge "$host" || fail "no bridge where the settings cannot be stored"
  end_saver_within 5
  rmdir "$folder/skyvault.ini"
  printf '[System]\nSetReg=2\n[Startup]\nBackGround=3\nBMPFileName=%s\n' \
    "$work/moved-checkout/assets/data/Bridge.bmp" >"$folder/skyvault.ini"
  fresh_host 320x240
  start_saver "$saver" --window-id "$host"
  wait_for_bridge "$host" || fail "no bridge from a stored path whose folder is gone"
}

case "$test_name" in
  settings-kept) settings_kept ;;
  settings-large) settings_large ;;
  settings-unstored) settings_unstored ;;
  own-window)
    for ending in key click; do
      start_saver "$saver"
      window=$(skyvault_wait_for_window Skyvault)
      [ -n "$window" ] || fail "no window titled Skyvault"
      wait_for_bridge root || fail "the bridge does not show"
      if [ "$ending" = key ]; then xdotool key space; else xdotool click 1; fi
      skyvault_wait_for_exit "$saver_pid" || fail "a $ending does not end it"
      wait "$saver_pid" || fail "ended with an error after a $ending"
      saver_pid=""
    done
    # MouseSens 1: X reports only real moves, so the first one ends it.
    printf '[System]\nSetReg=2\n[Startup]\nBackGround=1\nMouseSens=1\n' \
      >"$XDG_CONFIG_HOME/skyvault/skyvault.ini"
    start_saver "$saver"
    [ -n "$(skyvault_wait_for_window Skyvault)" ] || fail "no window titled Skyvault"
    wait_for_change root || fail "no drawing with MouseSens 1"
    xdotool mousemove_relative 5 5
    skyvault_wait_for_exit "$saver_pid" 3 || fail "the first pointer move does not end it"
    wait "$saver_pid" || fail "ended with an error after a pointer move"
    saver_pid=""
    ;;
  given-window)
    start_host 400x300
    XSCREENSAVER_WINDOW=$host start_saver "$saver"
    wait_for_bridge "$host" || fail "nothing drawn into \$XSCREENSAVER_WINDOW"
    kill "$saver_pid"
    skyvault_wait_for_exit "$saver_pid" || fail "SIGTERM does not end it"
    saver_pid=""
    start_saver "$saver" --window-id "$host"
    wait_for_bridge "$host" || fail "nothing drawn into --window-id"
    # Input belongs to the window's owner: a key does not end it.
    xdotool mousemove 200 150 key space
    sleep 0.5
    kill -0 "$saver_pid" || fail "a key in a handed window ended it"
    ;;
  signals)
    start_host 320x240
    start_saver "$saver" --window-id "$host"
    wait_for_bridge "$host" || fail "nothing drawn"
    kill -STOP "$saver_pid"
    sleep 2
    kill -CONT "$saver_pid"
    wait_for_change "$host" || fail "no drawing after SIGCONT"
    started=$(date +%s%N)
    kill -TERM "$saver_pid"
    skyvault_wait_for_exit "$saver_pid" 5 || fail "SIGTERM does not end it"
    wait "$saver_pid" || fail "SIGTERM ended it with an error"
    saver_pid=""
    echo "ended $(( ($(date +%s%N) - started) / 1000000 )) ms after SIGTERM"
    ;;
  shm-refused)
    start_host 400x300
    SKYVAULT_REFUSE_SHM_ATTACH=1 start_saver "$saver" --window-id "$host"
    wait_for_bridge "$host" || fail "nothing drawn with shared memory refused"
    wait_for_change "$host" || fail "drawing stopped with shared memory refused"
    ;;
  hostile-pictures)
    # The background random bytes, an aircraft with a header claiming
    # 100000 x 100000 pixels, another cut short: it runs and draws on.
    # A copy of the saver installed as the package lays it out, so that it
    # reads the pictures of share/skyvault beside it.
    mkdir -p "$work/libexec/xscreensaver" "$work/share"
    cp "$saver" "$work/libexec/xscreensaver/skyvault"
    cp -r "$data" "$work/share/skyvault"
    pictures=$work/share/skyvault
    head -c 65536 /dev/urandom >"$pictures/Bridge.bmp"
    printf 'BM\x36\x00\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00\x28\x00\x00\x00\xa0\x86\x01\x00\xa0\x86\x01\x00\x01\x00\x18\x00' \
      >"$pictures/Plane01.bmp"
    head -c 3000 "$data/Plane02.bmp" >"$pictures/Plane02.bmp"
    start_host 320x240
    start_saver "$work/libexec/xscreensaver/skyvault" --window-id "$host" \
      --logo --logo-file "$pictures/Plane02.bmp"
    wait_for_change "$host" || fail "no drawing with hostile pictures"
    sleep 1
    kill -0 "$saver_pid" || fail "hostile pictures ended it"
    wait_for_change "$host" || fail "drawing stopped with hostile pictures"
    ;;
  hostile-settings)
    # Settings files no one would write: binary garbage, 10 MB of text,
    # sections missing, numbers that are no numbers. Each time it draws on.
    mkdir -p "$XDG_CONFIG_HOME/skyvault"
    ini=$XDG_CONFIG_HOME/skyvault/skyvault.ini
    start_host 320x240
    for kind in garbage huge no-sections wrong-types; do
      case $kind in
        garbage) head -c 20000 /dev/urandom >"$ini" ;;
        huge) yes '[Startup] Speed=1 Message=xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx' | head -c 10000000 >"$ini" ;;
        no-sections) printf 'BackGround=3\nSpeed=abc\nSetReg=2\n' >"$ini" ;;
        wrong-types) printf '[System]\nSetReg=2\nSoundOff=soon\n[Startup]\nBackGround=3\nBMPFileName=/dev/zero\nSpeed=1e999\nVolume=loud\nFontClock=-7\nMouseSens=x\nClock=1\nFontName=\n' >"$ini" ;;
      esac
      start_saver "$saver" --window-id "$host"
      wait_for_change "$host" || fail "no drawing with a settings file of $kind"
      sleep 0.5
      kill -0 "$saver_pid" || fail "a settings file of $kind ended it"
      kill "$saver_pid"
      skyvault_wait_for_exit "$saver_pid" || fail "SIGTERM does not end it"
      saver_pid=""
    done
    ;;
  engine-sound)
    # The engine, recorded through ALSA's file plugin, is heard once the
    # bomber flies level on the screen (a second after the start).
    # The runtime folder cannot take the player's lock (a file in its
    # place): the lock goes to the per-user folder under /tmp instead.
    printf 'pcm.!default { type file slave.pcm "null" file "%s" format "raw" }\n' \
      "$work/engine.raw" >"$work/.asoundrc"
    touch "$work/not-a-folder"
    HOME=$work XDG_RUNTIME_DIR=$work/not-a-folder start_saver "$saver"
    [ -n "$(skyvault_wait_for_window Skyvault)" ] || fail "no window titled Skyvault"
    sleep 3
    kill "$saver_pid"
    skyvault_wait_for_exit "$saver_pid" || fail "SIGTERM does not end it"
    saver_pid=""
    [ -s "$work/engine.raw" ] || fail "nothing was played"
    # Prop.wav: 22050 frames a second, mono, 16-bit.
    level=$(sox -t raw -r 22050 -e signed -b 16 -c 1 "$work/engine.raw" -n stat 2>&1 |
      awk '/RMS +amplitude/ { print $3 }')
    echo "engine recorded: RMS amplitude $level"
    awk -v l="$level" 'BEGIN { exit !(l > 0.01) }' || fail "the recording is silent"
    ;;
  stuck-reads)
    # Named pipes where pictures are expected: reading one would wait for a
    # writer for good. They are no pictures: the saver draws on without them
    # and ends at once when asked.
    mkfifo "$work/pipe.png"
    start_host 320x240
    start_saver "$saver" --window-id "$host" --background 3 --picture "$work/pipe.png" \
      --logo --logo-file "$work/pipe.png"
    wait_for_change "$host" || fail "no drawing with a pipe for a picture"
    ends_within_a_second TERM "pipe as the background and logo"
    kill "$host_pid" && host_pid=""
    start_saver "$saver" --logo --logo-file "$work/pipe.png"
    [ -n "$(skyvault_wait_for_window Skyvault)" ] || fail "no window titled Skyvault"
    wait_for_change root || fail "no drawing in its own window with a pipe for the logo"
    ends_within_a_second key "pipe as the logo, own window"
    # A pipe as the sharper companion of a good logo, read in the background
    # (the 1024 x 768 screen is larger than the frame): the logo shows.
    cp "$data/Tarnwing1.bmp" "$work/logo.bmp"
    mkfifo "$work/logo@2x.png"
    for how in TERM key; do
      start_saver "$saver" --logo --logo-file "$work/logo.bmp"
      [ -n "$(skyvault_wait_for_window Skyvault)" ] || fail "no window titled Skyvault"
      wait_for_bridge root || fail "the bridge does not show with a pipe as a companion"
      wait_for_change root || fail "drawing stopped with a pipe as a companion"
      ends_within_a_second $how "pipe as the logo's companion"
    done
    # Asked to end while it loads.
    start_saver "$saver"
    [ -n "$(skyvault_wait_for_window Skyvault)" ] || fail "no window titled Skyvault"
    ends_within_a_second TERM "during loading"
    ;;
  stuck-libraries)
    # A device where ALSA's or fontconfig's configuration file belongs, which
    # the library would read without end: the saver draws on (silent, or
    # without text) and ends at once when asked.
    for library in ALSA_CONFIG_PATH FONTCONFIG_FILE; do
      for how in TERM key; do
        start_saver env "$library=/dev/zero" "$saver" --clock --message --engine
        [ -n "$(skyvault_wait_for_window Skyvault)" ] || fail "no window titled Skyvault"
        wait_for_change root || fail "no drawing with $library=/dev/zero"
        sleep 1  # the bomber flies level: the engine is asked for
        ends_within_a_second $how "$library=/dev/zero"
      done
    done
    # A pipe as ~/.asoundrc: ALSA waits in its open for a writer that never
    # comes, in the sound thread, which cannot be asked to stop.
    mkfifo "$work/.asoundrc"
    for how in TERM key; do
      HOME=$work start_saver "$saver" --engine
      [ -n "$(skyvault_wait_for_window Skyvault)" ] || fail "no window titled Skyvault"
      wait_for_change root || fail "no drawing with a pipe as ~/.asoundrc"
      sleep 1
      ends_within_a_second $how "a pipe as ~/.asoundrc"
    done
    ;;
  large-pictures)
    # An 8192 x 8192 logo and background, in 2.5 GB of address space, on
    # screens where the logo is shown 1.8 and 3.6 times its size: both
    # show, the peak stays under 600 MB and the saver settles under 300 MB.
    "$probe" picture "$work/large.png" 8192x8192 || fail "no picture to test with"
    for screen in 1920x1080x24 3840x2160x24; do
      skyvault_stop_xvfb
      SKYVAULT_SCREEN=$screen skyvault_start_xvfb
      (
        ulimit -v 2500000
        exec "$saver" --background 3 --picture "$work/large.png" --logo --logo-file "$work/large.png"
      ) >"$work/saver.log" 2>&1 &
      saver_pid=$!
      window=$(skyvault_wait_for_window Skyvault)
      [ -n "$window" ] || fail "no window titled Skyvault"
      # The picture's gradient (the first frame shows once it is read).
      shown=""
      for _ in $(seq 1 120); do
        shown=$("$probe" first-frame "$window" 2>/dev/null) && break
        kill -0 "$saver_pid" || fail "the large pictures ended it"
        sleep 0.5
      done
      [ -n "$shown" ] || fail "the large pictures do not show"
      settled=""
      for _ in $(seq 1 120); do
        kill -0 "$saver_pid" || fail "the large pictures ended it"
        rss=$(awk '/^VmRSS/ { print $2 }' "/proc/$saver_pid/status")
        if [ "$rss" -lt 300000 ]; then settled=$rss; fi
        peak=$(awk '/^VmHWM/ { print $2 }' "/proc/$saver_pid/status")
        [ "$peak" -lt 600000 ] || fail "peak memory $peak kB on $screen"
        [ -n "$settled" ] && break
        sleep 0.5
      done
      echo "$screen: peak $peak kB, settled at $settled kB"
      [ -n "$settled" ] || fail "memory stays at $rss kB on $screen"
      kill "$saver_pid"
      skyvault_wait_for_exit "$saver_pid" || fail "SIGTERM does not end it"
      wait "$saver_pid" || fail "ended with an error"
      saver_pid=""
    done
    ;;
  large-windows)
    # Windows larger than a canvas may be are drawn, enlarged; a window
    # whose frame could not be had (too little memory) is drawn again at
    # its next size; a virtual root that has gone is passed over for the
    # root. The messages say so.
    skyvault_stop_xvfb
    SKYVAULT_SCREEN=9000x6750x24 skyvault_start_xvfb
    for memory in unlimited 300000; do
      start_host 640x480  # a new one: nothing of the last saver's frame in it
      (
        ulimit -v "$memory"
        exec "$saver" --window-id "$host"
      ) >"$work/saver.log" 2>&1 &
      saver_pid=$!
      wait_for_bridge "$host" || fail "nothing drawn at 640 x 480 ($memory kB)"
      "$probe" resize "$host" 8400x6300
      if [ "$memory" = unlimited ]; then
        wait_for_bridge "$host" || fail "nothing drawn at 8400 x 6300"
        grep -q "8400 x 6300 .*enlarged to fit" "$work/saver.log" ||
          fail "no word of the enlarged frame"
      else
        for _ in $(seq 1 150); do
          grep -q "no memory for a frame in a window of 8400 x 6300" "$work/saver.log" && break
          sleep 0.2
        done
        grep -q "no memory for a frame" "$work/saver.log" || fail "no word of the missing memory"
      fi
      "$probe" resize "$host" 640x480
      wait_for_bridge "$host" || fail "nothing drawn back at 640 x 480 ($memory kB)"
      kill "$saver_pid" "$host_pid"
      skyvault_wait_for_exit "$saver_pid" || fail "SIGTERM does not end it"
      saver_pid="" host_pid=""
    done
    start_host 100x100

    start_saver "$saver"
    [ -n "$(skyvault_wait_for_window Skyvault)" ] || fail "no window titled Skyvault"
    wait_for_bridge root || fail "nothing drawn on a 9000 x 6750 screen"
    grep -q "9000 x 6750 .*enlarged to fit" "$work/saver.log" || fail "no word of the enlarged frame"
    kill "$saver_pid"
    skyvault_wait_for_exit "$saver_pid" || fail "SIGTERM does not end it"
    saver_pid=""

    "$probe" vroot "$host" 0x3fffffe
    start_saver "$saver" --root
    wait_for_bridge root || fail "nothing drawn on the root"
    grep -q "__SWM_VROOT names the window 0x3fffffe, which does not exist" "$work/saver.log" ||
      fail "no word of the missing virtual root"
    if grep -q "colors" "$work/saver.log"; then fail "a message about colour depth"; fi
    ;;
  *)
    fail "unknown test $test_name"
    ;;
esac
echo "PASS: $test_name"
