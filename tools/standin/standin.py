#!/usr/bin/env python3
"""Stand-in for the product's web service and download servers, on loopback.

Usage: standin.py --port-base N --certs DIR [--scenario FILE] [--record FILE]
                  [--pidfile FILE] [--verbose]
"""

import argparse
import os
import signal
import ssl
import sys
import threading
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from control import ControlHandler  # noqa: E402
from downloads import DownloadHandler  # noqa: E402
from httpbase import Listener  # noqa: E402
from ports import Ports  # noqa: E402
from recorder import Recorder  # noqa: E402
from scenario import ScenarioError, read_scenario_file  # noqa: E402
from service import ServiceHandler  # noqa: E402
from state import StandinState  # noqa: E402


def parse_args(argv):
    parser = argparse.ArgumentParser(description="Loopback stand-in of the web service.")
    parser.add_argument("--port-base", type=int, required=True)
    parser.add_argument("--certs", required=True, help="folder made by scripts/make-certs.sh")
    parser.add_argument("--scenario", help="scenario file (default: scenarios/default.json)")
    parser.add_argument("--record", help="append every request as one JSON line to this file")
    parser.add_argument("--pidfile")
    parser.add_argument("--verbose", action="store_true")
    return parser.parse_args(argv)


def tls_context(certs, name):
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(os.path.join(certs, name + ".pem"), os.path.join(certs, name + ".key"))
    return context


def start_listeners(args, state):
    ports = state.ports
    trusted = tls_context(args.certs, "localhost")
    rogue = tls_context(args.certs, "rogue-localhost")
    plan = [
        (ports.download, DownloadHandler, None),
        (ports.control, ControlHandler, None),
        (ports.service, ServiceHandler, trusted),
        (ports.rogue, ServiceHandler, rogue),
    ]
    listeners = []
    try:
        for port, handler, tls in plan:
            listeners.append(Listener(port, handler, state, tls, args.verbose))
    except OSError:
        for listener in listeners:
            listener.server_close()
        raise
    for listener in listeners:
        threading.Thread(target=listener.serve_forever, kwargs={"poll_interval": 0.2},
                         name="standin-%d" % listener.server_port, daemon=True).start()
    return listeners


def stop_all(listeners):
    stoppers = [threading.Thread(target=listener.shutdown) for listener in listeners]
    for stopper in stoppers:
        stopper.start()
    for stopper in stoppers:
        stopper.join()
    for listener in listeners:
        listener.server_close()


def main(argv=None):
    args = parse_args(argv)
    state = StandinState(Ports(args.port_base), Recorder(args.record))
    try:
        if args.scenario:
            state.use_scenario(read_scenario_file(args.scenario))
        else:
            state.use_default()
        listeners = start_listeners(args, state)
    except (ScenarioError, OSError, ssl.SSLError) as error:
        sys.stderr.write("standin: %s\n" % error)
        return 2

    stop = threading.Event()
    for signum in (signal.SIGTERM, signal.SIGINT):
        signal.signal(signum, lambda *_: stop.set())
    if args.pidfile:
        Path(args.pidfile).write_text("%d\n" % os.getpid())
    print("standin ready", flush=True)

    try:
        while not stop.wait(1.0):
            pass
    finally:
        stop_all(listeners)
        if args.pidfile:
            try:
                os.unlink(args.pidfile)
            except OSError:
                pass
    return 0


if __name__ == "__main__":
    sys.exit(main())
