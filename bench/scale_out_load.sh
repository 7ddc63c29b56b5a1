#!/usr/bin/env bash
# Throughput of the scaled-out services through nginx: one HTTP instance
# against three, each on a fresh private PostgreSQL, with the same wrk load
# and the CPU time each part used. Bounded in time (about a minute and a
# half); loopback only; not a test.
#   bench/scale_out_load.sh            (run from the worktree root after a build)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
command -v wrk >/dev/null || { echo "wrk is missing (deps/services.txt)"; exit 1; }
if [ "${1:-}" != --measure ]; then
  for n in 1 3; do
    echo "== $n HTTP instance(s)"
    "$root/services/scale-out.sh" --instances "$n" -- "$0" --measure | grep -v '^ready'
  done
  exit 0
fi

# Inside scale-out.sh: ZARNET_* name the balancer and the processes.
work="$(mktemp -d /tmp/zarnet-scale-load-XXXXXX)"
trap 'rm -rf "$work"' EXIT
url="http://127.0.0.1:$ZARNET_LB_PORT"

# CPU ticks (user + system) of one process.
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo 0; }
# The processes and their children (nginx's workers, PostgreSQL's backends).
family() {
  local p
  for p in "$@"; do
    echo "$p"
    cat /proc/[0-9]*/stat 2>/dev/null | awk -v m="$p" '$4 == m { print $1 }'
  done
}
seconds() { awk -v t="$1" -v hz="$(getconf CLK_TCK)" 'BEGIN { printf "%.1f", t / hz }'; }
busy_idle() { awk '/^cpu / { print $2 + $3 + $4 + $7 + $8, $5 + $6 }' /proc/stat; }
declare -A before
snapshot() { local p; for p in $(family "$@"); do before[$p]=$(ticks "$p"); done; }
# Ticks used since the snapshot by the processes alive now (new ones from zero).
used() { local p t=0; for p in $(family "$@"); do t=$((t + $(ticks "$p") - ${before[$p]:-0})); done; echo "$t"; }

cat >"$work/submit.lua" <<'LUA'
local threads, n = {}, 0
function setup(thread) n = n + 1; thread:set("tid", n); table.insert(threads, thread) end
function init() acked = 0; counter = 0 end
function request()
  counter = counter + 1
  return wrk.format("POST", "/tables", {["Content-Type"] = "application/x-www-form-urlencoded"},
    "gid=908&nick=t" .. tid .. "n" .. counter .. "&city=Riga&country=1-012&score=" .. (counter % 997) ..
    "&R7=M&R8=5.7f&R9=#&R10=#*")
end
function response(status, headers, body) if status == 200 and string.sub(body, 1, 1) == "$" then acked = acked + 1 end end
function done()
  local total = 0
  for _, t in ipairs(threads) do total = total + t:get("acked") end
  io.write("acknowledged " .. total .. "\n")
end
LUA
cat >"$work/read.lua" <<'LUA'
wrk.method = "POST"
wrk.body = "gid=908"
wrk.headers["Content-Type"] = "application/x-www-form-urlencoded"
LUA

# Runs wrk with the given arguments; prints its rate, latency and the CPU use.
measure() {
  local label=$1; shift
  local services pg b0 i0 b1 i1 out
  read -r -a services <<<"$ZARNET_SERVICE_PIDS"
  pg=$(head -1 "$ZARNET_PGDATA/postmaster.pid")
  before=()
  snapshot "${services[@]}" "$ZARNET_NGINX_PID" "$pg"
  read -r b0 i0 < <(busy_idle)
  out="$(wrk "$@")"
  read -r b1 i1 < <(busy_idle)
  local all=$(( (b1 - b0) + (i1 - i0) ))
  printf '%-22s %s req/s, latency avg %s; CPU busy %d%% of the machine; seconds: services %s, nginx %s, postgres %s\n' \
    "$label" "$(echo "$out" | awk '/Requests\/sec/ { print $2 }')" "$(echo "$out" | awk '/Latency/ { print $2 }')" \
    $(( 100 * (b1 - b0) / (all > 0 ? all : 1) )) "$(seconds "$(used "${services[@]}")")" \
    "$(seconds "$(used "$ZARNET_NGINX_PID")")" "$(seconds "$(used "$pg")")"
  echo "$out" | grep -E 'acknowledged|Non-2xx|Socket errors' | sed 's/^/    /' || true
}

measure "SubmitRecord (200 c)" -t2 -c200 -d20s --timeout 10s -s "$work/submit.lua" "$url/tables"
rows=$($ZARNET_PSQL -c "SELECT count(*) FROM records WHERE board = 908")
echo "    rows on the board: $rows"
measure "ReadRecords (50 c)" -t2 -c50 -d10s -s "$work/read.lua" "$url/tables"
