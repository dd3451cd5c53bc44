# Sourced by scripts that need a web server that is not ours: python3's
# http.server on 127.0.0.1, on a port the kernel picks.
#
# start_page_server DIR WORK: serves DIR, sets page_server_port, and on exit
# stops the server and removes the folder WORK.
start_page_server() {
    local dir=$1 banner
    page_server_work=$2
    coproc page_server { exec python3 -u -m http.server 0 --bind 127.0.0.1 --directory "$dir" 2>/dev/null; }
    page_server_pid=$page_server_PID
    trap 'kill "$page_server_pid" 2>/dev/null || true; wait "$page_server_pid" 2>/dev/null || true; rm -rf "$page_server_work"' EXIT
    trap 'exit 1' INT TERM
    # The first line names the port: "Serving HTTP on 127.0.0.1 port N ..."
    read -r banner <&"${page_server[0]}"
    page_server_port=$(sed -n 's/.* port \([0-9]*\) .*/\1/p' <<<"$banner")
    [ -n "$page_server_port" ] || { echo "page server did not start: $banner" >&2; return 1; }
}
