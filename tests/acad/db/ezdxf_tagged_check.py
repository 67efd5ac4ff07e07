#!/usr/bin/python3
"""Tags every real drawing with acad_db_tag_drawing and checks the result with ezdxf.

ezdxf is an independent reader: it must find the APPID record, the template record on every
entity the program reports, and its audit must report no error the original did not have.
Usage: ezdxf_tagged_check.py <acad_db_tag_drawing> <tests/data> <work folder>
"""
import os
import subprocess
import sys

import ezdxf
from ezdxf import recover

APP = "ZANT_LIST_TEMPLATE"


def load(path):
    try:
        return ezdxf.readfile(path)
    except ezdxf.DXFStructureError:
        doc, _ = recover.readfile(path)
        return doc


def audit_errors(doc):
    return sorted(str(e.message) for e in doc.audit().errors)


def check(tool, source, work):
    out = os.path.join(work, os.path.basename(source))
    run = subprocess.run([tool, source, out], capture_output=True, text=True)
    if run.returncode != 0:
        # Drawings without an APPID table cannot hold the record; the tool says so.
        if "cannot register" in run.stderr:
            return []
        return [f"{source}: tool failed: {run.stderr.strip()}"]
    problems = []
    doc = load(out)
    if not doc.appids.has_entry(APP):
        problems.append(f"{source}: no APPID record {APP}")
    tagged = [l.split() for l in run.stdout.splitlines()]
    for handle, n in tagged:
        entity = doc.entitydb.get(handle)
        if entity is None or not entity.has_xdata(APP):
            problems.append(f"{source}: entity {handle} lost its record")
            continue
        got = [(t.code, t.value) for t in entity.get_xdata(APP)]
        want = [(1000, "LIST_BODY")]
        if n == "0":
            want.append((1000, "LIST_PATTERN_CONDITION"))
        want.append((1040, float(n)))
        if got != want:
            problems.append(f"{source}: entity {handle} has {got}, expected {want}")
    new_errors = set(audit_errors(doc)) - set(audit_errors(load(source)))
    if new_errors:
        problems.append(f"{source}: new audit errors {sorted(new_errors)}")
    return problems


def main():
    tool, data, work = sys.argv[1:4]
    os.makedirs(work, exist_ok=True)
    problems = []
    checked = 0
    for root, _, files in os.walk(data):
        for name in sorted(files):
            if name.endswith(".dxf") and os.path.dirname(root) == data.rstrip("/"):
                problems += check(tool, os.path.join(root, name), work)
                checked += 1
    for p in problems:
        print(p)
    print(f"{checked} drawings checked, {len(problems)} problems")
    return 1 if problems or checked == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
