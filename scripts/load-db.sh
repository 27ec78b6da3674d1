#!/usr/bin/env bash
# (Re)creates the shop's databases on the private server: "prodej" with the shared
# tables and "kordan" with the cash book, empty or filled with a demo shop.
#
#   scripts/load-db.sh                          empty databases
#   scripts/load-db.sh --demo GENERATOR [ARGS]  filled by the demo-data generator
#
# The server is the one scripts/db.sh addresses (PRODEJ_DB_DIR); the program's user
# is (re)created by scripts/db-user.sh.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
client() { "$repo/scripts/db.sh" client "$@"; }
# The program's user, checked before anything is dropped.
grants=$("$repo/scripts/db-user.sh" --print)

client <<SQL
DROP DATABASE IF EXISTS prodej;
DROP DATABASE IF EXISTS kordan;
CREATE DATABASE prodej CHARACTER SET cp1250 COLLATE cp1250_czech_cs;
CREATE DATABASE kordan CHARACTER SET cp1250 COLLATE cp1250_czech_cs;
SQL
client kordan <"$repo/db/cashbook.sql"
# The schema, then the program's own user "kasa" with only what the program needs.
cat "$repo/db/schema.sql" - <<<"$grants" | client prodej

if [ "${1:-}" = "--demo" ]; then
    generator=${2:?demo-data generator}
    shift 2
    "$generator" "$@" | client prodej
    client prodej -e "call seznam_stav(); update seznam set zustatek = stav;"
fi
