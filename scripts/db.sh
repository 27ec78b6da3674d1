#!/usr/bin/env bash
# A private MariaDB server for the demo and the tests, run from a data folder
# of the project's own, never the machine's service.
#
#   scripts/db.sh start            create the data folder on first use, start, wait
#   scripts/db.sh stop             stop it (harmless when it is not running)
#   scripts/db.sh status           exit 0 when it answers
#   scripts/db.sh client ARGS...   the mariadb client as root on its socket
#
# PRODEJ_DB_DIR names the folder (default: .db in the repository), PRODEJ_DB_PORT
# the loopback port (default 3307). A second start while the server runs does nothing.
set -euo pipefail

cmd=${1:-}
shift || true
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
dir=$(realpath -m "${PRODEJ_DB_DIR:-$repo/.db}")

sock="$dir/mysqld.sock"
pidf="$dir/mysqld.pid"
data="$dir/data"

alive() {
    mariadb-admin --no-defaults --socket="$sock" -uroot ping >/dev/null 2>&1
}

case "$cmd" in
start)
    port=${PRODEJ_DB_PORT:-3307}
    if alive; then
        exit 0
    fi
    if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
        echo "Port $port is taken by another server; choose another with PRODEJ_DB_PORT." >&2
        exit 1
    fi
    mkdir -p "$dir"
    user=$(id -un)
    if [ ! -d "$data/mysql" ]; then
        mariadb-install-db --no-defaults --datadir="$data" --user="$user" \
            --auth-root-authentication-method=normal --skip-test-db >"$dir/install.log" 2>&1 || {
            cat "$dir/install.log" >&2
            exit 1
        }
    fi
    rm -f "$sock"
    mariadbd --no-defaults --datadir="$data" --socket="$sock" --pid-file="$pidf" \
        --port="$port" --bind-address=127.0.0.1 --user="$user" --skip-name-resolve \
        --log-error="$dir/error.log" --innodb-buffer-pool-size="${PRODEJ_DB_BUFFER_POOL:-256M}" \
        --innodb-flush-log-at-trx-commit=2 --character-set-server=utf8mb4 \
        --max-connections=200 >/dev/null 2>&1 &
    for _ in $(seq 1 300); do
        if alive; then
            exit 0
        fi
        sleep 0.1
    done
    echo "MariaDB did not start; see $dir/error.log" >&2
    tail -20 "$dir/error.log" >&2 || true
    exit 1
    ;;
stop)
    if [ -f "$pidf" ]; then
        pid=$(cat "$pidf")
        kill "$pid" 2>/dev/null || true
        for _ in $(seq 1 300); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
    fi
    rm -f "$sock"
    ;;
status)
    alive
    ;;
client)
    exec mariadb --no-defaults --socket="$sock" -uroot "$@"
    ;;
*)
    sed -n '2,11p' "$0" >&2
    exit 2
    ;;
esac
