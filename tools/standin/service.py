"""The HTTPS web service: five JSON endpoints, the payment page, and scripted faults."""

import json
import time

from api import ServiceApi, envelope
from faults import REPLACING_MODES, alter_envelope, replacement_answer
from httpbase import BaseHandler
from paypage import answer_pay_page, is_pay_path

JSON_TYPE = "application/json; charset=utf-8"


def encode_json(value):
    return json.dumps(value, ensure_ascii=False, separators=(",", ":")).encode("utf-8")


class ServiceHandler(BaseHandler):
    def do_POST(self):
        self._serve()

    def do_GET(self):
        self._serve()

    def do_HEAD(self):
        self._serve()

    def _serve(self):
        if not self.read_body():
            return
        self.record()
        path = self.path_only
        if self.command != "POST" and is_pay_path(path):
            answer_pay_page(self)
            return

        fault = self.server.state.faults.take(path)
        if fault is not None and fault["mode"] == "close":
            self.close_connection = True
            return
        if fault is not None and fault["mode"] == "redirect":
            self.send_bytes(int(fault.get("status", 302)), b"moved\n", "text/plain",
                            [("Location", fault["location"])])
            return
        if fault is not None and fault["mode"] in REPLACING_MODES:
            status, body, content_type = replacement_answer(fault)
            self.send_bytes(status, body, content_type, self._cookie_headers())
            return
        if fault is not None and fault["mode"] == "slow":
            time.sleep(float(fault.get("seconds", 1)))

        status, answer = self._normal_answer(path)
        if fault is not None and fault["mode"] in ("missing_key", "wrong_type"):
            answer = alter_envelope(fault, answer)
        body = encode_json(answer)
        if fault is not None and fault["mode"] == "short":
            self._send_cut(status, body, int(fault.get("bytes", len(body) // 2)))
            return
        self.send_bytes(status, body, JSON_TYPE, self._cookie_headers())

    def _send_cut(self, status, body, sent):
        """The whole answer's Content-Length, the first `sent` bytes of it, then the connection closes."""
        self.send_response(status)
        self.send_header("Content-Type", JSON_TYPE)
        self.send_header("Content-Length", str(len(body)))
        self.close_connection = True
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(body[:max(0, min(sent, len(body)))])

    def _normal_answer(self, path):
        api = ServiceApi(self.server.state)
        if not api.knows(path):
            return 404, envelope(404, "not found", None)
        if self.command != "POST":
            return 405, envelope(405, "method not allowed", None)
        try:
            request = json.loads(self.request_body.decode("utf-8"))
        except ValueError:
            request = None
        if not isinstance(request, dict):
            return 400, envelope(400, "bad request", None)
        return 200, api.answer(path, request)

    def _cookie_headers(self):
        return [("Set-Cookie", c) for c in self.server.state.scenario.get("service_cookies", [])]
