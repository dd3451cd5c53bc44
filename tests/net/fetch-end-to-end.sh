#!/usr/bin/env bash
# Serves examples/ with python3's http.server on loopback and checks that
# `team-editor-cli fetch` stores the page and prints the same JSON as `read`
# of the file itself, and that a missing page fails with the server's status.
# Then: -o and --head, files replaced whole and only by a fetch that worked,
# --timeout and --max-time, a URL too long, an output name at the length
# limit, SIGTERM and SIGINT during the body, and https from a server whose CA
# SSL_CERT_FILE names.
set -euo pipefail
cli=$1
examples=$2
work=$(mktemp -d)
support=$(cd "$(dirname "$0")/../support" && pwd)
source "$(dirname "$0")/../../scripts/page-server.sh"

start_page_server "$examples" "$work"
port=$page_server_port

# start_scripted ARGS...: runs scripted_server.py in the background; sets
# scripted_port and scripted_pid.
start_scripted() {
    local ports=$work/port.$RANDOM
    python3 "$support/scripted_server.py" "$@" >"$ports" &
    scripted_pid=$!
    # Stopped on the way out as well, whatever fails first.
    trap "kill $scripted_pid 2>/dev/null || true; $(trap -p EXIT | sed "s/^trap -- '\(.*\)' EXIT$/\1/")" EXIT
    until [ -s "$ports" ]; do
        kill -0 "$scripted_pid" 2>/dev/null || { echo "scripted server did not start" >&2; exit 1; }
        sleep 0.05
    done
    read -r scripted_port <"$ports"
}

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
# The failed fetch left the page of the good one.
cmp output1.htm "$examples/sample-roster.htm"

# Elsewhere, by -o and --head; a planted link is replaced, not written through.
mkdir out
echo precious >victim.txt
ln -s "$work/victim.txt" out/page.htm
"$cli" fetch -o out/page.htm --head out/head.txt "http://127.0.0.1:$port/sample-roster.htm" >/dev/null
[ ! -L out/page.htm ] || { echo "-o wrote through a link" >&2; exit 1; }
cmp out/page.htm "$examples/sample-roster.htm"
grep -q '^HTTP/1.0 200 OK' out/head.txt
[ "$(cat victim.txt)" = precious ]
"$cli" fetch -o out/page.htm "http://127.0.0.1:$port/missing.htm" >/dev/null 2>&1 && exit 1
cmp out/page.htm "$examples/sample-roster.htm"
[ "$(ls -A out | wc -l)" -eq 2 ] || { echo "a temporary file stayed: $(ls -A out)" >&2; exit 1; }

# A server that never answers: --timeout ends the wait.
printf 'HTTP/1.0 200 OK\r\n' >stall.txt
start_scripted --reply stall.txt --hold-open
status=0
"$cli" fetch --timeout 0.3 "http://127.0.0.1:$scripted_port/" >/dev/null 2>error.txt || status=$?
kill "$scripted_pid" 2>/dev/null || true
[ "$status" -eq 1 ] || { echo "silent server: exit status $status" >&2; exit 1; }
grep -qx 'Timed out waiting for 127.0.0.1' error.txt

# A time below a millisecond is still a limit, never "no limit" (0); the
# outer timeout only keeps a failure from hanging the test.
for option in --timeout --max-time; do
    start_scripted --reply stall.txt --hold-open
    status=0
    timeout 20 "$cli" fetch "$option" 0.0004 "http://127.0.0.1:$scripted_port/" >/dev/null 2>error.txt ||
        status=$?
    kill "$scripted_pid" 2>/dev/null || true
    [ "$status" -eq 1 ] || { echo "$option 0.0004: exit status $status" >&2; exit 1; }
    grep -qx 'Timed out waiting for 127.0.0.1' error.txt
done

