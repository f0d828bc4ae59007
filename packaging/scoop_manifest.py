#!/usr/bin/env python3
"""Writes the Scoop manifest for this version's two zips to stdout:
    scoop_manifest.py <dist> <version> <release url> <file Corvane writes>...
Scoop unpacks the zip's Corvane folder into a folder of each version and links the files
named in "persist" to one kept folder, so settings and logs outlive updates. Two things about
that are handled here:
- A persisted name that is not there at the first install would be made a folder; pre_install
  makes each missing one an empty file first (Corvane reads an empty file as none).
- Scoop links a persisted file by a hard link, and Corvane saves a file by writing a new copy
  and renaming it over the old one, which leaves the link behind. Before an update or an
  uninstall (pre_uninstall), each file beside the program is copied back to the kept folder.
"""
import hashlib
import json
import os
import re
import sys


def ps_list(names):
    return ", ".join("'%s'" % n for n in names)


def main():
    dist, version, url = sys.argv[1:4]
    written = sys.argv[4:]
    arch = {}
    for scoop_arch, zip_arch in (("64bit", "win64"), ("32bit", "win32")):
        name = "Corvane-%s-%s.zip" % (version, zip_arch)
        digest = hashlib.sha256(open(os.path.join(dist, name), "rb").read()).hexdigest()
        arch[scoop_arch] = {"url": "%s/%s" % (url, name), "hash": digest}
    names = ps_list(written)
    auto_url = url.replace(version, "$version")
    # New versions: from the releases of the repository the files are published in, else from
    # the page that lists the release folders.
    github = re.match(r"(https://github\.com/[^/]+/[^/]+)/releases/", url)
    checkver = ({"github": github.group(1)} if github else
                {"url": auto_url.rsplit("/", 1)[0] + "/", "regex": r"Corvane-([\d.]+)-win64\.zip"})
    manifest = {
        "version": version,
        "description": "Watches the battery from the notification area and alerts when it charges,"
                       " is full or runs low.",
        "homepage": "https://corvane.github.io/",
        "license": "MIT",
        "architecture": arch,
        "extract_dir": "Corvane",
        "bin": "Corvane.exe",
        "shortcuts": [["Corvane.exe", "Corvane"]],
        "pre_install": [
            "foreach ($f in %s) {" % names,
            "    if (!(Test-Path \"$persist_dir\\$f\")) { New-Item \"$dir\\$f\" -ItemType File | Out-Null }",
            "}",
        ],
        "pre_uninstall": [
            "foreach ($f in %s) {" % names,
            "    if (Test-Path \"$dir\\$f\" -PathType Leaf) {",
            "        Copy-Item \"$dir\\$f\" \"$persist_dir\\$f.new\" -Force",
            "        Move-Item \"$persist_dir\\$f.new\" \"$persist_dir\\$f\" -Force",
            "    }",
            "}",
        ],
        "persist": written,
        "checkver": checkver,
        "autoupdate": {
            "architecture": {
                "64bit": {"url": "%s/Corvane-$version-win64.zip" % auto_url},
                "32bit": {"url": "%s/Corvane-$version-win32.zip" % auto_url},
            },
        },
    }
    json.dump(manifest, sys.stdout, indent=4)
    sys.stdout.write("\n")


if __name__ == "__main__":
    main()
