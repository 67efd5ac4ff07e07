"""The capture commands on a real drawing: the host runs them on a small list template drawn with
Debian's ezdxf (data/list_template.dxf), saves it, and ezdxf reads back the template records that
the list generator will find."""

import json
import os
import subprocess
import unittest

import ezdxf

from hostrun import Sandbox

HERE = os.path.dirname(os.path.abspath(__file__))
TEMPLATE = os.path.join(HERE, "data", "list_template.dxf")
EXAMPLE = os.path.join(HERE, "..", "..", "example")
APP = "ZANT_LIST_TEMPLATE"
PYTHON = "/usr/bin/python3"

# Dumps what a saved drawing holds: every model-space entity with its type, its first point and
# its extended data by application, and the APPID table's names.
READER = r"""
import json, sys
import ezdxf
doc = ezdxf.readfile(sys.argv[1])
entities = {}
for e in doc.modelspace():
    kind = e.dxftype()
    if kind == "LINE":
        point = e.dxf.start
    elif kind == "CIRCLE":
        point = e.dxf.center
    else:
        point = e.dxf.insert
    xdata = {}
    if e.xdata is not None:
        for app in e.xdata.data:
            xdata[app] = [[t.code, t.value] for t in e.get_xdata(app)]
    end = list(e.dxf.end)[:2] if kind == "LINE" else None
    entities[e.dxf.handle] = {"type": kind, "point": list(point)[:2], "end": end, "xdata": xdata}
print(json.dumps({"entities": entities, "appids": [a.dxf.name for a in doc.appids]}))
"""

# Gives the drawing records written before, by this module and by another application.
PREPARE = r"""
import sys
import ezdxf
doc = ezdxf.readfile(sys.argv[1])
doc.appids.new("ZANT_LIST_TEMPLATE")
doc.appids.new("OTHER_APP")
doc.entitydb["69"].set_xdata("ZANT_LIST_TEMPLATE", [(1000, "LIST_BODY"), (1040, 0.0)])
doc.entitydb["3A"].set_xdata("OTHER_APP", [(1000, "keep me"), (1070, 5)])
doc.save()
"""

# Adds two texts whose handles test the part number: one with the top bit of its low 32 bits set,
# one with bits above the low 32 (2A3 below them).
ADD_MASTERS = r"""
import sys
import ezdxf
doc = ezdxf.readfile(sys.argv[1])
for handle, y in (("FFFFFFFE", 150), ("1000002A3", 160)):
    doc.entitydb.handles.reset(handle)
    doc.modelspace().add_text("master", dxfattribs={"insert": (0, y), "height": 3.5})
doc.save()
"""


def read_drawing(path):
    done = subprocess.run([PYTHON, "-c", READER, path], capture_output=True, text=True,
                          check=True)
    return json.loads(done.stdout)


def record(key, sub_key=None):
    """A template record as ezdxf gives it, without its application group."""
    return [[1000, key]] + ([[1000, sub_key]] if sub_key else []) + [[1040, 0.0]]


