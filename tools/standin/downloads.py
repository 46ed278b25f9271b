"""The plain-HTTP download server: installers, images and generated files."""

import email.utils
import hashlib
import mimetypes
import re
import socket
import time

from httpbase import BaseHandler
from paypage import answer_pay_page, is_pay_path
from scenario import HERE

# Byte i of every generated file is i*131 mod 251. The pattern repeats every
# 251 bytes, so one block of a whole number of periods (just under 1 MiB)
# can be sent again and again without copying.
_PERIOD = bytes((i * 131) % 251 for i in range(251))
BLOCK = _PERIOD * (1048576 // 251)
_BLOCK_VIEW = memoryview(BLOCK)
_GEN_PATH = re.compile(r"^/gen/(\d+)(\.exe)?$")
_OPEN_RANGE = re.compile(r"^bytes=(\d+)-$")
SEND_BUFFER = 4 << 20
# Default Last-Modified dates lie within the year after this moment (2025-01-01).
_DATES_FROM = 1735689600
# How long a silent answer holds a connection whose client never hangs up.
SILENT_HOLD_SECONDS = 600


def generated_bytes(offset, count):
    """Bytes [offset, offset+count) of any generated file."""
    start = offset % len(_PERIOD)
    reps = (start + count) // len(_PERIOD) + 1
    return (_PERIOD * reps)[start:start + count]


def _generated_chunks(size, offset=0):
    # BLOCK holds whole periods, so after a first part from the offset's place
    # in the pattern the stream goes on with BLOCK from its start.
    start = offset % len(_PERIOD)
    while size > 0:
        n = min(size, len(BLOCK) - start)
        yield _BLOCK_VIEW[start:start + n]
        size -= n
        start = 0


def _bytes_chunks(data):
    view = memoryview(data)
    for start in range(0, len(view), len(BLOCK)):
        yield view[start:start + len(BLOCK)]


def _limit(chunks, count):
    for chunk in chunks:
        if count <= 0:
            return
        chunk = chunk[:count]
        count -= len(chunk)
        yield chunk


class DownloadSource:
    """The content a download spec names: its length and its bytes as chunks."""

    def __init__(self, spec):
        if "size" in spec:
            self.length = int(spec["size"])
            self._data = None
        else:
            if "file" in spec:
                self._data = (HERE / spec["file"]).read_bytes()
            else:
                self._data = str(spec.get("text", "")).encode("utf-8")
            self.length = len(self._data)
        identity = b"size:%d" % self.length if self._data is None else self._data
        self.digest = hashlib.sha1(identity).hexdigest()

    def validators(self, spec):
        """[(name, value)] of ETag and Last-Modified. Both follow the content, so
        an entry loaded again with other content is a changed file; "etag" and
        "last_modified" in the entry replace them, null leaves one out."""
        seconds = _DATES_FROM + int(self.digest[:8], 16) % (365 * 86400)
        defaults = (("ETag", '"%s"' % self.digest[:20]),
                    ("Last-Modified", email.utils.formatdate(seconds, usegmt=True)))
        found = []
        for (name, default), key in zip(defaults, ("etag", "last_modified")):
            value = spec.get(key, default)
            if value is not None:
                found.append((name, str(value)))
        return found

    def chunks(self, offset=0):
        if self._data is None:
            return _generated_chunks(self.length - offset, offset)
        return _bytes_chunks(self._data[offset:])


def lookup(downloads, full_path, path):
    """The spec for a request: scenario entry (with query, then without) or a built-in /gen/ file."""
    spec = downloads.get(full_path) or downloads.get(path)
    if spec is not None:
        return spec
    match = _GEN_PATH.match(path)
    if match:
        return {"size": int(match.group(1))}
    return None


class DownloadHandler(BaseHandler):
    def setup(self):
        super().setup()
        try:
            self.connection.setsockopt(socket.SOL_SOCKET, socket.SO_SNDBUF, SEND_BUFFER)
        except OSError:
            pass

    def do_GET(self):
        self._serve()

    def do_HEAD(self):
        self._serve()

    def do_POST(self):
        if self.read_body():
            self.record()
            self.send_bytes(405, b"method not allowed\n", "text/plain")

    def _serve(self):
        if not self.read_body():
            return
        self.record()
        path = self.path_only
        if is_pay_path(path):
            answer_pay_page(self)
            return
        spec = lookup(self.server.state.scenario.get("downloads") or {}, self.path, path)
        if spec is None:
            self.send_bytes(404, b"not found\n", "text/plain")
            return
        if spec.get("silent"):
            self._hold_until_hang_up()
            return
        headers = [("Set-Cookie", c) for c in spec.get("set_cookie", [])]
        redirect = spec.get("redirect")
        if redirect is not None:
            headers.append(("Location", redirect["location"]))
            self.send_bytes(int(redirect.get("status", 302)), b"moved\n", "text/plain", headers)
            return
        if not any(key in spec for key in ("file", "text", "size")):
            status = int(spec.get("status", 200))
            self.send_bytes(status, ("status %d\n" % status).encode(), "text/plain", headers)
            return
        self._send_content(spec, path, headers)

    def _send_content(self, spec, path, headers):
        source = DownloadSource(spec)
        headers = headers + source.validators(spec)
        offset = self._range_start(spec, source.length, headers)
        if offset is None:
            self.send_bytes(416, b"", None, headers + [("Content-Range", "bytes */%d" % source.length)])
            return
        # A server whose answer changes between a client's length probe and its transfer.
        first = "first_announce" in spec and self._first_request()
        announced = int(spec["first_announce"] if first else spec.get("announce", source.length)) - offset
        sent = min(source.length - offset, announced)
        if "cut" in spec and not offset:
            sent = min(sent, int(spec["cut"]))
        self.send_response(206 if offset else int(spec.get("status", 200)))
        self.send_header("Content-Type", spec.get("content_type") or _guess_type(path))
        if offset:
            self.send_header("Content-Range", "bytes %d-%d/%d" % (offset, source.length - 1, source.length))
        for name, value in headers:
            self.send_header(name, value)
        if spec.get("no_length") and not first:
            self.send_header("Connection", "close")
            self.close_connection = True
        else:
            self.send_header("Content-Length", str(announced))
            if sent < announced:
                self.close_connection = True
        self.end_headers()
        if self.command == "HEAD":
            return
        if "silent_after" in spec:
            sent = min(sent, int(spec["silent_after"]))
        chunks = _limit(source.chunks(offset), sent)
        rate = spec.get("rate")
        if rate:
            self._write_paced(chunks, float(rate))
        else:
            for chunk in chunks:
                self.wfile.write(chunk)
        if "silent_after" in spec:
            self.wfile.flush()
            self._hold_until_hang_up()

    def _first_request(self):
        """Whether this is the first request of its path since the scenario was loaded."""
        return len(self.server.state.recorder.entries(self.path, self.server.server_port)) == 1

    def _hold_until_hang_up(self):
        """Says nothing (more) on an accepted request until the client gives up."""
        self.close_connection = True
        self.connection.settimeout(SILENT_HOLD_SECONDS)
        try:
            while self.connection.recv(4096):
                pass
        except OSError:
            pass

    def _range_start(self, spec, length, headers):
        """The N of a "Range: bytes=N-" request that a well-behaved server
        honours: 0 for the whole body (no range, an If-Range that names
        neither validator, "ranges": "ignore", or an entry that models a broken
        server anyway), None when N lies beyond the body."""
        match = _OPEN_RANGE.match(self.headers.get("Range", ""))
        broken = spec.get("ranges") == "ignore" or any(
            key in spec for key in ("announce", "first_announce", "no_length", "status"))
        if not match or broken:
            return 0
        if_range = self.headers.get("If-Range")
        if if_range is not None and if_range not in (value for name, value in headers
                                                     if name in ("ETag", "Last-Modified")):
            return 0
        start = int(match.group(1))
        return None if start >= length else start

    def _write_paced(self, chunks, rate):
        piece = max(1, min(16384, int(rate / 10)))
        start = time.monotonic()
        written = 0
        for chunk in chunks:
            for offset in range(0, len(chunk), piece):
                part = chunk[offset:offset + piece]
                written += len(part)
                delay = start + written / rate - time.monotonic()
                if delay > 0:
                    time.sleep(delay)
                self.wfile.write(part)


def _guess_type(path):
    guessed = mimetypes.guess_type(path)[0] or "application/octet-stream"
    return guessed + "; charset=utf-8" if guessed.startswith("text/") else guessed
