#!/usr/bin/env bash
# Throwaway PostgreSQL servers for the test run.
#   pg_fixture.sh start STATE_DIR PASSWORD_FILE SQL_DIR   two clusters, schema loaded
#   pg_fixture.sh stop STATE_DIR                          stop them and remove every file
# The "tls" cluster offers TLS with a self-signed certificate made at start; the
# "plain" cluster refuses TLS. Both listen on 127.0.0.1 only, on free ports.
# STATE_DIR/fixture.env tells the tests where they are.
set -euo pipefail

cmd=${1:?command}
state=${2:?state dir}

pgbin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
[ -x "$pgbin/initdb" ] || { echo "PostgreSQL server binaries not found (install the postgresql package)" >&2; exit 1; }

# The server refuses to run as root; as root the clusters belong to "postgres".
as_owner() {
  if [ "$(id -u)" = 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

free_port() {
  python3 - <<'PY'
import socket
while True:
    s = socket.socket()
    s.bind(("127.0.0.1", 0))
    port = s.getsockname()[1]
    s.close()
    if port != 5432:
        print(port)
        break
PY
}

stop_all() {
  [ -f "$state/base" ] || return 0
  local base
  base=$(cat "$state/base")
  for c in tls plain; do
    if [ -f "$base/$c/postmaster.pid" ]; then
      as_owner "$pgbin/pg_ctl" -D "$base/$c" -m immediate -w stop >/dev/null 2>&1 || true
    fi
  done
  rm -rf "$base"
  rm -f "$state/base" "$state/fixture.env"
}

start_cluster() { # name port ssl
  local name=$1 port=$2 ssl=$3 dir="$base/$1"
  as_owner "$pgbin/initdb" -D "$dir" -U postgres -A trust -E UTF8 --locale=C.UTF-8 >"$base/$name-initdb.log" 2>&1 \
    || { cat "$base/$name-initdb.log" >&2; return 1; }
  {
    echo "listen_addresses = '127.0.0.1'"
    echo "port = $port"
    echo "unix_socket_directories = '$dir'"
    echo "fsync = off"
    echo "synchronous_commit = off"
    echo "full_page_writes = off"
    echo "max_connections = 60"
    echo "shared_buffers = 256MB"
    echo "work_mem = 64MB"
    echo "password_encryption = 'scram-sha-256'"
    if [ "$ssl" = on ]; then
      echo "ssl = on"
      echo "ssl_cert_file = 'server.crt'"
      echo "ssl_key_file = 'server.key'"
    else
      echo "ssl = off"
    fi
  } >>"$dir/postgresql.conf"
  cat >"$dir/pg_hba.conf" <<HBA
local all all trust
host all all 127.0.0.1/32 scram-sha-256
HBA
  if [ "$ssl" = on ]; then
    as_owner openssl req -new -x509 -days 2 -nodes -subj "/CN=127.0.0.1" \
      -newkey rsa:2048 -keyout "$dir/server.key" -out "$dir/server.crt" >/dev/null 2>&1
    as_owner chmod 600 "$dir/server.key"
  fi
  as_owner "$pgbin/pg_ctl" -D "$dir" -l "$base/$name.log" -w -t 60 start >/dev/null \
    || { cat "$base/$name.log" >&2; return 1; }
}

psql_as() { # cluster db user args...
  local dir="$base/$1" port
  port=$(sed -n 's/^port = //p' "$dir/postgresql.conf" | tail -n 1)
  as_owner psql -X -q -v ON_ERROR_STOP=1 -h "$dir" -p "$port" -d "$2" -U "$3" "${@:4}"
}

load_schema() { # cluster
  local c=$1 pw
  pw=$(cat "$password_file")
  psql_as "$c" postgres postgres -v pw="$pw" <<'SQL'
create role ulv login createdb password :'pw';
create database ulv_mob owner ulv;
create database company_tpl owner ulv;
SQL
  # The sql folder is read by the postgres user; copy it where it may read.
  cp -r "$sql_dir" "$base/sql" && chmod -R a+rX "$base/sql"
  for f in "$base"/sql/directory/*.sql; do [ -e "$f" ] && psql_as "$c" ulv_mob ulv -f "$f"; done
  for f in "$base"/sql/company/*.sql; do [ -e "$f" ] && psql_as "$c" company_tpl ulv -f "$f"; done
  psql_as "$c" postgres postgres -c "update pg_database set datistemplate = true where datname = 'company_tpl'"
}

# Stops the servers when the test run that started them ends without running
# the clean-up step (interrupted, killed).
watch_parent() {
  local parent=$1
  while kill -0 "$parent" 2>/dev/null && [ -f "$state/base" ]; do sleep 1; done
  stop_all
}

case "$cmd" in
  start)
    password_file=${3:?password file}
    sql_dir=${4:?sql dir}
    mkdir -p "$state"
    stop_all
    base=$(mktemp -d /tmp/wmorv-pg.XXXXXX)
    chmod 755 "$base"
    [ "$(id -u)" = 0 ] && chown postgres "$base"
    echo "$base" >"$state/base"
    trap 'stop_all' ERR INT TERM
    tls_port=$(free_port)
    start_cluster tls "$tls_port" on
    plain_port=$(free_port)
    start_cluster plain "$plain_port" off
    load_schema tls
    load_schema plain
    trap - ERR INT TERM
    {
      echo "HOST=127.0.0.1"
      echo "TLS_PORT=$tls_port"
      echo "PLAIN_PORT=$plain_port"
      echo "USER=ulv"
      echo "PASSWORD_FILE=$password_file"
      echo "SOCKET_DIR_TLS=$base/tls"
      echo "SOCKET_DIR_PLAIN=$base/plain"
    } >"$state/fixture.env"
    nohup setsid "$0" watch "$state" "$PPID" >/dev/null 2>&1 </dev/null &
    echo "PostgreSQL fixture: TLS on 127.0.0.1:$tls_port, no TLS on 127.0.0.1:$plain_port"
    ;;
  watch) watch_parent "${3:?parent pid}" ;;
  stop) stop_all ;;
  *) echo "unknown command $cmd" >&2; exit 2 ;;
esac
