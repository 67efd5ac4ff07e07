"""Prints, as JSON, the ZANT_LIST_TEMPLATE records of a drawing's model space by handle, as
Debian's ezdxf reads the file: {"2A3": [[1000, "LIST_BODY"], [1040, 20.0]], ...}."""

import json
import sys

import ezdxf

APP = "ZANT_LIST_TEMPLATE"


def main(path):
    doc = ezdxf.readfile(path)
    records = {}
    for entity in doc.modelspace():
        if entity.has_xdata(APP):
            records[entity.dxf.handle] = [[tag.code, tag.value] for tag in entity.get_xdata(APP)]
    json.dump(records, sys.stdout, sort_keys=True)


if __name__ == "__main__":
    main(sys.argv[1])
