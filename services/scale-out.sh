#!/usr/bin/env bash
# The services scaled out on one machine, all on loopback: a private PostgreSQL
# cluster, N stateless HTTP instances behind nginx, and the one process that
# runs the ten table servers. Everything it starts is stopped when it ends.
#
#   services/scale-out.sh [--instances N] [--threads N] [--ftp PORT] [--bin PATH] [-- COMMAND ...]
#
# Prints "ready lb=PORT http=P1,P2,... tables=BASE db=URL data=DIR", then runs
# COMMAND with those values in ZARNET_LB_PORT, ZARNET_HTTP_PORTS,
# ZARNET_TABLES_BASE and ZARNET_DB, beside ZARNET_THREADS, ZARNET_PSQL (a psql
# command line for the database), ZARNET_SERVICE_PIDS, ZARNET_NGINX_PID and
# ZARNET_PGDATA, and exits with its status. Without a command it runs until
# standard input ends (Enter or Ctrl-D) or a signal.
set -euo pipefail

instances=3 threads=16 ftp=0
root="$(cd "$(dirname "$0")/.." && pwd)"
bin="$root/build/Zarnet/zarnet-services"
while [ $# -gt 0 ]; do
  case "$1" in
    --instances) instances="$2"; shift 2 ;;
    --threads) threads="$2"; shift 2 ;;
    --ftp) ftp="$2"; shift 2 ;;
    --bin) bin="$2"; shift 2 ;;
    --) shift; break ;;
    *) echo "usage: $0 [--instances N] [--threads N] [--ftp PORT] [--bin PATH] [-- COMMAND ...]" >&2; exit 2 ;;
  esac
done
case "$instances" in [1-8]) ;; *) echo "scale-out: --instances takes 1 to 8" >&2; exit 2 ;; esac
case "$threads" in ''|*[!0-9]*) echo "scale-out: --threads takes a number" >&2; exit 2 ;; esac
pgbin=/usr/lib/postgresql/15/bin
for tool in "$bin" "$pgbin/initdb" "$pgbin/pg_ctl" "$(command -v nginx || echo nginx)"; do
  [ -x "$tool" ] || { echo "scale-out: $tool is missing (see deps/services.txt)" >&2; exit 1; }
done

work="$(mktemp -d /tmp/zarnet-scale-XXXXXX)"
chmod 755 "$work"
pids=() service_pids=()
nginx_pid=
pg_as=()
[ "$(id -u)" = 0 ] && pg_as=(runuser -u postgres --)  # initdb refuses to run as root

