#!/usr/bin/env bash
# Installs what is needed, builds, starts a private MariaDB with a demo shop and
# starts the till on it.
#
#   scripts/demo.sh            counter sale
#   scripts/demo.sh --tables   table service (Stoly=A)
#   scripts/demo.sh --fresh    reload the demo shop first
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${PRODEJ_BUILD_DIR:-$repo/build}
tables=N
fresh=
for arg in "$@"; do
    case "$arg" in
    --tables) tables=A ;;
    --fresh) fresh=1 ;;
    *) echo "unknown option $arg" >&2; exit 2 ;;
    esac
done

"$repo/scripts/install-deps.sh"
"$repo/scripts/build.sh"
export PRODEJ_DB_DIR=${PRODEJ_DB_DIR:-$repo/.db}
export PRODEJ_DB_PORT=${PRODEJ_DB_PORT:-3307}
"$repo/scripts/db.sh" start
if [ -n "$fresh" ] || ! "$repo/scripts/db.sh" client prodej -e 'select 1 from strediska limit 1' >/dev/null 2>&1; then
    echo "Loading the demo shop..."
    "$repo/scripts/load-db.sh" --demo "$build/tools/prodej-demo"
fi

# The program reads prodej.ini beside itself; Stoly from the working folder.
cat >"$build/prodej.ini" <<INI
[LogON]
Stoly=$tables
IP=127.0.0.1
SQLport=$PRODEJ_DB_PORT
User=kasa
Password=kasa
CisloPC=01
Stredisko=777
testovatVerzi=N
nepovolitDoMinusu=N
INI

cd "$build"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: running under Xvfb (screen :99)."
    exec xvfb-run -a -s "-screen 0 1280x1024x24" ./prodej
fi
exec ./prodej
