#!/usr/bin/env bash
# The local demo servers of wMorv, made from data/sql and data/demo:
#   directory server  127.0.0.1:5432  TLS required  database ulv_mob
#   company server    127.0.0.1:5433  TLS offered   databases morv_demo, alfa_test
# Both run PostgreSQL from the machine's packages, as the "postgres" user when
# started by root, and keep their files in /var/tmp/wmorv-demo.
#
#   demo-servers.sh start    make them on first use, otherwise start them again
#   demo-servers.sh status   say whether they run
#   demo-servers.sh stop     stop them and remove everything this script made
#
# The account "ulv" gets the password the build compiled into wMorv, read from
# the build tree (WMORV_BUILD_DIR, default build/): tests write it to
# pgfixture-password at configure time; CMakeCache.txt has it otherwise.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${WMORV_BUILD_DIR:-$root/build}
base=/var/tmp/wmorv-demo
host=127.0.0.1
directory_port=5432
company_port=5433
company_dbs=(morv_demo alfa_test)

die() { echo "demo-servers: $*" >&2; exit 1; }

find_pgbin() {
  local d
  for d in /usr/lib/postgresql/15/bin $(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -rV); do
    [ -x "$d/initdb" ] && { echo "$d"; return; }
  done
  die "PostgreSQL server binaries not found; install them with: bash scripts/deps.sh"
}

