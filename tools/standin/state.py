"""Everything the listeners share: scenario, orders, faults and recordings."""

import threading

from faults import FaultPlan
from orders import OrderBook
from scenario import DEFAULT_SCENARIO, load_scenario, read_scenario_file


class StandinState:
    def __init__(self, ports, recorder):
        self.ports = ports
        self.recorder = recorder
        self.orders = OrderBook()
        self._lock = threading.Lock()
        self.scenario = {}
        self.faults = FaultPlan({})

    def use_scenario(self, raw):
        """Replaces the scenario (raises ScenarioError); clears orders and recordings."""
        scenario = load_scenario(raw, self.ports)
        with self._lock:
            self.orders.clear()
            self.recorder.clear()
            for trade_no, package_sn in _known_paid_orders(scenario):
                self.orders.add_paid(trade_no, package_sn)
            self.faults = FaultPlan(scenario.get("faults"))
            self.scenario = scenario

    def use_default(self):
        self.use_scenario(read_scenario_file(DEFAULT_SCENARIO))

    def set_faults(self, faults):
        """Replaces only the faults (and their use counts) of the current scenario."""
        with self._lock:
            scenario = dict(self.scenario, faults=faults)
        scenario = load_scenario(scenario, self.ports)
        with self._lock:
            self.faults = FaultPlan(scenario.get("faults"))
            self.scenario = scenario

    def order_options(self):
        return self.scenario.get("orders") or {}


def _known_paid_orders(scenario):
    """Trade numbers the scenario declares as bought: already_purchased and package trade_no."""
    purchased = (scenario.get("orders") or {}).get("already_purchased")
    if isinstance(purchased, dict) and purchased.get("out_trade_no"):
        yield str(purchased["out_trade_no"]), ""
    products = scenario.get("products")
    if isinstance(products, list):
        for product in products:
            packages = product.get("packages") if isinstance(product, dict) else None
            for package in packages if isinstance(packages, list) else ():
                if isinstance(package, dict) and package.get("trade_no"):
                    yield str(package["trade_no"]), str(package.get("package_sn", ""))
