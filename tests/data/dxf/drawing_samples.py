#!/usr/bin/python3
"""Makes the sample drawings of the drawing file tests with ezdxf, an independent DXF library:
usage drawing_samples.py OUT_DIR. One drawing per version (R12 and R2000 to R2018), ASCII and
binary, holding what surveyors' drawings hold: layers, linetypes, text styles, a block with an
attribute, texts with accents, polylines with bulges, an old-style polyline with spline vertices,
splines, ellipses, hatches with line and arc edges, a paper space layout with entities, extension
data, extension dictionaries, and records of classes no program knows."""
import math
import sys

import ezdxf

VERSIONS = ["R12", "R2000", "R2004", "R2007", "R2010", "R2013", "R2018"]


def common(doc, msp):
    doc.layers.add("Bâtiments", color=3)
    doc.layers.add("CLOTURES", color=2, linetype="DASHED")
    doc.styles.add("ROMANS", font="romans.shx")
    doc.appids.new("KVTEST")
    blk = doc.blocks.new("BORNE", base_point=(1, 2))
    blk.add_circle((0, 0), 0.5)
    blk.add_line((-0.5, 0), (0.5, 0), dxfattribs={"layer": "CLOTURES"})
    blk.add_attdef("NUM", (0.7, 0), dxfattribs={"height": 0.5})
    for i in range(3):
        ref = msp.add_blockref("BORNE", (10.0 * i, 0.1 * i), dxfattribs={"rotation": 15.0 * i})
        attrib = ref.add_attrib("NUM", f"B{i}", (10.0 * i + 0.7, 0), dxfattribs={"height": 0.5})
        # From R2010 an attribute may be locked in place (its second group 280).
        attrib.dxf.lock_position = i % 2
    msp.add_text("Périmètre à côté", dxfattribs={"layer": "Bâtiments", "height": 2.5, "style": "ROMANS",
                                                  "insert": (5, 5)})
    line = msp.add_line((0, 0), (1.0 / 3.0, 2.0 / 3.0), dxfattribs={"color": 1, "linetype": "DASHED"})
    line.set_xdata("KVTEST", [(1000, "note"), (1040, 0.1), (1070, 7), (1010, (1, 2, 3)),
                              (1002, "{"), (1000, "inner"), (1002, "}")])
    msp.add_arc((20, 20), 5, 30, 210)
    msp.add_point((7, 8))
    # an old-style 2D polyline with bulges
    msp.add_polyline2d([(0, 30), (10, 30), (10, 40)], close=True)
    pl = msp.query("POLYLINE").first
    pl.vertices[0].dxf.bulge = 0.5


def kept_whole(msp):
    """Entities the host has no class for, with sub-entities of their own or in several subclasses:
    a 3D polyline, a polyface mesh and a linear dimension (with its anonymous block)."""
    msp.add_polyline3d([(0, 0, 0), (10, 0, 5), (10, 10, 10)])
    face = msp.add_polyface()
    face.append_face([(0, 0, 0), (1, 0, 0), (1, 1, 0), (0, 1, 0)])
    dim = msp.add_linear_dim(base=(0, -5), p1=(0, 0), p2=(10, 0))
    dim.render()


def spline_frame_polyline(msp):
    """A spline-fit old-style polyline: its control frame (flag 16) and fit vertices (flag 8)."""
    pl = msp.add_polyline2d([], dxfattribs={"flags": 4})
    for x, y in [(0, 50), (10, 60), (20, 50), (30, 60)]:
        pl.append_vertex((x, y), dxfattribs={"flags": 16})
    for x, y in [(0, 50), (9, 56), (21, 54), (30, 60)]:
        pl.append_vertex((x, y), dxfattribs={"flags": 8})


def modern(doc, msp):
    msp.add_lwpolyline([(0, 0, 0, 0, 0.5), (10, 0, 0, 0, -0.25), (10, 10, 0, 0, 0)],
                       format="xyseb", close=True, dxfattribs={"layer": "CLOTURES"})
    circle = msp.add_circle((20, 0), 2)
    circle.new_extension_dict().add_xrecord("KV_DATA").extend([(1, "abc"), (40, 2.5), (90, 42)])
    msp.add_spline([(0, 0, 0), (10, 10, 5), (20, 0, 10), (30, 10, 0)], degree=3)
    sp = msp.add_spline()
    sp.set_open_uniform([(40, 0, 0), (50, 10, 0), (60, 0, 0), (70, 10, 0)], degree=3)
    msp.add_ellipse((50, 50), major_axis=(20, 5), ratio=0.5, start_param=0.3, end_param=4.0)
    hatch = msp.add_hatch(color=8)
    hatch.paths.add_polyline_path([(50, 0), (60, 0), (60, 10), (50, 10)], is_closed=True)
    arcs = msp.add_hatch(color=5)
    edges = arcs.paths.add_edge_path()
    edges.add_line((0, 0), (10, 0))
    edges.add_arc((10, 5), 5, -90, 90)
    edges.add_line((10, 10), (0, 10))
    edges.add_line((0, 10), (0, 0))
    pattern = msp.add_hatch(color=2)
    pattern.set_pattern_fill("ANSI31", scale=0.5, angle=15)
    pattern.paths.add_polyline_path([(80, 0), (90, 0), (90, 10)], is_closed=True)
    msp.add_mtext("Surface élevée\\PŁódź 日本", dxfattribs={"char_height": 2, "insert": (0, 80)})
    holder = doc.rootdict.add_new_dict("KVTEST_DICT")
    holder.add_xrecord("ITEM1").extend([(1, "kept"), (70, 12), (10, (100.5, 200.25, 0))])
    paper = doc.layouts.get("Layout1")
    paper.add_line((0, 0), (100, 50))
    paper.add_circle((50, 50), 10, dxfattribs={"layer": "Bâtiments"})
    second = doc.layouts.new("Plan 2")
    second.add_text("Cartouche", dxfattribs={"insert": (10, 10), "height": 5})


def build(version):
    doc = ezdxf.new(version, setup=True)
    msp = doc.modelspace()
    common(doc, msp)
    kept_whole(msp)
    spline_frame_polyline(msp)
    if version != "R12":
        modern(doc, msp)
    return doc


def main():
    ezdxf.options.write_fixed_meta_data_for_testing = True
    out = sys.argv[1]
    for version in VERSIONS:
        doc = build(version)
        doc.saveas(f"{out}/{version}.dxf")
        doc.saveas(f"{out}/{version}_bin.dxf", fmt="bin")
    print("ok")


main()
