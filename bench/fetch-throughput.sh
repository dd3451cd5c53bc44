#!/usr/bin/env bash
# Throughput of `team-editor-cli fetch` against curl on loopback: both fetch
# the same 50 MB page from python3's http.server in alternating rounds.
# usage: bench/fetch-throughput.sh [BUILD_DIR] [ROUNDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
rounds=${2:-5}
cli=$build/bin/team-editor-cli
[ -x "$cli" ] || { echo "no $cli: build team-editor-cli first" >&2; exit 1; }

work=$(mktemp -d)
serve=$work/serve
mkdir -p "$serve" "$work/ours" "$work/curl"

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

coproc server { exec python3 -u -m http.server 0 --bind 127.0.0.1 --directory "$serve" 2>/dev/null; }
server_pid=$server_PID
trap 'kill "$server_pid" 2>/dev/null || true; wait "$server_pid" 2>/dev/null || true; rm -rf "$work"' EXIT
read -r banner <&"${server[0]}"
port=$(sed -n 's/.* port \([0-9]*\) .*/\1/p' <<<"$banner")
url=http://127.0.0.1:$port/big.htm

seconds() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null
    end=$(date +%s%N)
    echo "scale=3; ($end - $start) / 1000000000" | bc
}
rate() { echo "scale=1; $size / 1000000 / $1" | bc; }

echo "page: $size bytes, $rounds rounds"
echo "fetch: the whole command; transfer: fetch less a read of the stored page"
printf "%-6s %12s %12s %12s\n" round "fetch MB/s" "transfer MB/s" "curl MB/s"
ours_total=0
transfer_total=0
curl_total=0
for round in $(seq "$rounds"); do
    ours=$(cd "$work/ours" && seconds "$cli" fetch "$url")
    reading=$(cd "$work/ours" && seconds "$cli" read output1.htm)
    theirs=$(cd "$work/curl" && seconds curl -s -o big.htm "$url")
    cmp -s "$work/ours/output1.htm" "$serve/big.htm" || { echo "fetched page differs" >&2; exit 1; }
    transfer=$(echo "$ours - $reading" | bc)
    printf "%-6s %12s %12s %12s\n" "$round" "$(rate "$ours")" "$(rate "$transfer")" "$(rate "$theirs")"
    ours_total=$(echo "$ours_total + $ours" | bc)
    transfer_total=$(echo "$transfer_total + $transfer" | bc)
    curl_total=$(echo "$curl_total + $theirs" | bc)
done
mean() { echo "scale=3; $1 / $rounds" | bc; }
printf "%-6s %12s %12s %12s\n" mean "$(rate "$(mean "$ours_total")")" "$(rate "$(mean "$transfer_total")")" \
    "$(rate "$(mean "$curl_total")")"
percent() { echo "scale=0; 100 * $curl_total / $1" | bc; }
echo "fetch reaches $(percent "$ours_total")% of curl's throughput, its transfer $(percent "$transfer_total")%"
