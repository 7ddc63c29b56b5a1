#!/usr/bin/env bash
# Installs the game into a temporary prefix, validates the menu entry and the
# metadata as a desktop would read them, and starts the installed program once.
#   installed_game.sh BUILD_DIR APP_ID
set -uo pipefail
build=$1 id=$2
work="$(mktemp -d)"
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
passed=0 failed=0
ok() { passed=$((passed + 1)); }
bad() { echo "FAILED: $*"; failed=$((failed + 1)); }
check() { local what=$1; shift; if "$@" > "$work/out" 2>&1; then ok; else bad "$what: $(cat "$work/out")"; fi; }

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" --component game > "$work/install.log" 2>&1 ||
  { cat "$work/install.log"; exit 1; }
share="$prefix/share"

check "desktop-file-validate" desktop-file-validate "$share/applications/$id.desktop"
check "appstreamcli validate" appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml"
grep -q '^Categories=Game;CardGame;$' "$share/applications/$id.desktop" && ok || bad "categories"
# A name, a comment and keywords in each of the ten languages.
for key in Name Comment Keywords; do
  n=$(grep -c "^$key\(\[[a-zA-Z_]*\]\)\?=." "$share/applications/$id.desktop")
  [ "$n" = 10 ] && ok || bad "$key in $n languages, not 10"
done

for size in 16 24 32 48 64 128 256 512; do
  png="$share/icons/hicolor/${size}x${size}/apps/$id.png"
  [ "$(identify -format '%wx%h' "$png" 2>/dev/null)" = "${size}x${size}" ] && ok || bad "icon $png"
done
svg="$share/icons/hicolor/scalable/apps/$id.svg"
grep -q '<svg' "$svg" 2>/dev/null && ok || bad "no scalable icon $svg"
# The icon is drawn, not blank: the 48 px one has both opaque and clear pixels.
alpha=$(convert "$share/icons/hicolor/48x48/apps/$id.png" -alpha extract -format '%[fx:mean]' info: 2>/dev/null)
awk -v a="${alpha:-0}" 'BEGIN { exit !(a > 0.2 && a < 0.9) }' && ok || bad "the 48 px icon covers ${alpha} of its box"

# Every screenshot the metadata names is one the build took and installed.
shots=$(grep -o 'screenshots/[a-z_]*\.png' "$share/metainfo/$id.metainfo.xml")
[ -n "$shots" ] && ok || bad "the metadata names no screenshot"
for shot in $shots; do
  [ "$(identify -format '%w' "$share/zarnet/$shot" 2>/dev/null || echo 0)" -ge 760 ] && ok ||
    bad "screenshot $shot not installed"
done

for f in bin/zarnet bin/zarnet-netbot; do [ -x "$prefix/$f" ] && ok || bad "$f missing"; done
for f in KuvCards06A KuvCards06B KuvCards06C KuvBackG03 KuvCGraph1 KuvCVoice3 KuvCalendar01; do
  [ "$(head -c 4 "$share/zarnet/$f.dll" 2>/dev/null)" = qres ] && ok || bad "library $f.dll"
done

# The installed program makes the player's folder on its first start, with the
# installation's lists, and leaves the installation alone.
data="$work/data"
mkdir -p "$data"
touch "$work/started"
XDG_DATA_HOME="$data" QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy "$prefix/bin/zarnet" > "$work/game.log" 2>&1 &
pid=$!
for _ in $(seq 100); do
  [ -s "$data/zarnet/Zarnet.net" ] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.2
done
sleep 1
kill -0 "$pid" 2>/dev/null && ok || bad "the installed game ended: $(cat "$work/game.log")"
for list in Zarnet.clb Zarnet.net; do
  cmp -s "$data/zarnet/$list" "$share/zarnet/$list" && ok || bad "$list not in the player's folder"
done
kill "$pid" 2>/dev/null
pid=""
[ -z "$(find "$share/zarnet" -newer "$work/started" -type f ! -path '*/screenshots/*')" ] && ok ||
  bad "the program wrote into the installation"

# A file where the player's folder belongs: the game says so instead of starting.
blocked="$work/blocked"
mkdir -p "$blocked"
echo x > "$blocked/zarnet"
XDG_DATA_HOME="$blocked" QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy "$prefix/bin/zarnet" > "$work/blocked.log" 2>&1 &
pid=$!
for _ in $(seq 50); do
  grep -q 'cannot make the folder' "$work/blocked.log" && break
  sleep 0.2
done
grep -q "cannot make the folder $blocked/zarnet" "$work/blocked.log" && ok || bad "no message for a blocked folder: $(cat "$work/blocked.log")"
[ "$(cat "$blocked/zarnet")" = x ] && ok || bad "the file in the folder's place was changed"
kill "$pid" 2>/dev/null
pid=""

echo "installed game: $passed passed, $failed failed"
[ "$failed" = 0 ]
