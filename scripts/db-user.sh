#!/usr/bin/env bash
# The till's own database user, with only what the program does:
#   reads the shared tables of "prodej" and the cash book "kordan.pokladna",
#   inserts receipts (and marks their delivery-note number), updates the stock
#   column of "seznam", updates and deletes terminal delivery notes, calls the
#   stock procedure, and creates, fills and drops the work tables of its own
#   workstations (tmp<CisloPC>uct, ...) and nothing else.
#
#   scripts/db-user.sh [--print] [USER [PASSWORD [HOST]]]
#
# Defaults: kasa / kasa / 127.0.0.1. The workstations come from
# PRODEJ_DB_WORKSTATIONS (the CisloPC values, separated by spaces; default 00 to 20).
# Run it after the schema is loaded (a grant on a table needs the table) on the
# server scripts/db.sh addresses; --print only prints the SQL, to run elsewhere.
set -euo pipefail

mode=run
if [ "${1:-}" = "--print" ]; then
    mode=print
    shift
fi
user=${1:-kasa}
password=${2:-kasa}
host=${3:-127.0.0.1}
workstations=${PRODEJ_DB_WORKSTATIONS:-$(seq -f %02g 0 20 | tr '\n' ' ')}
# Every work table a workstation makes: receipt, commit copies, moves between
# tables, report and history scratch tables.
suffixes="uct uct4 uct44 vydradv uct1 uctx trz1 trz2 trz3 histo"

for pc in $workstations; do
    case "$pc" in
    *[!A-Za-z0-9_]* | "")
        echo "db-user.sh: workstation '$pc' is not letters, digits and underscores" >&2
        exit 2
        ;;
    esac
done

sql_text() { printf "%s" "$1" | sed "s/\\\\/\\\\\\\\/g; s/'/\\\\'/g"; }
u="'$(sql_text "$user")'@'$(sql_text "$host")'"

sql() {
    cat <<SQL
CREATE USER IF NOT EXISTS $u IDENTIFIED BY '$(sql_text "$password")';
ALTER USER $u IDENTIFIED BY '$(sql_text "$password")';
REVOKE ALL PRIVILEGES, GRANT OPTION FROM $u;
GRANT SELECT, EXECUTE ON prodej.* TO $u;
GRANT INSERT, UPDATE (vydejka) ON prodej.uctenky TO $u;
GRANT UPDATE (stav) ON prodej.seznam TO $u;
GRANT UPDATE, DELETE ON prodej.dlterm TO $u;
GRANT SELECT ON kordan.pokladna TO $u;
SQL
    for pc in $workstations; do
        for s in $suffixes; do
            echo "GRANT SELECT, INSERT, UPDATE, DELETE, CREATE, DROP, ALTER, INDEX ON prodej.tmp$pc$s TO $u;"
        done
    done
}

if [ "$mode" = print ]; then
    sql
else
    sql | "$(dirname "${BASH_SOURCE[0]}")/db.sh" client
fi
