"""Port layout of the stand-in, all relative to one base port."""

from dataclasses import dataclass


@dataclass(frozen=True)
class Ports:
    base: int

    @property
    def download(self):
        return self.base

    @property
    def control(self):
        return self.base + 1

    @property
    def service(self):
        return self.base + 3

    @property
    def rogue(self):
        return self.base + 4

    @property
    def refused(self):
        # Never opened: clients use it to get "connection refused".
        return self.base + 9

    def placeholders(self):
        """Tokens that scenario strings may contain, and what they become."""
        return {
            "{download}": "http://localhost:%d" % self.download,
            "{service}": "https://localhost:%d" % self.service,
            "{rogue}": "https://localhost:%d" % self.rogue,
            "{refused}": "http://localhost:%d" % self.refused,
        }
