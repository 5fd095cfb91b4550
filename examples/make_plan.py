#!/usr/bin/python3
"""Makes the demo's cadastral plan with ezdxf, an independent DXF library, so that the
demo starts from a drawing that Kelvora did not write. Run with Debian's python3:
    /usr/bin/python3 examples/make_plan.py examples/plan.dxf
"""
import sys

import ezdxf


def main(path):
    doc = ezdxf.new("R2007", setup=True)
    msp = doc.modelspace()
    # Labels at 1.8 m fit inside 30 m lots, as on a 1:500 plan.
    doc.header["$TEXTSIZE"] = 1.8
    doc.layers.add("PARCELLES", color=3)
    doc.layers.add("VOIRIE", color=8)
    doc.layers.add("TALUS", color=30)
    doc.layers.add("CLÔTURES", color=1)
    doc.layers.add("HAIES", color=94)
    doc.layers.add("TEXTES", color=7)

    # Four lots along a road, the road edge below them (y = 0), metres.
    lots = [
        [(0, 5), (32, 5), (35, 48), (0, 45)],
        [(32, 5), (61, 5), (66, 51), (35, 48)],
        [(61, 5), (95, 5), (95, 40), (80, 55), (66, 51)],
        [(0, 45), (35, 48), (38, 80), (0, 78)],
    ]
    for pts in lots:
        msp.add_lwpolyline(pts, close=True, dxfattribs={"layer": "PARCELLES"})
    # A lot with a curved front on the cul-de-sac: a bulge on its first segment.
    msp.add_lwpolyline([(38, 80, 0, 0, -0.25), (66, 82, 0, 0, 0), (66, 51), (35, 48)],
                       format="xyseb", close=True, dxfattribs={"layer": "PARCELLES"})

    msp.add_lwpolyline([(-10, 0), (110, 0)], dxfattribs={"layer": "VOIRIE"})
    # The far edge of the road is only planned: dashed.
    msp.add_lwpolyline([(-10, -8), (110, -8)], dxfattribs={"layer": "VOIRIE", "linetype": "DASHED",
                                                           "ltscale": 2.0})

    # The axis of a planned access path through the third lot, as the designer's software
    # exported it: a spline through its fit points.
    msp.add_spline([(66, -2), (76, 6), (86, 18), (98, 28)], dxfattribs={"layer": "VOIRIE"})

    # An embankment east of the lots: its top line and its toe line.
    msp.add_lwpolyline([(100, 5), (102, 30), (100, 60)], dxfattribs={"layer": "TALUS"})
    msp.add_lwpolyline([(108, 5), (111, 30), (109, 60)], dxfattribs={"layer": "TALUS"})

    # A fence along the north boundary.
    msp.add_lwpolyline([(0, 78), (38, 80), (66, 82)], dxfattribs={"layer": "CLÔTURES"})
    # A hedge along the west boundary, a little outside it.
    msp.add_lwpolyline([(-4, 6), (-4, 44), (-3, 77)], dxfattribs={"layer": "HAIES"})

    msp.add_text("Lotissement Les Érables", height=3.5,
                 dxfattribs={"layer": "TEXTES", "insert": (0, 90)})
    msp.add_text("Chemin des Prés", height=2.5,
                 dxfattribs={"layer": "TEXTES", "insert": (40, -13)})
    doc.saveas(path)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "plan.dxf")
