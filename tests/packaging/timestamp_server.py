#!/usr/bin/env python3
"""An RFC 3161 time-stamp server on this machine's loopback, for signing tests: each request
is answered by `openssl ts -reply` with the given signer. Prints its address once it listens,
then serves at most that many requests (by default 100) or for 10 minutes, whichever ends first.
    timestamp_server.py <openssl config> <signer.pem> <signer.key> <work folder> [requests]
"""
import http.server
import os
import subprocess
import sys
import time

config, signer, key, work = sys.argv[1:5]
most = int(sys.argv[5]) if len(sys.argv) > 5 else 100
served = 0


class Handler(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        global served
        served += 1
        query = os.path.join(work, "query.tsq")
        reply = os.path.join(work, "reply.tsr")
        with open(query, "wb") as f:
            f.write(self.rfile.read(int(self.headers.get("Content-Length", 0))))
        done = subprocess.run(["openssl", "ts", "-reply", "-config", config, "-queryfile", query,
                               "-signer", signer, "-inkey", key, "-out", reply],
                              capture_output=True)
        if done.returncode != 0:
            self.send_error(500, done.stderr.decode(errors="replace")[:200])
            return
        body = open(reply, "rb").read()
        self.send_response(200)
        self.send_header("Content-Type", "application/timestamp-reply")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


server = http.server.HTTPServer(("127.0.0.1", 0), Handler)
server.timeout = 1
print("http://127.0.0.1:%d/" % server.server_address[1], flush=True)
deadline = time.monotonic() + 600
while served < most and time.monotonic() < deadline:
    server.handle_request()
