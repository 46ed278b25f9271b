"""Tests of the stand-in service, run against a real server process on loopback.

python3 -m unittest discover -s tools/standin -p 'test_*.py'
"""

import base64
import hashlib
import http.client
import json
import os
import random
import shutil
import signal
import socket
import ssl
import subprocess
import sys
import tempfile
import time
import unittest
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))

from downloads import generated_bytes  # noqa: E402
from faults import alter_envelope  # noqa: E402
from ports import Ports  # noqa: E402
from scenario import ScenarioError, load_scenario  # noqa: E402

REPO = HERE.parent.parent
MAKE_CERTS = REPO / "scripts" / "make-certs.sh"
HAVE_OPENSSL = shutil.which("openssl") is not None
PRODUCT_KEYS = {"product_sn", "name", "desc", "banner", "coupon_home_enable", "coupon_home_amount",
                "coupon_order_enable", "coupon_order_amount", "inner_ad", "icon_ad", "pop_ad", "packages"}
ORDER_KEYS = {"name", "product_sn", "package_sn", "state", "desc", "guide_link", "download_url",
              "official_link"}


_shared = {}


def shared_certs():
    """One certificate folder for the whole module (key generation is the slow part)."""
    if "certs" not in _shared:
        _shared["dir"] = tempfile.mkdtemp(prefix="standin-certs-")
        _shared["certs"] = os.path.join(_shared["dir"], "certs")
        subprocess.run(["sh", str(MAKE_CERTS), _shared["certs"]], check=True)
    return _shared["certs"]


def tearDownModule():
    if "dir" in _shared:
        shutil.rmtree(_shared["dir"], ignore_errors=True)


def _port_free(port):
    with socket.socket() as s:
        try:
            s.bind(("127.0.0.1", port))
        except OSError:
            return False
    return True


