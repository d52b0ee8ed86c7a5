#!/usr/bin/env bash
# Runs the online edition against a MariaDB server of your own: starts a private server in a
# folder of yours (initialised on first use, 127.0.0.1 only, no systemd), loads the library's
# chapter texts into it with "kelvaro-import --mysql" and starts kelvaro-online in the library
# folder, pointed at that server. The server stops when kelvaro-online ends.
#   scripts/online-demo.sh [library folder]
#       default library: ~/.local/share/Kelvaro/library (built first if missing, as run.sh does)
#   environment:
#       KELVARO_DEMO_SERVER   server folder (default ~/.local/share/Kelvaro/online-server)
#       KELVARO_DEMO_PORT     server port (default 33061)
#       KELVARO_DEMO_KEEP=1   leave the server running afterwards
#   scripts/online-demo.sh --stop    stops a server left running
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
data_home=${XDG_DATA_HOME:-$HOME/.local/share}
server_dir=${KELVARO_DEMO_SERVER:-$data_home/Kelvaro/online-server}
port=${KELVARO_DEMO_PORT:-33061}
pid_file="$server_dir/mariadbd.pid"

find_program() {
    command -v "$1" 2>/dev/null || { [[ -x "/usr/sbin/$1" ]] && echo "/usr/sbin/$1"; } || {
        echo "online-demo: $1 not found (Debian package mariadb-server)" >&2
        exit 1
    }
}

server_running() { [[ -f "$pid_file" ]] && kill -0 "$(cat "$pid_file")" 2>/dev/null; }

# Stops the server this script started (or, with --stop, the one its pid file names).
server_pid=
stop_server() {
    local pid=$server_pid
    [[ -n $pid ]] || { server_running && pid=$(cat "$pid_file"); } || return 0
    kill -0 "$pid" 2>/dev/null || return 0
    echo "Stopping the server (pid $pid)"
    kill "$pid"
    for _ in $(seq 300); do kill -0 "$pid" 2>/dev/null || return 0; sleep 0.1; done
    echo "online-demo: the server did not stop; pid $pid" >&2
}

if [[ ${1:-} == --stop ]]; then
    stop_server
    exit 0
fi

library=${1:-${KELVARO_LIBRARY:-$data_home/Kelvaro/library}}
library=$(mkdir -p "$library" && cd "$library" && pwd)

"$root/scripts/build.sh"
if [[ ! -f "$library/wxlb.dbx" ]]; then
    "$root/scripts/build-sample-library.sh" "$library"
fi

# The server runs as the calling user; as root it has to be told so.
as_user=()
[[ $(id -u) -eq 0 ]] && as_user=(--user=root)

mkdir -p "$server_dir"
if [[ ! -d "$server_dir/data/mysql" ]]; then
    echo "Initialising a MariaDB data folder in $server_dir/data"
    "$(find_program mariadb-install-db)" --no-defaults "${as_user[@]}" --datadir="$server_dir/data" \
        --auth-root-authentication-method=normal --skip-test-db >"$server_dir/install.log" 2>&1 || {
        cat "$server_dir/install.log" >&2
        exit 1
    }
fi

if server_running; then
    echo "Using the server already running from $server_dir"
    keep=1  # not ours to stop
else
    echo "Starting MariaDB on 127.0.0.1:$port (log: $server_dir/server.log)"
    "$(find_program mariadbd)" --no-defaults "${as_user[@]}" --datadir="$server_dir/data" \
        --bind-address=127.0.0.1 --port="$port" --socket="$server_dir/mariadbd.sock" \
        --pid-file="$pid_file" --skip-name-resolve --character-set-server=utf8mb4 \
        --log-error="$server_dir/server.log" &
    server_pid=$!
    keep=${KELVARO_DEMO_KEEP:-0}
fi
[[ $keep == 1 ]] || trap stop_server EXIT

# The server is ready once kelvaro-import can load into it.
echo "Loading the chapter texts of $library"
for attempt in $(seq 60); do
    if "$root/build/kelvaro-import" --mysql --library "$library" --host 127.0.0.1 --port "$port" \
        --admin-user root 2>"$server_dir/load.err"; then
        break
    fi
    if ((attempt == 60)) || ! grep -q "Can't connect" "$server_dir/load.err"; then
        cat "$server_dir/load.err" >&2
        exit 1
    fi
    sleep 0.5
done

cd "$library"
echo "Starting kelvaro-online"
KELVARO_SERVER_HOST=127.0.0.1 KELVARO_SERVER_PORT=$port "$root/build/kelvaro-online" || status=$?
exit "${status:-0}"
