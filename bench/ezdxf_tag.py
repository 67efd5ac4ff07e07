#!/usr/bin/python3
"""The benchmark's work done by python3-ezdxf, to compare with the host's database in the same run.

Reads the drawing, adds the APPID record, gives every model-space entity the same 3-group
xdata record as db_tag_bench and saves. ezdxf rebuilds the drawing from its own model, so its
output is not the input byte for byte; only the time is compared.

Usage: ezdxf_tag.py IN.dxf OUT.dxf
Prints "<seconds> <peak bytes> <entities>"; exits 3 when ezdxf is not installed.
"""
import resource
import sys
import time

try:
    import ezdxf
except ImportError:
    sys.exit(3)

APP = "ZANT_LIST_TEMPLATE"


def main():
    source, target = sys.argv[1], sys.argv[2]
    start = time.monotonic()
    doc = ezdxf.readfile(source)
    if APP not in doc.appids:
        doc.appids.new(APP)
    tagged = 0
    for entity in doc.modelspace():
        entity.set_xdata(APP, [(1000, "LIST_BODY"), (1040, 250.0)])
        tagged += 1
    doc.saveas(target)
    seconds = time.monotonic() - start
    peak = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss * 1024
    print(f"{seconds:.3f} {peak} {tagged}")


if __name__ == "__main__":
    main()
