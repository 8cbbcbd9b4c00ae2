#!/usr/bin/env bash
# A private PostgreSQL server for a test run: its own data folder, a Unix socket
# in that folder and no TCP port, trust authentication on the socket.
#
#   scripts/pg.sh start [FOLDER]   initdb and start; prints the connection URI
#   scripts/pg.sh env   [FOLDER]   prints the exports that point the tests at it:
#                                  YERBALIS_PG_TEST_SERVER (the URI) and YERBALIS_PG_DIR
#   scripts/pg.sh uri   [FOLDER]   prints the URI of the running server
#   scripts/pg.sh stop  [FOLDER]   stops the server and removes the folder
#   scripts/pg.sh crash [FOLDER]   stops it at once (pg_ctl stop -m immediate)
#   scripts/pg.sh resume [FOLDER]  starts a crashed server again
#
# FOLDER defaults to $YERBALIS_PG_DIR or /tmp/yerbalis-pg-$UID. The server runs
# as the system user postgres when started by root (PostgreSQL refuses root),
# and the role yerbalis_test (superuser) owns the database yerbalis_test.
set -euo pipefail
cmd=${1:-}
dir=${2:-${YERBALIS_PG_DIR:-/tmp/yerbalis-pg-$(id -u)}}
db=yerbalis_test
role=yerbalis_test

bindir=""
if command -v pg_config >/dev/null 2>&1 && [ -x "$(pg_config --bindir)/initdb" ]; then
  bindir=$(pg_config --bindir)
fi
if [ -z "$bindir" ]; then
  for d in $(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V -r); do
    if [ -x "$d/initdb" ]; then bindir=$d; break; fi
  done
fi
if [ -z "$bindir" ] && command -v initdb >/dev/null 2>&1; then
  bindir=$(dirname "$(command -v initdb)")
fi

as_server() {
  if [ "$(id -u)" -eq 0 ]; then
    runuser -u postgres -- "$@"
  else
    "$@"
  fi
}

uri() {
  echo "postgresql:///$db?host=$dir&user=$role"
}

running() {
  [ -f "$dir/data/postmaster.pid" ] && as_server "$bindir/pg_ctl" -D "$dir/data" status >/dev/null 2>&1
}

case "$cmd" in
  start)
    if [ -z "$bindir" ]; then
      echo "pg.sh: initdb not found; install the package postgresql (scripts/deps.sh --test)" >&2
      exit 1
    fi
    if running; then
      uri
      exit 0
    fi
    if [ "$(id -u)" -eq 0 ] && ! id postgres >/dev/null 2>&1; then
      useradd --system --home-dir /var/lib/postgresql --shell /bin/sh postgres
    fi
    # A folder left by a run that did not stop its server is started again from scratch.
    rm -rf "$dir"
    mkdir -p "$dir"
    chmod 700 "$dir"
    [ "$(id -u)" -eq 0 ] && chown postgres: "$dir"
    as_server "$bindir/initdb" -D "$dir/data" -U "$role" --auth=trust -E UTF8 --locale=C.UTF-8 >"$dir/initdb.log" 2>&1 || {
      cat "$dir/initdb.log" >&2
      exit 1
    }
    {
      echo "listen_addresses = ''"
      echo "unix_socket_directories = '$dir'"
      echo "unix_socket_permissions = 0777"
      echo "max_connections = 60"
      echo "fsync = on"
      echo "synchronous_commit = on"
    } >>"$dir/data/postgresql.conf"
    # The socket folder must be reachable by the test processes (root, or the user that ran this).
    chmod 755 "$dir"
    as_server "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 start >/dev/null || {
      cat "$dir/server.log" >&2
      exit 1
    }
    as_server "$bindir/createdb" -h "$dir" -U "$role" "$db"
    uri
    ;;
  env)
    echo "export YERBALIS_PG_TEST_SERVER='$(uri)'"
    echo "export YERBALIS_PG_DIR='$dir'"
    ;;
  uri)
    uri
    ;;
  crash)
    # Stops the server the hard way, as a power cut would to its processes.
    as_server "$bindir/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null
    ;;
  resume)
    as_server "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 start >/dev/null
    ;;
  stop)
    if [ -d "$dir/data" ] && [ -n "$bindir" ]; then
      as_server "$bindir/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null 2>&1 || true
    fi
    rm -rf "$dir"
    ;;
  *)
    echo "usage: $0 start|stop|env|uri|crash|resume [FOLDER]" >&2
    exit 2
    ;;
esac
