#!/usr/bin/python3
"""Checks with ezdxf, an independent reader, that a drawing written by the host holds what the
drawing it read held: usage drawing_check.py ORIGINAL WRITTEN. Prints "ok", or one line per
difference and exits 1. Checked: ezdxf's audit finds no error in WRITTEN; every record that had a
handle in ORIGINAL is in WRITTEN under that handle with its type; the entities of model space,
of each layout and of each block have the same properties and geometry; extended data,
extension dictionaries, table records and the groups of records of unknown classes are the same."""
import math
import re
import sys

import ezdxf
from ezdxf.entities.dxfentity import DXFTagStorage

TOL = 1e-9
problems = []


def close(a, b):
    if isinstance(a, bool) or isinstance(b, bool):
        return a == b
    if isinstance(a, (int, float)) and isinstance(b, (int, float)):
        return abs(a - b) <= TOL * max(1.0, abs(a), abs(b))
    if isinstance(a, (list, tuple)) and isinstance(b, (list, tuple)):
        return len(a) == len(b) and all(close(x, y) for x, y in zip(a, b))
    return a == b


def v(p):
    return tuple(float(c) for c in p)


def angle(a):
    a = float(a) % 360.0
    return 0.0 if abs(a - 360.0) < 1e-9 else a


def path_summary(p):
    if type(p).__name__ == "PolylinePath":
        return ("poly", bool(p.is_closed), [(v(x[:2]), float(x[2])) for x in p.vertices])
    edges = []
    for e in p.edges:
        t = type(e).__name__
        if t == "LineEdge":
            edges.append(("line", v(e.start), v(e.end)))
        elif t == "ArcEdge":
            edges.append(("arc", v(e.center), e.radius, angle(e.start_angle), angle(e.end_angle), bool(e.ccw)))
        elif t == "EllipseEdge":
            edges.append(("ellipse", v(e.center), v(e.major_axis), e.ratio, angle(e.start_angle),
                          angle(e.end_angle), bool(e.ccw)))
        else:
            edges.append((t, [v(c) for c in e.control_points], list(e.knots)))
    return ("edges", edges)


# An attribute's lock flag exists from R2010: compared only when both drawings can hold it.
BOTH_HOLD_LOCKS = False


def attribute_lock(a):
    return a.dxf.get("lock_position", 0) if BOTH_HOLD_LOCKS else 0


def geometry(e):
    t, d = e.dxftype(), e.dxf
    if t == "LINE":
        return (v(d.start), v(d.end))
    if t == "CIRCLE":
        return (v(d.center), d.radius)
    if t == "ARC":
        return (v(d.center), d.radius, angle(d.start_angle), angle(d.end_angle))
    if t == "POINT":
        return (v(d.location),)
    if t == "LWPOLYLINE":
        return (bool(e.closed), [tuple(float(c) for c in p) for p in e.get_points("xyseb")])
    if t == "POLYLINE":
        return (e.get_mode(), bool(e.is_closed), d.get("flags", 0),
                [(v(x.dxf.location), x.dxf.get("bulge", 0.0), x.dxf.get("flags", 0)) for x in e.vertices])
    if t in ("TEXT", "ATTRIB", "ATTDEF"):
        return (v(d.insert), d.height, angle(d.get("rotation", 0)), d.text, d.get("style", "Standard").upper(),
                d.tag if t != "TEXT" else "")
    if t == "MTEXT":
        return (v(d.insert), d.get("char_height", 0), unescaped(e.text))
    if t == "INSERT":
        return (d.name.upper(), v(d.insert), d.get("xscale", 1), d.get("yscale", 1), angle(d.get("rotation", 0)),
                sorted((a.dxf.tag, a.dxf.text, v(a.dxf.insert), attribute_lock(a)) for a in e.attribs))
    if t == "SPLINE":
        if len(e.fit_points):
            # a spline through fit points: a writer may add the control points it makes of them
            return (d.degree, d.get("flags", 0) & 7, "fit", [v(p) for p in e.fit_points])
        weights = [w for w in e.weights if abs(w - 1.0) > 1e-12]
        return (d.degree, d.get("flags", 0) & 7, [v(p) for p in e.control_points], [float(k) for k in e.knots],
                weights, [v(p) for p in e.fit_points])
    if t == "ELLIPSE":
        return (v(d.center), v(d.major_axis), d.ratio, d.start_param, d.end_param)
    if t == "HATCH":
        return (d.pattern_name.upper(), d.solid_fill, [path_summary(p) for p in e.paths],
                len(e.pattern.lines) if e.pattern else 0, d.get("pattern_scale", 1.0),
                angle(d.get("pattern_angle", 0.0)))
    return ()


def unescaped(text):
    """Text with its \\U+XXXX escapes decoded (files before R2007 carry other letters so)."""
    return re.sub(r"\\U\+([0-9A-Fa-f]{4})", lambda m: chr(int(m.group(1), 16)), text)


def entity_summary(e):
    d = e.dxf
    if isinstance(e, DXFTagStorage):
        return (e.dxftype(), d.handle)
    return (e.dxftype(), d.get("layer", "0").upper(), d.get("color", 256), d.get("linetype", "BYLAYER").upper(),
            geometry(e))


def sort_key(x):
    if isinstance(x, bool):
        return (0, int(x))
    if isinstance(x, (int, float)):
        return (1, round(float(x), 6) + 0.0)
    if isinstance(x, (list, tuple)):
        return (2, tuple(sort_key(y) for y in x))
    return (3, str(x))


