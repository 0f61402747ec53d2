"""Compares two DXF files entity by entity with ezdxf: kinds, layers, colours, coordinates.

Used by the DXF writer's tests as an outside oracle: the first file is the
original, the second what the writer made of it. Handles, owners and the
order of blocks may differ; model-space entities are compared in order,
block contents by block name (a block written once per inherited look as
NAME_2 is compared with NAME). Prints one line per difference and exits 1
when there is any.
"""
import math
import re
import sys

import ezdxf

KEYS = ("start", "end", "center", "location", "radius", "start_angle", "end_angle",
        "major_axis", "ratio", "start_param", "end_param", "extrusion")


def colour(entity, layers):
    if entity.dxf.hasattr("true_color"):
        return ("rgb", entity.dxf.true_color)
    aci = entity.dxf.color
    if aci == 256:
        aci = abs(layers.get(entity.dxf.layer.upper(), 7))
    return ("aci", aci)


def numbers(value):
    if isinstance(value, (int, float)):
        return [float(value)]
    try:
        return [float(v) for v in value]
    except TypeError:
        return []


def shape(entity):
    out = []
    for key in KEYS:
        if entity.dxf.hasattr(key):
            out.append((key, numbers(entity.dxf.get(key))))
    if entity.dxftype() == "INSERT" and uniform(entity):
        # A mirror may be written as another scale and rotation: compare the
        # placement. An insert that stretches its block, or an array, reaches
        # a writer as its block's geometry moved into place, not as a placement.
        out.append(("placement", list(entity.matrix44())))
    if entity.dxftype() == "LWPOLYLINE":
        out.append(("points", [c for p in entity.get_points("xyb") for c in p]))
    if entity.dxftype() == "POLYLINE":
        out.append(("vertices", [c for v in entity.vertices for c in v.dxf.location]))
    if entity.dxftype() == "SPLINE":
        out.append(("control", [c for p in entity.control_points for c in p]))
    return out


def uniform(insert):
    scales = [abs(insert.dxf.get(k, 1.0)) for k in ("xscale", "yscale", "zscale")]
    single = insert.dxf.get("row_count", 1) == 1 and insert.dxf.get("column_count", 1) == 1
    return single and math.isclose(min(scales), max(scales), rel_tol=1e-12)


def close(a, b):
    return len(a) == len(b) and all(
        math.isclose(x, y, rel_tol=1e-9, abs_tol=1e-9) for x, y in zip(a, b))


def compare(kind, a_entities, b_entities, a_layers, b_layers, problems, in_block=False):
    if len(a_entities) != len(b_entities):
        problems.append(f"{kind}: {len(a_entities)} entities became {len(b_entities)}")
        return
    for i, (a, b) in enumerate(zip(a_entities, b_entities)):
        where = f"{kind} #{i} {a.dxftype()}"
        if a.dxftype() != b.dxftype():
            problems.append(f"{where}: became {b.dxftype()}")
            continue
        # Inside blocks, layer 0 and BYBLOCK take the placing insert's look,
        # which the reader resolves and the writer writes out.
        inherits_layer = in_block and a.dxf.layer == "0"
        inherits_colour = in_block and (a.dxf.color == 0 or inherits_layer)
        if not inherits_layer and a.dxf.layer.upper() != b.dxf.layer.upper():
            problems.append(f"{where}: layer {a.dxf.layer} became {b.dxf.layer}")
        if not inherits_colour and colour(a, a_layers) != colour(b, b_layers):
            problems.append(f"{where}: colour {colour(a, a_layers)} became {colour(b, b_layers)}")
        a_shape, b_shape = dict(shape(a)), dict(shape(b))
        for key, value in a_shape.items():
            if key in ("extrusion",) and key not in b_shape and close(value, [0, 0, 1]):
                continue
            if key not in b_shape or not close(value, b_shape[key]):
                problems.append(f"{where}: {key} {value} became {b_shape.get(key)}")


def main():
    a, b = ezdxf.readfile(sys.argv[1]), ezdxf.readfile(sys.argv[2])
    kinds = set(sys.argv[3].split(",")) if len(sys.argv) > 3 else None
    a_layers = {l.dxf.name.upper(): l.dxf.color for l in a.layers}
    b_layers = {l.dxf.name.upper(): l.dxf.color for l in b.layers}
    problems = []

    def pick(space):
        return [e for e in space if kinds is None or e.dxftype() in kinds]

    compare("model space", pick(a.modelspace()), pick(b.modelspace()), a_layers, b_layers,
            problems)
    # A block written once per inherited look is NAME, NAME_2, ...: each
    # written block stands for the original of its name, or of its name
    # without the count.
    a_names = {block.name for block in a.blocks}
    b_blocks = {}
    for block in b.blocks:
        name = block.name if block.name in a_names else re.sub(r"_\d+$", "", block.name)
        b_blocks.setdefault(name, block)
    # Blocks placed by inserts; those of dimensions are the dimensions' own.
    placed = {e.dxf.name for space in [a.modelspace()] + list(a.blocks)
              if not space.name.upper().startswith("*D")
              for e in space if e.dxftype() == "INSERT"}
    for block in a.blocks:
        if block.name.startswith("*") or block.name not in placed:
            continue
        if block.name not in b_blocks:
            problems.append(f"block {block.name}: not written")
            continue
        compare(f"block {block.name}", pick(block), pick(b_blocks[block.name]), a_layers,
                b_layers, problems, in_block=True)
    if b.audit().has_errors:
        problems.append("the written file has errors in ezdxf's audit")
    for line in problems:
        print(line)
    sys.exit(1 if problems else 0)


main()
