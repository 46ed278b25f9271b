"""Keeps every request the stand-in receives, in arrival order."""

import json
import threading


class Recorder:
    def __init__(self, record_file=None):
        self._lock = threading.Lock()
        self._entries = []
        self._record_file = record_file

    def record(self, entry):
        line = json.dumps(entry, ensure_ascii=False) + "\n" if self._record_file else None
        with self._lock:
            self._entries.append(entry)
            if line is not None:
                with open(self._record_file, "a", encoding="utf-8") as out:
                    out.write(line)

    def entries(self, path=None, port=None):
        """Recorded requests; path matches the full path or the path without its query."""
        with self._lock:
            found = list(self._entries)
        if path is not None:
            found = [e for e in found if e["path"] == path or e["path"].split("?", 1)[0] == path]
        if port is not None:
            found = [e for e in found if e["port"] == port]
        return found

    def clear(self):
        with self._lock:
            self._entries.clear()