cleanup() {
  local rc=$?
  trap - EXIT INT TERM
  # The balancer first, then the services, then their database.
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  [ -f "$work/pgroot/db/PG_VERSION" ] && "${pg_as[@]}" "$pgbin/pg_ctl" -D "$work/pgroot/db" -m fast -w stop >/dev/null 2>&1 || true
  if [ "$rc" != 0 ] && [ -d "$work" ]; then
    for log in "$work"/*.err "$work/pgroot/log"; do [ -s "$log" ] && { echo "--- $log" >&2; tail -n 20 "$log" >&2; }; done
  fi
  rm -rf "$work"
  exit "$rc"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# A port nobody listens on now; the starts below retry when one is taken meanwhile.
free_port() {
  local p
  for _ in $(seq 50); do
    p=$((20000 + RANDOM % 30000))
    (exec 3<>"/dev/tcp/127.0.0.1/$p") 2>/dev/null || { echo "$p"; return; }
  done
  echo "scale-out: no free port" >&2; return 1
}

# Waits for a services process's "ready" line; prints it.
wait_ready() {
  local pid=$1 out=$2
  for _ in $(seq 300); do
    if grep -q '^ready' "$out" 2>/dev/null; then grep '^ready' "$out"; return 0; fi
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# PostgreSQL with its default max_connections (100): the instances must fit it.
mkdir -m 777 "$work/pgroot"
"${pg_as[@]}" "$pgbin/initdb" -D "$work/pgroot/db" -U zarnet --auth=trust -E UTF8 --no-sync >"$work/initdb.log" 2>&1 \
  || { cat "$work/initdb.log" >&2; exit 1; }
for _ in 1 2 3 4 5; do
  pgport=$(free_port)
  "${pg_as[@]}" "$pgbin/pg_ctl" -D "$work/pgroot/db" -l "$work/pgroot/log" -w \
    -o "-p $pgport -k $work/pgroot -c listen_addresses=127.0.0.1" start >/dev/null 2>&1 && break
  pgport=
done
[ -n "$pgport" ] || { echo "scale-out: PostgreSQL did not start" >&2; exit 1; }
db="postgresql://zarnet@127.0.0.1:$pgport/postgres"

# The one table process (and photo upload, when asked for); it also runs the migrations.
data="$work/data"
mkdir -p "$data"
tables=
for _ in 1 2 3 4 5; do
  base=$(( (20000 + RANDOM % 2000 * 20) ))
  "$bin" --role tables --db "$db" --data "$data" --tables-base "$base" --ftp "$ftp" \
    >"$work/tables.out" 2>>"$work/tables.err" &
  pid=$!
  if wait_ready "$pid" "$work/tables.out" >/dev/null; then pids+=("$pid"); service_pids=("$pid"); tables=$base; break; fi
  kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true
done
[ -n "$tables" ] || { echo "scale-out: the table process did not start" >&2; exit 1; }

# Stateless HTTP instances on one shared data folder (pause flags, published photos).
ports=()
for i in $(seq "$instances"); do
  "$bin" --role http --db "$db" --data "$data" --http 0 --tables-base "$tables" --threads "$threads" \
    --trusted-proxy 127.0.0.1 >"$work/http$i.out" 2>>"$work/http$i.err" &
  pid=$!
  pids+=("$pid")
  service_pids+=("$pid")
  line=$(wait_ready "$pid" "$work/http$i.out") || { echo "scale-out: HTTP instance $i did not start" >&2; exit 1; }
  ports+=("${line#ready http=}")
done

# nginx balances round robin (one worker, so the turn is strict) and tells the
# instances who called (X-Real-IP); it does not repeat a POST on another
# instance, so no write is made twice. It keeps connections to the instances
# open, but for less time than an instance keeps an idle one, so it never
# sends a request on a connection the instance is closing.
mkdir -m 1777 "$work/nginx-tmp"
upstreams=""
for p in "${ports[@]}"; do upstreams+="    server 127.0.0.1:$p;"$'\n'; done
lb=
for _ in 1 2 3 4 5; do
  lb=$(free_port)
  cat >"$work/nginx.conf" <<CONF
worker_processes 1;
daemon off;
pid $work/nginx.pid;
error_log $work/nginx.err;
events { worker_connections 4096; }
http {
  access_log off;
  client_body_temp_path $work/nginx-tmp/body;
  proxy_temp_path $work/nginx-tmp/proxy;
  fastcgi_temp_path $work/nginx-tmp/fastcgi;
  uwsgi_temp_path $work/nginx-tmp/uwsgi;
  scgi_temp_path $work/nginx-tmp/scgi;
  upstream zarnet {
$upstreams    keepalive 32;
    keepalive_timeout 5s;
  }
  server {
    listen 127.0.0.1:$lb;
    client_max_body_size 64k;
    location / {
      proxy_pass http://zarnet;
      proxy_http_version 1.1;
      proxy_set_header Connection "";
      proxy_set_header Host \$http_host;
      proxy_set_header X-Real-IP \$remote_addr;
      add_header X-Upstream \$upstream_addr always;
    }
  }
}
CONF
  nginx -c "$work/nginx.conf" -p "$work" 2>>"$work/nginx.err" &
  pid=$!
  for _ in $(seq 50); do (exec 3<>"/dev/tcp/127.0.0.1/$lb") 2>/dev/null && break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then pids=("$pid" "${pids[@]}"); nginx_pid=$pid; break; fi
  wait "$pid" 2>/dev/null || true
  lb=
done
[ -n "$lb" ] || { echo "scale-out: nginx did not start" >&2; exit 1; }

http_list=$(IFS=,; echo "${ports[*]}")
echo "ready lb=$lb http=$http_list tables=$tables db=$db data=$data"
export ZARNET_LB_PORT=$lb ZARNET_HTTP_PORTS=$http_list ZARNET_TABLES_BASE=$tables ZARNET_DB=$db ZARNET_THREADS=$threads
export ZARNET_SERVICE_PIDS="${service_pids[*]}" ZARNET_NGINX_PID=$nginx_pid ZARNET_PGDATA=$work/pgroot/db
export ZARNET_PSQL="psql -h 127.0.0.1 -p $pgport -U zarnet -d postgres -Atq"
if [ $# -gt 0 ]; then
  "$@"
else
  read -r _ || true
fi
