#!/usr/bin/env bash
# Load run of zarnet-services on loopback, beside nginx serving a static file
# of the same size, with the same load tool (wrk). Bounded in time; not a test.
#   bench/services_load.sh [sqlite|postgresql://...]   (run from the worktree root)
set -euo pipefail
db="${1:-sqlite}"
root="$(cd "$(dirname "$0")/.." && pwd)"
bin="$root/build/Zarnet/zarnet-services"
work="$(mktemp -d /tmp/zarnet-load-XXXXXX)"
chmod 755 "$work"  # nginx workers read the static file
http=18288 ngx=18289 base=34700
cleanup() { [ -n "${svc:-}" ] && kill "$svc" 2>/dev/null; [ -f "$work/nginx.pid" ] && kill "$(cat "$work/nginx.pid")" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT

# Each worker thread holds one database connection: PostgreSQL allows 100 by default.
threads=256
case "$db" in postgres*) threads=64 ;; esac
start() {
  "$bin" --data "$work/data" --http $http --tables-base $base --ftp 0 --db "$db" --threads $threads >"$work/ready" 2>>"$work/err" &
  svc=$!
  for _ in $(seq 100); do grep -q ready "$work/ready" 2>/dev/null && return; sleep 0.1; done
  echo "services did not start"; cat "$work/err"; exit 1
}
post() { curl -s -X POST --data-binary "$2" "http://127.0.0.1:$http/$1"; }

start
for i in $(seq 1 10); do post tables "gid=808&nick=seed$i&city=Riga&country=1-012&score=$((i*100))&R7=M&R8=5.7f&R9=#&R10=#*" >/dev/null; done
reply="$(post tables 'gid=808')"
size=${#reply}

# The same number of bytes as a static file for nginx.
mkdir -p "$work/www"
printf '%s' "$reply" > "$work/www/records.txt"
cat > "$work/nginx.conf" <<CONF
worker_processes 2;
pid $work/nginx.pid;
error_log $work/nginx.err;
events { worker_connections 1024; }
http { access_log off; server { listen 127.0.0.1:$ngx; root $work/www; } }
CONF
nginx -c "$work/nginx.conf" -p "$work"

cat > "$work/read.lua" <<'LUA'
wrk.method = "POST"
wrk.body = "gid=808"
wrk.headers["Content-Type"] = "application/x-www-form-urlencoded"
LUA
echo "== ReadRecords reply of $size bytes, 10 s, 2 threads, 50 connections"
wrk -t2 -c50 -d10s -s "$work/read.lua" "http://127.0.0.1:$http/tables" | grep -E 'Requests/sec|Latency|Non-2xx|errors'
echo "== nginx, static file of $size bytes, same load"
wrk -t2 -c50 -d10s "http://127.0.0.1:$ngx/records.txt" | grep -E 'Requests/sec|Latency|Non-2xx|errors'

# 200 clients submit distinct records for 20 s; every acknowledged one is logged.
cat > "$work/submit.lua" <<'LUA'
local counter = 0
local thread_id = 0
local threads = {}
function setup(thread) thread_id = thread_id + 1; thread:set("tid", thread_id); table.insert(threads, thread) end
function init() acked = 0; counter = 0 end
function request()
  counter = counter + 1
  local nick = "t" .. tid .. "n" .. counter
  return wrk.format("POST", "/tables", {["Content-Type"] = "application/x-www-form-urlencoded"},
    "gid=5555&nick=" .. nick .. "&city=Riga&country=1-012&score=" .. (counter % 997) .. "&R7=M&R8=5.7f&R9=#&R10=#*")
end
function response(status, headers, body) if status == 200 and string.sub(body, 1, 1) == "$" then acked = acked + 1 end end
function done(summary, latency, requests)
  local total = 0
  for _, t in ipairs(threads) do total = total + t:get("acked") end
  io.write("acknowledged " .. total .. "\n")
end
LUA
echo "== SubmitRecord, 200 connections, 20 s"
out="$(wrk -t2 -c200 -d20s --timeout 10s -s "$work/submit.lua" "http://127.0.0.1:$http/tables")"
echo "$out" | grep -E 'Requests/sec|Latency|Non-2xx|errors|acknowledged'
acked=$(echo "$out" | sed -n 's/acknowledged //p')
count=$(post tables 'rgid=5555' | tr -dc 0-9)
echo "rows on the board: $count, acknowledged: $acked (requests wrk cut off at the end may add rows it never saw)"
[ "$count" -ge "$acked" ] || { echo "LOST RECORDS"; exit 1; }

# SIGKILL in the middle of a write load, then a restart on the same data.
if [ "$db" = sqlite ]; then
  echo "== SIGKILL during submissions"
  wrk -t2 -c100 -d6s --timeout 10s -s "$work/submit.lua" "http://127.0.0.1:$http/tables" >"$work/killrun" &
  wrkpid=$!
  sleep 3
  kill -9 "$svc"; wait "$svc" 2>/dev/null || true
  wait "$wrkpid" || true
  acked2=$(sed -n 's/acknowledged //p' "$work/killrun")
  : >"$work/ready"
  start
  count2=$(post tables 'rgid=5555' | tr -dc 0-9)
  integrity=$(sqlite3 "$work/data/zarnet.db" 'PRAGMA integrity_check;' 2>/dev/null || echo "(sqlite3 not installed)")
  echo "after restart: rows $count2, acknowledged before: $count + $acked2 at most, integrity: $integrity"
  [ "$count2" -ge $((count + acked2)) ] || { echo "LOST ACKNOWLEDGED RECORDS"; exit 1; }
fi
