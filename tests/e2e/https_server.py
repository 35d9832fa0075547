#!/usr/bin/env python3
"""The maker's website, as the end-to-end tests need it: an HTTPS server on
the loopback interface only, serving the files under --root, logging every
request's path to --log and forbidding caches (so that the next answer is
really fetched again). A file FILE.delay beside a served file makes its
answer late: it holds a number of seconds, or "never" for a server that
takes the request and then says nothing at all.

    https_server.py --port PORT --cert CERT.pem --key KEY.pem --root DIR --log FILE

It prints "ready" once it listens, and serves until it is ended.
"""
import argparse
import http.server
import os
import socket
import ssl
import sys
import threading
import time


def make_handler(root, log_path):
    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def do_GET(self):
            with open(log_path, "a", encoding="utf-8") as log:
                log.write(f"GET {self.path}\n")
            local = os.path.normpath(os.path.join(root, self.path.split("?", 1)[0].lstrip("/")))
            if not local.startswith(os.path.abspath(root)) or not os.path.isfile(local):
                self.answer(404, b"not found\n")
                return
            self.wait(local + ".delay")
            with open(local, "rb") as body:
                self.answer(200, body.read())

        def wait(self, delay_path):
            if not os.path.isfile(delay_path):
                return
            with open(delay_path, encoding="utf-8") as delay_file:
                delay = delay_file.read().strip()
            if delay == "never":
                while True:
                    time.sleep(60)
            time.sleep(float(delay))

        def answer(self, status, body):
            self.send_response(status)
            self.send_header("Content-Type", "application/octet-stream")
            self.send_header("Content-Length", str(len(body)))
            self.send_header("Cache-Control", "no-store, no-cache, must-revalidate")
            self.send_header("Pragma", "no-cache")
            self.send_header("Expires", "0")
            self.end_headers()
            self.wfile.write(body)

        def log_message(self, *args):
            pass

    return Handler


class Server(http.server.ThreadingHTTPServer):
    allow_reuse_address = True
    daemon_threads = True


class Server6(Server):
    address_family = socket.AF_INET6


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port", type=int, required=True)
    parser.add_argument("--cert", required=True)
    parser.add_argument("--key", required=True)
    parser.add_argument("--root", required=True)
    parser.add_argument("--log", required=True)
    options = parser.parse_args()

    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(options.cert, options.key)
    handler = make_handler(os.path.abspath(options.root), options.log)

    # "localhost" may be looked up as ::1 first: answer there too, still
    # on the loopback interface only.
    servers = [Server(("127.0.0.1", options.port), handler)]
    try:
        servers.append(Server6(("::1", options.port), handler))
    except OSError:
        pass
    for server in servers:
        server.socket = context.wrap_socket(server.socket, server_side=True)
    for server in servers[1:]:
        threading.Thread(target=server.serve_forever, daemon=True).start()
    print("ready", flush=True)
    try:
        servers[0].serve_forever()
    except KeyboardInterrupt:
        pass
    return 0


if __name__ == "__main__":
    sys.exit(main())
