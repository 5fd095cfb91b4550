#!/usr/bin/python3
"""Reads two DXF files with ezdxf and checks that the second holds what the first holds:
usage ezdxf_compare.py ORIGINAL WRITTEN. Prints "same" or the first difference; exit 1 on a
difference. ezdxf stands as the independent reader of what the host writes."""
import sys

import ezdxf


def summary(doc):
    items = []
    for e in doc.entitydb.values():
        if e.is_virtual:
            continue
        attribs = {}
        for key, value in e.dxfattribs().items():
            if key in ("owner",):
                continue
            attribs[key] = str(value)
        items.append((e.dxftype(), e.dxf.get("handle", ""), tuple(sorted(attribs.items()))))
    items.sort()
    return items


def main():
    a = ezdxf.readfile(sys.argv[1])
    b = ezdxf.readfile(sys.argv[2])
    if a.dxfversion != b.dxfversion:
        print(f"version {a.dxfversion} != {b.dxfversion}")
        sys.exit(1)
    # The audit may repair (and so change) the drawing: compare first.
    sa, sb = summary(a), summary(b)
    auditor = b.audit()
    if auditor.has_errors:
        print("audit errors:", [str(e) for e in auditor.errors][:5])
        sys.exit(1)
    if sa != sb:
        for x, y in zip(sa, sb):
            if x != y:
                print("first difference:", x, "!=", y)
                break
        else:
            print(f"{len(sa)} objects != {len(sb)} objects")
        sys.exit(1)
    print("same")


main()
