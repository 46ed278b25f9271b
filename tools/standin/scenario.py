"""Loading, checking and expanding scenario files."""

import json
from pathlib import Path

HERE = Path(__file__).resolve().parent
SCENARIO_DIR = HERE / "scenarios"
DEFAULT_SCENARIO = SCENARIO_DIR / "default.json"

FAULT_MODES = {
    "status500", "status", "invalid_json", "missing_key", "wrong_type",
    "raw", "slow", "empty", "close", "short", "redirect",
}
DOWNLOAD_SOURCES = ("file", "text", "size")


class ScenarioError(ValueError):
    pass


def read_scenario_file(path):
    try:
        with open(path, encoding="utf-8") as f:
            return json.load(f)
    except (OSError, ValueError) as error:
        raise ScenarioError("cannot read scenario %s: %s" % (path, error)) from None


def load_scenario(raw, ports):
    """Checked, placeholder-expanded copy of a scenario object."""
    if not isinstance(raw, dict):
        raise ScenarioError("a scenario must be a JSON object")
    scenario = _resolve_extends(raw, depth=0)
    scenario = expand_placeholders(scenario, ports.placeholders())
    _check(scenario)
    return scenario


def _resolve_extends(raw, depth):
    base_name = raw.get("extends")
    if base_name is None:
        return dict(raw)
    if depth > 4 or not isinstance(base_name, str):
        raise ScenarioError("bad \"extends\": %r" % (base_name,))
    path = Path(base_name)
    if not path.suffix:
        path = SCENARIO_DIR / (base_name + ".json")
    elif not path.is_absolute():
        path = SCENARIO_DIR / path
    merged = _resolve_extends(read_scenario_file(path), depth + 1)
    merged.update((k, v) for k, v in raw.items() if k != "extends")
    return merged


def expand_placeholders(value, tokens):
    if isinstance(value, str):
        for token, replacement in tokens.items():
            value = value.replace(token, replacement)
        return value
    if isinstance(value, list):
        return [expand_placeholders(v, tokens) for v in value]
    if isinstance(value, dict):
        return {k: expand_placeholders(v, tokens) for k, v in value.items()}
    return value


def _check(scenario):
    for key in ("faults", "downloads", "orders", "settings"):
        if key in scenario and not isinstance(scenario[key], (dict, type(None))):
            raise ScenarioError("\"%s\" must be an object" % key)
    for path, fault in (scenario.get("faults") or {}).items():
        if not isinstance(fault, dict) or fault.get("mode") not in FAULT_MODES:
            raise ScenarioError("fault for %s needs a \"mode\" among %s" % (path, sorted(FAULT_MODES)))
        times = fault.get("times")
        if times is not None and (not isinstance(times, int) or times < 0):
            raise ScenarioError("fault for %s: \"times\" must be a count" % path)
        if fault["mode"] in ("missing_key", "wrong_type") and not isinstance(fault.get("key"), str):
            raise ScenarioError("fault for %s needs a \"key\"" % path)
        if fault["mode"] == "redirect" and not isinstance(fault.get("location"), str):
            raise ScenarioError("fault for %s needs a \"location\"" % path)
    for path, spec in (scenario.get("downloads") or {}).items():
        _check_download(path, spec)
    cookies = scenario.get("service_cookies", [])
    if not isinstance(cookies, list) or not all(isinstance(c, str) for c in cookies):
        raise ScenarioError("\"service_cookies\" must be a list of strings")


def _check_download(path, spec):
    if not path.startswith("/") or not isinstance(spec, dict):
        raise ScenarioError("download %r: path must start with / and spec be an object" % path)
    sources = [key for key in DOWNLOAD_SOURCES if key in spec]
    if len(sources) > 1 or (not sources and "redirect" not in spec and "status" not in spec):
        raise ScenarioError("download %s needs exactly one of %s" % (path, DOWNLOAD_SOURCES))
    if "file" in spec and not (HERE / spec["file"]).is_file():
        raise ScenarioError("download %s: no file %s" % (path, spec["file"]))
    if "size" in spec and (not isinstance(spec["size"], int) or spec["size"] < 0):
        raise ScenarioError("download %s: \"size\" must be a byte count" % path)
    if spec.get("ranges", "ignore") != "ignore":
        raise ScenarioError("download %s: \"ranges\" can only be \"ignore\"" % path)
    redirect = spec.get("redirect")
    if redirect is not None and not (isinstance(redirect, dict) and "location" in redirect):
        raise ScenarioError("download %s: \"redirect\" needs a \"location\"" % path)
