#!/usr/bin/python3
"""Makes one drawing per DXF version with ezdxf, in ASCII and in binary, for the round-trip
tests of the DXF layer: usage ezdxf_drawings.py OUT_DIR. Each drawing holds what real files
hold: tables, a block with attributes, polylines with bulges, an old-style polyline, texts with
accents, extension data, an extension dictionary and a hatch."""
import sys

import ezdxf

VERSIONS = ["R12", "R2000", "R2004", "R2007", "R2010", "R2013", "R2018"]


def build(version):
    doc = ezdxf.new(version, setup=True)
    msp = doc.modelspace()
    doc.layers.add("Bâtiments", color=3)
    doc.appids.new("KVTEST")
    blk = doc.blocks.new("BORNE")
    blk.add_circle((0, 0), 0.5)
    blk.add_attdef("NUM", (0.7, 0), dxfattribs={"height": 0.5})
    for i in range(3):
        ref = msp.add_blockref("BORNE", (10.0 * i, 0.1 * i))
        ref.add_attrib("NUM", f"B{i}", (10.0 * i + 0.7, 0), dxfattribs={"height": 0.5})
    msp.add_polyline2d([(0, 0), (10, 0), (10, 10)], close=True)
    msp.add_text("Périmètre à côté", dxfattribs={"layer": "Bâtiments", "height": 2.5})
    line = msp.add_line((0, 0), (1.0 / 3.0, 2.0 / 3.0))
    line.set_xdata("KVTEST", [(1000, "note"), (1040, 0.1), (1070, 7)])
    if version != "R12":
        msp.add_lwpolyline([(0, 0, 0, 0, 0.5), (10, 0, 0, 0, -0.25), (10, 10, 0, 0, 0)],
                           format="xyseb", close=True)
        circle = msp.add_circle((20, 0), 2)
        circle.new_extension_dict().add_xrecord("KV_DATA").extend([(1, "abc"), (40, 2.5)])
        hatch = msp.add_hatch(color=8)
        hatch.paths.add_polyline_path([(50, 0), (60, 0), (60, 10), (50, 10)], is_closed=True)
        msp.add_mtext("Surface élevée\\PŁódź 日本", dxfattribs={"char_height": 2})
    return doc


def main():
    # Saving stamps the time into the drawing; the ASCII and binary files of one
    # drawing must hold the same data.
    ezdxf.options.write_fixed_meta_data_for_testing = True
    out = sys.argv[1]
    for version in VERSIONS:
        doc = build(version)
        doc.saveas(f"{out}/{version}.dxf")
        doc.saveas(f"{out}/{version}_bin.dxf", fmt="bin")
    print("ok")


main()
