"""zanthost --web: the page is an input source of the same command line as the terminal and
scripts. A WebSocket client (Debian's python3-websocket) plays the page: it gets the drawing as
the database reads it (checked against ezdxf's reading of the file), types the lines a script
would type and must see the very transcript the script run shows, then saves and quits."""

import base64
import json
import os
import re
import shutil
import signal
import subprocess
import threading
import time
import unittest
import urllib.request

import ezdxf
import websocket

from hostrun import ARX, ZANTHOST, Sandbox

HERE = os.path.dirname(os.path.abspath(__file__))
EXAMPLE = os.path.join(HERE, "..", "..", "example", "template.dxf")
SELECTION = os.path.join(HERE, "..", "data", "selection", "selection.dxf")
ADDRESS = re.compile(r"http://127\.0\.0\.1:(\d+)/")

# The header row of the example: what LIST shows of it, then the header command marks it.
SESSION = ["LIST", "W", "0,100", "200,120", "", "zantnomtete", "W 0,100 200,120", "", "QSAVE"]


class Host:
    """A zanthost --web run: its address, its terminal output and its exit."""

    def __init__(self, box, drawing, *extra):
        self.process = subprocess.Popen(
            [ZANTHOST, "--web", "--port", "0", *extra, drawing], env=box.env(),
            stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        # Both streams are read all along, so that the host never waits on a full pipe.
        self.streams = [[], []]
        self.readers = [threading.Thread(target=self.collect, args=(stream, into), daemon=True)
                        for stream, into in ((self.process.stdout, self.streams[0]),
                                             (self.process.stderr, self.streams[1]))]
        for reader in self.readers:
            reader.start()
        deadline = time.monotonic() + 20
        while not ADDRESS.search(self.output()) and self.process.poll() is None:
            if time.monotonic() > deadline:
                self.process.kill()
                break
            time.sleep(0.02)
        match = ADDRESS.search(self.output())
        if match is None:
            self.process.wait()
            raise AssertionError("no address in %r" % self.finish()[1])
        self.port = int(match.group(1))

    @staticmethod
    def collect(stream, into):
        for chunk in iter(lambda: stream.read(1), ""):
            into.append(chunk)

    def output(self):
        return "".join(self.streams[0])

    def connect(self, **options):
        """A page's connection; the test closes it."""
        return websocket.create_connection("ws://127.0.0.1:%d/" % self.port,
                                           subprotocols=["zanthost"], timeout=10, **options)

    def finish(self):
        """Waits for the host to end; returns its exit status and all it printed."""
        try:
            self.process.wait(timeout=30)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        for reader in self.readers:
            reader.join(timeout=10)
        self.process.stdout.close()
        self.process.stderr.close()
        return self.process.returncode, self.output() + "".join(self.streams[1])


class Page:
    """What a page sees: the drawing message and the command line's output."""

    def __init__(self, socket):
        self.socket = socket
        self.output = ""
        self.drawing = None
        self.dialog = None
        self.on_dialog = lambda message: None
        self.updates = []  # "entities" messages: what each command changed
        self.others = []   # any other message

    def receive(self):
        message = json.loads(self.socket.recv())
        if message["type"] == "output":
            self.output += message["text"]
        elif message["type"] == "drawing":
            self.drawing = message
        elif message["type"] == "dialog":
            self.dialog = message
            self.on_dialog(message)
        elif message["type"] == "entities":
            self.updates.append(message)
        else:
            self.others.append(message)
        return message

    def wait_for(self, predicate):
        deadline = time.monotonic() + 20
        while not predicate():
            if time.monotonic() > deadline:
                raise AssertionError("the page waited in vain; it has %r" % self.output)
            self.receive()

    def waits(self):
        """The host waits at a prompt: the last line is unfinished and ends as prompts do (the
        host speaks French or English, "Command: " or "Commande : ")."""
        return self.output.endswith(": ")

    def wait_for_prompt(self, after=0):
        """Waits for the first prompt shown after `after` characters of output."""
        self.wait_for(lambda: len(self.output) > after and self.waits())

    def type(self, line):
        mark = len(self.output)
        self.socket.send("line " + line)
        return mark


class WebFrontEnd(unittest.TestCase):
    def setUp(self):
        self.box = Sandbox()
        self.box.install_prompts("Bin")
        self.addCleanup(self.box.close)

    def start(self, drawing, *extra):
        host = Host(self.box, drawing, *extra)
        self.addCleanup(host.finish)
        self.addCleanup(lambda: host.process.poll() is None and host.process.kill())
        return host

    def open_page(self, host):
        page = Page(host.connect())
        self.addCleanup(page.socket.close)
        return page

    def test_drawing_is_sent_as_the_database_reads_it(self):
        drawing = self.box.copy_drawing(EXAMPLE)
        host = self.start(drawing)
        page = self.open_page(host)
        page.wait_for(lambda: page.drawing is not None)
        entities = page.drawing["entities"]
        doc = ezdxf.readfile(drawing)
        expected = list(doc.modelspace())
        self.assertEqual([(e["handle"], e["kind"]) for e in entities],
                         [(e.dxf.handle, e.dxftype()) for e in expected])
        shapes = {e["shape"] for e in entities}
        self.assertTrue({"line", "polyline", "arc", "text", "paths", "insert"} <= shapes, shapes)
        by_handle = {e["handle"]: e for e in entities}
        for e in expected:
            sent = by_handle[e.dxf.handle]
            if e.dxftype() == "LINE":
                self.assertEqual(sent["points"], [e.dxf.start.x, e.dxf.start.y,
                                                  e.dxf.end.x, e.dxf.end.y])
            elif e.dxftype() == "LWPOLYLINE":
                points = [v for x, y, b in e.get_points("xyb") for v in (x, y, b)]
                self.assertEqual(sent["points"], points)
                self.assertEqual(sent["closed"], e.closed)
            elif e.dxftype() == "ARC":
                self.assertAlmostEqual(sent["radius"], e.dxf.radius)
                self.assertAlmostEqual(sent["start"], e.dxf.start_angle * 3.141592653589793 / 180)
            elif e.dxftype() == "TEXT":
                self.assertEqual(sent["text"], e.dxf.text)
                self.assertAlmostEqual(sent["height"], e.dxf.height)
            elif e.dxftype() == "INSERT":
                # A block reference: its block, once, and its attributes' values.
                self.assertEqual((sent["block"], sent["at"]),
                                 (e.dxf.name, [e.dxf.insert.x, e.dxf.insert.y]))
                self.assertEqual([a["text"] for a in sent["attributes"]],
                                 [a.dxf.text for a in e.attribs])
                block = page.drawing["blocks"][e.dxf.name]
                self.assertEqual([b["kind"] for b in block["entities"]],
                                 [b.dxftype() for b in doc.blocks[e.dxf.name]])
        # A second page that connects later gets the drawing too, and the prompt the host
        # waits at.
        other = self.open_page(host)
        other.wait_for(lambda: other.drawing is not None and other.waits())
        self.assertEqual(other.drawing, page.drawing)
        # Another drawing opened from the page is sent to every page.
        second = self.box.copy_drawing(SELECTION, "selection.dxf")
        page.type("OPEN")
        page.type(second)
        for each in (page, other):
            each.wait_for(lambda: each.drawing["file"].endswith("selection.dxf"))
            self.assertEqual(len(each.drawing["entities"]), 9)
        page.type("QUIT")
        status, output = host.finish()
        self.assertEqual(status, 0, output)

    def test_shapes_and_layers_of_a_drawing_made_by_ezdxf(self):
        drawing = os.path.join(self.box.root, "shapes.dxf")
        doc = ezdxf.new("R2000")
        doc.layers.add("Red", color=1)
        doc.layers.add("Ice", color=5).freeze()
        doc.layers.add("Hidden", color=3).off()
        msp = doc.modelspace()
        msp.add_lwpolyline([(0, 0, 0.5), (10, 0, 0), (10, 10, -1)], format="xyb", close=True,
                           dxfattribs={"layer": "Red"})
        old = msp.add_polyline2d([(20, 0), (30, 0), (30, 10)], dxfattribs={"layer": "Ice"})
        old.vertices[0].dxf.bulge = 1.0
        msp.add_text("Rotated", dxfattribs={"height": 2.5, "rotation": 90, "insert": (5, 5),
                                            "layer": "Hidden", "color": 4})
        msp.add_mtext("Two\\Plines", dxfattribs={"char_height": 1.5, "insert": (0, 20)})
        msp.add_circle((40, 40), 3)
        # A hatch with a polyline path and a path of a line and a half circle; a spline.
        hatch = msp.add_hatch(color=2)
        hatch.paths.add_polyline_path([(50, 0, 0), (60, 0, 0), (60, 10, 0)], is_closed=True)
        edges = hatch.paths.add_edge_path()
        edges.add_line((70, 0), (80, 0))
        edges.add_arc((75, 0), radius=5, start_angle=0, end_angle=180, ccw=True)
        msp.add_open_spline([(90, 0), (95, 10), (100, 0), (105, 10)])
        doc.saveas(drawing)

        host = self.start(drawing)
        with urllib.request.urlopen("http://127.0.0.1:%d/" % host.port, timeout=10) as reply:
            self.assertIn(b"<canvas", reply.read())
        with urllib.request.urlopen("http://127.0.0.1:%d/page.js" % host.port,
                                    timeout=10) as reply:
            self.assertIn(b"WebSocket", reply.read())
        page = self.open_page(host)
        page.wait_for(lambda: page.drawing is not None)
        layers = {l["name"]: (l["color"], l["frozen"], l["off"]) for l in page.drawing["layers"]}
        self.assertEqual(layers["Red"], (1, False, False))
        self.assertEqual(layers["Ice"], (5, True, False))
        self.assertEqual(layers["Hidden"], (3, False, True))
        lw, polyline, text, mtext, circle, hatch, spline = page.drawing["entities"]
        self.assertEqual((lw["kind"], lw["shape"], lw["closed"], lw["layer"], lw["color"]),
                         ("LWPOLYLINE", "polyline", True, "Red", 256))
        self.assertEqual(lw["points"], [0, 0, 0.5, 10, 0, 0, 10, 10, -1])
        self.assertEqual((polyline["kind"], polyline["closed"]), ("POLYLINE", False))
        self.assertEqual(polyline["points"], [20, 0, 1, 30, 0, 0, 30, 10, 0])
        self.assertEqual((text["text"], text["height"], text["at"], text["color"]),
                         ("Rotated", 2.5, [5, 5], 4))
        self.assertAlmostEqual(text["rotation"], 3.141592653589793 / 2)
        self.assertEqual((mtext["shape"], mtext["text"], mtext["height"], mtext["at"]),
                         ("mtext", "Two\\Plines", 1.5, [0, 20]))
        self.assertEqual((circle["center"], circle["radius"]), ([40, 40], 3))
        # The hatch is its boundary: the triangle closed on its first vertex, the line, and the
        # half circle in two quarter arcs (bulge tan(90°/4)) from (80, 0) over (75, 5).
        self.assertEqual((hatch["kind"], hatch["shape"]), ("HATCH", "paths"))
        triangle, line, arc = hatch["paths"]
        self.assertEqual(triangle, [50, 0, 0, 60, 0, 0, 60, 10, 0, 50, 0, 0])
        self.assertEqual(line, [70, 0, 0, 80, 0, 0])
        expected = [80, 0, 0.414214, 75, 5, 0.414214, 70, 0, 0]
        for got, want in zip(arc, expected, strict=True):
            self.assertAlmostEqual(got, want, places=5)
        # The spline is its curve: a clamped cubic starts and ends at its end control points
        # and stays inside their hull.
        self.assertEqual((spline["kind"], spline["shape"]), ("SPLINE", "polyline"))
        points = spline["points"]
        self.assertGreater(len(points), 12)
        for got, want in zip(points[:2] + points[-3:-1], [90, 0, 105, 10]):
            self.assertAlmostEqual(got, want, places=6)
        self.assertTrue(all(90 <= x <= 105 and 0 <= y <= 10
                            for x, y in zip(points[0::3], points[1::3])))
        # Ctrl-C at the terminal ends the host as the end of its input would.
        host.process.send_signal(signal.SIGINT)
        status, output = host.finish()
        self.assertEqual(status, 0, output)

    def test_page_session_matches_the_script_session(self):
        # The same lines, once from a script and once from the page, on copies of the example.
        scripted = self.box.copy_drawing(EXAMPLE, "scripted.dxf")
        run = self.box.run("\n".join(SESSION + ["QUIT"]), drawing=scripted)
        self.assertEqual(run.returncode, 0, run.output)

        drawing = self.box.copy_drawing(EXAMPLE)
        host = self.start(drawing, "--load", ARX)
        page = self.open_page(host)
        page.wait_for_prompt()
        # What the page shows after the address line, the script run shows after the module
        # has loaded.
        start = page.output.index("http://127.0.0.1:")
        start = page.output.index("\n", start) + 1
        for line in SESSION:
            page.type(line)
        page.type("QUIT")
        status, terminal = host.finish()
        self.assertEqual(status, 0, terminal)
        try:
            while True:
                page.receive()
        except (websocket.WebSocketConnectionClosedException, ConnectionError):
            pass
        self.assertTrue(run.output.endswith(page.output[start:]), (page.output, run.output))
        self.assertRegex(page.output[start:], r"\n1\d (found|trouvé\(s\))\n")
        # The terminal shows the same output as the page.
        self.assertIn(page.output[start:].rstrip(), terminal)

        # The saved drawing is what the script's run saved, and ezdxf reads the header marks.
        headers = [e for e in ezdxf.readfile(drawing).modelspace()
                   if e.has_xdata("ZANT_LIST_TEMPLATE")]
        self.assertGreater(len(headers), 10)
        with open(drawing, "rb") as mine, open(scripted, "rb") as theirs:
            self.assertEqual(mine.read(), theirs.read())

    def test_dialog_is_shown_on_the_page_and_answered_by_ids(self):
        host = self.start(self.box.copy_drawing(EXAMPLE), "--load", ARX)
        page = self.open_page(host)
        dialogs = []
        page.on_dialog = dialogs.append
        page.wait_for_prompt()
        for line in ("ZANTLBODY", "W 0,80 200,100", ""):
            page.type(line)
        page.wait_for(lambda: dialogs)
        dialog = dialogs[-1]
        self.assertTrue(dialog["open"])
        self.assertIn("distribution", dialog["caption"])
        controls = {c["id"]: c for c in dialog["controls"]}
        self.assertEqual((controls[1]["kind"], controls[1]["default"]), ("push", True))
        self.assertEqual(controls[1213]["kind"], "picture")
        # Its picture comes whole, a drawing of several colours.
        picture = controls[1213]["picture"]
        pixels = base64.b64decode(picture["rgba"])
        self.assertEqual(len(pixels), picture["width"] * picture["height"] * 4)
        self.assertGreater(len({pixels[i:i + 4] for i in range(0, len(pixels), 4)}), 1)
        self.assertEqual((controls[1214]["kind"], controls[1214]["checked"]), ("check", False))
        # A click on the page types the control's id: the dialog shows the box checked.
        page.type("1214")
        page.wait_for(lambda: len(dialogs) > 1)
        controls = {c["id"]: c for c in dialogs[-1]["controls"]}
        self.assertTrue(controls[1214]["checked"])
        # A page that opens now sees the dialog as it stands.
        late = self.open_page(host)
        late.wait_for(lambda: late.dialog is not None)
        self.assertEqual(late.dialog, dialogs[-1])
        # Escape closes the dialog, and the pages are told when the host waits again.
        page.socket.send("cancel")
        page.wait_for(lambda: not dialogs[-1]["open"])
        late.wait_for(lambda: not late.dialog["open"])
        page.type("QUIT")
        self.assertEqual(host.finish()[0], 0)

    def test_cancel_and_refusals(self):
        host = self.start(self.box.copy_drawing(SELECTION))
        page = self.open_page(host)
        page.wait_for_prompt()
        page.wait_for_prompt(page.type("LIST"))
        mark = len(page.output)
        page.socket.send("cancel")
        page.wait_for_prompt(mark)
        self.assertRegex(page.output[mark:], r"\*(Cancel|Annuler)\*")
        # Only the host's own page may drive it: a script of another site is refused.
        with self.assertRaises(websocket.WebSocketException):
            host.connect(origin="http://example.com")
        # The port is taken: a second host says so and does not start.
        second = subprocess.run([ZANTHOST, "--web", "--port", str(host.port)],
                                env=self.box.env(), stdin=subprocess.DEVNULL,
                                capture_output=True, text=True, timeout=30)
        self.assertEqual(second.returncode, 2)
        self.assertIn("cannot listen on 127.0.0.1 port %d" % host.port, second.stderr)
        page.type("QUIT")
        self.assertEqual(host.finish()[0], 0)

    def test_changes_tint_listing_and_save(self):
        # Rules of the host's own making: the host knows no template, only applications and
        # groups. The first rule needs a value the records never hold, the second matches the
        # header's records whatever their value.
        rules = os.path.join(self.box.root, "rules.json")
        with open(rules, "w", encoding="utf-8") as f:
            json.dump({"title": "Sections", "rules": [
                {"colour": "#000001", "label": "Never", "application": "ZANT_LIST_TEMPLATE",
                 "groups": [[1000, "LIST_HEADER"], [1040, 12345]]},
                {"colour": "#d62728", "label": "Header", "application": "zant_list_template",
                 "groups": [[1000, "LIST_HEAD*"], [1040, None]]},
                {"colour": "#1f77b4", "label": "Body", "application": "ZANT_LIST_TEMPLATE",
                 "groups": [[1000, "LIST_BODY"], [1040, None]]}],
                "others": {"colour": "#b0b0b0", "label": "In no section"}}, f)
        drawing = self.box.copy_drawing(EXAMPLE)
        host = self.start(drawing, "--load", ARX, "--tint", rules)
        page = self.open_page(host)
        page.wait_for_prompt()
        page.wait_for(lambda: page.drawing is not None)
        self.assertEqual(page.drawing["tint"]["title"], "Sections")
        self.assertEqual([r["label"] for r in page.drawing["tint"]["rules"]],
                         ["Never", "Header", "Body"])
        self.assertFalse(any("tint" in e for e in page.drawing["entities"]))
        self.assertFalse(page.drawing["modified"])

        # A command that tags entities: the page gets exactly those, tinted, and no drawing.
        for line in ("ZANTLHEADER", "W 0,100 200,120", ""):
            page.type(line)
        page.wait_for(lambda: page.updates)
        header = page.updates[-1]
        tagged = {e["handle"] for e in header["entities"]}
        self.assertTrue(header["modified"])
        self.assertEqual(header["erased"], [])
        self.assertEqual({e["tint"] for e in header["entities"]}, {1})
        self.assertGreater(len(tagged), 10)

        # The listing of one entity, as LIST shows it.
        handle = sorted(tagged)[0]
        page.socket.send("list " + handle)
        page.wait_for(lambda: any(m["type"] == "listing" for m in page.others))
        listing = next(m for m in page.others if m["type"] == "listing")
        self.assertEqual(listing["handle"], handle)
        self.assertIn("Handle = %s\n" % handle.lower(), listing["text"])
        self.assertIn("* Registered Application Name: ZANT_LIST_TEMPLATE\n"
                      "* Code 1000, ASCII string: LIST_HEADER", listing["text"])
        page.socket.send("list 0FFFFFFF")
        page.wait_for(lambda: sum(m["type"] == "listing" for m in page.others) == 2)
        self.assertEqual(page.others[-1]["text"], "")

        # Save is refused inside a command; at the Command prompt it saves (QSAVE), and the
        # page hears that the drawing is no longer modified.
        mark = page.type("LIST")
        page.wait_for_prompt(mark)
        page.socket.send("save")
        page.wait_for(lambda: any(m["type"] == "notice" for m in page.others))
        mark = len(page.output)
        page.socket.send("cancel")
        page.wait_for_prompt(mark)
        updates = len(page.updates)
        page.socket.send("save")
        page.wait_for(lambda: len(page.updates) > updates)
        self.assertEqual(page.updates[-1]["entities"], [])
        self.assertFalse(page.updates[-1]["modified"])
        saved = {e.dxf.handle: [t.value for t in e.get_xdata("ZANT_LIST_TEMPLATE")]
                 for e in ezdxf.readfile(drawing).modelspace()
                 if e.has_xdata("ZANT_LIST_TEMPLATE")}
        self.assertEqual(set(saved), tagged)
        self.assertTrue(all(v[0] == "LIST_HEADER" for v in saved.values()))

        # Undo sends the same entities untinted, redo tints them again.
        for command, tint in (("U", None), ("REDO", 1)):
            updates = len(page.updates)
            page.type(command)
            page.wait_for(lambda: len(page.updates) > updates)
            self.assertEqual({e["handle"] for e in page.updates[-1]["entities"]}, tagged)
            self.assertEqual({e.get("tint") for e in page.updates[-1]["entities"]}, {tint})
        page.type("QUIT")
        page.type("N")
        self.assertEqual(host.finish()[0], 0)

    def test_unusable_tint_rules(self):
        drawing = self.box.copy_drawing(SELECTION)
        for name, text, problem in (
                ("missing.json", None, "cannot read the tint rules"),
                ("broken.json", '{"rules": [\n {"colour": "#ff0000",}]}',
                 "line 2, column 23: a member's name is missing"),
                ("colour.json", '{"rules": [{"colour": "red", "label": "x", "application": '
                 '"A", "groups": []}]}', "rule 1: \"colour\""),
                ("value.json", '{"rules": [{"colour": "#ff0000", "label": "x", "application": '
                 '"A", "groups": [[1040, "text"]]}]}', "a text value needs a code of texts")):
            path = os.path.join(self.box.root, name)
            if text is not None:
                with open(path, "w", encoding="utf-8") as f:
                    f.write(text)
            run = subprocess.run([ZANTHOST, "--web", "--port", "0", "--tint", path, drawing],
                                 env=self.box.env(), stdin=subprocess.DEVNULL,
                                 capture_output=True, text=True, timeout=30)
            self.assertEqual(run.returncode, 2, name)
            self.assertIn(problem, run.stderr)

    def test_wrong_arguments(self):
        for args in (["--web", "--port", "65536"], ["--web", "--port", "x"],
                     ["--web", "--script", "run.scr"], ["--port", "0"],
                     ["--web", "--port", "0", "--port", "1"], ["--tint", "rules.json"],
                     ["--web", "--tint"]):
            run = subprocess.run([ZANTHOST, *args], env=self.box.env(), stdin=subprocess.DEVNULL,
                                 capture_output=True, text=True, timeout=30)
            self.assertEqual(run.returncode, 2, args)
            self.assertIn("usage:", run.stderr)

    def test_missing_page_files(self):
        # A copy of the program without its page folder beside it.
        folder = os.path.join(self.box.root, "bin")
        os.makedirs(folder)
        build = os.path.dirname(ZANTHOST)
        for name in os.listdir(build):
            if name.endswith(".so") or name == "zanthost":
                os.symlink(os.path.join(build, name), os.path.join(folder, name))
        program = os.path.join(folder, "zanthost")
        os.remove(program)
        shutil.copy(ZANTHOST, program)
        run = subprocess.run([program, "--web", "--port", "0"], env=self.box.env(),
                             stdin=subprocess.DEVNULL, capture_output=True, text=True, timeout=30)
        self.assertEqual(run.returncode, 2)
        self.assertIn("page's files are missing", run.stderr)

    @staticmethod
    def next_message(page, wanted):
        """Receives until a message that `wanted` accepts; returns it."""
        deadline = time.monotonic() + 20
        while time.monotonic() < deadline:
            message = page.receive()
            if wanted(message):
                return message
        raise AssertionError("no such message; the page has %r" % page.output)

    def test_prompts_selection_pixels_and_toolbar_buttons(self):
        host = self.start(self.box.copy_drawing(EXAMPLE), "--load", ARX)
        page = self.open_page(host)
        prompt = lambda kind: lambda m: m["type"] == "prompt" and m["kind"] == kind
        selection = lambda m: m["type"] == "selection"
        # The module's toolbar, shown at load, with its buttons' names and tooltips.
        toolbars = self.next_message(page, lambda m: m["type"] == "toolbars")["toolbars"]
        self.assertEqual([t["name"] for t in toolbars], ["ZANTLISTGEN.ZANT_LISTS"])
        buttons = [b["label"] for b in toolbars[0]["buttons"]]
        self.assertEqual(buttons[:3], ["ZANTLHEADER", "ZANTLSUBHEADER", "ZANTLBODY"])
        self.assertIn("Defines the list body", toolbars[0]["buttons"][2]["tooltip"])
        self.next_message(page, prompt("command"))

        # The body button runs its macro: the command asks for a selection.
        page.socket.send("button 2 ZANTLISTGEN.ZANT_LISTS")
        self.next_message(page, prompt("selection"))
        self.assertIn("_ZANTLBODY", page.output)
        # Pixels of a hundredth of a unit: a click 1 unit off the body's first vertical line
        # misses it and opens a window, whose other corner is asked from the click.
        page.socket.send("pixel 0.01")
        page.type("1,81")
        corner = self.next_message(page, prompt("corner"))
        self.assertEqual(corner["base"], [1, 81, 0])
        page.type("199,99")
        self.assertEqual(self.next_message(page, selection)["handles"],
                         ["48", "49", "4A", "4B", "4C", "4D", "79"])
        self.next_message(page, prompt("selection"))
        # Pixels of one unit: the same distance from a line is within the pick box (3 pixels).
        page.socket.send("pixel 1")
        page.type("24,90")
        self.assertEqual(self.next_message(page, selection)["handles"][-1], "42")
        # Another button while the selection goes on: its ^C^C ends the body command (its
        # selection is dropped from view) and runs the header command.
        mark = len(page.output)
        page.socket.send("button 0 ZANTLISTGEN.ZANT_LISTS")
        self.assertEqual(self.next_message(page, selection)["handles"], [])
        self.next_message(page, prompt("selection"))
        self.assertRegex(page.output[mark:], r"\*(Cancel|Annuler)\*\n[^\n]*_ZANTLHEADER\n")
        page.socket.send("cancel")
        self.next_message(page, prompt("command"))

        # An unloaded menu group's toolbar leaves the page, and its buttons run nothing.
        for line in ("MENUUNLOAD", "ZANTLISTGEN"):
            page.type(line)
        self.assertEqual(self.next_message(page, lambda m: m["type"] == "toolbars")["toolbars"],
                         [])
        mark = len(page.output)
        page.socket.send("button 2 ZANTLISTGEN.ZANT_LISTS")
        page.socket.send("button x ZANTLISTGEN.ZANT_LISTS")
        page.socket.send("pixel -1")
        page.type("LIST")
        self.next_message(page, prompt("selection"))
        self.assertNotIn("ZANTLBODY", page.output[mark:])
        page.socket.send("cancel")
        page.type("QUIT")
        self.assertEqual(host.finish()[0], 0)


if __name__ == "__main__":
    unittest.main()
