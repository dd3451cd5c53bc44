#!/usr/bin/env python3
"""A scripted loopback server for the network tests and benchmarks.

Listens on 127.0.0.1 on a port the kernel picks and prints that port on its
first line of output. It then takes the given number of connections one after
the other. With --cert it speaks TLS (python's ssl module, so independent of
the client's own TLS code); --tls10 allows TLS 1.0 only. For each connection
it reads the request up to its empty line (unless --at-once), appends it to
the --log file, sends the --reply bytes once, the --repeat bytes again and
again until the client goes, and with --hold-open stays silent until the
client closes. --drip MS sends the reply one byte at a time, MS apart (only bytes FROM to
TO with --drip-range FROM:TO), and
--pause OFFSET:MS waits MS after the first OFFSET bytes. --pieces N,N,...
sends the reply in separate writes of these sizes (the rest in one). --reset ends the
connection with a reset instead of an orderly close. With --proxy it is an HTTP proxy that answers CONNECT and
relays the bytes to the named host and back.
"""
import argparse
import select
import socket
import ssl
import struct
import sys
import time
import warnings


def read_request(conn):
    request = b""
    while b"\r\n\r\n" not in request:
        data = conn.recv(4096)
        if not data:
            break
        request += data
    return request


def relay(client, request):
    target = request.split(b" ")[1].decode()
    host, port = target.rsplit(":", 1)
    with socket.create_connection((host, int(port))) as server:
        client.sendall(b"HTTP/1.0 200 Connection established\r\n\r\n")
        ends = [client, server]
        while True:
            ready, _, _ = select.select(ends, [], [])
            for end in ready:
                data = end.recv(65536)
                if not data:
                    return
                (server if end is client else client).sendall(data)


def send_paced(conn, args):
    if args.drip is not None:
        start, end = (int(part) for part in args.drip_range.split(":"))
        end = len(args.reply) if end < 0 else end
        conn.sendall(args.reply[:start])
        for i in range(start, end):
            time.sleep(args.drip / 1000)
            conn.sendall(args.reply[i:i + 1])
        conn.sendall(args.reply[end:])
        return
    if args.pieces:
        conn.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
        sent = 0
        for size in (int(part) for part in args.pieces.split(",")):
            conn.sendall(args.reply[sent:sent + size])
            sent += size
        conn.sendall(args.reply[sent:])
        return
    sent = 0
    for pause in args.pause:
        offset, ms = (int(part) for part in pause.split(":"))
        conn.sendall(args.reply[sent:offset])
        sent = offset
        time.sleep(ms / 1000)
    conn.sendall(args.reply[sent:])


def serve(conn, args):
    request = b"" if args.at_once else read_request(conn)
    if args.log:
        with open(args.log, "ab") as log:
            log.write(request + b"\0")
    if args.proxy:
        relay(conn, request)
        return
    send_paced(conn, args)
    while args.repeat:
        conn.sendall(args.repeat)
    if args.hold_open:
        while conn.recv(4096):
            pass
    if args.reset:
        # Closing with a zero linger time resets the connection: no orderly end.
        conn.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))


def read_bytes(path):
    if not path:
        return b""
    with open(path, "rb") as f:
        return f.read()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cert")
    parser.add_argument("--key")
    parser.add_argument("--tls10", action="store_true")
    parser.add_argument("--reply")
    parser.add_argument("--repeat")
    parser.add_argument("--hold-open", action="store_true")
    parser.add_argument("--at-once", action="store_true")
    parser.add_argument("--reset", action="store_true")
    parser.add_argument("--proxy", action="store_true")
    parser.add_argument("--connections", type=int, default=1)
    parser.add_argument("--log")
    parser.add_argument("--drip", type=int)
    parser.add_argument("--drip-range", default="0:-1")
    parser.add_argument("--pause", action="append", default=[])
    parser.add_argument("--pieces")
    args = parser.parse_args()
    args.reply = read_bytes(args.reply)
    args.repeat = read_bytes(args.repeat)

    context = None
    if args.cert:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(args.cert, args.key)
        if args.tls10:
            # Deprecated, and that is the point: a server the client must refuse.
            warnings.simplefilter("ignore", DeprecationWarning)
            context.set_ciphers("DEFAULT:@SECLEVEL=0")
            context.minimum_version = ssl.TLSVersion.TLSv1
            context.maximum_version = ssl.TLSVersion.TLSv1

    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.bind(("127.0.0.1", 0))
    listener.listen(8)
    print(listener.getsockname()[1], flush=True)
    for _ in range(args.connections):
        conn, _ = listener.accept()
        try:
            if context:
                conn = context.wrap_socket(conn, server_side=True)
            serve(conn, args)
        except (OSError, ssl.SSLError):
            pass
        finally:
            conn.close()


if __name__ == "__main__":
    sys.exit(main())
