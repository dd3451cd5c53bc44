#!/usr/bin/env bash
# Throughput of `team-editor-cli fetch` against curl on loopback: both fetch
# the same 50 MB page from python3's http.server in alternating rounds, over
# http and then over https (the server's certificate made at run time and
# trusted through SSL_CERT_FILE and curl's --cacert). The fetch command also
# reads the stored page as a roster; get_only times the transfer alone
# (TNMHTTP::Get into a file).
# usage: bench/fetch-throughput.sh [BUILD_DIR] [ROUNDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
rounds=${2:-5}
source "$root/scripts/page-server.sh"
cli=$build/bin/team-editor-cli
get_only=$build/bin/get_only
for tool in "$cli" "$get_only"; do
    [ -x "$tool" ] || { echo "no $tool: build team-editor-cli and get_only first" >&2; exit 1; }
done

work=$(mktemp -d)
serve=$work/serve
mkdir -p "$serve" "$work/ours" "$work/get" "$work/curl"
start_page_server "$serve" "$work"
url=http://127.0.0.1:$page_server_port/big.htm

# A page of plain lines, so that reading it after the fetch costs little.
python3 - "$serve/big.htm" <<'PY'
import sys
line = b"<p>" + b"x" * 92 + b"</p>\n"          # 100 bytes
with open(sys.argv[1], "wb") as f:
    f.write(b"<html><body>\n")
    f.write(line * (50 * 1000 * 1000 // len(line)))
    f.write(b"</body></html>\n")
PY
size=$(stat -c %s "$serve/big.htm")

seconds() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null
    end=$(date +%s%N)
    echo "scale=3; ($end - $start) / 1000000000" | bc
}
rate() { echo "scale=1; $size / 1000000 / $1" | bc; }

# An https server for the same folder, on a port the kernel picks.
bash "$root/tests/support/make-test-certs.sh" "$work/certs"
python3 -u - "$serve" "$work/certs" >"$work/https-port" 2>/dev/null <<'PY' &
import functools, http.server, ssl, sys
serve, certs = sys.argv[1], sys.argv[2]
handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=serve)
server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
context.load_cert_chain(certs + "/server.pem", certs + "/server.key")
server.socket = context.wrap_socket(server.socket, server_side=True)
print(server.server_address[1])
server.serve_forever()
PY
https_pid=$!
trap 'kill "$https_pid" 2>/dev/null || true; kill "$page_server_pid" 2>/dev/null || true; rm -rf "$work"' EXIT
until [ -s "$work/https-port" ]; do sleep 0.05; done
secure_url=https://127.0.0.1:$(cat "$work/https-port")/big.htm
export SSL_CERT_FILE=$work/certs/ca.pem

# measure LABEL URL
measure() {
    local label=$1 url=$2 fetch get curl fetch_total=0 get_total=0 curl_total=0
    echo "$label: page of $size bytes, $rounds rounds"
    printf "%-6s %12s %12s %12s\n" round "fetch MB/s" "get MB/s" "curl MB/s"
    for round in $(seq "$rounds"); do
        fetch=$(cd "$work/ours" && seconds "$cli" fetch "$url")
        get=$(cd "$work/get" && seconds "$get_only" "$url" big.htm head.txt)
        curl=$(cd "$work/curl" && seconds curl -s --cacert "$SSL_CERT_FILE" -o big.htm "$url")
        for stored in "$work/ours/output1.htm" "$work/get/big.htm" "$work/curl/big.htm"; do
            cmp -s "$stored" "$serve/big.htm" || { echo "$stored differs from the page" >&2; exit 1; }
        done
        printf "%-6s %12s %12s %12s\n" "$round" "$(rate "$fetch")" "$(rate "$get")" "$(rate "$curl")"
        fetch_total=$(echo "$fetch_total + $fetch" | bc)
        get_total=$(echo "$get_total + $get" | bc)
        curl_total=$(echo "$curl_total + $curl" | bc)
    done
    mean() { echo "scale=3; $1 / $rounds" | bc; }
    printf "%-6s %12s %12s %12s\n" mean "$(rate "$(mean "$fetch_total")")" "$(rate "$(mean "$get_total")")" \
        "$(rate "$(mean "$curl_total")")"
    percent() { echo "scale=0; 100 * $curl_total / $1" | bc; }
    echo "of curl's throughput: fetch $(percent "$fetch_total")%, get alone $(percent "$get_total")%"
}

measure http "$url"
measure https "$secure_url"
