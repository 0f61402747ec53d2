#!/usr/bin/env python3
"""Write a small mechanical drawing as DXF, and print what it holds as JSON.

Layers with colours, linetypes and lineweights; lines, arcs, circles, an ellipse,
polylines with bulges, a spline, points, a 3D face and a solid; a title text and a
note in MTEXT; a hatch with a hole; a bolt block inserted rotated, mirrored, scaled
and as an array, and a nested block; a linear and a radial dimension; one paper-space
layout with a viewport. The JSON line gives the entity counts by type of the spaces
(model and the active paper space) and of the block definitions, and the number of
layers (in the table or named by an entity),
as ezdxf sees them: the reader's tests compare against it.

Usage: /usr/bin/python3 dxf_sample.py OUT.dxf [DXFVERSION]   (needs python3-ezdxf)
"""
import json
import sys
from collections import Counter

import ezdxf

out = sys.argv[1]
version = sys.argv[2] if len(sys.argv) > 2 else "R2010"
doc = ezdxf.new(version, setup=True)
doc.header["$INSUNITS"] = 4
msp = doc.modelspace()
doc.layers.add("OUTLINE", color=7, lineweight=50)
doc.layers.add("CENTRE", color=1, linetype="CENTER")
doc.layers.add("HIDDEN", color=4, linetype="HIDDEN")
doc.layers.add("HATCH", color=8)
doc.layers.add("TEXT", color=3)

msp.add_lwpolyline([(0, 0, 0), (120, 0, 0.25), (120, 60), (0, 60)], format="xyb", close=True,
                   dxfattribs={"layer": "OUTLINE"})
msp.add_circle((30, 30), 12, dxfattribs={"layer": "OUTLINE"})
msp.add_arc((90, 30), 15, 30, 150, dxfattribs={"layer": "OUTLINE"})
msp.add_line((-5, 30), (125, 30), dxfattribs={"layer": "CENTRE"})
msp.add_line((30, -5), (30, 65), dxfattribs={"layer": "CENTRE", "color": 6})
msp.add_ellipse((60, 45), major_axis=(10, 0), ratio=0.5, dxfattribs={"layer": "HIDDEN"})
msp.add_spline([(0, 70), (20, 80), (40, 70), (60, 85)], dxfattribs={"layer": "HIDDEN"})
msp.add_polyline3d([(0, 0, 0), (10, 0, 5), (10, 10, 10)], dxfattribs={"layer": "HIDDEN"})
msp.add_point((60, 30), dxfattribs={"layer": "CENTRE"})
msp.add_3dface([(130, 0, 0), (140, 0, 0), (140, 10, 5), (130, 10, 5)])
msp.add_solid([(150, 0), (160, 0), (150, 10), (160, 10)], dxfattribs={"true_color": 0x336699})
msp.add_text("BRACKET", dxfattribs={"layer": "TEXT", "height": 5, "insert": (0, -15)})
msp.add_mtext("Material: S235\\PFinish: \\U+00B1 0.1", dxfattribs={"layer": "TEXT", "insert": (60, -10)})
hatch = msp.add_hatch(color=8, dxfattribs={"layer": "HATCH"})
hatch.paths.add_polyline_path([(70, 5), (110, 5), (110, 20), (70, 20)], is_closed=True)
edges = hatch.paths.add_edge_path()
edges.add_arc((90, 12.5), 4, 0, 360)

bolt = doc.blocks.new("BOLT")
bolt.add_circle((0, 0), 3, dxfattribs={"layer": "0", "color": 0})
bolt.add_line((-4, 0), (4, 0), dxfattribs={"layer": "CENTRE"})
bolt.add_attdef("SIZE", (0, -5), dxfattribs={"height": 2})
pair = doc.blocks.new("BOLT_PAIR")
pair.add_blockref("BOLT", (-6, 0))
pair.add_blockref("BOLT", (6, 0), dxfattribs={"color": 0})
ref = msp.add_blockref("BOLT", (10, 10), dxfattribs={"layer": "OUTLINE", "rotation": 30})
ref.add_attrib("SIZE", "M6", (10, 5))
msp.add_blockref("BOLT", (110, 10), dxfattribs={"xscale": -1, "color": 2})
msp.add_blockref("BOLT", (110, 50), dxfattribs={"xscale": 2, "yscale": 2, "zscale": 2})
msp.add_blockref("BOLT", (10, 50), dxfattribs={"xscale": 2, "yscale": 1})
msp.add_blockref("BOLT_PAIR", (60, 55), dxfattribs={"layer": "HIDDEN", "rotation": 90})
grid = msp.add_blockref("BOLT", (0, 100))
grid.dxf.column_count, grid.dxf.row_count = 3, 2
grid.dxf.column_spacing, grid.dxf.row_spacing = 10, 10

msp.add_linear_dim(base=(60, -5), p1=(0, 0), p2=(120, 0)).render()
msp.add_radius_dim(center=(30, 30), radius=12, angle=45).render()

layout = doc.layouts.new("Sheet 1")
layout.page_setup(size=(297, 210), margins=(10, 10, 10, 10), units="mm")
layout.add_viewport(center=(150, 100), size=(250, 150), view_center_point=(60, 30), view_height=120)
layout.add_text("TITLE BLOCK", dxfattribs={"height": 4, "insert": (200, 20)})
doc.saveas(out)

def counts(entities):
    found = Counter()
    for e in entities:
        found[e.dxftype()] += 1
        if e.dxftype() == "INSERT" and e.attribs:
            found["ATTRIB"] += len(e.attribs)
    return found

spaces = counts(msp) + counts(doc.layouts.active_layout())
layout_blocks = {"*MODEL_SPACE", "*PAPER_SPACE"}
blocks = Counter()
for block in doc.blocks:
    if block.name.upper() not in layout_blocks:
        blocks += counts(block)
# Layers of the table and those that entities name without a table entry.
layers = {layer.dxf.name.upper() for layer in doc.layers}
for block in doc.blocks:
    layers |= {e.dxf.layer.upper() for e in block if e.dxf.hasattr("layer")}
print(json.dumps({"entities": spaces, "block_entities": blocks, "layers": len(layers)}))
