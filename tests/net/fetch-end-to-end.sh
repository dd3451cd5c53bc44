#!/usr/bin/env bash
# Serves examples/ with python3's http.server on loopback and checks that
# `team-editor-cli fetch` stores the page and prints the same JSON as `read`
# of the file itself, and that a missing page fails with the server's status.
set -euo pipefail
cli=$1
examples=$2
work=$(mktemp -d)
source "$(dirname "$0")/../../scripts/page-server.sh"

start_page_server "$examples" "$work"
port=$page_server_port

cd "$work"
"$cli" fetch "http://127.0.0.1:$port/sample-roster.htm" >fetched.json
"$cli" read "$examples/sample-roster.htm" >read.json
cmp fetched.json read.json
cmp output1.htm "$examples/sample-roster.htm"
grep -q '^HTTP/1.0 200 OK' Head.txt

status=0
"$cli" fetch "http://127.0.0.1:$port/missing.htm" >/dev/null 2>error.txt || status=$?
[ "$status" -eq 1 ] || { echo "missing page: exit status $status" >&2; exit 1; }
grep -q '^Server replied: HTTP/1.0 404' error.txt
echo "fetch matches read"
