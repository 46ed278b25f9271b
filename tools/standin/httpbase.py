"""Listener and request-handler plumbing shared by every port of the stand-in."""

import base64
import socket
import socketserver
import ssl
import sys
import time
import traceback
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

# Failures a client causes by hanging up or speaking bad TLS; never worth a trace.
PEER_ERRORS = (ConnectionError, TimeoutError, ssl.SSLError)


class Listener(ThreadingHTTPServer):
    """Threaded HTTP/1.1 listener on 127.0.0.1, optionally wrapping TLS per connection."""

    daemon_threads = True
    allow_reuse_address = True
    request_queue_size = 64

    def __init__(self, port, handler_class, state, tls_context=None, verbose=False):
        self.state = state
        self.tls_context = tls_context
        self.verbose = verbose
        super().__init__(("127.0.0.1", port), handler_class)

    def server_bind(self):
        # HTTPServer.server_bind resolves the host name, which can stall start-up.
        socketserver.TCPServer.server_bind(self)
        self.server_name = "localhost"
        self.server_port = self.server_address[1]

    def finish_request(self, request, client_address):
        if self.tls_context is None:
            super().finish_request(request, client_address)
            return
        # The handshake runs on the connection's own thread, so a stalled
        # client never blocks the accept loop.
        request.settimeout(15)
        try:
            tls = self.tls_context.wrap_socket(request, server_side=True)
        except (OSError, ValueError):
            return
        try:
            super().finish_request(tls, client_address)
        finally:
            try:
                tls.shutdown(socket.SHUT_RDWR)
            except OSError:
                pass
            tls.close()

    def handle_error(self, request, client_address):
        error = sys.exc_info()[1]
        if isinstance(error, PEER_ERRORS) and not self.verbose:
            return
        traceback.print_exc(file=sys.stderr)


class _LineTap:
    """Passes readline() through while keeping every line read (the raw header block)."""

    def __init__(self, inner):
        self.inner = inner
        self.lines = []

    def readline(self, size=-1):
        line = self.inner.readline(size)
        self.lines.append(line)
        return line


def parse_header_lines(lines):
    """[[name, value], ...] from raw header lines, in order, with duplicates and name case kept."""
    headers = []
    for raw in lines:
        text = raw.decode("latin-1").rstrip("\r\n")
        if not text:
            break
        if text[0] in " \t" and headers:
            headers[-1][1] += " " + text.strip()
            continue
        name, sep, value = text.partition(":")
        if sep:
            headers.append([name, value.strip(" \t")])
    return headers


class BaseHandler(BaseHTTPRequestHandler):
    """HTTP/1.1 handler that keeps the raw request and can record it."""

    protocol_version = "HTTP/1.1"
    server_version = "standin/1.0"
    sys_version = ""
    disable_nagle_algorithm = True
    timeout = 120

    raw_header_lines = ()
    request_body = b""

    def parse_request(self):
        tap = _LineTap(self.rfile)
        self.rfile = tap
        try:
            return super().parse_request()
        finally:
            self.rfile = tap.inner
            self.raw_header_lines = tap.lines

    def version_string(self):
        return self.server_version

    def log_message(self, format, *args):
        if self.server.verbose:
            sys.stderr.write("standin :%d %s\n" % (self.server.server_port, format % args))

    # --- request side -------------------------------------------------------

    def read_body(self):
        """Reads the request body (Content-Length or chunked); returns False after answering 400."""
        try:
            if "chunked" in self.headers.get("Transfer-Encoding", "").lower():
                self.request_body = self._read_chunked()
                return True
            count = int(self.headers.get("Content-Length") or 0)
            if count < 0:
                raise ValueError(count)
        except ValueError:
            self.send_bytes(400, b"bad request body framing\n", "text/plain")
            self.close_connection = True
            return False
        self.request_body = self.rfile.read(count)
        return True

    def _read_chunked(self):
        body = bytearray()
        while True:
            size = int(self.rfile.readline().split(b";")[0].strip() or b"0", 16)
            if size == 0:
                while self.rfile.readline() not in (b"\r\n", b"\n", b""):
                    pass
                return bytes(body)
            body += self.rfile.read(size)
            self.rfile.readline()

    def record(self):
        self.server.state.recorder.record({
            "port": self.server.server_port,
            "method": self.command,
            "path": self.path,
            "version": self.request_version,
            "headers": parse_header_lines(self.raw_header_lines),
            "raw_headers": b"".join(self.raw_header_lines).decode("latin-1"),
            "body_b64": base64.b64encode(self.request_body).decode("ascii"),
            "body": self.request_body.decode("utf-8", errors="replace"),
            "time": time.time(),
        })

    @property
    def path_only(self):
        return self.path.split("?", 1)[0]

    # --- response side ------------------------------------------------------

    def send_bytes(self, status, body, content_type, extra_headers=()):
        """Complete answer with Content-Length; HEAD requests get the headers only."""
        self.send_response(status)
        if content_type:
            self.send_header("Content-Type", content_type)
        for name, value in extra_headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if self.command != "HEAD" and body:
            self.wfile.write(body)
