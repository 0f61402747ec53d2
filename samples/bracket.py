#!/usr/bin/python3
"""Writes bracket.dxf, the bundled sample: a small mechanical drawing of a bracket plate.

Several layers with colours, linetypes and lineweights; an outline with rounded
corners, holes and centre lines; a title in TEXT and notes in MTEXT (with a line
break, a diameter sign and non-ASCII letters); a hatch with two holes; a bolt block
inserted rotated, mirrored and scaled, and a hole-pattern block that nests it;
linear, aligned, radial and diameter dimensions; one paper-space layout with a
viewport onto the model.

Usage: /usr/bin/python3 samples/bracket.py [OUT.dxf]   (needs Debian's python3-ezdxf)
"""
import math
import os
import sys

import ezdxf

out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "bracket.dxf")

# Fixed identities and dates, so that running the script again gives the same file.
ezdxf.options.write_fixed_meta_data_for_testing = True
doc = ezdxf.new("R2010", setup=False)
doc.header["$INSUNITS"] = 4  # millimetres

doc.linetypes.add("CENTER", pattern=[2.0, 1.25, -0.25, 0.25, -0.25], description="Center ____ _ ____ _")
doc.linetypes.add("HIDDEN", pattern=[0.375, 0.25, -0.125], description="Hidden __ __ __")
doc.layers.add("OUTLINE", color=7, lineweight=50)
doc.layers.add("HIDDEN", color=4, linetype="HIDDEN", lineweight=25)
doc.layers.add("CENTRE", color=1, linetype="CENTER", lineweight=18)
doc.layers.add("HATCH", color=8)
doc.layers.add("TEXT", color=2)
doc.layers.add("DIMENSIONS", color=3)
doc.layers.add("FASTENERS", color=5)
doc.styles.add("NOTES", font="DejaVuSans.ttf")

msp = doc.modelspace()
W, H, R = 120.0, 80.0, 8.0  # plate width, height, corner radius

# The outline: a closed polyline whose corners are quarter arcs (bulge tan(90/4)).
b = math.tan(math.radians(90) / 4)
msp.add_lwpolyline(
    [(R, 0, 0, 0, 0), (W - R, 0, 0, 0, b), (W, R, 0, 0, 0), (W, H - R, 0, 0, b),
     (W - R, H, 0, 0, 0), (R, H, 0, 0, b), (0, H - R, 0, 0, 0), (0, R, 0, 0, b)],
    format="xyseb", close=True, dxfattribs={"layer": "OUTLINE"})

# A slot seen from below, hidden; the bore's centre lines.
msp.add_line((30, 55), (90, 55), dxfattribs={"layer": "HIDDEN"})
msp.add_line((30, 65), (90, 65), dxfattribs={"layer": "HIDDEN"})
msp.add_arc((30, 60), 5, 90, 270, dxfattribs={"layer": "HIDDEN"})
msp.add_arc((90, 60), 5, 270, 90, dxfattribs={"layer": "HIDDEN"})
msp.add_circle((60, 30), 12, dxfattribs={"layer": "OUTLINE"})
msp.add_line((44, 30), (76, 30), dxfattribs={"layer": "CENTRE"})
msp.add_line((60, 14), (60, 46), dxfattribs={"layer": "CENTRE"})
msp.add_ellipse((60, 30), major_axis=(16, 0), ratio=0.5, start_param=0, end_param=math.pi,
                dxfattribs={"layer": "HIDDEN", "color": 6})
msp.add_spline([(10, 70), (20, 76), (35, 72), (50, 77)], dxfattribs={"layer": "HIDDEN"})
msp.add_point((60, 60), dxfattribs={"layer": "CENTRE"})

# A hatch over the boss with two holes.
hatch = msp.add_hatch(color=256, dxfattribs={"layer": "HATCH"})
hatch.set_pattern_fill("ANSI31", scale=0.5)
hatch.paths.add_polyline_path([(84, 10), (112, 10), (112, 40), (84, 40)], is_closed=True,
                              flags=ezdxf.const.BOUNDARY_PATH_EXTERNAL)
for cx in (92.0, 104.0):
    hole = hatch.paths.add_edge_path(flags=ezdxf.const.BOUNDARY_PATH_OUTERMOST)
    hole.add_arc((cx, 25), 3, 0, 360)

# The bolt: a head circle and its cross on layer 0, coloured by the insert.
bolt = doc.blocks.new("BOLT", base_point=(0, 0))
bolt.add_circle((0, 0), 4, dxfattribs={"layer": "0", "color": 0})
bolt.add_line((-4, 0), (4, 0), dxfattribs={"layer": "0", "color": 0})
bolt.add_line((0, -4), (0, 4), dxfattribs={"layer": "0", "color": 0})
bolt.add_lwpolyline([(2, 2), (5, 2), (5, 5)], dxfattribs={"layer": "FASTENERS"})
pattern = doc.blocks.new("HOLE_PATTERN", base_point=(0, 0))
pattern.add_blockref("BOLT", (0, 0))
pattern.add_blockref("BOLT", (20, 0), dxfattribs={"rotation": 45})

msp.add_blockref("BOLT", (12, 12), dxfattribs={"layer": "FASTENERS", "rotation": 30})
msp.add_blockref("BOLT", (108, 12), dxfattribs={"layer": "FASTENERS", "xscale": -1})
msp.add_blockref("BOLT", (12, 68), dxfattribs={"layer": "FASTENERS", "color": 1,
                                               "xscale": 1.5, "yscale": 1.5, "zscale": 1.5})
msp.add_blockref("HOLE_PATTERN", (40, 5), dxfattribs={"layer": "FASTENERS", "rotation": 90})

# Title and notes.
msp.add_text("BRACKET PLATE B-12", dxfattribs={"layer": "TEXT", "height": 5, "insert": (0, -20)})
msp.add_text("Maßstab 1:1", dxfattribs={"layer": "TEXT", "height": 3.5, "insert": (0, -28),
                                         "rotation": 0, "width": 0.8})
msp.add_mtext("\\LNOTES\\l\\PBreak all edges 0.5\\P\\U+2300 12 H7 bore, Stahl S235",
              dxfattribs={"layer": "TEXT", "char_height": 3, "style": "NOTES",
                          "insert": (70, -16), "width": 60})

# Dimensions.
dims = {"layer": "DIMENSIONS"}
msp.add_linear_dim(base=(0, -8), p1=(0, 0), p2=(W, 0), dxfattribs=dims).render()
msp.add_linear_dim(base=(-10, 0), p1=(0, 0), p2=(0, H), angle=90, dxfattribs=dims).render()
msp.add_aligned_dim(p1=(W - R, 0), p2=(W, R), distance=6, dxfattribs=dims).render()
msp.add_radius_dim(center=(60, 30), radius=12, angle=45, dxfattribs=dims).render()
msp.add_diameter_dim(center=(30, 60), radius=5, angle=135, dxfattribs=dims).render()

# One sheet: A3 landscape with a viewport onto the plate at 1:1.
sheet = doc.layouts.new("Sheet A3")
sheet.page_setup(size=(420, 297), margins=(10, 10, 10, 10), units="mm")
sheet.add_viewport(center=(200, 150), size=(300, 200), view_center_point=(60, 30), view_height=200)
sheet.add_text("B-12", dxfattribs={"layer": "TEXT", "height": 7, "insert": (370, 20)})

doc.saveas(out)
