#!/usr/bin/python3
"""Edits every real drawing with zdxf_sample_edit and checks the result with ezdxf.

ezdxf is an independent reader: it must find the new APPID records and the new xdata, see the
other applications' xdata unchanged, and its audit must report no error the original did not have.
Usage: ezdxf_check.py <zdxf_sample_edit> <tests/data> <work folder>
"""
import os
import re
import subprocess
import sys

import ezdxf
from ezdxf import recover


def load(path):
    try:
        return ezdxf.readfile(path)
    except ezdxf.DXFStructureError:
        doc, _ = recover.readfile(path)
        return doc


def unescape(value):
    """ezdxf hands xdata strings over as stored; \\U+XXXX is the file's escape for a character."""
    if not isinstance(value, str):
        return value
    return re.sub(r"\\U\+([0-9A-Fa-f]{4})", lambda m: chr(int(m.group(1), 16)), value)


def xdata_of(doc, handle, app):
    entity = doc.entitydb[handle]
    if not entity.has_xdata(app):
        return None
    return [(t.code, unescape(t.value)) for t in entity.get_xdata(app)]


def check(tool, source, work):
    out = os.path.join(work, os.path.basename(source))
    run = subprocess.run([tool, source, out], capture_output=True, text=True)
    if run.returncode == 3:
        return None  # no handles, nothing to attach xdata to
    if run.returncode != 0:
        return [f"zdxf_sample_edit failed: {run.stderr.strip()}"]
    handle = run.stdout.strip()
    before, after = load(source), load(out)
    problems = []
    for app in ("ACAD", "ZANT_SAMPLE", "ZANT_NEW_APP"):
        if app not in after.appids:
            problems.append(f"APPID {app} missing")
    sample = xdata_of(after, handle, "ZANT_SAMPLE")
    if sample != [(1000, "LIST_BODY \u00e9\u0416"), (1040, 1.25), (1070, -7)]:
        problems.append(f"ZANT_SAMPLE xdata wrong: {sample}")
    new = xdata_of(after, handle, "ZANT_NEW_APP")
    if new is None or [(c, tuple(v) if c == 1010 else v) for c, v in new] != \
            [(1002, "{"), (1071, 123456), (1010, (1.5, 2.5, 0.0)), (1002, "}")]:
        problems.append(f"ZANT_NEW_APP xdata wrong: {new}")
    if before.entitydb.get(handle) is not None and \
            xdata_of(before, handle, "OTHER_APP") != xdata_of(after, handle, "OTHER_APP"):
        problems.append("OTHER_APP xdata changed")
    old_errors = {(e.code, e.message) for e in before.audit().errors}
    new_errors = [(e.code, e.message) for e in after.audit().errors
                  if (e.code, e.message) not in old_errors]
    if new_errors:
        problems.append(f"new audit errors: {new_errors}")
    return problems


def main(tool, data, work):
    os.makedirs(work, exist_ok=True)
    failed = 0
    for root, _, files in sorted(os.walk(data)):
        for name in sorted(files):
            if not name.endswith(".dxf"):
                continue
            path = os.path.join(root, name)
            problems = check(tool, path, work)
            status = "skip" if problems is None else "FAIL" if problems else "ok  "
            print(status + " " + os.path.relpath(path, data))
            for p in problems or []:
                print("     " + p)
            failed += bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:4]))
