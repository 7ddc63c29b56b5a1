#!/usr/bin/env bash
# Two netbot processes play two series on loopback; each deal and series must
# read the same from both seats, mirrored.
set -u
bot="$1"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
"$bot" --host "$port" --series 2 --timeout 60 > "$dir/host" 2> "$dir/host.err" &
hostpid=$!
for _ in $(seq 50); do
  (exec 3<>"/dev/tcp/127.0.0.1/$port") 2> /dev/null && break
  sleep 0.1
done
status=0
for k in 1 2; do
  "$bot" --guest "127.0.0.1:$port" --name "Guest$k" --timeout 60 >> "$dir/guest" 2>> "$dir/guest.err" || status=1
done
wait "$hostpid" || status=1
# The guest's own points are the host's peer points.
mirror() { awk '{ for (i = 1; i <= NF; ++i) { split($i, kv, "="); v[kv[1]] = kv[2] }
  if ($1 ~ /^deal=/) print "deal=" v["deal"], "points_me=" v["points_peer"], "points_peer=" v["points_me"];
  else print "series=" v["series"], "diff=" (-v["diff"]) }'; }
if [ "$(wc -l < "$dir/host")" -ne 6 ]; then echo "host printed:"; cat "$dir/host" "$dir/host.err"; exit 1; fi
if ! diff <(mirror < "$dir/guest" | sed -E 's/series=[0-9]+/series=N/') <(sed -E 's/series=[0-9]+/series=N/' "$dir/host"); then
  echo "the two seats disagree"; exit 1
fi
exit $status
