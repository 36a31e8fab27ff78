#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Finishes the site once every other file is in it: writes the service worker from its
template with the list of every file and a version made of the release and a hash of their
contents (so any change is a new cache), and packs the site into a tarball for any static
host.

    seal_site.py SITE TEMPLATE RELEASE TARBALL
"""
import hashlib
import json
import pathlib
import sys
import tarfile


def main(site, template, release, tarball):
    site = pathlib.Path(site)
    worker = site / "sw.js"
    files = sorted(p.relative_to(site).as_posix() for p in site.rglob("*")
                   if p.is_file() and p != worker)
    digest = hashlib.sha256()
    for name in files:
        digest.update(name.encode() + b"\0" + (site / name).read_bytes())
    version = f"{release}-{digest.hexdigest()[:12]}"
    # The page itself is asked for as the folder ("./") as well as by its name.
    listed = ", ".join(json.dumps(name) for name in ["./", *files])
    text = pathlib.Path(template).read_text(encoding="utf-8")
    worker.write_text(text.replace("@VERSION@", version).replace("@FILES@", listed),
                      encoding="utf-8")

    def normalised(info):
        info.uid = info.gid = 0
        info.uname = info.gname = "root"
        info.mtime = 0
        return info

    with tarfile.open(tarball, "w:gz") as archive:
        folder = pathlib.Path(tarball).name.removesuffix(".tar.gz")
        for name in sorted([*files, "sw.js"]):
            archive.add(site / name, f"{folder}/{name}", filter=normalised)


if __name__ == "__main__":
    main(*sys.argv[1:])
