"""The body command and its distribution dialog, driven through the real host on a list template
drawn here with Debian's ezdxf; ezdxf reads the saved drawing back."""

import os
import unittest

import ezdxf

from hostrun import Sandbox

APP = "ZANT_LIST_TEMPLATE"
COLUMNS = [0, 25, 50, 80, 105, 150, 200]

# The drafter's session: a header, a pattern body with its repeated row, a distance shown by two
# points and a condition picked by handle, then a footer part whose master is the first text of
# a window.
SESSION = """ZANTLHEADER W 0,100 200,120

ZANTLBODY W 0,80 200,100

1213 1214 Ok W 0,60 200,80

0,0 0,250 #2A3
ZANTLFOOTERPART W 0,0 200,20

W 0,0 50,20
QSAVE
"""


class Template:
    """A list template: rows of lines and texts, each entity with the box it covers."""

    def __init__(self, path):
        self.path = path
        self.doc = ezdxf.new("R2000")
        self.doc.layers.add("LISTE")
        self.doc.layers.add("FIGE").lock()
        self.doc.appids.new("OTHER_APP")
        self.msp = self.doc.modelspace()
        self.boxes = {}  # handle -> (x0, y0, x1, y1, taggable)

    def line(self, a, b, layer="LISTE"):
        e = self.msp.add_line(a, b, dxfattribs={"layer": layer})
        self.boxes[e.dxf.handle] = (min(a[0], b[0]), min(a[1], b[1]), max(a[0], b[0]),
                                    max(a[1], b[1]), layer != "FIGE")
        return e

    def text(self, s, x, y, handle=None):
        if handle:
            self.doc.entitydb.handles.reset(handle)
        e = self.msp.add_text(s, dxfattribs={"layer": "LISTE", "height": 2.5, "insert": (x, y)})
        self.boxes[e.dxf.handle] = (x, y, x + 2.5 * len(s), y + 2.5, True)
        return e

    def row(self, y0, y1, texts):
        for y in (y0, y1):
            self.line((0, y), (200, y))
        for x in COLUMNS:
            self.line((x, y0), (x, y1))
        for x, s in zip(COLUMNS, texts):
            if s:
                self.text(s, x + 2, y0 + 4)

    def draw(self):
        self.row(100, 120, ["Repère", "Nombre", "Diamètre", "Longueur", "Poids"])
        self.row(80, 100, ["1", "10", "HA12", "3.50", "31.08"])
        self.row(60, 80, ["2", "24", "HA10", "2.15", "31.84"])
        self.row(0, 20, ["Total", "", "", "", "62.92"])
        # Things a body window also catches: a circle (no record for it), a line on a locked
        # layer, and a text that another application marked.
        circle = self.msp.add_circle((160, 90), 3, dxfattribs={"layer": "LISTE"})
        self.boxes[circle.dxf.handle] = (157, 87, 163, 93, False)
        self.line((170, 85), (190, 85), layer="FIGE")
        marked = self.text("note", 170, 92)
        marked.set_xdata("OTHER_APP", [(1000, "keep me"), (1070, 5)])
        self.condition = self.text("Diam > 10", 60, 40, handle="2A3").dxf.handle
        self.doc.saveas(self.path)

    def inside(self, x0, y0, x1, y1):
        return [h for h, b in self.boxes.items()
                if x0 <= b[0] and y0 <= b[1] and b[2] <= x1 and b[3] <= y1]

    def taggable(self, handles):
        return [h for h in handles if self.boxes[h][4]]


def records(path):
    doc = ezdxf.readfile(path)
    found = {}
    for e in doc.modelspace():
        if e.has_xdata(APP):
            found[e.dxf.handle] = [[t.code, t.value] for t in e.get_xdata(APP)]
    return found, doc


def record(key, sub_key=None, value=0.0):
    return [[1000, key]] + ([[1000, sub_key]] if sub_key else []) + [[1040, value]]


