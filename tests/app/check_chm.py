#!/usr/bin/env python3
"""Checks that a compiled help file is a valid CHM holding every page of its project.

    check_chm.py Reference.chm <folder of Reference.hhp> [chmls]

Reads the CHM's own structure (ITSF header, ITSP directory, its PMGL listing chunks) and
requires: every file of the project's [FILES], its contents and index files, the system
files that a viewer needs, and no link of the contents or index to a page that is missing.
With chmls given, every page is also extracted and compared with its source byte for byte.
"""
import os
import re
import struct
import subprocess
import sys
import tempfile


def fail(message):
    print("FAILED: " + message)
    sys.exit(1)


def encint(data, pos):
    value = 0
    while True:
        byte = data[pos]
        pos += 1
        value = (value << 7) | (byte & 0x7F)
        if byte < 0x80:
            return value, pos


def directory(data):
    if data[:4] != b"ITSF":
        fail("no ITSF signature")
    version, header_len = struct.unpack_from("<II", data, 4)
    if version not in (2, 3):
        fail("ITSF version %d" % version)
    dir_offset, dir_len = struct.unpack_from("<QQ", data, 72)
    if dir_offset + dir_len > len(data):
        fail("directory beyond the end of the file")
    itsp = data[dir_offset:dir_offset + dir_len]
    if itsp[:4] != b"ITSP":
        fail("no ITSP directory header")
    itsp_len, = struct.unpack_from("<I", itsp, 8)
    chunk_size, = struct.unpack_from("<I", itsp, 16)
    first_pmgl, last_pmgl = struct.unpack_from("<iI", itsp, 32)
    chunk_count, = struct.unpack_from("<I", itsp, 44)
    if chunk_size < 32 or itsp_len + chunk_count * chunk_size > dir_len:
        fail("directory chunks do not fit the directory")
    names = {}
    chunk, seen = first_pmgl, set()
    while chunk != -1:
        if chunk in seen or not 0 <= chunk < chunk_count:
            fail("listing chunk chain is broken at %d" % chunk)
        seen.add(chunk)
        start = itsp_len + chunk * chunk_size
        block = itsp[start:start + chunk_size]
        if block[:4] != b"PMGL":
            fail("chunk %d is not a listing chunk" % chunk)
        free, _, _, next_chunk = struct.unpack_from("<IIii", block, 4)
        pos, end = 20, chunk_size - free
        while pos < end:
            length, pos = encint(block, pos)
            name = block[pos:pos + length].decode("utf-8")
            pos += length
            section, pos = encint(block, pos)
            offset, pos = encint(block, pos)
            size, pos = encint(block, pos)
            names[name] = (section, offset, size)
        chunk = next_chunk
    if last_pmgl not in seen:
        fail("the last listing chunk was never reached")
    return names


def project_files(folder):
    with open(os.path.join(folder, "Reference.hhp"), encoding="latin-1") as f:
        text = f.read()
    options = dict(re.findall(r"^([^=\[\n]+)=(.*)$", text.split("[FILES]")[0], re.M))
    files = [line.strip() for line in text.split("[FILES]")[1].splitlines() if line.strip()]
    files += [options["Contents file"].strip(), options["Index file"].strip()]
    return files, options["Default topic"].strip()


def links(folder, name):
    with open(os.path.join(folder, name), encoding="latin-1") as f:
        return re.findall(r'name="Local" value="([^"]+)"', f.read())


def main():
    chm, folder = sys.argv[1], sys.argv[2]
    chmls = sys.argv[3] if len(sys.argv) > 3 else None
    with open(chm, "rb") as f:
        names = directory(f.read())
    files, default = project_files(folder)
    for required in ["/#SYSTEM", "/#TOPICS", "/#STRINGS", "::DataSpace/Storage/MSCompressed/Content"]:
        if required not in names:
            fail("%s is missing" % required)
    for name in files:
        entry = names.get("/" + name)
        if entry is None:
            fail("%s is not in the CHM" % name)
        if entry[2] == 0:
            fail("%s is empty in the CHM" % name)
    pages = [n for n in files if n.endswith(".html")]
    for listing in ("toc.hhc", "index.hhk"):
        for target in links(folder, listing):
            if target not in pages:
                fail("%s links to %s, which is not a page" % (listing, target))
    if default not in pages:
        fail("the default topic %s is not a page" % default)
    if set(links(folder, "toc.hhc")) != set(pages):
        fail("the contents do not list every page")
    if chmls:
        with tempfile.TemporaryDirectory() as out:
            for name in files:
                target = os.path.join(out, name)
                subprocess.run([chmls, "extract", chm, "/" + name, target], check=True,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                with open(target, "rb") as a, open(os.path.join(folder, name), "rb") as b:
                    if a.read() != b.read():
                        fail("%s differs from its source" % name)
    print("ok: %d pages, %d entries: %s" % (len(pages), len(names), " ".join(pages)))


if __name__ == "__main__":
    main()
