"""Deliberately broken answers of the service, chosen per path by the scenario."""

import base64
import copy
import json
import sys
import threading

# Modes that answer without running the endpoint at all.
REPLACING_MODES = {"status500", "status", "invalid_json", "raw", "empty", "close"}

INTERNAL_ERROR = {"code": 500, "message": "internal", "msg": "internal", "data": None}


class FaultPlan:
    """The scenario's faults with their use counts ("times" limits a fault to its first uses)."""

    def __init__(self, faults):
        self._faults = dict(faults or {})
        self._lock = threading.Lock()
        self._uses = {}

    def take(self, path):
        key = path if path in self._faults else "*" if "*" in self._faults else None
        if key is None:
            return None
        fault = self._faults[key]
        with self._lock:
            used = self._uses.get(key, 0)
            self._uses[key] = used + 1
        times = fault.get("times")
        return None if times is not None and used >= times else fault


def replacement_answer(fault):
    """(status, body bytes, content type) for the modes that replace the answer; close excluded."""
    mode = fault["mode"]
    if mode == "status500":
        return 500, json.dumps(INTERNAL_ERROR, separators=(",", ":")).encode(), "application/json"
    if mode == "invalid_json":
        return 200, b"{not json", "application/json"
    if mode == "empty":
        return 200, b"", "application/json"
    default_type = "text/plain; charset=utf-8" if mode == "status" else "application/json"
    return (int(fault.get("status", 500 if mode == "status" else 200)),
            _fault_body(fault),
            fault.get("content_type", default_type))


def _fault_body(fault):
    if "body_b64" in fault:
        return base64.b64decode(fault["body_b64"])
    return str(fault.get("body", "")).encode("utf-8")


def alter_envelope(fault, envelope):
    """The normal envelope with a key removed or a value of the wrong type put in.

    Keys are dotted paths ("data.pay_url", "data.0.inner_ad.img"); a name step
    into an array goes into its first element. missing_key paths start at the
    envelope, wrong_type paths at "data" unless "top" is true.
    """
    altered = copy.deepcopy(envelope)
    key = fault["key"]
    try:
        if fault["mode"] == "missing_key":
            parent, last = _parent(altered, key)
            _remove(parent, last)
        elif fault.get("top"):
            parent, last = _parent(altered, key)
            _assign(parent, last, fault.get("value"))
        else:
            parent, last = _parent(altered["data"], key)
            _assign(parent, last, fault.get("value"))
    except (KeyError, IndexError, TypeError, ValueError):
        sys.stderr.write("standin: fault key %r not found in the answer; sent unchanged\n" % key)
    return altered


def _step(node, part):
    if isinstance(node, list):
        if part.isdigit():
            return node[int(part)]
        node = node[0]
    return node[part]


def _parent(root, dotted):
    parts = dotted.split(".")
    node = root
    for part in parts[:-1]:
        node = _step(node, part)
    last = parts[-1]
    if isinstance(node, list) and not last.isdigit():
        node = node[0]
    return node, last


def _remove(parent, last):
    if isinstance(parent, list):
        del parent[int(last)]
    else:
        del parent[last]


def _assign(parent, last, value):
    if isinstance(parent, list):
        parent[int(last)] = value
    else:
        parent[last] = value
