"""The variable command on a drawing made for it: the host shows the expression dialog with the
catalogue's 45 variables, writes the typed expression into the picked texts and saves; ezdxf and
the saved file's own tags say what changed and what did not."""

import json
import os
import re
import subprocess
import unittest

from hostrun import ENGLISH, Sandbox

PYTHON = "/usr/bin/python3"
RESOURCES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                         "zantzododadadovi", "resources")
EXPRESSION = "Quantity * Length"

# The catalogue as the list generator reads it: name, description prompt id, unit kind.
VARIABLES = [
    ("PositionNum", 13412, -1), ("RealDiameter", 13411, 1), ("SteelGrade", 13414, -1),
    ("Adherence", 13415, -1), ("Quantity", 13432, -1), ("Length", 13417, 1),
    ("Weight", 13418, 4), ("Label", 13416, -1), ("EntityUserName", 13431, -1),
    ("NominalDiameter", 13434, -1), ("ElementQuantity", 13435, -1),
    ("ElementDistances", 13422, -1), ("ShapeCode", 13413, -1), ("Schema", 13424, -1),
    ("TotalLength", 13426, 1), ("WeightUnit", 13427, -1), ("TotalWeight", 13429, 4),
    ("Color", 13433, -1), ("ProjectName", 13419, -1), ("ProjectNumber", 13459, -1),
    ("InvestorName", 13421, -1), ("BuildingName", 13461, -1), ("BuildingLocation", 13462, -1),
    ("Contractor", 13463, -1), ("OrderDate", 13464, -1), ("Designer", 13465, -1),
    ("ConstructionDate", 13466, -1), ("Detailer", 13467, -1), ("SheetName", 13423, -1),
    ("PlanNumber", 13425, -1), ("IsLinearUnit", 13436, -1), ("IsBar", 13430, -1),
    ("HasTextSchema", 13437, -1), ("TextSchema", 13438, -1), ("ElementViewName", 13445, -1),
    ("AltSup", 13446, -1), ("AltInf", 13447, -1), ("AltSupLevel", 13448, -1),
    ("AltInfLevel", 13449, -1), ("PageNum", 13450, -1), ("TotalPages", 13451, -1),
    ("SegmentLength[0]", 13452, -1), ("AngleIn[0]", 13453, -1), ("AngleOut[0]", 13454, -1),
    ("IsBended", 13458, -1),
]
UNIT_WORDS = {-1: "none", 1: "length", 4: "weight"}

# One variable as the dialog lists it on the command line: an item of its list (marked when
# selected), the position (starred in the leading group), the name, the description and the
# unit kind.
ENTRY = re.compile(r"^\s*(?:> )?\[\d+:\d+\] (\d+)(\*?) (\S+?)(?:: (.*))? \((\w+)\)$")

# Texts of every kind around a window from (0,0) to (200,80): inside it, a text, an attribute
# definition, a formatted multiline text, a line, an arc, a text on a locked layer and a text
# with records of this module and of another application; outside it, a text and a line.
MAKE = r"""
import sys
import ezdxf
doc = ezdxf.new("R2000")
doc.appids.new("ZANT_LIST_TEMPLATE")
doc.appids.new("OTHER_APP")
doc.layers.add("LOCKED").lock()
msp = doc.modelspace()
msp.add_text("Diamètre", dxfattribs={"insert": (10, 10), "height": 3.5})
msp.add_attdef("POS", insert=(10, 20), text="12", dxfattribs={"height": 2.5, "prompt": "Repère"})
msp.add_mtext(r"{\fArial|b1;Poids}\PTotal \C1;rouge",
              dxfattribs={"insert": (10, 40), "char_height": 2.5, "width": 60})
msp.add_line((5, 5), (150, 5))
msp.add_arc((120, 40), 10, 0, 90)
msp.add_text("Verrou", dxfattribs={"insert": (10, 50), "height": 2.5, "layer": "LOCKED"})
tagged = msp.add_text("Étiquette", dxfattribs={"insert": (10, 60), "height": 2.5})
tagged.set_xdata("OTHER_APP", [(1000, "keep me"), (1070, 5)])
tagged.set_xdata("ZANT_LIST_TEMPLATE", [(1000, "LIST_BODY"), (1040, 0.0)])
msp.add_text("Dehors", dxfattribs={"insert": (300, 300), "height": 2.5})
msp.add_line((250, 250), (260, 260))
doc.saveas(sys.argv[1])
"""

# Every model-space entity by handle: its type, layer, contents (raw and, for a multiline text,
# without formatting) and extended data by application.
READER = r"""
import json, sys
import ezdxf
doc = ezdxf.readfile(sys.argv[1])
entities = {}
for e in doc.modelspace():
    kind = e.dxftype()
    text = plain = None
    if kind in ("TEXT", "ATTDEF"):
        text = plain = e.dxf.text
    elif kind == "MTEXT":
        text, plain = e.text, e.plain_text()
    xdata = {}
    if e.xdata is not None:
        for app in e.xdata.data:
            xdata[app] = [[t.code, t.value] for t in e.get_xdata(app)]
    entities[e.dxf.handle] = {"type": kind, "layer": e.dxf.layer, "text": text, "plain": plain,
                              "xdata": xdata}
print(json.dumps(entities))
"""


def read_drawing(path):
    done = subprocess.run([PYTHON, "-c", READER, path], capture_output=True, text=True,
                          check=True)
    return json.loads(done.stdout)


def dxf_pairs(path):
    """The file's group code and value lines, as they are on disk, with the handle of the object
    each pair belongs to."""
    with open(path, "rb") as f:
        lines = f.read().splitlines(keepends=True)
    pairs, handle = [], None
    for code, value in zip(lines[0::2], lines[1::2]):
        if code.strip() == b"0":
            handle = None
        elif code.strip() == b"5" and handle is None:
            handle = value.strip().decode()
        pairs.append((handle, code, value))
    return pairs