def entity_chunks(path):
    """Each entity's DXF text, by handle: what must stay byte for byte when it was not picked."""
    with open(path, "rb") as f:
        lines = f.read().split(b"\n")
    chunks, current, handle = {}, [], None
    in_entities = False
    for i in range(0, len(lines) - 1, 2):
        code, value = lines[i].strip(), lines[i + 1]
        if code == b"0":
            if handle is not None:
                chunks[handle] = b"\n".join(current)
            current, handle = [], None
        if code == b"2" and value.strip() == b"ENTITIES":
            in_entities = True
        if code == b"0" and value.strip() == b"ENDSEC":
            in_entities = False
        if in_entities:
            current += [lines[i], value]
            if code == b"5" and handle is None:
                handle = value.strip().decode()
    return chunks


class BodyCommand(unittest.TestCase):
    def setUp(self):
        self.box = Sandbox()
        self.addCleanup(self.box.close)
        self.drawing = os.path.join(self.box.root, "liste.dxf")
        self.template = Template(self.drawing)
        self.template.draw()
        with open(self.drawing, "rb") as f:
            self.original = f.read()

    def run_host(self, script):
        run = self.box.run(script, drawing=self.drawing)
        self.assertEqual(run.returncode, 0, run.output)
        return run

    def test_the_drafters_session_writes_every_record_and_nothing_else(self):
        t = self.template
        run = self.run_host(SESSION)
        # The dialog showed its pictures, the pattern one pressed after the click.
        self.assertIn("[1213] (picture button, pressed)", run.output)
        self.assertIn("+-------+--------+-------+", run.output)

        expected = {}
        for h in t.taggable(t.inside(0, 100, 200, 120)):
            expected[h] = record("LIST_HEADER")
        body = t.taggable(t.inside(0, 80, 200, 100))
        repeated = t.taggable(t.inside(0, 60, 200, 80))
        for h in body:
            expected[h] = record("LIST_BODY")
        # Written after the body: a line on both rows ends as a repeated object only.
        for h in repeated:
            expected[h] = record("LIST_PATTERN_BODY", value=250.0)
        expected[t.condition] = record("LIST_BODY", "LIST_PATTERN_CONDITION", 250.0)
        footer = t.taggable(t.inside(0, 0, 200, 20))
        master = next(h for h in t.inside(0, 0, 50, 20) if h in footer and
                      ezdxf.readfile(self.drawing).entitydb[h].dxftype() == "TEXT")
        number = int(master, 16)
        for h in footer:
            expected[h] = record("LIST_FOOTER", "LIST_FOOTER_PART%d" % number)
        expected[master] = record("LIST_FOOTER", "LIST_FOOTER_PART_MASTER%d" % number)

        found, doc = records(self.drawing)
        self.assertEqual(found, expected)
        self.assertTrue(set(body) & set(repeated))  # the shared line at y = 80 was picked twice
        marked = next(h for h in body if doc.entitydb[h].has_xdata("OTHER_APP"))
        self.assertEqual([[t.code, t.value] for t in doc.entitydb[marked].get_xdata("OTHER_APP")],
                         [[1000, "keep me"], [1070, 5]])
        self.assertEqual([a.dxf.name for a in doc.appids].count(APP), 1)
        self.assertEqual(doc.audit().has_errors, False)

        before, after = entity_chunks(self.original_path()), entity_chunks(self.drawing)
        for h, chunk in before.items():
            if h not in expected:
                self.assertEqual(after[h], chunk, "entity %s changed" % h)

    def original_path(self):
        path = os.path.join(self.box.root, "original.dxf")
        with open(path, "wb") as f:
            f.write(self.original)
        return path

    def test_every_early_end_leaves_the_drawing_as_it_was(self):
        ends = [
            "ZANTLBODY\n\n",                                    # nothing picked
            "ZANTLBODY\n^C\n",                                  # Escape at the selection
            "ZANTLBODY W 0,80 200,100\n\nAnnuler\n",            # dialog cancelled
            "ZANTLBODY W 0,80 200,100\n\n1214 ^C\n",            # box checked, then Escape
            "ZANTLBODY W 0,80 200,100\n\n1213 Ok\n\n",          # no repeated objects
            "ZANTLBODY W 0,80 200,100\n\n1213 Ok W 0,60 200,80\n\n0\n",
            "ZANTLBODY W 0,80 200,100\n\n1213 Ok W 0,60 200,80\n\n9e-11\n",
            "ZANTLBODY W 0,80 200,100\n\n1213 Ok W 0,60 200,80\n\n-9e-11\n",
            "ZANTLBODY W 0,80 200,100\n\n1213 Ok W 0,60 200,80\n\n5,5 5,5\n",
            "ZANTLBODY W 0,80 200,100\n\n1213 Ok W 0,60 200,80\n\n\n",  # Enter, no value
            "ZANTLBODY W 0,80 200,100\n\n1214 Ok\n\n",          # no condition picked
            "ZANTLBODY W 0,80 200,100\n\n1214 Ok\n^C\n",
        ]
        for script in ends:
            with self.subTest(script=script):
                with open(self.drawing, "wb") as f:
                    f.write(self.original)
                run = self.box.run(script + "QSAVE\n", drawing=self.drawing)
                self.assertIn("Command: QSAVE", run.output)
                with open(self.drawing, "rb") as f:
                    self.assertEqual(f.read(), self.original)

    def test_regular_distribution_and_the_condition(self):
        t = self.template
        # Pattern then regular again, the box checked and cleared and checked: regular, with a
        # condition; a window of five texts gives only the first as condition.
        run = self.run_host("ZANTLBODY W 0,80 200,100\n\n1213 1212 1212 1214 1214 Aide 1214 Ok\n"
                            "W 1,99 200,119\nQSAVE\n")
        self.assertIn("[1212] (picture button, pressed)", run.output)
        self.assertNotIn("Sélectionnez les objets répétés", run.output)
        found, _ = records(self.drawing)
        texts = t.inside(1, 99, 200, 119)
        self.assertEqual(len(texts), 5)
        condition = record("LIST_BODY", "LIST_PATTERN_CONDITION")
        conditions = [h for h, r in found.items() if r == condition]
        self.assertEqual(len(conditions), 1)
        self.assertIn(conditions[0], texts)
        for h in t.taggable(t.inside(0, 80, 200, 100)):
            self.assertEqual(found[h], record("LIST_BODY"))
        self.assertFalse(any(r[0] == [1000, "LIST_PATTERN_BODY"] for r in found.values()))

    def test_a_negative_distance_is_kept_and_a_second_run_replaces_the_first(self):
        t = self.template
        self.run_host("ZANTLBODY W 0,60 200,80\n\n1213 Ok W 0,60 200,80\n\n-12.5\n"
                      "ZANTLBODY W 0,80 200,100\n\nOk\nQSAVE\n")
        found, _ = records(self.drawing)
        expected = {h: record("LIST_PATTERN_BODY", value=-12.5)
                    for h in t.taggable(t.inside(0, 60, 200, 80))}
        expected.update({h: record("LIST_BODY") for h in t.taggable(t.inside(0, 80, 200, 100))})
        self.assertEqual(found, expected)

    def test_the_dialog_is_traced_and_answers_in_english(self):
        self.box.install_prompts("Bin")
        self.box.set_language(0x0409)
        run = self.run_host("ZANTLBODY W 0,80 200,100\n\nOK\nQSAVE\n")
        self.assertIn("Dialog: Distribution method in the body of the list", run.output)
        for scope in ("ZANTDlgSelDistrib::ZANTDlgSelDistrib", "ZANTDlgSelDistrib::OnInitDialog",
                      "ZANTDlgSelDistrib::OnOK", "ZANTDlgSelDistrib::regularDistrib",
                      "ZANTDlgSelDistrib::chooseFilter"):
            self.assertGreaterEqual(run.trace_count(scope), 1, scope)
        self.assertEqual(run.trace_count("ZANTDlgSelDistrib::initFlatButton"), 2)


if __name__ == "__main__":
    unittest.main()
