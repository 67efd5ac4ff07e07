"""zantinspect, the real program, on drawings that the real host marked with the module's
commands and on drawings written here with Debian's ezdxf; ezdxf reads the same files to say what
the records are, and rsvg-convert renders the pictures."""

import json
import os
import shutil
import struct
import subprocess
import tempfile
import unittest
import xml.etree.ElementTree as ET
import zlib

import ezdxf

from hostrun import Sandbox

INSPECT = os.environ["ZANTINSPECT"]
EXAMPLE = os.environ["ZANT_EXAMPLE"]
APP = "ZANT_LIST_TEMPLATE"

# A drafter's first hour on the example: every section, a pattern body repeated every 20 with its
# display condition, two footer parts, each with its master text, and three texts that become
# variables (the position and quantity of the body row, the page number of the page footer).
SESSION = """ZANTLHEADER W 0,100 200,120

ZANTLSUBHEADER W 0,130 200,145

ZANTLBODY W 0,80 200,100

1213 1214 Ok W 0,60 200,80

0,0 0,20 W 0,48 20,56
ZANTLSUBFOOTER W 0,25 200,45

ZANTLFOOTERPART W 0,0 200,20

W 0,0 50,20
ZANTLFOOTERPART W 0,-20 200,0 R #5D

W 0,-20 105,0
ZANTLPAGEFOOTER W 0,-42 200,-28

ZANTLVARIABLE
PositionNum
Ok
W 1,85 24,95

ZANTLVARIABLE
Quantity
Ok
W 26,85 49,95

ZANTLVARIABLE
Page PageNum/TotalPages
Ok
W 165,-40 200,-33

QSAVE
"""


def example_text(content):
    """The handle of the example's text with these contents."""
    doc = ezdxf.readfile(EXAMPLE)
    return next(e.dxf.handle for e in doc.modelspace().query("TEXT") if e.dxf.text == content)


def inspect(*args):
    return subprocess.run([INSPECT, *args], capture_output=True, text=True, timeout=60)


def ezdxf_records(path):
    """{handle: [[code, value], ...]}: the template records as ezdxf reads them."""
    doc = ezdxf.readfile(path)
    found = {}
    for e in doc.modelspace():
        if e.has_xdata(APP):
            found[e.dxf.handle] = [[t.code, t.value] for t in e.get_xdata(APP)]
    return found


def first_rule(rules, groups):
    """The first tint rule whose groups are exactly these: code for code, a null value matching
    any, a text ending in "*" any text starting so."""
    def same(wanted, group):
        code, value = wanted
        if code != group[0] or value is None:
            return code == group[0]
        if isinstance(value, str) and value.endswith("*"):
            return str(group[1]).startswith(value[:-1])
        return value == group[1]
    for rule in rules:
        if rule["application"] == APP and len(rule["groups"]) == len(groups) and all(
                same(w, g) for w, g in zip(rule["groups"], groups)):
            return rule
    return None


def read_png(path):
    """(width, height, rows of (r, g, b) tuples) of an 8-bit RGB or RGBA PNG."""
    with open(path, "rb") as f:
        data = f.read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n"
    at, idat = 8, b""
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            assert depth == 8 and colour in (2, 6) and interlace == 0
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    size = 4 if colour == 6 else 3
    raw = zlib.decompress(idat)
    stride = width * size
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - size] if i >= size else 0
            up = previous[i]
            corner = previous[i - size] if i >= size else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                pred = left if pa <= pb and pa <= pc else (up if pb <= pc else corner)
                line[i] = (line[i] + pred) & 255
        rows.append([tuple(line[x * size:x * size + 3]) for x in range(width)])
        previous = line
    return width, height, rows


