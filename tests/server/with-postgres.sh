#!/usr/bin/env bash
# Runs a command beside a throwaway PostgreSQL 15 of its own, reached on the loopback:
# TESSARO_TEST_POSTGRES names the database and PGPASSWORD holds its password. The
# database is stopped and removed however the command ends, and this script ends with
# the command's status. pg_virtualenv makes the database where it can; initdb and pg_ctl
# where it cannot. Where neither starts one, the command runs without it (the server's
# tests then use SQLite alone), and says so: a machine without PostgreSQL still tests.
set -u
[ $# -ge 1 ] || { echo "usage: $0 COMMAND [ARGS...]" >&2; exit 2; }
readonly kBin=/usr/lib/postgresql/15/bin
# Seconds a database may take to start or stop, and a command to end once told to.
readonly kPatience=60
# Random ports tried in turn, as another program may hold one.
readonly kPortTries=5
readonly kFirstPort=20000
readonly kPasswordBytes=16
# Lines of a failed start's log worth showing.
readonly kLogLines=20

# Why PostgreSQL did not start, each path's reason in turn.
why=""

# Says why, on standard error, and keeps it for the closing word.
cannot() {
    echo "$1" >&2
    why="${why:+$why; }$1"
}

without_postgres() {
    echo "the PostgreSQL half of the tests is skipped ($why): running them on SQLite alone" >&2
    unset TESSARO_TEST_POSTGRES PGPASSWORD
}

if ! work=$(mktemp -d -t tessaro-postgres.XXXXXX); then
    cannot "no temporary folder for its database"
    without_postgres
    exec "$@"
fi
# The postgres user makes its files in here.
chmod 755 "$work"
child=""
interrupted=""

as_owner() {
    if [ "$(id -u)" = 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

running() {
    local state
    state=$(ps -o stat= -p "$1" 2>/dev/null) && [ "${state:0:1}" != Z ]
}

# Gives a process kPatience seconds to end.
await() {
    local waited
    for ((waited = 0; waited < kPatience; ++waited)); do
        running "$1" || return 0
        sleep 1
    done
    return 1
}

# Every server still running from this folder stops at once, whatever left it behind. A
# server runs in its data folder: a process of a stale number running elsewhere is not it.
stop_servers() {
    local pidfile pid
    while IFS= read -r pidfile; do
        pid=$(head -n 1 "$pidfile" 2>/dev/null)
        if [ -n "$pid" ] && [ "$(readlink "/proc/$pid/cwd" 2>/dev/null)" = "$(dirname "$pidfile")" ]; then
            kill -QUIT "$pid" 2>/dev/null
            await "$pid" || kill -KILL "$pid" 2>/dev/null
        fi
    done < <(find "$work" -name postmaster.pid 2>/dev/null)
}

clean_up() {
    if [ -d "$work/own/data" ]; then
        as_owner timeout "$kPatience" "$kBin/pg_ctl" -D "$work/own/data" -m fast -w -t "$kPatience" stop >/dev/null 2>&1
    fi
    stop_servers
    rm -rf "$work"
}

# The command runs in a session of its own, so that a signal reaches all it started.
# The status this script ends with, once told to stop, is the signal's.
forward() {
    interrupted=$1
    [ -z "$child" ] || kill -TERM -- "-$child" 2>/dev/null
}
trap clean_up EXIT
trap 'forward 129' HUP
trap 'forward 130' INT
trap 'forward 143' TERM

# Runs the command and waits for it; its status. Once told to stop, it has kPatience
# seconds before it is killed.
in_session() {
    local status
    setsid "$@" &
    child=$!
    wait "$child"
    status=$?
    if [ -n "$interrupted" ]; then
        await "$child" || kill -KILL -- "-$child" 2>/dev/null
        wait "$child"
        status=$?
    fi
    child=""
    return "$status"
}

# True once pg_virtualenv has started the command, with the command's status.
run_in_virtualenv() {
    command -v pg_virtualenv >/dev/null || { cannot "pg_virtualenv is not installed"; return 1; }
    local started="$work/started" outer_tmpdir="${TMPDIR:-}"
    # Its cluster goes under our folder, where stop_servers finds it should it be left.
    TMPDIR="$work" in_session pg_virtualenv -t -v 15 bash -c '
        : > "$1"
        if [ -n "$2" ]; then export TMPDIR="$2"; else unset TMPDIR; fi
        export TESSARO_TEST_POSTGRES="postgresql://$PGUSER@$PGHOST:$PGPORT/$PGDATABASE"
        shift 2
        exec "$@"' with-postgres "$started" "$outer_tmpdir" "$@"
    status=$?
    [ -e "$started" ] || { cannot "pg_virtualenv could not start PostgreSQL"; return 1; }
}

start_own_cluster() {
    local own="$work/own" try
    [ -x "$kBin/initdb" ] || { cannot "$kBin/initdb is not installed"; return 1; }
    mkdir "$own" && head -c "$kPasswordBytes" /dev/urandom | od -An -tx1 | tr -d ' \n' > "$own/password"
    [ "$(id -u)" = 0 ] && chown -R postgres: "$own"
    if ! as_owner timeout "$kPatience" "$kBin/initdb" -D "$own/data" -U tessaro --pwfile="$own/password" \
        --auth=scram-sha-256 -E UTF8 --no-sync > "$own/initdb.log" 2>&1; then
        tail -n "$kLogLines" "$own/initdb.log" >&2
        cannot "initdb failed"
        return 1
    fi
    for ((try = 0; try < kPortTries; ++try)); do
        port=$((kFirstPort + RANDOM))
        as_owner timeout "$kPatience" "$kBin/pg_ctl" -D "$own/data" -l "$own/server.log" -w -t "$kPatience" \
            -o "-c listen_addresses=127.0.0.1 -c port=$port -c unix_socket_directories='$own' -c fsync=off" \
            start > /dev/null && return 0
    done
    tail -n "$kLogLines" "$own/server.log" >&2
    cannot "pg_ctl could not start PostgreSQL"
    return 1
}

run_on_own_cluster() {
    start_own_cluster || return 1
    PGPASSWORD=$(cat "$work/own/password") TESSARO_TEST_POSTGRES="postgresql://tessaro@127.0.0.1:$port/postgres" \
        in_session "$@"
    status=$?
}

status=0
if run_in_virtualenv "$@"; then
    exit "$status"
fi
[ -z "$interrupted" ] || exit "$interrupted"
echo "starting PostgreSQL with initdb and pg_ctl instead" >&2
stop_servers
if run_on_own_cluster "$@"; then
    exit "$status"
fi
[ -z "$interrupted" ] || exit "$interrupted"
stop_servers
without_postgres
in_session "$@"
status=$?
exit "${interrupted:-$status}"
