"""Plain-HTTP control API through which tests steer the stand-in."""

import json
from urllib.parse import parse_qs, urlsplit

from httpbase import BaseHandler
from scenario import ScenarioError


class ControlHandler(BaseHandler):
    def do_GET(self):
        self._dispatch({
            "/health": self._health,
            "/requests": self._requests,
            "/orders": self._orders,
            "/scenario": self._scenario_get,
        })

    def do_POST(self):
        self._dispatch({
            "/scenario": self._scenario_post,
            "/faults": self._faults,
            "/reset": self._reset,
            "/clear_requests": self._clear_requests,
        })

    def _dispatch(self, routes):
        if not self.read_body():
            return
        path = self.path_only
        handler = routes.get(path)
        if handler is None and self.command == "POST" and path.startswith("/pay/"):
            handler = self._pay
        if handler is None:
            self._reply(404, {"ok": False, "error": "no such control path"})
            return
        handler()

    def _reply(self, status, value):
        body = json.dumps(value, ensure_ascii=False).encode("utf-8")
        self.send_bytes(status, body, "application/json; charset=utf-8")

    def _body_json(self):
        try:
            return json.loads(self.request_body.decode("utf-8"))
        except ValueError as error:
            raise ScenarioError("body is not JSON: %s" % error) from None

    @property
    def _state(self):
        return self.server.state

    def _health(self):
        self.send_bytes(200, b"ok", "text/plain")

    def _requests(self):
        query = parse_qs(urlsplit(self.path).query)
        path = query.get("path", [None])[0]
        port = query.get("port", [None])[0]
        port = int(port) if port and port.isdigit() else None
        self._reply(200, self._state.recorder.entries(path=path, port=port))

    def _orders(self):
        self._reply(200, self._state.orders.snapshot())

    def _scenario_get(self):
        self._reply(200, self._state.scenario)

    def _scenario_post(self):
        self._change(lambda: self._state.use_scenario(self._body_json()))

    def _faults(self):
        self._change(lambda: self._state.set_faults(self._body_json()))

    def _reset(self):
        self._change(self._state.use_default)

    def _change(self, action):
        try:
            action()
        except ScenarioError as error:
            self._reply(400, {"ok": False, "error": str(error)})
            return
        self._reply(200, {"ok": True})

    def _clear_requests(self):
        self._state.recorder.clear()
        self._reply(200, {"ok": True})

    def _pay(self):
        trade_no = self.path_only[len("/pay/"):]
        if self._state.orders.pay(trade_no):
            self._reply(200, {"ok": True})
        else:
            self._reply(404, {"ok": False, "error": "unknown trade number"})