def string_table(path, pattern):
    texts = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            match = re.match(pattern, line.rstrip("\n"))
            if match:
                texts[int(match.group(1))] = match.group(2)
    return texts


FRENCH = string_table(os.path.join(RESOURCES, "ZANTZoDodAdadOvi.rc"), r'^\s+(\d{5}) "(.*)"$')
ENGLISH_TEXTS = string_table(os.path.join(RESOURCES, "QrStrings.en.txt"), r"^(\d{5})\t(.*)$")


def dialogs(output):
    """The variables of each showing of the expression dialog, as (position, star, name,
    description, unit words)."""
    shown = []
    for block in output.split("Dialog: Expression\n")[1:]:
        entries = []
        for line in block.splitlines():
            if line.startswith("Dialog answer"):
                break
            match = ENTRY.match(line)
            if match:
                position, star, name, description, unit = match.groups()
                entries.append((int(position), star, name, description or "", unit))
        shown.append(entries)
    return shown


def catalogue(texts):
    return [(i, "*" if i < 14 else "", name, texts[prompt], UNIT_WORDS[unit])
            for i, (name, prompt, unit) in enumerate(VARIABLES)]


class VariableCommand(unittest.TestCase):
    def setUp(self):
        self.box = Sandbox()
        self.addCleanup(self.box.close)
        made = os.path.join(self.box.root, "made.dxf")
        subprocess.run([PYTHON, "-c", MAKE, made], check=True)
        self.drawing = self.box.copy_drawing(made)
        # The same drawing saved by the host alone: what an unchanged drawing looks like.
        self.reference = self.box.copy_drawing(made, "reference.dxf")
        self.assertEqual(self.box.run("QSAVE\n", drawing=self.reference).returncode, 0)
        self.before = read_drawing(self.reference)

    def run_host(self, script):
        run = self.box.run(script, drawing=self.drawing)
        self.assertEqual(run.returncode, 0, run.output)
        return run

    def handle_of(self, text):
        return next(h for h, e in self.before.items() if e["text"] == text)

    def test_picked_texts_take_the_expression_and_nothing_else_changes(self):
        run = self.run_host("ZANTLVARIABLE\n%s\nOk\nW\n0,0\n200,80\n\nQSAVE\n" % EXPRESSION)
        # The selection runs without a prompt of its own; the host reports what the window took.
        self.assertIn("7 found", run.output)
        changed = {self.handle_of(t) for t in ("Diamètre", "12", "Étiquette")}
        mtext = next(h for h, e in self.before.items() if e["type"] == "MTEXT")
        changed.add(mtext)
        after = read_drawing(self.drawing)
        self.assertEqual(set(after), set(self.before))
        for handle, entity in after.items():
            if handle in changed:
                self.assertEqual(entity["text"], EXPRESSION, entity)
                self.assertEqual(entity["plain"], EXPRESSION, entity)
                self.assertEqual(entity["xdata"], self.before[handle]["xdata"])
            else:
                self.assertEqual(entity, self.before[handle])
        self.assertEqual(after[self.handle_of("Étiquette")]["xdata"], {
            "OTHER_APP": [[1000, "keep me"], [1070, 5]],
            "ZANT_LIST_TEMPLATE": [[1000, "LIST_BODY"], [1040, 0.0]]})
        self.assertEqual(after[self.handle_of("Verrou")]["text"], "Verrou")

        # Byte for byte, only the contents of the changed texts differ from the host's own save.
        reference, saved = dxf_pairs(self.reference), dxf_pairs(self.drawing)
        self.assertEqual(len(saved), len(reference))
        differences = {(handle, code.strip()) for (handle, code, value), theirs in
                       zip(saved, reference) if (handle, code, value) != theirs}
        self.assertEqual(differences, {(h, b"1") for h in changed})

    def test_cancelling_the_dialog_asks_for_no_selection_and_changes_nothing(self):
        for answers in ("^C", "%s\nAnnuler" % EXPRESSION, "%s\nannuler" % EXPRESSION):
            run = self.run_host("ZANTLVARIABLE\n%s\nQSAVE\n" % answers)
            self.assertIn("Dialog: Expression", run.output)
            self.assertNotRegex(run.output, r"\d+ found|Specify first corner")
            self.assertIn("Command: QSAVE", run.output)
            with open(self.drawing, "rb") as a, open(self.reference, "rb") as b:
                self.assertEqual(a.read(), b.read(), answers)

    def test_every_run_offers_the_45_variables_in_order(self):
        run = self.run_host("ZANTLVARIABLE\nLength\nOk\n\n"
                            "ZANTLVARIABLE\nWeight\nOk\n\nQSAVE\n")
        shown = dialogs(run.output)
        # Each run shows the dialog when it opens and again once the expression is typed.
        self.assertGreaterEqual(len(shown), 2)
        self.assertEqual(run.output.count("Command: ZANTLVARIABLE"), 2)
        for entries in shown:
            self.assertEqual(entries, catalogue(FRENCH))
        with open(self.drawing, "rb") as a, open(self.reference, "rb") as b:
            self.assertEqual(a.read(), b.read())

    def test_descriptions_are_in_the_users_language(self):
        self.box.install_prompts("Bin")
        self.box.set_language(ENGLISH)
        run = self.run_host("ZANTLVARIABLE\n^C\n")
        shown = dialogs(run.output)
        self.assertEqual(len(shown), 1)
        self.assertEqual(shown[0], catalogue(ENGLISH_TEXTS))
        self.assertIn("5* Length: Bar length (length)", run.output)


if __name__ == "__main__":
    unittest.main()
