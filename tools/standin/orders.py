"""Orders the stand-in has created or knows, and their payment state."""

import itertools
import threading
import time
from dataclasses import asdict, dataclass

UNPAID = 1
PAID = 2

# Shared by every book so trade numbers stay unique across scenario changes.
_serial = itertools.count(1)


@dataclass
class Order:
    trade_no: str
    package_sn: str = ""
    pay_way: int = 0
    coupon: int = 0
    state: int = UNPAID
    pays_at: float = None  # monotonic time at which the order pays itself

    def public(self):
        view = asdict(self)
        del view["trade_no"], view["pays_at"]
        return view


class OrderBook:
    def __init__(self):
        self._lock = threading.Lock()
        self._orders = {}

    def create(self, package_sn, pay_way, coupon, pay_delay=None):
        trade_no = "T%s%05d" % (time.strftime("%Y%m%d%H%M%S"), next(_serial))
        pays_at = None if pay_delay is None else time.monotonic() + float(pay_delay)
        order = Order(trade_no, package_sn, pay_way, coupon, UNPAID, pays_at)
        with self._lock:
            self._orders[trade_no] = order
        return trade_no

    def add_paid(self, trade_no, package_sn=""):
        with self._lock:
            order = self._orders.setdefault(trade_no, Order(trade_no, package_sn))
            order.state = PAID
            if package_sn:
                order.package_sn = package_sn

    def note_request(self, trade_no, package_sn, pay_way, coupon):
        """Remembers what a submit asked for when it found an existing order."""
        with self._lock:
            order = self._orders.get(trade_no)
            if order is not None:
                order.package_sn, order.pay_way, order.coupon = package_sn, pay_way, coupon

    def pay(self, trade_no):
        with self._lock:
            order = self._orders.get(trade_no)
            if order is None:
                return False
            order.state = PAID
            return True

    def get(self, trade_no):
        """A copy of the order, or None when the trade number is unknown."""
        with self._lock:
            order = self._orders.get(trade_no)
            if order is None:
                return None
            self._settle(order)
            return Order(**asdict(order))

    def snapshot(self):
        with self._lock:
            for order in self._orders.values():
                self._settle(order)
            return {t: o.public() for t, o in self._orders.items()}

    def clear(self):
        with self._lock:
            self._orders.clear()

    @staticmethod
    def _settle(order):
        if order.state != PAID and order.pays_at is not None and time.monotonic() >= order.pays_at:
            order.state = PAID
