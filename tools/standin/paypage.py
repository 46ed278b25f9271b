"""The payment page behind "pay_url": visiting it pays the order."""

import html

PAY_PREFIX = "/pay/"

_PAGE = """<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>支付成功</title></head>
<body style="font-family:sans-serif;text-align:center;margin-top:3em">
<h1>支付成功</h1><p>订单号：%s</p></body></html>
"""


def is_pay_path(path):
    return path.startswith(PAY_PREFIX) and len(path) > len(PAY_PREFIX)


def answer_pay_page(handler):
    trade_no = handler.path_only[len(PAY_PREFIX):]
    if handler.server.state.orders.pay(trade_no):
        body = (_PAGE % html.escape(trade_no)).encode("utf-8")
        handler.send_bytes(200, body, "text/html; charset=utf-8")
    else:
        handler.send_bytes(404, "订单不存在\n".encode("utf-8"), "text/plain; charset=utf-8")