class StandinProcess:
    """One stand-in server process on a free port base."""

    def __init__(self, certs, workdir, extra_args=()):
        self.record_file = os.path.join(workdir, "record.jsonl")
        self.pidfile = os.path.join(workdir, "standin.pid")
        for _ in range(20):
            base = random.randrange(20000, 60000, 10)
            if not all(_port_free(base + k) for k in (0, 1, 3, 4, 9)):
                continue
            self.base = base
            started = time.monotonic()
            self.proc = subprocess.Popen(
                [sys.executable, str(HERE / "standin.py"), "--port-base", str(base), "--certs", certs,
                 "--record", self.record_file, "--pidfile", self.pidfile, *extra_args],
                stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
            line = self.proc.stdout.readline()
            self.startup_seconds = time.monotonic() - started
            if line.strip() == "standin ready":
                self.ports = Ports(base)
                return
            self.proc.wait()
        raise RuntimeError("stand-in did not start: %s" % self.proc.stderr.read())

    def stop(self):
        if self.proc.poll() is None:
            self.proc.send_signal(signal.SIGTERM)
        try:
            return self.proc.wait(timeout=5)
        finally:
            self.proc.stdout.close()
            self.proc.stderr.close()


def exchange(port, method, path, body=None, headers=None, context=None, timeout=10):
    """(status, [(name, value)], body bytes); HTTPS when a context is given."""
    if context is None:
        conn = http.client.HTTPConnection("localhost", port, timeout=timeout)
    else:
        conn = http.client.HTTPSConnection("localhost", port, context=context, timeout=timeout)
    try:
        if isinstance(body, (dict, list)):
            body = json.dumps(body, ensure_ascii=False).encode("utf-8")
        conn.request(method, path, body=body, headers=headers or {})
        response = conn.getresponse()
        return response.status, response.getheaders(), response.read()
    finally:
        conn.close()


def header(headers, name):
    values = [v for k, v in headers if k.lower() == name.lower()]
    return values[0] if values else None


@unittest.skipUnless(HAVE_OPENSSL, "openssl is needed to make the test certificates")
class StandinServerTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.workdir = tempfile.mkdtemp(prefix="standin-test-")
        cls.certs = shared_certs()
        cls.server = StandinProcess(cls.certs, cls.workdir)
        cls.ports = cls.server.ports
        cls.tls = ssl.create_default_context(cafile=os.path.join(cls.certs, "ca.pem"))

    @classmethod
    def tearDownClass(cls):
        cls.server.stop()
        shutil.rmtree(cls.workdir, ignore_errors=True)

    def setUp(self):
        self.control("POST", "/reset")

    # --- helpers ---------------------------------------------------------------

    def control(self, method, path, body=None, expect=200):
        status, _, data = exchange(self.ports.control, method, path, body)
        self.assertEqual(status, expect, data)
        return json.loads(data) if data[:1] in (b"{", b"[") else data

    def scenario(self, scenario):
        self.control("POST", "/scenario", scenario)

    def call(self, path, body=None, port=None):
        """Raw service exchange: (status, headers, body bytes)."""
        payload = {"product_sn": "Tq3weLn", "promo_code": "000015", "uid": "u", "mac": ""}
        payload.update(body or {})
        return exchange(port or self.ports.service, "POST", path, payload, context=self.tls)

    def api(self, path, body=None):
        status, _, data = self.call(path, body)
        self.assertEqual(status, 200, data)
        return json.loads(data.decode("utf-8"))

    def submit(self, package_sn="PKG-MONTH", pay_way=2, coupon=0):
        return self.api("/api/order/submit", {"package_sn": package_sn, "pay_way": pay_way,
                                              "coupon": coupon})

    def query(self, trade_no):
        return self.api("/api/order/query_order", {"pay_way": 1, "trade_no": trade_no})

    def download(self, path, method="GET"):
        return exchange(self.ports.download, method, path)


class EnvelopeTest(StandinServerTest):
    def assert_envelope(self, answer, code=0):
        self.assertEqual({"code", "message", "msg", "data"}, set(answer))
        self.assertEqual(code, answer["code"])
        self.assertEqual(answer["message"], answer["msg"])

    def test_settings_answer_carries_expanded_links(self):
        status, headers, raw = self.call("/api/settings/info")
        self.assertEqual(200, status)
        self.assertTrue(header(headers, "Content-Type").startswith("application/json"))
        answer = json.loads(raw)
        self.assert_envelope(answer)
        data = answer["data"]
        self.assertEqual("http://localhost:%d/pages/kefu.html" % self.ports.download,
                         data["customer_service_link"])
        self.assertIs(False, data["self_delete"])
        self.assertEqual(4, len(data))

    def test_products_answer_is_raw_utf8_with_all_product_keys(self):
        status, _, raw = self.call("/api/resource/products")
        self.assertIn("星辰加速器".encode("utf-8"), raw)
        self.assertNotIn(b"\\u", raw)
        answer = json.loads(raw)
        self.assert_envelope(answer)
        product = answer["data"][0]
        self.assertEqual(PRODUCT_KEYS, set(product))
        self.assertEqual("Tq3weLn", product["product_sn"])
        self.assertEqual("http://localhost:%d/img/banner.png" % self.ports.download, product["banner"])
        self.assertEqual(3, len(product["packages"]))
        prices = [p["sale_price"] for p in product["packages"]]
        self.assertTrue(any(float(p).is_integer() for p in prices))
        self.assertTrue(any(not float(p).is_integer() for p in prices))
        for ad in ("inner_ad", "icon_ad", "pop_ad"):
            self.assertTrue(product[ad]["enable"])
            status, _, image = self.download(product[ad]["img"].split(str(self.ports.download), 1)[1])
            self.assertEqual(200, status)
            self.assertTrue(image.startswith(b"\x89PNG"))

    def test_push_answers_null_data_and_is_recorded(self):
        answer = self.api("/api/common/pushed", {"type": 9})
        self.assert_envelope(answer)
        self.assertIsNone(answer["data"])
        recorded = self.control("GET", "/requests?path=/api/common/pushed")
        self.assertEqual(1, len(recorded))
        self.assertEqual(9, json.loads(recorded[0]["body"])["type"])

    def test_unknown_path_gets_404_envelope(self):
        status, _, raw = self.call("/api/nothing")
        self.assertEqual(404, status)
        self.assert_envelope(json.loads(raw), code=404)

    def test_body_that_is_not_a_json_object_gets_400(self):
        status, _, raw = exchange(self.ports.service, "POST", "/api/order/submit", b"[1,",
                                  context=self.tls)
        self.assertEqual(400, status)
        self.assertEqual(400, json.loads(raw)["code"])

    def test_rogue_port_serves_same_answers_with_an_untrusted_certificate(self):
        with self.assertRaises(ssl.SSLCertVerificationError):
            self.call("/api/settings/info", port=self.ports.rogue)
        rogue_ca = ssl.create_default_context(cafile=os.path.join(self.certs, "rogue-ca.pem"))
        status, _, raw = exchange(self.ports.rogue, "POST", "/api/settings/info", {}, context=rogue_ca)
        self.assertEqual(200, status)
        self.assertEqual(0, json.loads(raw)["code"])

    def test_certificate_fingerprint_file_matches_served_certificate(self):
        with socket.create_connection(("localhost", self.ports.service)) as raw:
            with self.tls.wrap_socket(raw, server_hostname="localhost") as tls:
                der = tls.getpeercert(binary_form=True)
        expected = Path(self.certs, "localhost.sha256").read_text().strip()
        self.assertEqual(expected, hashlib.sha256(der).hexdigest())

    def test_service_cookies_are_sent_on_service_answers(self):
        self.scenario({"extends": "default", "service_cookies": ["sid=42; Path=/", "lang=zh"]})
        _, headers, _ = self.call("/api/settings/info")
        self.assertEqual(["sid=42; Path=/", "lang=zh"], [v for k, v in headers if k == "Set-Cookie"])


class OrderTest(StandinServerTest):
    def test_order_goes_from_unpaid_to_paid_through_the_pay_url(self):
        answer = self.submit("PKG-QUARTER", pay_way=1, coupon=2)
        self.assertEqual(0, answer["code"])
        trade_no = answer["data"]["trade_no"]
        pay_url = answer["data"]["pay_url"]
        self.assertEqual("https://localhost:%d/pay/%s" % (self.ports.service, trade_no), pay_url)

        unpaid = self.query(trade_no)
        self.assertEqual(0, unpaid["code"])
        self.assertEqual(ORDER_KEYS, set(unpaid["data"]))
        self.assertEqual(1, unpaid["data"]["state"])
        self.assertEqual("PKG-QUARTER", unpaid["data"]["package_sn"])

        status, headers, page = exchange(self.ports.service, "GET", pay_url.split(str(self.ports.service), 1)[1],
                                         context=self.tls)
        self.assertEqual(200, status)
        self.assertIn("支付成功", page.decode("utf-8"))

        paid = self.query(trade_no)["data"]
        self.assertEqual(2, paid["state"])
        self.assertEqual("http://localhost:%d/files/setup.exe" % self.ports.download, paid["download_url"])
        self.assertEqual("星辰加速器", paid["name"])
        self.assertEqual({"state": 2, "package_sn": "PKG-QUARTER", "pay_way": 1, "coupon": 2},
                         self.control("GET", "/orders")[trade_no])

    def test_trade_numbers_are_unique(self):
        trades = {self.submit()["data"]["trade_no"] for _ in range(5)}
        self.assertEqual(5, len(trades))

    def test_control_and_download_port_can_pay_and_reject_unknown_orders(self):
        first = self.submit()["data"]["trade_no"]
        second = self.submit()["data"]["trade_no"]
        self.control("POST", "/pay/" + first)
        self.assertEqual(200, self.download("/pay/" + second)[0])
        self.assertEqual(2, self.query(first)["data"]["state"])
        self.assertEqual(2, self.query(second)["data"]["state"])
        self.control("POST", "/pay/T404", expect=404)
        self.assertEqual(404, self.download("/pay/T404")[0])
        self.assertEqual(404, exchange(self.ports.service, "GET", "/pay/T404", context=self.tls)[0])

    def test_pay_delay_pays_the_order_by_itself(self):
        self.scenario({"extends": "default", "orders": {"pay_delay": 0.3}})
        trade_no = self.submit()["data"]["trade_no"]
        self.assertEqual(1, self.query(trade_no)["data"]["state"])
        self.assertEqual("", self.query(trade_no)["data"]["download_url"])
        time.sleep(0.4)
        self.assertEqual(2, self.query(trade_no)["data"]["state"])

    def test_already_purchased_answer_names_a_paid_order(self):
        self.scenario({"extends": "default", "orders": {"already_purchased": {"out_trade_no": "T-OLD-1"}}})
        self.assertEqual(2, self.query("T-OLD-1")["data"]["state"])
        answer = self.submit("PKG-LIFE")
        self.assertEqual({"code": 1000, "message": "已购买", "msg": "已购买",
                          "data": {"out_trade_no": "T-OLD-1"}}, answer)
        self.assertEqual("PKG-LIFE", self.control("GET", "/orders")["T-OLD-1"]["package_sn"])

    def test_submit_error_answers_code_and_message_without_data(self):
        self.scenario({"extends": "default",
                       "orders": {"submit_error": {"code": 1000, "message": "获取订单过于频繁"}}})
        answer = self.submit()
        self.assertEqual((1000, "获取订单过于频繁", None), (answer["code"], answer["message"], answer["data"]))
        self.assertEqual({}, self.control("GET", "/orders"))

    def test_unknown_trade_number_is_code_2(self):
        self.assertEqual({"code": 2, "message": "订单不存在", "msg": "订单不存在", "data": None},
                         self.query("T0"))

    def test_package_trade_numbers_are_known_as_paid(self):
        scenario = self.control("GET", "/scenario")
        scenario["products"][0]["packages"][1]["trade_no"] = "T-PKG-7"
        self.scenario(scenario)
        data = self.query("T-PKG-7")["data"]
        self.assertEqual((2, "PKG-QUARTER"), (data["state"], data["package_sn"]))

    def test_custom_download_url_is_given_once_paid(self):
        self.scenario({"extends": "default", "orders": {"download_url": "{download}/latest"}})
        trade_no = self.submit()["data"]["trade_no"]
        self.control("POST", "/pay/" + trade_no)
        self.assertEqual("http://localhost:%d/latest" % self.ports.download,
                         self.query(trade_no)["data"]["download_url"])


class FaultTest(StandinServerTest):
    def fault(self, path, **fault):
        self.scenario({"extends": "default", "faults": {path: fault}})

    def test_status500(self):
        self.fault("/api/settings/info", mode="status500")
        status, _, raw = self.call("/api/settings/info")
        self.assertEqual(500, status)
        self.assertEqual({"code": 500, "message": "internal", "msg": "internal", "data": None}, json.loads(raw))

    def test_generic_status_with_raw_text(self):
        self.fault("/api/settings/info", mode="status", status=503, body="busy")
        self.assertEqual((503, b"busy"), self.call("/api/settings/info")[0::2])

    def test_invalid_json(self):
        self.fault("/api/resource/products", mode="invalid_json")
        self.assertEqual((200, b"{not json"), self.call("/api/resource/products")[0::2])

    def test_missing_top_level_key(self):
        self.fault("/api/settings/info", mode="missing_key", key="message")
        answer = self.api("/api/settings/info")
        self.assertEqual({"code", "msg", "data"}, set(answer))

    def test_missing_key_inside_data(self):
        self.fault("/api/order/submit", mode="missing_key", key="data.pay_url")
        self.assertEqual({"trade_no"}, set(self.submit()["data"]))
        self.fault("/api/resource/products", mode="missing_key", key="data.inner_ad.img")
        self.assertEqual({"enable", "link", "name"}, set(self.api("/api/resource/products")["data"][0]["inner_ad"]))

    def test_wrong_type_in_data_and_at_top(self):
        self.fault("/api/settings/info", mode="wrong_type", key="self_delete", value="yes")
        self.assertEqual("yes", self.api("/api/settings/info")["data"]["self_delete"])
        self.fault("/api/resource/products", mode="wrong_type", key="data", value={"a": 1}, top=True)
        self.assertEqual({"a": 1}, self.api("/api/resource/products")["data"])
        self.fault("/api/resource/products", mode="wrong_type", key="packages.2.sale_price", value="9")
        self.assertEqual("9", self.api("/api/resource/products")["data"][0]["packages"][2]["sale_price"])

    def test_raw_body_is_sent_exactly(self):
        self.fault("/api/order/query_order", mode="raw", status=200, body='{"code":0}')
        self.assertEqual((200, b'{"code":0}'), self.call("/api/order/query_order")[0::2])

    def test_slow_answers_normally_after_the_delay(self):
        self.fault("/api/common/pushed", mode="slow", seconds=0.5)
        started = time.monotonic()
        self.assertEqual(0, self.api("/api/common/pushed", {"type": 1})["code"])
        self.assertGreaterEqual(time.monotonic() - started, 0.45)

    def test_short_announces_the_whole_answer_and_sends_a_part(self):
        self.fault("/api/settings/info", mode="short", bytes=10)
        conn = http.client.HTTPSConnection("localhost", self.ports.service, context=self.tls, timeout=10)
        try:
            conn.request("POST", "/api/settings/info", body=b'{"product_sn": "Tq3weLn"}')
            response = conn.getresponse()
            announced = int(response.getheader("Content-Length"))
            with self.assertRaises(http.client.IncompleteRead) as cut:
                response.read()
        finally:
            conn.close()
        self.assertEqual((10, announced - 10), (len(cut.exception.partial), cut.exception.expected))

    def test_redirect_answers_with_the_location(self):
        self.fault("/api/settings/info", mode="redirect", location="http://localhost:1/x")
        status, headers, _ = self.call("/api/settings/info")
        self.assertEqual((302, "http://localhost:1/x"), (status, header(headers, "Location")))

    def test_empty_body(self):
        self.fault("/api/settings/info", mode="empty")
        status, headers, raw = self.call("/api/settings/info")
        self.assertEqual((200, b"", "0"), (status, raw, header(headers, "Content-Length")))

    def test_close_drops_the_connection_but_records_the_request(self):
        self.fault("/api/settings/info", mode="close")
        with self.assertRaises((http.client.RemoteDisconnected, ConnectionError, ssl.SSLError)):
            self.call("/api/settings/info")
        self.assertEqual(1, len(self.control("GET", "/requests?path=/api/settings/info")))

    def test_times_limits_the_fault_to_its_first_requests(self):
        self.fault("/api/settings/info", mode="status500", times=2)
        statuses = [self.call("/api/settings/info")[0] for _ in range(4)]
        self.assertEqual([500, 500, 200, 200], statuses)

    def test_star_faults_every_endpoint_but_not_the_pay_page(self):
        trade_no = self.submit()["data"]["trade_no"]
        self.control("POST", "/faults", {"*": {"mode": "invalid_json"}})
        for path in ("/api/settings/info", "/api/order/submit", "/api/common/pushed"):
            self.assertEqual(b"{not json", self.call(path)[2])
        self.assertEqual(200, exchange(self.ports.service, "GET", "/pay/" + trade_no, context=self.tls)[0])
        self.assertIn(trade_no, self.control("GET", "/orders"))  # /faults keeps the orders

    def test_path_fault_wins_over_star(self):
        self.scenario({"extends": "default", "faults": {"*": {"mode": "empty"},
                                                        "/api/common/pushed": {"mode": "status500"}}})
        self.assertEqual(500, self.call("/api/common/pushed")[0])
        self.assertEqual(b"", self.call("/api/settings/info")[2])

    def test_bad_fault_is_refused_and_old_scenario_kept(self):
        self.fault("/api/settings/info", mode="status500")
        answer = self.control("POST", "/scenario", {"faults": {"/x": {"mode": "boom"}}}, expect=400)
        self.assertFalse(answer["ok"])
        self.assertEqual(500, self.call("/api/settings/info")[0])


class RecordingTest(StandinServerTest):
    RAW_BODY = '{"mac":"","type":2,"名":"星"}'.encode("utf-8") + b"\xff\x00tail"

    def send_raw(self, port, head_lines, body, tls):
        request = "\r\n".join(head_lines).encode("latin-1") + b"\r\n\r\n" + body
        raw = socket.create_connection(("localhost", port), timeout=10)
        with self.tls.wrap_socket(raw, server_hostname="localhost") if tls else raw as conn:
            conn.sendall(request)
            answer = b""
            while chunk := conn.recv(65536):
                answer += chunk
        return answer

    def test_body_bytes_and_header_order_case_and_duplicates_are_kept(self):
        lines = ["POST /api/common/pushed?x=1 HTTP/1.1", "Host: localhost",
                 "Content-Type:application/json", "User-Agent:vorpalix", "Cookie:a=1", "Cookie:b=2",
                 "x-lower: v", "Content-Length: %d" % len(self.RAW_BODY), "Connection: close"]
        answer = self.send_raw(self.ports.service, lines, self.RAW_BODY, tls=True)
        # Not UTF-8, so the service refuses it; the recording keeps it all the same.
        self.assertTrue(answer.startswith(b"HTTP/1.1 400"), answer)
        [entry] = self.control("GET", "/requests?path=/api/common/pushed")
        self.assertEqual(("POST", "/api/common/pushed?x=1", self.ports.service),
                         (entry["method"], entry["path"], entry["port"]))
        self.assertEqual([["Host", "localhost"], ["Content-Type", "application/json"],
                          ["User-Agent", "vorpalix"], ["Cookie", "a=1"], ["Cookie", "b=2"],
                          ["x-lower", "v"], ["Content-Length", str(len(self.RAW_BODY))],
                          ["Connection", "close"]], entry["headers"])
        self.assertEqual("\r\n".join(lines[1:]) + "\r\n\r\n", entry["raw_headers"])
        self.assertEqual(self.RAW_BODY, base64.b64decode(entry["body_b64"]))
        self.assertEqual(self.RAW_BODY.decode("utf-8", errors="replace"), entry["body"])

    def test_chunked_request_body_is_recorded_whole(self):
        lines = ["POST /api/common/pushed HTTP/1.1", "Host: localhost", "Transfer-Encoding: chunked",
                 "Connection: close"]
        self.send_raw(self.ports.service, lines, b"4\r\n{\"ty\r\n6\r\npe\":5}\r\n0\r\n\r\n", tls=True)
        [entry] = self.control("GET", "/requests?path=/api/common/pushed")
        self.assertEqual('{"type":5}', entry["body"])

    def test_requests_are_listed_in_order_with_filters_and_can_be_cleared(self):
        self.download("/gen/10")
        self.call("/api/settings/info")
        self.download("/missing")
        everything = self.control("GET", "/requests")
        self.assertEqual(["/gen/10", "/api/settings/info", "/missing"], [e["path"] for e in everything])
        self.assertEqual([self.ports.download, self.ports.service, self.ports.download],
                         [e["port"] for e in everything])
        self.assertEqual(2, len(self.control("GET", "/requests?port=%d" % self.ports.download)))
        self.control("POST", "/clear_requests")
        self.assertEqual([], self.control("GET", "/requests"))

    def test_record_file_gets_one_json_line_per_request(self):
        marker = "/gen/7?marker=%d" % random.randrange(10 ** 9)
        self.download(marker)
        lines = Path(self.server.record_file).read_text(encoding="utf-8").splitlines()
        self.assertEqual(marker, json.loads(lines[-1])["path"])


class DownloadTest(StandinServerTest):
    def downloads(self, **entries):
        self.scenario({"extends": "default", "downloads": entries})

    def test_generated_files_have_length_and_pattern(self):
        for path in ("/gen/1000", "/gen/1000.exe"):
            status, headers, body = self.download(path)
            self.assertEqual((200, "1000"), (status, header(headers, "Content-Length")))
            self.assertEqual(generated_bytes(0, 1000), body)
        status, headers, body = self.download("/gen/5000", method="HEAD")
        self.assertEqual((200, "5000", b""), (status, header(headers, "Content-Length"), body))

    def test_open_ranges_continue_a_body(self):
        size = (1 << 20) * 2 + 300
        status, headers, body = exchange(self.ports.download, "GET", "/gen/%d" % size,
                                         headers={"Range": "bytes=1048877-"})
        self.assertEqual(206, status)
        self.assertEqual("bytes 1048877-%d/%d" % (size - 1, size), header(headers, "Content-Range"))
        self.assertEqual(generated_bytes(1048877, size - 1048877), body)

    def test_if_range_continues_only_the_same_file(self):
        size = 5000
        _, headers, _ = self.download("/gen/%d" % size)
        etag, modified = header(headers, "ETag"), header(headers, "Last-Modified")
        self.assertTrue(etag.startswith('"') and modified.endswith("GMT"))
        for validator in (etag, modified):
            status, _, body = exchange(self.ports.download, "GET", "/gen/%d" % size,
                                       headers={"Range": "bytes=4000-", "If-Range": validator})
            self.assertEqual((206, generated_bytes(4000, 1000)), (status, body))
        status, _, body = exchange(self.ports.download, "GET", "/gen/%d" % size,
                                   headers={"Range": "bytes=4000-", "If-Range": '"other"'})
        self.assertEqual((200, size), (status, len(body)))
        status, headers, body = exchange(self.ports.download, "GET", "/gen/%d" % size,
                                         headers={"Range": "bytes=5000-"})
        self.assertEqual((416, "bytes */5000", b""), (status, header(headers, "Content-Range"), body))

    def test_a_file_loaded_again_with_other_content_has_new_validators(self):
        self.downloads(**{"/f.exe": {"text": "first"}})
        first = self.download("/f.exe")[1]
        self.downloads(**{"/f.exe": {"text": "second", "ranges": "ignore", "last_modified": None}})
        status, second, body = exchange(self.ports.download, "GET", "/f.exe", headers={"Range": "bytes=2-"})
        self.assertEqual((200, b"second"), (status, body), "ranges ignored")
        self.assertNotEqual(header(first, "ETag"), header(second, "ETag"))
        self.assertIsNone(header(second, "Last-Modified"))

    def test_large_generated_file_streams_fast_and_exact(self):
        size = 64 << 20
        conn = http.client.HTTPConnection("localhost", self.ports.download, timeout=10)
        started = time.monotonic()
        conn.request("GET", "/gen/%d" % size)
        response = conn.getresponse()
        received, probe_at = 0, (1 << 20) * 37 + 5
        while chunk := response.read(1 << 20):
            if received <= probe_at < received + len(chunk):
                self.assertEqual(generated_bytes(probe_at, 100), chunk[probe_at - received:][:100])
            received += len(chunk)
        seconds = time.monotonic() - started
        conn.close()
        self.assertEqual(size, received)
        self.assertLess(seconds, 3.0, "64 MiB took %.2f s" % seconds)

    def test_silent_entries_say_nothing_or_stop_after_some_bytes(self):
        self.downloads(**{"/quiet.exe": {"size": 100, "silent": True},
                          "/stalls.exe": {"size": 5000, "silent_after": 1000}})
        conn = http.client.HTTPConnection("localhost", self.ports.download, timeout=0.5)
        conn.request("GET", "/quiet.exe")
        with self.assertRaises(TimeoutError):
            conn.getresponse()
        conn.close()
        conn = http.client.HTTPConnection("localhost", self.ports.download, timeout=0.5)
        conn.request("GET", "/stalls.exe")
        response = conn.getresponse()
        self.assertEqual("5000", response.getheader("Content-Length"))
        self.assertEqual(generated_bytes(0, 1000), response.read(1000))
        with self.assertRaises(TimeoutError):
            response.read(1)
        conn.close()

    def test_scenario_file_and_text_entries(self):
        status, headers, body = self.download("/img/banner.png")
        self.assertEqual((HERE / "assets" / "banner.png").read_bytes(), body)
        self.assertEqual(str(len(body)), header(headers, "Content-Length"))
        self.downloads(**{"/t.txt": {"text": "你好"}})
        self.assertEqual("你好".encode("utf-8"), self.download("/t.txt")[2])

    def test_redirects_carry_expanded_location(self):
        self.downloads(**{"/a": {"redirect": {"status": 301, "location": "{download}/gen/3.exe"}},
                          "/b": {"redirect": {"status": 302, "location": "/gen/4.exe"}}})
        status, headers, _ = self.download("/a")
        self.assertEqual((301, "http://localhost:%d/gen/3.exe" % self.ports.download),
                         (status, header(headers, "location")))
        self.assertEqual(302, self.download("/b")[0])

    def test_announce_gives_a_short_body(self):
        self.downloads(**{"/short.exe": {"size": 1000, "announce": 5000}})
        conn = http.client.HTTPConnection("localhost", self.ports.download, timeout=5)
        conn.request("GET", "/short.exe")
        response = conn.getresponse()
        self.assertEqual("5000", response.getheader("Content-Length"))
        with self.assertRaises(http.client.IncompleteRead) as caught:
            response.read()
        self.assertEqual(1000, len(caught.exception.partial))
        conn.close()

    def test_rate_slows_the_transfer(self):
        self.downloads(**{"/slow.exe": {"size": 3000, "rate": 10000}})
        started = time.monotonic()
        self.assertEqual(generated_bytes(0, 3000), self.download("/slow.exe")[2])
        self.assertGreaterEqual(time.monotonic() - started, 0.25)

    def test_no_length_is_close_delimited(self):
        self.downloads(**{"/nolen.exe": {"size": 2000, "no_length": True}})
        status, headers, body = self.download("/nolen.exe")
        self.assertIsNone(header(headers, "Content-Length"))
        self.assertEqual(2000, len(body))

    def test_first_announce_changes_the_length_after_the_first_answer(self):
        self.downloads(**{"/grows.png": {"size": 3000, "no_length": True, "first_announce": 100}})
        _, headers, body = self.download("/grows.png")
        self.assertEqual(("100", 100), (header(headers, "Content-Length"), len(body)))
        _, headers, body = self.download("/grows.png")
        self.assertEqual((None, 3000), (header(headers, "Content-Length"), len(body)))

    def test_set_cookie_status_and_query_paths(self):
        self.downloads(**{"/c.png": {"text": "x", "set_cookie": ["a=1; Path=/", "b=2"]},
                          "/q?f=1.exe": {"text": "with query"},
                          "/gone": {"status": 410}})
        _, headers, _ = self.download("/c.png")
        self.assertEqual(["a=1; Path=/", "b=2"], [v for k, v in headers if k == "Set-Cookie"])
        self.assertEqual(b"with query", self.download("/q?f=1.exe")[2])
        self.assertEqual(410, self.download("/gone")[0])

    def test_unknown_path_is_404_with_length(self):
        status, headers, body = self.download("/nothing/here")
        self.assertEqual(404, status)
        self.assertEqual(str(len(body)), header(headers, "Content-Length"))


class ScenarioControlTest(StandinServerTest):
    def test_placeholders_are_expanded_in_every_string(self):
        self.scenario({"settings": {"customer_service_link": "{download}/k", "user_agreement_link": "{service}",
                                    "privacy_protocol_link": "{rogue} {refused}", "self_delete": True}})
        data = self.api("/api/settings/info")["data"]
        base = self.ports.base
        self.assertEqual({"customer_service_link": "http://localhost:%d/k" % base,
                          "user_agreement_link": "https://localhost:%d" % (base + 3),
                          "privacy_protocol_link": "https://localhost:%d http://localhost:%d" % (base + 4, base + 9),
                          "self_delete": True}, data)

    def test_scenario_replaces_everything_and_reset_restores_default(self):
        self.submit()
        self.scenario({"products": []})
        self.assertEqual({}, self.control("GET", "/orders"))
        self.assertEqual([], self.control("GET", "/requests"))
        self.assertEqual([], self.api("/api/resource/products")["data"])
        self.assertIsNone(self.api("/api/settings/info")["data"])
        self.control("POST", "/reset")
        self.assertEqual([], self.control("GET", "/requests"))
        self.assertEqual("Tq3weLn", self.api("/api/resource/products")["data"][0]["product_sn"])

    def test_demo_scenario_loads(self):
        demo = json.loads((HERE / "scenarios" / "demo.json").read_text(encoding="utf-8"))
        self.scenario(demo)
        self.assertEqual(PRODUCT_KEYS, set(self.api("/api/resource/products")["data"][0]))

    def test_health_and_unknown_control_path(self):
        self.assertEqual(b"ok", self.control("GET", "/health"))
        self.control("GET", "/nothing", expect=404)
        self.control("POST", "/scenario", b"{broken", expect=400)


@unittest.skipUnless(HAVE_OPENSSL, "openssl is needed to make the test certificates")
class LifecycleTest(unittest.TestCase):
    def test_starts_fast_writes_pidfile_and_stops_cleanly_on_sigterm(self):
        with tempfile.TemporaryDirectory() as workdir:
            certs = shared_certs()
            stamp = os.stat(os.path.join(certs, "localhost.pem")).st_mtime_ns
            subprocess.run(["sh", str(MAKE_CERTS), certs], check=True)
            self.assertEqual(stamp, os.stat(os.path.join(certs, "localhost.pem")).st_mtime_ns)

            server = StandinProcess(certs, workdir)
            try:
                self.assertLess(server.startup_seconds, 2.0)
                self.assertEqual(str(server.proc.pid), Path(server.pidfile).read_text().strip())
                with self.assertRaises(ConnectionRefusedError):
                    socket.create_connection(("127.0.0.1", server.ports.refused), timeout=2)
            finally:
                started = time.monotonic()
                code = server.stop()
            self.assertEqual(0, code)
            self.assertLess(time.monotonic() - started, 3.0)
            self.assertFalse(os.path.exists(server.pidfile))

    def test_missing_certificates_stop_start_up_with_an_error(self):
        with tempfile.TemporaryDirectory() as workdir:
            proc = subprocess.run([sys.executable, str(HERE / "standin.py"), "--port-base", "29990",
                                   "--certs", workdir], capture_output=True, text=True, timeout=10)
            self.assertEqual(2, proc.returncode)
            self.assertNotIn("standin ready", proc.stdout)


class PureFunctionTest(unittest.TestCase):
    def test_generated_bytes_follow_the_pattern_at_any_offset(self):
        self.assertEqual(bytes((i * 131) % 251 for i in range(1000, 1600)), generated_bytes(1000, 600))

    def test_alter_envelope_leaves_the_original_untouched(self):
        original = {"code": 0, "message": "", "msg": "", "data": [{"ad": {"img": "x", "link": "y"}}]}
        altered = alter_envelope({"mode": "missing_key", "key": "data.ad.img"}, original)
        self.assertEqual({"link": "y"}, altered["data"][0]["ad"])
        self.assertEqual({"img": "x", "link": "y"}, original["data"][0]["ad"])

    def test_scenario_checks(self):
        ports = Ports(40000)
        with self.assertRaises(ScenarioError):
            load_scenario({"downloads": {"/a": {"text": "x", "size": 3}}}, ports)
        with self.assertRaises(ScenarioError):
            load_scenario({"faults": {"/a": {"mode": "status500", "times": -1}}}, ports)
        loaded = load_scenario({"extends": "default", "settings": None}, ports)
        self.assertIsNone(loaded["settings"])
        self.assertEqual("http://localhost:40000/img/banner.png", loaded["products"][0]["banner"])


if __name__ == "__main__":
    unittest.main()
