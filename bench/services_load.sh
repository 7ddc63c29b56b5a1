#!/usr/bin/env bash
# Load run of zarnet-services on loopback, beside nginx serving a static file
# of the same size, with the same load tool (wrk). Bounded in time (about
# three minutes per database); not a test.
#   bench/services_load.sh [sqlite] [postgresql]   (run from the worktree root; both by default)
# PostgreSQL runs as a private cluster in a temporary folder.
set -euo pipefail
backends=("$@")
[ ${#backends[@]} -eq 0 ] && backends=(sqlite postgresql)
root="$(cd "$(dirname "$0")/.." && pwd)"
bin="$root/build/Zarnet/zarnet-services"
crowd="$root/bench/crowd.py"
work="$(mktemp -d /tmp/zarnet-load-XXXXXX)"
chmod 755 "$work"  # nginx workers and the postgres user read here
# Ports from the process id, so two runs on one machine keep apart.
slot=$(($$ % 400))
http=$((18000 + slot * 3)) ngx=$((18001 + slot * 3)) pgport=$((18002 + slot * 3)) base=$((41000 + slot * 20))
pgbin=/usr/lib/postgresql/15/bin
asPostgres=()
[ "$(id -u)" -eq 0 ] && asPostgres=(runuser -u postgres --)
# 2,000 idle connections and more: the services and the crowd need the descriptors.
ulimit -n "$(ulimit -Hn)"

cleanup() {
  [ -n "${svc:-}" ] && kill "$svc" 2>/dev/null
  [ -n "${helper:-}" ] && kill "$helper" 2>/dev/null
  [ -f "$work/nginx.pid" ] && kill "$(cat "$work/nginx.pid")" 2>/dev/null
  [ -d "$work/pg" ] && "${asPostgres[@]}" "$pgbin/pg_ctl" -D "$work/pg" -m immediate -w stop >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT

start() {
  "$bin" --data "$work/data" --http $http --tables-base $base --ftp 0 --db "$1" >"$work/ready" 2>>"$work/err" &
  svc=$!
  for _ in $(seq 300); do grep -q ready "$work/ready" 2>/dev/null && return; sleep 0.1; done
  echo "services did not start"; cat "$work/err"; exit 1
}
stop() { kill "$svc"; wait "$svc" 2>/dev/null || true; svc=; }
post() { curl -s -X POST --data-binary "$2" "http://127.0.0.1:$http/$1"; }
rps() { sed -n 's/^Requests\/sec: *\([0-9.]*\).*/\1/p'; }
p99() { sed -n 's/^ *99% *\(.*\)$/\1/p'; }
# Runs a crowd in the background until it prints its start word.
crowd_start() {
  python3 "$crowd" "$@" >"$work/crowd" 2>&1 &
  helper=$!
  for _ in $(seq 600); do grep -qE 'holding|flooding' "$work/crowd" && return; sleep 0.1; done
  echo "the crowd did not start"; cat "$work/crowd"; exit 1
}
crowd_end() { wait "$helper" || true; helper=; tail -n 1 "$work/crowd"; }

cat > "$work/read.lua" <<'LUA'
wrk.method = "POST"
wrk.body = "gid=808"
wrk.headers["Content-Type"] = "application/x-www-form-urlencoded"
LUA
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
    "gid=908&nick=" .. nick .. "&city=Riga&country=1-012&score=" .. (counter % 997) .. "&R7=M&R8=5.7f&R9=#&R10=#*")
end
function response(status, headers, body) if status == 200 and string.sub(body, 1, 1) == "$" then acked = acked + 1 end end
function done(summary, latency, requests)
  local total = 0
  for _, t in ipairs(threads) do total = total + t:get("acked") end
  io.write("acknowledged " .. total .. "\n")
end
LUA

run() {
  local name="$1" db="$2"
  rm -rf "$work/data"
  start "$db"
  for i in $(seq 1 10); do post tables "gid=808&nick=seed$i&city=Riga&country=1-012&score=$((i*100))&R7=M&R8=5.7f&R9=#&R10=#*" >/dev/null; done
  local reply size
  reply="$(post tables 'gid=808')"
  size=${#reply}

  # The same bytes as a static file for nginx.
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

  echo "==== $name"
  local ours theirs
  ours="$(wrk -t2 -c50 -d10s --latency -s "$work/read.lua" "http://127.0.0.1:$http/tables")"
  theirs="$(wrk -t2 -c50 -d10s --latency "http://127.0.0.1:$ngx/records.txt")"
  kill "$(cat "$work/nginx.pid")"; rm -f "$work/nginx.pid"
  local a b
  a=$(echo "$ours" | rps) b=$(echo "$theirs" | rps)
  echo "ReadRecords ($size bytes), wrk 2 threads, 50 connections, 10 s: services $a/s (p99 $(echo "$ours" | p99)), nginx $b/s (p99 $(echo "$theirs" | p99)), ratio $(awk "BEGIN { printf \"%.2f\", $a / $b }")"
  echo "$ours" | grep -E 'Non-2xx|errors' || true

  local rss0
  rss0=$(sed -n 's/^VmRSS: *\([0-9]*\).*/\1/p' "/proc/$svc/status")
  crowd_start hold $http 2000 100 16
  sleep 1
  echo "resident memory: $rss0 KiB before the crowd, $(sed -n 's/^VmRSS: *\([0-9]*\).*/\1/p' "/proc/$svc/status") KiB with it"
  local held
  held="$(wrk -t2 -c50 -d10s --latency -s "$work/read.lua" "http://127.0.0.1:$http/tables")"
  echo "ReadRecords with 2,000 idle keep-alive connections and 100 slow senders open: $(echo "$held" | rps)/s, p99 $(echo "$held" | p99)"
  echo "$held" | grep -E 'Non-2xx|errors' || true
  crowd_end

  crowd_start logins $http 100 12
  sleep 1
  local flooded
  flooded="$(wrk -t2 -c50 -d10s --latency -s "$work/read.lua" "http://127.0.0.1:$http/tables")"
  echo "ReadRecords while 100 callers check wrong passwords: $(echo "$flooded" | rps)/s, p99 $(echo "$flooded" | p99)"
  echo "$flooded" | grep -E 'Non-2xx|errors' || true
  crowd_end

  # 200 clients submit distinct records for 20 s; every acknowledged one is counted.
  local out acked count
  out="$(wrk -t2 -c200 -d20s --timeout 10s --latency -s "$work/submit.lua" "http://127.0.0.1:$http/tables")"
  acked=$(echo "$out" | sed -n 's/acknowledged //p')
  count=$(post tables 'rgid=908' | tr -dc 0-9)
  echo "SubmitRecord, 200 connections, 20 s: $(echo "$out" | rps)/s, p99 $(echo "$out" | p99), acknowledged $acked, rows $count"
  echo "$out" | grep -E 'Non-2xx|errors' || true
  [ "$count" -ge "$acked" ] || { echo "LOST RECORDS"; exit 1; }

  # SIGKILL in the middle of a write load, then a restart on the same data.
  if [ "$db" = sqlite ]; then
    wrk -t2 -c100 -d6s --timeout 10s -s "$work/submit.lua" "http://127.0.0.1:$http/tables" >"$work/killrun" &
    local wrkpid=$!
    sleep 3
    kill -9 "$svc"; wait "$svc" 2>/dev/null || true
    wait "$wrkpid" || true
    local acked2 count2 integrity
    acked2=$(sed -n 's/acknowledged //p' "$work/killrun")
    : >"$work/ready"
    start "$db"
    count2=$(post tables 'rgid=908' | tr -dc 0-9)
    integrity=$(sqlite3 "$work/data/zarnet.db" 'PRAGMA integrity_check;')
    echo "SIGKILL during submissions: after the restart rows $count2, acknowledged $count + $acked2 at most, integrity $integrity"
    [ "$count2" -ge $((count + acked2)) ] || { echo "LOST ACKNOWLEDGED RECORDS"; exit 1; }
  fi
  stop
}

for b in "${backends[@]}"; do
  case "$b" in
    sqlite) run SQLite sqlite ;;
    postgres*)
      mkdir -p "$work/pg"
      [ ${#asPostgres[@]} -gt 0 ] && chown postgres "$work/pg"
      "${asPostgres[@]}" "$pgbin/initdb" -D "$work/pg" -U zarnet --auth=trust -E UTF8 --no-sync >/dev/null
      "${asPostgres[@]}" "$pgbin/pg_ctl" -D "$work/pg" -l "$work/pg/log" -w \
        -o "-p $pgport -k $work/pg -c listen_addresses=127.0.0.1" start >/dev/null
      run "PostgreSQL 15" "postgresql://zarnet@127.0.0.1:$pgport/postgres"
      ;;
    *) echo "unknown backend $b"; exit 2 ;;
  esac
done
