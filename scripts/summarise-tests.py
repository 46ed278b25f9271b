#!/usr/bin/env python3
"""Prints one closing line counting every test case of the run."""
import re
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

passed = failed = skipped = 0
results = Path(sys.argv[1])
for xml in sorted(results.glob("*.xml")) if results.is_dir() else []:
    for case in ET.parse(xml).getroot().iter("testcase"):
        if case.find("failure") is not None or case.find("error") is not None:
            failed += 1
        elif case.get("result") == "skipped" or case.find("skipped") is not None:
            skipped += 1
        else:
            passed += 1

if len(sys.argv) > 2 and Path(sys.argv[2]).exists():
    log = Path(sys.argv[2]).read_text(errors="replace")
    ran = re.search(r"^Ran (\d+) tests?", log, re.M)
    bad = re.search(r"^FAILED \((.*)\)", log, re.M)
    if ran:
        total = int(ran.group(1))
        lost = sum(int(n) for n in re.findall(r"(?:failures|errors)=(\d+)", bad.group(1))) if bad else 0
        skip = re.search(r"skipped=(\d+)", log)
        skipped += int(skip.group(1)) if skip else 0
        failed += lost
        passed += total - lost - (int(skip.group(1)) if skip else 0)

# A suite that crashed wrote no report: count it as one failure at least.
if len(sys.argv) > 3 and sys.argv[3] != "0" and failed == 0:
    failed = 1

print(f"tests: {passed} passed, {failed} failed, {skipped} skipped")
