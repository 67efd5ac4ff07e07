"""Writes example/template.dxf: a rebar list template as a French drafting office draws it before
marking it, in plain lines and texts. Run with Debian's python3 (python3-ezdxf).

Bands (y, drawing units), which scripts and tests pick by window:
  172..185  title (multiline text) and the title block, a block reference with attributes
  130..145  second-level header: the element the next rows belong to
  100..120  header: column titles over a shading on a locked layer
   80..100  body row, with a bending sketch in its last column
   60..80   the same row repeated, 20 below
   48..56   the display condition of a body row
   25..45   second-level footer: the element's sub-total
    0..20   footer: the total of bars, "Total" in its first cell
  -20..0    second footer part: the total of welded meshes, with its own text
  -42..-28  page footer
Beside the header, a revision mark (a circle) that no record can be put on.

The entities of the first version of this drawing keep their order, so that they keep their
handles (30 to 69), which scripts name: everything added since is drawn after them.
"""

import os

import ezdxf

WIDTH = 200
COLUMNS = [0, 25, 50, 80, 105, 150, WIDTH]
HEADER = ["Repère", "Nombre", "Diamètre", "Longueur", "Poids", "Façonnage"]
OTHER_APP = "ACIERS_BIM"  # another application's data, which no command may touch


def row(msp, y0, y1, texts, layer="LISTE", height=3.5):
    for y in (y0, y1):
        msp.add_line((0, y), (WIDTH, y), dxfattribs={"layer": layer})
    for x in COLUMNS:
        msp.add_line((x, y0), (x, y1), dxfattribs={"layer": layer})
    for (x0, _), text in zip(zip(COLUMNS, COLUMNS[1:]), texts):
        if text:
            msp.add_text(text, dxfattribs={"layer": layer, "height": height,
                                           "insert": (x0 + 2, (y0 + y1 - height) / 2)})


def text(msp, content, x, y, layer, height=3.5):
    return msp.add_text(content, dxfattribs={"layer": layer, "height": height,
                                             "insert": (x, y)})


def box(msp, x0, y0, x1, y1, layer, sides="tblr"):
    """The sides of a rectangle as lines: a row drawn under another shares its top line."""
    lines = {"t": ((x0, y1), (x1, y1)), "b": ((x0, y0), (x1, y0)),
             "l": ((x0, y0), (x0, y1)), "r": ((x1, y0), (x1, y1))}
    return [msp.add_line(*lines[s], dxfattribs={"layer": layer}) for s in sides]


def first_version(msp):
    """The rows as first drawn; their order fixes handles 30 to 69."""
    row(msp, 100, 120, HEADER)
    row(msp, 80, 100, ["1", "10", "HA12", "3.50", "31.08", "00"])
    row(msp, 60, 80, ["2", "24", "HA10", "2.15", "31.84", "21"])
    row(msp, 0, 20, ["Total", "", "", "", "62.92", ""])
    msp.add_mtext("Nomenclature des aciers\\PProjet : Immeuble Les Tilleuls",
                  dxfattribs={"layer": "LISTE", "char_height": 5, "insert": (0, 185)})
    msp.add_circle((210, 110), 4, dxfattribs={"layer": "LISTE"})


def title_block(doc):
    block = doc.blocks.new("CARTOUCHE")
    for start, end in (((0, 0), (80, 0)), ((80, 0), (80, 13)), ((80, 13), (0, 13)),
                       ((0, 13), (0, 0))):
        block.add_line(start, end, dxfattribs={"layer": "0"})
    for tag, prompt, y in (("PROJET", "Projet", 9), ("DESSINATEUR", "Dessinateur", 5),
                           ("DATE", "Date", 1)):
        block.add_attdef(tag, (2, y), dxfattribs={"height": 2.5, "prompt": prompt})
    return block


def main():
    doc = ezdxf.new("R2000")
    doc.layers.add("LISTE", color=7)
    msp = doc.modelspace()
    first_version(msp)

    doc.layers.add("LISTE_FOND", color=9).lock()
    doc.layers.add("CARTOUCHE", color=3)
    doc.layers.add("CONDITIONS", color=1)
    doc.appids.new(OTHER_APP)
    title_block(doc)

    # The header's shading, on a locked layer: a window over the header picks it, and the
    # commands pass it over.
    shade = msp.add_hatch(color=9, dxfattribs={"layer": "LISTE_FOND"})
    shade.paths.add_polyline_path([(0, 100), (WIDTH, 100), (WIDTH, 120), (0, 120)],
                                  is_closed=True)

    # Bending sketches in the shape column: a straight bar, and a bar with a hook.
    msp.add_lwpolyline([(165, 90), (195, 90)], dxfattribs={"layer": "LISTE"})
    msp.add_lwpolyline([(165, 70), (190, 70)], dxfattribs={"layer": "LISTE"})
    msp.add_arc((190, 72.5), 2.5, 270, 90, dxfattribs={"layer": "LISTE"})

    cartouche = msp.add_blockref("CARTOUCHE", (120, 172), dxfattribs={"layer": "CARTOUCHE"})
    cartouche.add_auto_attribs({"PROJET": "Immeuble Les Tilleuls", "DESSINATEUR": "J. Martin",
                                "DATE": "06/12/2026"})
    cartouche.set_xdata(OTHER_APP, [(1000, "cartouche"), (1070, 2)])

    # Second-level header: the element whose bars follow.
    box(msp, 0, 130, WIDTH, 145, "LISTE")
    element = text(msp, "Élément : Poteau P1", 2, 135.75, "LISTE")
    element.set_xdata(OTHER_APP, [(1000, "element"), (1005, "0")])
    text(msp, "Niveau : R+1", 107, 135.75, "LISTE")

    # The condition under which a body row is shown (bars only).
    text(msp, "IsBar", 2, 50, "CONDITIONS", height=3.0)

    # Second-level footer: the element's sub-total.
    box(msp, 0, 25, WIDTH, 45, "LISTE")
    box(msp, 105, 25, 150, 45, "LISTE", sides="lr")
    text(msp, "Sous-total Poteau P1", 2, 33.25, "LISTE")
    subtotal = text(msp, "62.92", 107, 33.25, "LISTE")
    subtotal.set_xdata(OTHER_APP, [(1000, "sous-total"), (1040, 62.92)])

    # Second footer part, under the footer's total, sharing its bottom line.
    box(msp, 0, -20, WIDTH, 0, "LISTE", sides="blr")
    box(msp, 105, -20, 150, 0, "LISTE", sides="lr")
    text(msp, "Total treillis soudés", 2, -11.75, "LISTE")
    text(msp, "12.40", 107, -11.75, "LISTE")

    # Page footer.
    msp.add_line((0, -30), (WIDTH, -30), dxfattribs={"layer": "LISTE"})
    text(msp, "Nomenclature des aciers - Poteau P1", 2, -37, "LISTE", height=2.5)
    text(msp, "Page 1/3", 170, -37, "LISTE", height=2.5)

    doc.saveas(os.path.join(os.path.dirname(os.path.abspath(__file__)), "template.dxf"))


if __name__ == "__main__":
    main()