# --max-time ends a reply that trickles in steadily, each byte well within --timeout.
{ printf 'HTTP/1.0 200 OK\r\nContent-Length: 400\r\n\r\n'; head -c 400 /dev/zero | tr '\0' t; } >trickle.txt
start_scripted --reply trickle.txt --drip 20
status=0
"$cli" fetch --timeout 5 --max-time 0.5 -o trickle.htm "http://127.0.0.1:$scripted_port/" >/dev/null 2>error.txt ||
    status=$?
kill "$scripted_pid" 2>/dev/null || true
[ "$status" -eq 1 ] || { echo "trickle: exit status $status" >&2; exit 1; }
grep -qx 'Timed out waiting for 127.0.0.1' error.txt
[ ! -e trickle.htm ]

# A URL too long to send whole is refused, never cut.
long="http://127.0.0.1:$port/$(printf 'p%.0s' $(seq 240))?team=42"
status=0
"$cli" fetch -o long.htm "$long" >/dev/null 2>error.txt || status=$?
[ "$status" -eq 1 ] || { echo "long URL: exit status $status" >&2; exit 1; }
grep -qxF "Address too long: $long" error.txt

# Any name a file can have is an output: its temporary name is shortened.
name=$(printf 'n%.0s' $(seq 250)).htm
"$cli" fetch -o "$name" "http://127.0.0.1:$port/sample-roster.htm" >/dev/null
cmp "$name" "$examples/sample-roster.htm"
rm "$name"

# SIGTERM and SIGINT in the middle of the body: the process ends by the
# signal, and neither the page nor a temporary file of it stays.
{ printf 'HTTP/1.0 200 OK\r\nContent-Length: 100000\r\n\r\n'; head -c 4000 /dev/zero; } >part.txt
mkdir signalled
for signal in TERM INT; do
    start_scripted --reply part.txt --hold-open
    # A background job of a script ignores SIGINT unless it sets otherwise:
    # the fetch is started with the default action restored.
    python3 -c 'import os, signal, sys; signal.signal(signal.SIGINT, signal.SIG_DFL); os.execv(sys.argv[1], sys.argv[1:])' \
        "$cli" fetch -o signalled/t1.htm --head signalled/t2.txt "http://127.0.0.1:$scripted_port/" \
        >/dev/null 2>&1 &
    fetch_pid=$!
    until compgen -G 'signalled/.t1.htm.*' >/dev/null; do
        kill -0 "$fetch_pid" 2>/dev/null || { echo "fetch ended early" >&2; exit 1; }
        sleep 0.05
    done
    kill -"$signal" "$fetch_pid"
    status=0
    wait "$fetch_pid" || status=$?
    kill "$scripted_pid" 2>/dev/null || true
    [ "$status" -eq $((128 + $(kill -l "$signal"))) ] || { echo "SIG$signal: exit status $status" >&2; exit 1; }
    [ "$(ls -A signalled)" = t2.txt ] || { echo "SIG$signal left: $(ls -A signalled)" >&2; exit 1; }
    rm signalled/t2.txt
done

# https, trusting the tests' own CA.
bash "$support/make-test-certs.sh" "$work/certs"
{ printf 'HTTP/1.0 200 OK\r\n\r\n'; cat "$examples/sample-roster.htm"; } >secure-reply.txt
start_scripted --cert "$work/certs/server.pem" --key "$work/certs/server.key" --reply secure-reply.txt \
    --connections 2
SSL_CERT_FILE=$work/certs/ca.pem "$cli" fetch -o secure.htm "https://127.0.0.1:$scripted_port/" >secure.json
cmp secure.json read.json
status=0
SSL_CERT_FILE=/dev/null "$cli" fetch -o secure.htm "https://127.0.0.1:$scripted_port/" >/dev/null 2>error.txt || status=$?
kill "$scripted_pid" 2>/dev/null || true
[ "$status" -eq 1 ] || { echo "untrusted server: exit status $status" >&2; exit 1; }
grep -q '^Certificate of 127.0.0.1 not trusted: ' error.txt
echo "fetch matches read"
