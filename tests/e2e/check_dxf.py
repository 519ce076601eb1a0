#!/usr/bin/python3
"""Opens the DXF that the stand-in's DXFOUT wrote with ezdxf, an independent DXF library, and
checks that it holds the scenario's layouts with their tab orders and plot-settings names."""
import json
import sys

import ezdxf


def main(dxf_path, expected_path):
    with open(expected_path, encoding="utf-8") as f:
        expected = json.load(f)
    doc = ezdxf.readfile(dxf_path)
    auditor = doc.audit()
    errors = [str(e) for e in auditor.errors]
    if errors:
        print("audit errors:", errors)
        return 1
    found = sorted(([l.name, l.dxf.taborder] for l in doc.layouts), key=lambda x: x[1])
    want = sorted(expected["layouts"], key=lambda x: x[1])
    if found != want:
        print("layouts", found, "expected", want)
        return 1
    if doc.layouts.names_in_taborder() != [name for name, _ in want]:
        print("tab order", doc.layouts.names_in_taborder())
        return 1
    for name, plot in expected.get("plotSettings", {}).items():
        got = doc.layouts.get(name).dxf_layout.dxf.page_setup_name
        if got != plot:
            print("plot settings of", name, repr(got), "expected", repr(plot))
            return 1
    print("ok:", dxf_path, doc.dxfversion, found)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
