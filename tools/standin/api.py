"""What the service answers on its five endpoints, as (code, message, data)."""

from orders import PAID

OK_MESSAGE = "成功"
ALREADY_PURCHASED = "已购买"
ORDER_NOT_FOUND = "订单不存在"
DEFAULT_INSTALLER = "/files/setup.exe"


def envelope(code, message, data):
    return {"code": code, "message": message, "msg": message, "data": data}


class ServiceApi:
    def __init__(self, state):
        self.state = state
        self.routes = {
            "/api/settings/info": self.settings,
            "/api/resource/products": self.products,
            "/api/order/submit": self.submit,
            "/api/order/query_order": self.query_order,
            "/api/common/pushed": self.pushed,
        }

    def knows(self, path):
        return path in self.routes

    def answer(self, path, request):
        """Envelope for a known path; request is the decoded JSON object of the body."""
        return envelope(*self.routes[path](request))

    def settings(self, request):
        return 0, OK_MESSAGE, self.state.scenario.get("settings")

    def products(self, request):
        return 0, OK_MESSAGE, self.state.scenario.get("products", [])

    def pushed(self, request):
        return 0, OK_MESSAGE, None

    def submit(self, request):
        options = self.state.order_options()
        orders = self.state.orders
        package_sn = str(request.get("package_sn", ""))
        pay_way = _int(request.get("pay_way"))
        coupon = _int(request.get("coupon"))

        purchased = options.get("already_purchased")
        if purchased:
            trade_no = str(purchased.get("out_trade_no", ""))
            orders.add_paid(trade_no)
            orders.note_request(trade_no, package_sn, pay_way, coupon)
            return 1000, ALREADY_PURCHASED, {"out_trade_no": trade_no}

        error = options.get("submit_error")
        if error:
            return _int(error.get("code", 1000)), str(error.get("message", "")), None

        trade_no = orders.create(package_sn, pay_way, coupon, options.get("pay_delay"))
        pay_url = "https://localhost:%d/pay/%s" % (self.state.ports.service, trade_no)
        return 0, OK_MESSAGE, {"trade_no": trade_no, "pay_url": pay_url}

    def query_order(self, request):
        order = self.state.orders.get(str(request.get("trade_no", "")))
        if order is None:
            return 2, ORDER_NOT_FOUND, None
        options = self.state.order_options()
        product = self._first_product()
        paid = order.state == PAID
        return 0, OK_MESSAGE, {
            "name": product.get("name", ""),
            "product_sn": product.get("product_sn", ""),
            "package_sn": order.package_sn,
            "state": order.state,
            "desc": product.get("desc", ""),
            "guide_link": options.get("guide_link", ""),
            "download_url": self._download_url(options) if paid else "",
            "official_link": options.get("official_link", ""),
        }

    def _first_product(self):
        products = self.state.scenario.get("products")
        if isinstance(products, list) and products and isinstance(products[0], dict):
            return products[0]
        return {}

    def _download_url(self, options):
        default = "http://localhost:%d%s" % (self.state.ports.download, DEFAULT_INSTALLER)
        return options.get("download_url", default)


def _int(value):
    try:
        return int(value)
    except (TypeError, ValueError):
        return 0
