#!/usr/bin/python3
"""Decodes a proxy graphics stream with ezdxf's ProxyGraphic, the independent reader of what the
host writes: usage proxy_decode.py HEXFILE. Prints one line per entity ezdxf makes of it, with
its type and main attributes rounded to 6 decimals, in order."""
import sys

import ezdxf
from ezdxf.proxygraphic import ProxyGraphic, ProxyGraphicTypes


def num(v):
    if isinstance(v, int):
        return str(v)
    r = round(float(v), 6)
    return "0" if r == 0 else f"{r:g}"


def angle(v):
    return num(round(float(v), 6) % 360)


def vec(v):
    return "(" + ",".join(num(c) for c in v) + ")"


def describe(e):
    t = e.dxftype()
    d = e.dxf
    parts = [t]
    for key in ("color", "lineweight", "true_color", "ltscale"):
        if d.hasattr(key):
            parts.append(f"{key}={num(d.get(key))}")
    if t == "CIRCLE":
        parts += [f"center={vec(d.center)}", f"radius={num(d.radius)}"]
    elif t == "ARC":
        parts += [f"center={vec(d.center)}", f"radius={num(d.radius)}",
                  f"start={angle(d.start_angle)}", f"end={angle(d.end_angle)}"]
    elif t == "TEXT":
        parts += [f"insert={vec(d.insert)}", f"height={num(d.height)}", f"text={d.text}",
                  f"rotation={num(d.rotation)}"]
        if d.hasattr("style"):
            parts.append(f"style={d.style}")
    elif t in ("XLINE", "RAY"):
        parts += [f"start={vec(d.start)}", f"dir={vec(d.unit_vector)}"]
    elif t == "LWPOLYLINE":
        parts.append("closed=" + str(int(e.closed)))
        parts += [",".join(num(c) for c in p) for p in e.get_points("xyseb")]
    elif t == "POLYLINE":
        if e.is_poly_face_mesh:
            parts.append(f"faces={len(list(e.faces()))}")
        elif e.is_polygon_mesh:
            parts.append(f"mesh={e.dxf.m_count}x{e.dxf.n_count}")
        else:
            parts.append("closed=" + str(int(e.is_closed)))
        parts += [vec(v.dxf.location) for v in e.vertices if not v.is_face_record]
    elif t == "POINT":
        parts.append(vec(d.location))
    elif t == "HATCH":
        parts.append(f"paths={len(e.paths)}")
    return " ".join(parts)


def main():
    data = bytes.fromhex(open(sys.argv[1]).read().strip())
    major = int(ezdxf.__version__.split(".")[0])
    if major < 1:
        # Before 1.0, ezdxf read the bit stream of a lightweight polyline without
        # the byte count in front of it: take the count out for it.
        out, pos = bytearray(data[:8]), 8
        while pos < len(data):
            size = int.from_bytes(data[pos:pos + 4], "little")
            kind = int.from_bytes(data[pos + 4:pos + 8], "little")
            cmd = data[pos:pos + size]
            if kind == ProxyGraphicTypes.LWPOLYLINE:
                cmd = cmd[:8] + cmd[12:] + b"\0\0\0\0"
            out += cmd
            pos += size
        data = bytes(out)
    for e in ProxyGraphic(data).virtual_entities():
        print(describe(e))


main()