# The server refuses to run as root; as root everything belongs to "postgres".
as_owner() {
  if [ "$(id -u)" = 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

build_password() {
  local pw=""
  if [ -r "$build/pgfixture-password" ]; then
    pw=$(head -n 1 "$build/pgfixture-password")
  elif [ -r "$build/CMakeCache.txt" ]; then
    pw=$(sed -n 's/^WMORV_DB_PASSWORD:[A-Z]*=//p' "$build/CMakeCache.txt" | head -n 1)
  fi
  [ -n "$pw" ] || die "no database password in the build tree $build; configure it first: bash scripts/build.sh"
  printf '%s' "$pw"
}

# Whether something accepts TCP connections on the port.
port_in_use() {
  (exec 3<>"/dev/tcp/$host/$1") 2>/dev/null
}

is_running() { # name
  [ -f "$base/$1/PG_VERSION" ] && as_owner "$pgbin/pg_ctl" -D "$base/$1" status >/dev/null 2>&1
}

# A port that the demo needs, held by another program: say so and stop
# before anything is made or changed.
check_port() { # name port
  local name=$1 port=$2
  is_running "$name" && return 0
  port_in_use "$port" || return 0
  {
    echo "demo-servers: port $port on $host is already in use by another program, so the demo's $name"
    echo "server cannot start there. Nothing was changed."
    if command -v ss >/dev/null 2>&1; then
      ss -ltnpH "sport = :$port" 2>/dev/null | sed 's/^/    /'
    fi
    if [ "$port" = 5432 ]; then
      echo "wMorv looks for its directory server on port 5432. If it is a PostgreSQL cluster of this"
      echo "machine (see pg_lsclusters), stop it first, e.g.: pg_ctlcluster 15 main stop"
      echo "or point a build at that server instead (-DWMORV_DIRECTORY_HOST=... -DWMORV_DB_PASSWORD=...)."
    else
      echo "Stop the program that listens there and run this again."
    fi
  } >&2
  exit 1
}

psql_local() { # name db, SQL on standard input
  as_owner psql -X -q -v ON_ERROR_STOP=1 -h "$base/$1" -p "$(port_of "$1")" -U postgres -d "$2" "${@:3}"
}

port_of() { [ "$1" = directory ] && echo "$directory_port" || echo "$company_port"; }

make_cluster() { # name port tls-mode
  local name=$1 port=$2 mode=$3 dir="$base/$1"
  as_owner "$pgbin/initdb" -D "$dir" -U postgres -A trust -E UTF8 --locale=C.UTF-8 >"$base/$name-initdb.log" 2>&1 \
    || { cat "$base/$name-initdb.log" >&2; die "initdb failed for the $name server"; }
  as_owner openssl req -new -x509 -days 3650 -nodes -subj "/CN=$host" -addext "subjectAltName=IP:$host" \
    -newkey rsa:2048 -keyout "$dir/server.key" -out "$dir/server.crt" >/dev/null 2>&1 \
    || die "openssl could not make the certificate of the $name server"
  as_owner chmod 600 "$dir/server.key"
  as_owner tee -a "$dir/postgresql.conf" >/dev/null <<CONF
# wMorv demo: $name server
listen_addresses = '$host'
port = $port
unix_socket_directories = '$dir'
ssl = on
ssl_cert_file = 'server.crt'
ssl_key_file = 'server.key'
password_encryption = 'scram-sha-256'
max_connections = 40
shared_buffers = 128MB
work_mem = 32MB
CONF
  # The socket sits in the data folder, which only its owner may enter: the
  # local superuser is for this script. Over TCP only "ulv" with its password;
  # on the directory server only through TLS.
  if [ "$mode" = require ]; then
    as_owner tee "$dir/pg_hba.conf" >/dev/null <<HBA
local   all all                trust
hostssl all ulv 127.0.0.1/32   scram-sha-256
HBA
  else
    as_owner tee "$dir/pg_hba.conf" >/dev/null <<HBA
local   all all                trust
host    all ulv 127.0.0.1/32   scram-sha-256
HBA
  fi
}

start_cluster() { # name
  is_running "$1" && return 0
  as_owner "$pgbin/pg_ctl" -D "$base/$1" -l "$base/$1.log" -w -t 60 start >/dev/null \
    || { tail -n 20 "$base/$1.log" >&2; die "the $1 server did not start (log: $base/$1.log)"; }
}

stop_cluster() { # name
  if [ -f "$base/$1/postmaster.pid" ]; then
    as_owner "$pgbin/pg_ctl" -D "$base/$1" -m fast -w -t 60 stop >/dev/null 2>&1 || true
  fi
}

# The password the build compiled in; set again at every start, so the
# servers follow a rebuild with another password.
set_password() { # name
  local pw=${password//\'/\'\'}
  psql_local "$1" postgres <<SQL
do \$\$ begin
  if not exists (select from pg_roles where rolname = 'ulv') then create role ulv login; end if;
end \$\$;
alter role ulv password '$pw';
SQL
}

# Schema and demo data, loaded as "ulv" so that "ulv" owns every object.
# Each database's files go through one psql session in one transaction.
load_sql() { # name db folder psql-args...
  local name=$1 db=$2 folder=$3 f
  shift 3
  # The postgres user may not be able to read the work tree: psql gets the
  # files through its standard input.
  for f in "$root/data/sql/$folder"/*.sql "$root/data/demo/$folder"/*.sql; do
    [ -e "$f" ] && { cat "$f"; echo; }
  done | as_owner psql -X -q -v ON_ERROR_STOP=1 -1 -h "$base/$name" -p "$(port_of "$name")" -U ulv -d "$db" "$@" -f - \
      >"$base/load-$db.log" 2>&1 \
    || { tail -n 20 "$base/load-$db.log" >&2; die "loading $db failed (log: $base/load-$db.log)"; }
}

make_all() {
  echo "Making the demo servers in $base (first start only; takes a minute)..."
  rm -rf "$base"
  mkdir -p "$base"
  chmod 755 "$base"
  [ "$(id -u)" = 0 ] && chown postgres: "$base"
  # A first start that fails leaves no server running; the next one begins again.
  trap 'stop_cluster directory; stop_cluster company' EXIT
  make_cluster directory "$directory_port" require
  make_cluster company "$company_port" prefer
  start_cluster directory
  start_cluster company
  set_password directory
  set_password company
  psql_local directory postgres -c "create database ulv_mob owner ulv"
  load_sql directory ulv_mob directory -v company_port="$company_port"
  local db
  for db in "${company_dbs[@]}"; do
    psql_local company postgres -c "create database $db owner ulv"
    load_sql company "$db" company
  done
  date -u +%FT%TZ | as_owner tee "$base/made" >/dev/null
  trap - EXIT
}

print_signin() {
  cat <<TXT

wMorv demo servers are running:
  directory  $host:$directory_port  TLS required  database ulv_mob
  company    $host:$company_port  TLS offered   databases ${company_dbs[*]}
  files      $base   (remove with: bash scripts/demo-servers.sh stop)

Sign in to wMorv with:
  Company   Morv Demo
  User      demo
  Password  demo
Then "Fisa De Cont Analitic": pick a period (e.g. "Luna anterioara"), account 4111
(about 50,000 movements a year), 472, 5124 (euro) or 401, and press "Cauta".
Also there: company "Alfa Test" (passwords stored as typed), user demo, password demo.
TXT
}

# The servers belong to whoever made them ("postgres" when made by root); any
# other user can neither start nor remove them.
check_owner() {
  [ -d "$base" ] || return 0
  local owner expected
  owner=$(stat -c %U "$base")
  expected=$([ "$(id -u)" = 0 ] && echo postgres || id -un)
  [ "$owner" = "$expected" ] || die "$base belongs to $owner; run this as $([ "$owner" = postgres ] && echo root || echo "$owner")"
}

cmd=${1:-}
[ "$cmd" = start ] || [ "$cmd" = status ] || [ "$cmd" = stop ] && check_owner
case "$cmd" in
  start)
    pgbin=$(find_pgbin)
    command -v openssl >/dev/null || die "openssl not found; install it with: bash scripts/deps.sh"
    password=$(build_password)
    check_port directory "$directory_port"
    check_port company "$company_port"
    if [ ! -f "$base/made" ]; then
      # Nothing, or the remains of an interrupted first start: make it anew.
      stop_cluster directory
      stop_cluster company
      make_all
    else
      start_cluster directory
      start_cluster company
      set_password directory
      set_password company
    fi
    print_signin
    ;;
  status)
    pgbin=$(find_pgbin)
    if [ ! -f "$base/made" ]; then
      echo "The demo servers are not made (bash scripts/demo-servers.sh start)."
      exit 3
    fi
    rc=0
    for name in directory company; do
      if is_running "$name"; then
        echo "$name server: running on $host:$(port_of "$name")"
      else
        echo "$name server: stopped (files in $base/$name)"
        rc=3
      fi
    done
    exit $rc
    ;;
  stop)
    if [ -d "$base" ]; then
      pgbin=$(find_pgbin)
      stop_cluster directory
      stop_cluster company
      rm -rf "$base"
      echo "Demo servers stopped; $base removed."
    else
      echo "No demo servers to stop."
    fi
    ;;
  *)
    echo "usage: $0 start|status|stop" >&2
    exit 2
    ;;
esac