class Inspector(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix="zantinspect-")
        self.addCleanup(shutil.rmtree, self.dir, ignore_errors=True)

    def path(self, name):
        return os.path.join(self.dir, name)

    def marked_example(self):
        """The example drawing after the drafter's session in the real host."""
        box = Sandbox()
        self.addCleanup(box.close)
        drawing = box.copy_drawing(EXAMPLE)
        run = box.run(SESSION, drawing=drawing)
        self.assertEqual(run.returncode, 0, run.output)
        path = self.path("marked.dxf")
        shutil.copy(drawing, path)
        return path

    def test_marked_drawing_lists_exactly_the_records_written(self):
        drawing = self.marked_example()
        with open(drawing, "rb") as f:
            before = f.read()
        done = inspect("--json", drawing)
        self.assertEqual(done.returncode, 0, done.stderr)
        report = json.loads(done.stdout)
        self.assertTrue(report["template"])
        written = ezdxf_records(drawing)
        self.assertGreater(len(written), 40)
        self.assertEqual({r["handle"]: r["groups"] for r in report["records"]}, written)
        self.assertTrue(all("problem" not in r for r in report["records"]))

        sections = report["sections"]
        by_key = {}
        for handle, groups in written.items():
            by_key.setdefault(tuple(g[1] for g in groups if g[0] == 1000), set()).add(handle)
        for name, key in (("header", "LIST_HEADER"), ("sub-header", "LIST_SUBHEADER"),
                          ("body", "LIST_BODY"), ("pattern-body", "LIST_PATTERN_BODY"),
                          ("sub-footer", "LIST_SUBFOOTER"), ("page-footer", "LIST_PAGE_FOOTER")):
            self.assertEqual({e["handle"] for e in sections[name]["entities"]},
                             by_key[(key,)], name)
        self.assertEqual(sections["footer"]["entities"], [])
        condition = example_text("IsBar")
        self.assertEqual([e["handle"] for e in sections["condition"]["entities"]], [condition])
        self.assertEqual(report["distribution"], {"method": "pattern", "distances": [20]})
        # Footer parts are numbered by their master's handle.
        total, meshes = example_text("Total"), example_text("Total treillis soudés")
        parts = {p["number"]: p for p in report["footer_parts"]}
        self.assertEqual(sorted(parts), sorted([int(total, 16), int(meshes, 16)]))
        self.assertEqual([m["handle"] for m in parts[int(total, 16)]["masters"]], [total])
        second = parts[int(meshes, 16)]
        self.assertEqual([m["text"] for m in second["masters"]], ["Total treillis soudés"])
        self.assertEqual(len(second["members"]), 6)
        variables = {v["handle"]: (v["text"], v["names"], v["unknown"], v["in_section"])
                     for v in report["variables"]}
        self.assertEqual(variables, {
            condition: ("IsBar", ["IsBar"], [], True),
            example_text("1"): ("PositionNum", ["PositionNum"], [], True),
            example_text("10"): ("Quantity", ["Quantity"], [], True),
            example_text("Page 1/3"): ("Page PageNum/TotalPages", ["PageNum", "TotalPages"], [],
                                       True)})
        # A sound template: nothing to fix, and the shading on its locked layer stayed out.
        self.assertEqual(report["warnings"], [])
        kinds = {e["kind"] for s in sections.values() for e in s["entities"]}
        self.assertNotIn("HATCH", kinds)
        self.assertIn("ARC", kinds)

        text = inspect(drawing)
        self.assertEqual(text.returncode, 0)
        self.assertIn("Body distribution: pattern, repeated objects every 20", text.stdout)
        self.assertIn("Footer part %d: 6 entities, master %s" % (int(meshes, 16), meshes),
                      text.stdout)
        self.assertIn("No warnings.", text.stdout)
        with open(drawing, "rb") as f:
            self.assertEqual(f.read(), before, "the inspector never writes the drawing")
        self.assertFalse(os.path.exists(drawing[:-4] + ".bak"))

    def test_unmarked_drawing_has_no_template(self):
        done = inspect(EXAMPLE)
        self.assertEqual((done.returncode, done.stdout, done.stderr),
                         (0, "No list template in %s.\n" % EXAMPLE, ""))
        report = json.loads(inspect("--json", EXAMPLE).stdout)
        self.assertEqual((report["template"], report["records"], report["warnings"]),
                         (False, [], []))

    def test_unreadable_drawings_get_the_readers_message(self):
        with open(EXAMPLE, "rb") as f:
            data = f.read()
        cut = self.path("cut.dxf")
        with open(cut, "wb") as f:
            f.write(data[:len(data) // 2])
        garbage = self.path("garbage.dxf")
        with open(garbage, "wb") as f:
            f.write(b"\x00\x01 not a drawing\n" * 20)
        for path in (cut, garbage, self.path("missing.dxf")):
            with self.subTest(path=path):
                done = inspect(path)
                self.assertEqual(done.returncode, 1)
                self.assertEqual(done.stdout, "")
                self.assertTrue(done.stderr.startswith("zantinspect: "), done.stderr)
                self.assertIn(os.path.basename(path), done.stderr)
                self.assertEqual(len(done.stderr.splitlines()), 1)
        self.assertIn("cannot open", inspect(self.path("missing.dxf")).stderr)
        self.assertEqual(inspect().returncode, 2)
        self.assertEqual(inspect("--bogus", EXAMPLE).returncode, 2)
        # A picture that cannot be written: a clear message and no file left behind.
        picture = self.path("no/such/folder/picture.svg")
        done = inspect("--svg", picture, EXAMPLE)
        self.assertEqual(done.returncode, 1)
        self.assertIn("cannot write", done.stderr)
        self.assertFalse(os.path.exists(os.path.dirname(picture)))
        # Nor may the picture take the drawing's place.
        drawing = self.path("drawing.dxf")
        shutil.copy(EXAMPLE, drawing)
        done = inspect("--svg", drawing, drawing)
        self.assertEqual(done.returncode, 2)
        self.assertIn("would replace the drawing", done.stderr)
        with open(drawing, "rb") as a, open(EXAMPLE, "rb") as b:
            self.assertEqual(a.read(), b.read())

    def test_warnings_a_drafter_wants_before_sending_the_template(self):
        doc = ezdxf.new("R2000")
        doc.appids.new(APP)
        msp = doc.modelspace()

        def tag(entity, *groups):
            entity.set_xdata(APP, list(groups))
            return entity.dxf.handle

        def line(y):
            return msp.add_line((0, y), (100, y))

        def text(s, y):
            return msp.add_text(s, dxfattribs={"insert": (0, y), "height": 2.5})

        key = lambda k: (1000, k)  # noqa: E731
        zero = (1040, 0.0)
        header = tag(line(100), key("LIST_HEADER"), zero)
        tag(line(90), key("LIST_BODY"), zero)
        no_distance = tag(line(80), key("LIST_PATTERN_BODY"), zero)
        condition = tag(text("IsBar", 85), key("LIST_BODY"), key("LIST_PATTERN_CONDITION"),
                        (1040, 5.0))
        tag(text("IsBended", 84), key("LIST_BODY"), key("LIST_PATTERN_CONDITION"), zero)
        orphan = tag(line(10), key("LIST_FOOTER"), key("LIST_FOOTER_PART5"), zero)
        line_master = line(0)
        number = int(line_master.dxf.handle, 16)
        tag(line_master, key("LIST_FOOTER"), key("LIST_FOOTER_PART_MASTER%d" % number), zero)
        tag(line(-5), key("LIST_FOOTER"), key("LIST_FOOTER_PART%d" % number), zero)
        copied = tag(text("Total", -10), key("LIST_FOOTER"), key("LIST_FOOTER_PART_MASTER7"),
                     zero)
        tag(line(-15), key("LIST_FOOTER"), key("LIST_FOOTER_PART7"), zero)
        circle = tag(msp.add_circle((50, 50), 5), key("LIST_HEADER"), zero)
        unknown_key = tag(line(20), key("LIST_HEAD"), zero)
        zeros = tag(line(25), key("LIST_FOOTER"), key("LIST_FOOTER_PART007"), zero)
        no_value = tag(line(30), key("LIST_HEADER"))
        wrong_sub = tag(line(35), key("LIST_HEADER"), key("LIST_PATTERN_CONDITION"), zero)
        typo = tag(text("Quantity * Weigth + positionnum", 60), key("LIST_BODY"), zero)
        page = tag(text('"Page (PageNumber) " & PageNum & "/" & TotalPages & PageNumber', 70),
                   key("LIST_PAGE_FOOTER"), zero)
        loose = text("PositionNum", 75).dxf.handle
        index = tag(text("SegmentLength[1] + AngleIn[0]", 65), key("LIST_BODY"), zero)
        mtext = tag(msp.add_mtext("{\\fArial|b1;Poids total :} TotalWeight\\Pkg",
                                  dxfattribs={"insert": (0, 55)}), key("LIST_SUBFOOTER"), zero)
        path = self.path("warnings.dxf")
        doc.saveas(path)

        done = inspect("--json", path)
        self.assertEqual(done.returncode, 0, done.stderr)
        report = json.loads(done.stdout)
        warnings = [(w["handle"], w["message"]) for w in report["warnings"]]

        def warned(handle, words):
            found = [m for h, m in warnings if h == handle and words in m]
            self.assertTrue(found, "%s: no warning with %r in %s" % (handle, words, warnings))

        warned(no_distance, "without distance")
        warned(condition, "carries the distance 5, the body's is 0")
        warned(None, "2 display conditions where a body has one")
        warned(None, "footer part 5 has no master")
        warned(line_master.dxf.handle, "is a LINE, not a text")
        warned(copied, "handle gives the number %d" % int(copied, 16))
        warned(circle, "a CIRCLE tagged LIST_HEADER")
        warned(unknown_key, 'unknown section key "LIST_HEAD"')
        warned(zeros, 'sub-key "LIST_FOOTER_PART007" does not fit')
        warned(no_value, "does not end with its value")
        warned(wrong_sub, 'sub-key "LIST_PATTERN_CONDITION" does not fit the key LIST_HEADER')
        warned(typo, '"Weigth" is not a variable name the list generator knows (Weight?)')
        warned(typo, '"positionnum" is not a variable name the list generator knows '
                     '(PositionNum?)')
        warned(page, '"PageNumber" is not a variable name')
        warned(index, '"SegmentLength[1]" is not a variable name')
        warned(loose, "in no section")
        warned(None, "Second-level header (LIST_SUBHEADER): no entity")
        # Sections that hold something are not reported empty, nor is a sound entity.
        self.assertFalse([m for h, m in warnings if "Header (LIST_HEADER)" in m])
        self.assertFalse([m for h, m in warnings if h == header])
        self.assertEqual(len(warnings), 17, warnings)

        problems = {r["handle"] for r in report["records"] if "problem" in r}
        self.assertEqual(problems, {unknown_key, zeros, no_value, wrong_sub})
        self.assertEqual({r["handle"] for r in report["records"]}, set(ezdxf_records(path)))
        self.assertEqual(sorted(p["number"] for p in report["footer_parts"]), [5, 7, number])
        self.assertEqual([p["members"][0]["handle"] for p in report["footer_parts"]
                          if p["number"] == 5], [orphan])
        variables = {v["handle"]: v for v in report["variables"]}
        self.assertEqual(variables[page]["names"], ["PageNum", "TotalPages"])
        self.assertEqual(variables[typo]["names"], ["Quantity"])
        self.assertEqual(variables[index]["names"], ["AngleIn[0]"])
        self.assertEqual(variables[mtext]["text"], "Poids total : TotalWeight\nkg")
        self.assertEqual(variables[mtext]["names"], ["TotalWeight"])
        self.assertNotIn(header, variables)
        self.assertEqual(report["distribution"], {"method": "pattern", "distances": []})

    def test_picture_shows_each_section_in_its_colour(self):
        drawing = self.marked_example()
        svg = self.path("template.svg")
        done = inspect("--svg", svg, drawing)
        self.assertEqual(done.returncode, 0, done.stderr)
        with open(svg, encoding="utf-8") as f:
            # The title block is a block reference: its attribute values are shown.
            self.assertIn(">J. Martin</text>", f.read())
        _, rows = self.legend(svg)
        labels = [label for _, label in rows]
        for label in ("Header (", "Body (", "Repeated objects (", "Display condition (1)",
                      "Second-level header (", "Second-level footer (", "Page footer (",
                      "Footer part %d (" % int(example_text("Total"), 16),
                      "Footer part %d (" % int(example_text("Total treillis soudés"), 16),
                      "In no section"):
            self.assertTrue(any(l.startswith(label) for l in labels), (label, labels))
        colours = [fill for fill, _ in rows]
        self.assertEqual(len(set(colours)), len(colours), "one colour per section")
        self.assert_drawn(svg, rows)

    def test_tint_rules_give_the_pictures_colours(self):
        drawing = self.marked_example()
        svg = self.path("template.svg")
        self.assertEqual(inspect("--svg", svg, drawing).returncode, 0)
        done = inspect("--tint-rules", drawing)
        self.assertEqual(done.returncode, 0, done.stderr)
        rules = json.loads(done.stdout)
        _, rows = self.legend(svg)
        self.assertEqual(rules["title"], "List template sections")
        # The rules tint each marked entity as the picture colours it: its legend row (colour,
        # label and count) is what the first matching rule gives, and "others" the rest.
        counts = {}
        for groups in ezdxf_records(drawing).values():
            rule = first_rule(rules["rules"], groups)
            self.assertIsNotNone(rule, groups)
            counts[(rule["colour"], rule["label"])] = counts.get((rule["colour"], rule["label"]),
                                                                 0) + 1
        self.assertEqual({(c, "%s (%d)" % (l, n)) for (c, l), n in counts.items()},
                         set(rows[:-1]))
        self.assertEqual(rows[-1], (rules["others"]["colour"], rules["others"]["label"]))
        # Without a drawing: the same sections, and any footer part in one colour.
        bare = json.loads(inspect("--tint-rules").stdout)
        self.assertEqual(bare["rules"][:8], rules["rules"][:8])
        self.assertEqual(len(bare["rules"]), 9)
        self.assertEqual(first_rule(bare["rules"], [[1000, "LIST_FOOTER"],
                                                    [1000, "LIST_FOOTER_PART_MASTER7"],
                                                    [1040, 0.0]])["label"],
                         "Footer part, another number")
        self.assertIsNone(first_rule(bare["rules"], [[1000, "LIST_HEADER"]]))
        self.assertEqual(inspect("--tint-rules", "--json", drawing).returncode, 2)

    def legend(self, svg):
        """The legend's left edge and its rows, (colour, label)."""
        ns = {"s": "http://www.w3.org/2000/svg"}
        legend = ET.parse(svg).getroot().find("s:g[@id='legend']", ns)
        left = float(legend.get("transform").split("(")[1].split()[0])
        return left, [(r.get("fill"), t.text) for r, t in zip(legend.findall("s:rect", ns),
                                                             legend.findall("s:text", ns)[1:])]

    def assert_drawn(self, svg, rows):
        """Each legend colour is found, rendered, left of the legend."""
        left, _ = self.legend(svg)
        png = svg[:-4] + ".png"
        subprocess.run(["rsvg-convert", "-o", png, svg], check=True, timeout=60)
        width, _, pixels = read_png(png)
        counts = {}
        for row in pixels:
            for x in range(min(width, int(left))):
                counts[row[x]] = counts.get(row[x], 0) + 1
        for fill, label in rows:
            rgb = tuple(int(fill[i:i + 2], 16) for i in (1, 3, 5))
            self.assertGreater(counts.get(rgb, 0), 20, "%s (%s) is not drawn" % (label, fill))

    def test_picture_draws_every_kind_of_curve(self):
        doc = ezdxf.new("R2000")
        doc.appids.new(APP)
        msp = doc.modelspace()
        for entity, key in (
                (msp.add_lwpolyline([(0, 0), (40, 0), (40, 10)]), "LIST_HEADER"),
                (msp.add_polyline2d([(0, 20), (40, 20), (40, 30)]), "LIST_SUBHEADER"),
                (msp.add_arc((20, 50), 10, 0, 180), "LIST_BODY"),
                (msp.add_spline([(0, 70), (10, 80), (30, 60), (40, 70)]), "LIST_SUBFOOTER"),
                (msp.add_circle((20, 100), 8), "LIST_PAGE_FOOTER")):
            entity.set_xdata(APP, [(1000, key), (1040, 0.0)])
        path = self.path("curves.dxf")
        doc.saveas(path)
        svg = self.path("curves.svg")
        done = inspect("--svg", svg, path)
        self.assertEqual(done.returncode, 0, done.stderr)
        _, rows = self.legend(svg)
        self.assertEqual([label for _, label in rows],
                         ["Header (1)", "Second-level header (1)", "Body (1)",
                          "Second-level footer (1)", "Page footer (1)", "In no section"])
        self.assert_drawn(svg, rows[:-1])
        # Both polylines through their own vertices only, in the drawing's order.
        ns = {"s": "http://www.w3.org/2000/svg"}
        lines = ET.parse(svg).getroot().findall("s:g[@id='drawing']/s:polyline", ns)
        shapes = {p.get("stroke"): [tuple(map(float, xy.split(",")))
                                    for xy in p.get("points").split()] for p in lines}
        header, sub_header = rows[0][0], rows[1][0]
        self.assertEqual(len(shapes[header]), 3)
        self.assertEqual(len(shapes[sub_header]), 3)
        self.assertEqual(shapes[header][0][0], shapes[sub_header][0][0])
        self.assertLess(shapes[sub_header][0][1], shapes[header][0][1])

if __name__ == "__main__":
    unittest.main()