class CaptureCommands(unittest.TestCase):
    def setUp(self):
        self.box = Sandbox()
        self.addCleanup(self.box.close)
        self.drawing = self.box.copy_drawing(TEMPLATE)
        self.before = read_drawing(self.drawing)

    def run_host(self, script):
        run = self.box.run(script, drawing=self.drawing)
        self.assertEqual(run.returncode, 0, run.output)
        return run

    def handles_in(self, x0, y0, x1, y1):
        """What a window selection over this box picks from the template."""
        def inside(p):
            return x0 <= p[0] <= x1 and y0 <= p[1] <= y1
        return {h for h, e in self.before["entities"].items()
                if e["type"] in ("LINE", "TEXT") and inside(e["point"])
                and (e["end"] is None or inside(e["end"]))}

    def test_each_section_command_writes_its_record(self):
        header = self.handles_in(0, 100, 200, 120)
        self.assertGreater(len(header), 6)
        run = self.run_host("ZANTLHEADER\nW\n0,100\n200,120\n\n"
                            "ZANTLSUBHEADER\n#48\n\n"
                            "zantnompied\n#66\n\n"
                            "ZANTLSUBFOOTER\n#57\n#58\n\n"
                            "ZANTLPAGEFOOTER\n#68\n\n"
                            "QSAVE\n")
        self.assertIn("Select lines and text for page footer", run.output)
        self.assertIn("entête de 2ème niveau de la nomenclature :", run.output)
        after = read_drawing(self.drawing)
        expected = {h: record("LIST_HEADER") for h in header}
        expected.update({"48": record("LIST_SUBHEADER"), "66": record("LIST_FOOTER"),
                         "57": record("LIST_SUBFOOTER"), "58": record("LIST_SUBFOOTER"),
                         "68": record("LIST_PAGE_FOOTER")})
        tagged = {h: e["xdata"][APP] for h, e in after["entities"].items() if APP in e["xdata"]}
        self.assertEqual(tagged, expected)
        self.assertEqual(after["appids"].count(APP), 1)
        self.assertEqual(len(after["appids"]), len(self.before["appids"]) + 1)

    def test_picking_again_replaces_the_record_and_keeps_other_applications(self):
        subprocess.run([PYTHON, "-c", PREPARE, self.drawing], check=True)
        self.run_host("ZANTLHEADER\n#3A\n#39\n\n"
                      "ZANTLFOOTER\nW\n0,100\n220,120\n\n"
                      "ZANTLHEADER\n#4A\n\n"
                      "QSAVE\n")
        after = read_drawing(self.drawing)["entities"]
        # The circle lay in the footer's window: its former record is gone and it got no new one.
        self.assertEqual(after["69"]["xdata"], {})
        self.assertEqual(after["3A"]["xdata"],
                         {APP: record("LIST_FOOTER"), "OTHER_APP": [[1000, "keep me"], [1070, 5]]})
        self.assertEqual(after["39"]["xdata"], {APP: record("LIST_FOOTER")})
        # A second header definition adds to the section.
        self.assertEqual(after["4A"]["xdata"], {APP: record("LIST_HEADER")})
        self.assertEqual(read_drawing(self.drawing)["appids"].count(APP), 1)

    def test_cancelled_or_empty_selections_write_nothing(self):
        reference = self.box.copy_drawing(TEMPLATE, "reference.dxf")
        self.assertEqual(self.box.run("QSAVE\n", drawing=reference).returncode, 0)
        run = self.run_host("ZANTLHEADER\n\n"
                      "ZANTLSUBFOOTER\n^C\n"
                      "ZANTLFOOTERPART\n\n"
                      "ZANTLFOOTERPART\n#66\n\n\n"
                      "ZANTLFOOTERPART\n#66\n\n^C\n"
                      "QSAVE\n")
        self.assertIn("Command: QSAVE", run.output)
        with open(self.drawing, "rb") as a, open(reference, "rb") as b:
            self.assertEqual(a.read(), b.read())

    def test_footer_parts_are_numbered_by_their_master(self):
        total_row = self.handles_in(0, 0, 200, 20)
        self.assertIn("67", total_row)
        self.run_host("ZANTLFOOTERPART\nW\n0,0\n200,20\n\n#67\n"
                      "ZANTLFOOTERPART\n#57\n#58\n\n#3A\n"
                      "QSAVE\n")
        after = read_drawing(self.drawing)["entities"]
        tagged = {h: e["xdata"][APP] for h, e in after.items() if APP in e["xdata"]}
        # 0x67 is 103 and 0x3A is 58; the master picked among its group is master only.
        expected = {h: record("LIST_FOOTER", "LIST_FOOTER_PART103") for h in total_row}
        expected["67"] = record("LIST_FOOTER", "LIST_FOOTER_PART_MASTER103")
        expected["57"] = expected["58"] = record("LIST_FOOTER", "LIST_FOOTER_PART58")
        expected["3A"] = record("LIST_FOOTER", "LIST_FOOTER_PART_MASTER58")
        self.assertEqual(tagged, expected)

    def test_part_number_is_the_low_32_bits_of_the_handle_signed(self):
        subprocess.run([PYTHON, "-c", ADD_MASTERS, self.drawing], check=True)
        self.run_host("ZANTLFOOTERPART\n#48\n\n#FFFFFFFE\n"
                      "ZANTLFOOTERPART\n#49\n\n#1000002A3\n"
                      "QSAVE\n")
        after = read_drawing(self.drawing)["entities"]
        tagged = {h: e["xdata"][APP] for h, e in after.items() if APP in e["xdata"]}
        self.assertEqual(tagged, {
            "48": record("LIST_FOOTER", "LIST_FOOTER_PART-2"),
            "FFFFFFFE": record("LIST_FOOTER", "LIST_FOOTER_PART_MASTER-2"),
            "49": record("LIST_FOOTER", "LIST_FOOTER_PART675"),
            "1000002A3": record("LIST_FOOTER", "LIST_FOOTER_PART_MASTER675")})

    def test_only_a_text_can_be_the_master(self):
        line = min(h for h, e in self.before["entities"].items() if e["type"] == "LINE")
        reference = self.box.copy_drawing(TEMPLATE, "reference.dxf")
        self.assertEqual(self.box.run("QSAVE\n", drawing=reference).returncode, 0)
        self.run_host("ZANTLFOOTERPART\n#48\n\n#%s\n\nQSAVE\n" % line)
        with open(self.drawing, "rb") as a, open(reference, "rb") as b:
            self.assertEqual(a.read(), b.read())

    def test_example_session_answers_every_prompt(self):
        drawing = self.box.copy_drawing(os.path.join(EXAMPLE, "template.dxf"), "example.dxf")
        with open(os.path.join(EXAMPLE, "define-template.scr"), encoding="utf-8") as f:
            run = self.box.run(f.read(), drawing=drawing)
        self.assertEqual(run.returncode, 0, run.output)
        self.assertNotIn("Invalid", run.output)
        self.assertIn("Command: QSAVE", run.output)
        doc = ezdxf.readfile(drawing)
        keys = {e.get_xdata(APP)[0].value for e in doc.modelspace() if e.has_xdata(APP)}
        self.assertEqual(keys, {"LIST_HEADER", "LIST_SUBHEADER", "LIST_BODY", "LIST_PATTERN_BODY",
                                "LIST_FOOTER", "LIST_SUBFOOTER", "LIST_PAGE_FOOTER"})


if __name__ == "__main__":
    unittest.main()