def spaces(doc):
    out = {"model": list(doc.modelspace())}
    for layout in doc.layouts:
        if layout.name != "Model":
            # the layout's own viewport (id 1) is the writer's to make
            out["layout " + layout.name.upper()] = [e for e in layout
                                                    if e.dxftype() != "VIEWPORT" or e.dxf.get("id", 0) != 1]
    for blk in doc.blocks:
        if not blk.name.startswith("*"):
            out["block " + blk.name.upper()] = list(blk)
    return out


def compare_spaces(a, b):
    sa, sb = spaces(a), spaces(b)
    for name, entities in sa.items():
        if name not in sb:
            problems.append(f"{name} is missing")
            continue
        x = sorted((entity_summary(e) for e in entities), key=sort_key)
        y = sorted((entity_summary(e) for e in sb[name]), key=sort_key)
        if len(x) != len(y):
            problems.append(f"{name}: {len(x)} entities read, {len(y)} written")
            continue
        for p, q in zip(x, y):
            if not close(p, q):
                problems.append(f"{name}: {p!r} came back as {q!r}")


def file_handles(path):
    """(handle, type) of every record of the file that has a handle, read from its text."""
    data = open(path, "rb").read()
    if data.startswith(b"AutoCAD Binary DXF"):
        from ezdxf.lldxf.tagger import binary_tags_loader
        pairs = [(str(t.code), str(t.value)) for t in binary_tags_loader(data)]
    else:
        lines = data.decode("utf-8", errors="replace").split("\n")
        pairs = [(lines[i].strip(), lines[i + 1].rstrip("\r")) for i in range(0, len(lines) - 1, 2)]
    out, kind, section = {}, None, None
    for code, value in pairs:
        if code == "0":
            kind = value
        elif code == "2" and kind == "SECTION":
            section = value
        elif code in ("5", "105") and section in ("TABLES", "BLOCKS", "ENTITIES", "OBJECTS"):
            if code == "105" or kind != "DIMSTYLE":
                out[value.upper()] = kind
    return out


def compare_handles(original, written_doc):
    db = {e.dxf.handle.upper(): e.dxftype() for e in written_doc.entitydb.values() if not e.is_virtual}
    for h, kind in file_handles(original).items():
        if kind in ("TABLE",):
            continue
        if h not in db:
            problems.append(f"{kind} {h} is not written back under its handle")
        elif db[h] != kind and kind != "ENDTAB":
            problems.append(f"{kind} {h} came back as {db[h]}")


def typed(tags):
    out = []
    for t in tags:
        value = t.value
        if not isinstance(value, str) and hasattr(value, "__len__"):
            value = tuple(float(c) for c in value)
        if 320 <= t.code < 370 or 390 <= t.code < 400 or t.code in (5, 105, 1005):
            continue
        out.append((t.code, value))
    return out


def compare_records(a, b):
    db = b.entitydb
    for e in a.entitydb.values():
        if e.is_virtual:
            continue
        h = e.dxf.handle
        w = db.get(h)
        if w is None:
            continue
        if e.xdata is not None:
            for app in e.xdata.data:
                if not w.has_xdata(app):
                    problems.append(f"{e.dxftype()} {h} lost its extended data of {app}")
                elif not close(typed(e.get_xdata(app)), typed(w.get_xdata(app))):
                    problems.append(f"{e.dxftype()} {h}: extended data of {app} differs")
        if e.has_extension_dict:
            keys = sorted(e.get_extension_dict().keys())
            got = sorted(w.get_extension_dict().keys()) if w.has_extension_dict else None
            if keys != got:
                problems.append(f"{e.dxftype()} {h}: extension dictionary {keys} came back as {got}")
        if isinstance(e, DXFTagStorage) and e.dxftype() not in ("ACDBPLACEHOLDER",):
            x = [typed(s) for s in e.xtags.subclasses[1:]]
            y = [typed(s) for s in w.xtags.subclasses[1:]] if isinstance(w, DXFTagStorage) else None
            if y is None or not close(x, y):
                problems.append(f"{e.dxftype()} {h}: its groups changed")
        if e.dxftype() == "XRECORD" and w.dxftype() == "XRECORD":
            if not close(typed(e.tags), typed(w.tags)):
                problems.append(f"XRECORD {h}: its groups changed")


def compare_tables(a, b):
    def table(doc):
        out = [("layer", l.dxf.name.upper(), abs(l.dxf.color), l.dxf.color < 0, l.dxf.get("linetype", "").upper(),
                l.dxf.flags & 5) for l in doc.layers]
        out += [("style", s.dxf.name.upper(), s.dxf.font.lower(), s.dxf.height) for s in doc.styles if s.dxf.name]
        out += [("linetype", lt.dxf.name.upper(),
                 [float(t.value) for t in lt.pattern_tags.tags if t.code == 49] if lt.pattern_tags else [])
                for lt in doc.linetypes]
        out += [("appid", x.dxf.name.upper()) for x in doc.appids]
        out += [("dimstyle", x.dxf.name.upper()) for x in doc.dimstyles]
        return out
    written = table(b)
    for rec in table(a):
        if not any(close(rec, w) for w in written):
            problems.append(f"table record {rec} came back as {[w for w in written if w[:2] == rec[:2]]}")


def main():
    original, written = sys.argv[1], sys.argv[2]
    a = ezdxf.readfile(original)
    b = ezdxf.readfile(written)
    global BOTH_HOLD_LOCKS
    BOTH_HOLD_LOCKS = a.dxfversion >= "AC1024" and b.dxfversion >= "AC1024"
    auditor = b.audit()
    for err in auditor.errors[:5]:
        problems.append(f"audit: {err.message}")
    compare_spaces(a, b)
    compare_handles(original, b)
    compare_records(a, b)
    compare_tables(a, b)
    if problems:
        print("\n".join(problems[:20]))
        sys.exit(1)
    print("ok")


main()
