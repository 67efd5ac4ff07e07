"""Writes example/template.dxf: a small rebar list drawn as plain lines and texts (header, a body
row, a row of repeated objects, a footer, a title), as a drafter draws it before marking it.
Run with Debian's python3 (python3-ezdxf)."""

import os

import ezdxf

WIDTH = 200
COLUMNS = [0, 25, 50, 80, 105, 150, WIDTH]


def row(msp, y0, y1, texts, height=3.5):
    for y in (y0, y1):
        msp.add_line((0, y), (WIDTH, y), dxfattribs={"layer": "LISTE"})
    for x in COLUMNS:
        msp.add_line((x, y0), (x, y1), dxfattribs={"layer": "LISTE"})
    for (x0, _), text in zip(zip(COLUMNS, COLUMNS[1:]), texts):
        if text:
            msp.add_text(text, dxfattribs={"layer": "LISTE", "height": height,
                                           "insert": (x0 + 2, (y0 + y1 - height) / 2)})


def main():
    doc = ezdxf.new("R2000")
    doc.layers.add("LISTE", color=7)
    msp = doc.modelspace()
    row(msp, 100, 120, ["Pos.", "Diam.", "Nuance", "Nombre", "Longueur (m)", "Poids (kg)"])
    row(msp, 80, 100, ["1", "12", "FE500", "10", "3.50", "31.08"])
    row(msp, 60, 80, ["2", "10", "FE500", "24", "2.15", "31.84"])
    row(msp, 0, 20, ["Total", "", "", "", "", "62.92"])
    msp.add_mtext("Nomenclature des aciers\\PProjet : exemple",
                  dxfattribs={"layer": "LISTE", "char_height": 5, "insert": (0, 135)})
    msp.add_circle((210, 110), 4, dxfattribs={"layer": "LISTE"})
    doc.saveas(os.path.join(os.path.dirname(os.path.abspath(__file__)), "template.dxf"))


if __name__ == "__main__":
    main()
