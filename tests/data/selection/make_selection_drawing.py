#!/usr/bin/python3
"""Writes selection.dxf, the drawing the selection tests pick from, with ezdxf.

Entities, oldest first, in model space (handles are printed when the script runs and listed in
README.md; the tests name entities by those handles):
  LINE (0,0)-(10,0) layer 0            LINE (0,5)-(10,5) layer Walls, colour 1
  TEXT at (20,0) height 2 layer Text   MTEXT at (20,14) layer Text, colour 3
  LWPOLYLINE (40,0)-(50,0)-(50,10)     CIRCLE at (2,22) r 2 on layer Hidden (off)
  LINE (0,30)-(10,30) on Ice (frozen)  LINE (58,15)-(65,8) (passes the corner (61,11))
  LINE (0,40)-(10,40) on Locked (locked)
"""
import sys

import ezdxf

doc = ezdxf.new("R2000")
doc.layers.add("Walls")
doc.layers.add("Text")
doc.layers.add("Hidden").off()
doc.layers.add("Ice").freeze()
doc.layers.add("Locked").lock()
msp = doc.modelspace()
made = [
    msp.add_line((0, 0), (10, 0)),
    msp.add_line((0, 5), (10, 5), dxfattribs={"layer": "Walls", "color": 1}),
    msp.add_text("Mark", dxfattribs={"layer": "Text", "height": 2, "insert": (20, 0)}),
    msp.add_mtext("Total", dxfattribs={"layer": "Text", "color": 3, "char_height": 2,
                                       "insert": (20, 14), "width": 10}),
    msp.add_lwpolyline([(40, 0), (50, 0), (50, 10)]),
    msp.add_circle((2, 22), 2, dxfattribs={"layer": "Hidden"}),
    msp.add_line((0, 30), (10, 30), dxfattribs={"layer": "Ice"}),
    msp.add_line((58, 15), (65, 8)),
    msp.add_line((0, 40), (10, 40), dxfattribs={"layer": "Locked"}),
]
doc.saveas(sys.argv[1] if len(sys.argv) > 1 else "selection.dxf")
print(" ".join(e.dxf.handle for e in made))
