#!/usr/bin/python3
"""Regenerates the ezdxf-written drawings under tests/data (see SOURCES.md).

Run with Debian's python3-ezdxf: /usr/bin/python3 tests/data/make_ezdxf_samples.py tests/data
The drawings cover versions, binary DXF, code pages and the entity groups the reader must keep
together (POLYLINE/VERTEX/SEQEND, INSERT/ATTRIB/SEQEND) and xdata of several applications.
"""
import os
import sys

import ezdxf


def populate(doc, cyrillic):
    msp = doc.modelspace()
    doc.appids.new("ZANT_SAMPLE")
    doc.appids.new("OTHER_APP")
    line = msp.add_line((0, 0), (10, 5), dxfattribs={"layer": "WALLS"})
    line.set_xdata("ZANT_SAMPLE", [(1000, "LIST_BODY"), (1040, 250.0), (1070, 3)])
    line.set_xdata("OTHER_APP", [(1000, "keep me"), (1005, "0")])
    msp.add_circle((3, 3), 1.5)
    text = "\u0416 \u0434\u043e\u043c" if cyrillic else "Caf\u00e9 \u0416"
    msp.add_text(text, dxfattribs={"height": 2.5})
    msp.add_polyline2d([(0, 0), (4, 0), (4, 4)], dxfattribs={"layer": "POLY"})
    block = doc.blocks.new("TAGBLOCK")
    block.add_circle((0, 0), 1)
    block.add_attdef("NUMBER", (0, -2), dxfattribs={"height": 1})
    ref = msp.add_blockref("TAGBLOCK", (20, 20))
    ref.add_attrib("NUMBER", "42", (20, 18))
    if doc.dxfversion >= "AC1015":
        msp.add_lwpolyline([(0, 0), (1, 1), (2, 0)])
        msp.add_mtext("line one\\Pline two with ^ caret")


def main(root):
    samples = [
        ("ac1009/ezdxf_r12.dxf", "R12", None, False),
        ("ac1015/ezdxf_r2000_cp1251.dxf", "R2000", "ANSI_1251", False),
        ("ac1018/ezdxf_r2004.dxf", "R2004", None, False),
        ("ac1024/ezdxf_r2010.dxf", "R2010", None, False),
        ("ac1027/ezdxf_r2013.dxf", "R2013", None, False),
        ("ac1032/ezdxf_r2018.dxf", "R2018", None, False),
        ("binary/ezdxf_r12_binary.dxf", "R12", None, True),
        ("binary/ezdxf_r2000_binary.dxf", "R2000", None, True),
        ("binary/ezdxf_r2018_binary.dxf", "R2018", None, True),
    ]
    for path, version, codepage, binary in samples:
        doc = ezdxf.new(version)
        if codepage:
            doc.header["$DWGCODEPAGE"] = codepage
            doc.encoding = "cp" + codepage.split("_")[1]
        populate(doc, cyrillic=codepage == "ANSI_1251")
        out = os.path.join(root, path)
        os.makedirs(os.path.dirname(out), exist_ok=True)
        if binary:
            doc.saveas(out, fmt="bin")
        else:
            doc.saveas(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__)))
