#!/usr/bin/env python3
"""Fails, naming each one, when libquillmarc.so lacks a promised symbol.

usage: check_exports.py LIBRARY [GROUP...]

A "c" row must be exported under its plain name (C linkage); a "c++" row
must be exported mangled and demangle to exactly the row. Checked against
every group, the library must also export nothing the manifest does not
list, so internal helpers and standard-library template code stay inside.
"""
import subprocess
import sys

import manifest


def exported(library):
    out = subprocess.run(["nm", "-D", "--defined-only", library], check=True,
                         capture_output=True, text=True).stdout
    raw = sorted({line.split()[-1] for line in out.splitlines() if line.strip()})
    mangled = [name for name in raw if name.startswith("_Z")]
    demangled = subprocess.run(["c++filt"], input="\n".join(mangled), check=True,
                               capture_output=True, text=True).stdout.splitlines()
    return set(raw), set(demangled)


def main(argv):
    library, wanted = argv[1], argv[2:] or list(manifest.GROUPS)
    plain, cxx = exported(library)
    failed = False
    for group in wanted:
        rows = list(manifest.GROUPS[group]())
        missing = [name for linkage, name in rows
                   if name not in (plain if linkage == "c" else cxx)]
        print(f"{group}: {len(rows) - len(missing)}/{len(rows)} exported")
        for name in missing:
            print(f"  missing: {name}")
        failed = failed or bool(missing)
    if not argv[2:]:
        promised = {name for group in manifest.GROUPS.values() for _, name in group()}
        c_names = {name for name in plain if not name.startswith("_Z")}
        unpromised = sorted((c_names | cxx) - promised)
        print(f"exported beyond the interface: {len(unpromised)}")
        for name in unpromised:
            print(f"  unpromised: {name}")
        failed = failed or bool(unpromised)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
