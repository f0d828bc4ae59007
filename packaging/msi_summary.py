#!/usr/bin/env python3
"""Makes an MSI written by wixl the same on every build of one commit: wixl stamps its summary
information with the time of the build (created, last saved) and a new random package code.
Here the times become SOURCE_DATE_EPOCH and the package code one derived from the package's
own bytes, so that any other content still gets another code, as Windows Installer expects.
The values are overwritten where they lie (same sizes), inside the compound file.
    msi_summary.py <file.msi> <seconds since 1970>
"""
import hashlib
import struct
import sys
import uuid

FREE, END = 0xFFFFFFFF, 0xFFFFFFFE
PID_REVNUMBER, PID_CREATE_DTM, PID_LASTSAVE_DTM = 9, 12, 13
VT_LPSTR, VT_FILETIME = 0x1E, 0x40


class CompoundFile:
    def __init__(self, data):
        if data[:8] != bytes.fromhex("d0cf11e0a1b11ae1"):
            sys.exit("msi_summary.py: not a compound file")
        self.data = data
        self.sector = 1 << struct.unpack_from("<H", data, 0x1E)[0]
        self.mini = 1 << struct.unpack_from("<H", data, 0x20)[0]
        self.cutoff, first_mini_fat = struct.unpack_from("<II", data, 0x38)
        first_difat, difat_count = struct.unpack_from("<II", data, 0x44)
        fat_sectors = [s for s in struct.unpack_from("<109I", data, 0x4C) if s != FREE]
        per = self.sector // 4
        s = first_difat
        for _ in range(difat_count):
            entries = struct.unpack_from("<%dI" % per, data, self.offset(s))
            fat_sectors += [e for e in entries[:-1] if e != FREE]
            s = entries[-1]
        self.fat = []
        for s in fat_sectors:
            self.fat += struct.unpack_from("<%dI" % per, data, self.offset(s))
        self.mini_fat = self.read_chain(first_mini_fat)
        self.mini_fat = list(struct.unpack("<%dI" % (len(self.mini_fat) // 4), self.mini_fat))
        directory = self.read_chain(struct.unpack_from("<I", data, 0x30)[0])
        self.entries = {}
        for at in range(0, len(directory), 128):
            length = struct.unpack_from("<H", directory, at + 0x40)[0]
            name = directory[at:at + max(length - 2, 0)].decode("utf-16-le")
            start, size = struct.unpack_from("<II", directory, at + 0x74)
            self.entries.setdefault(name, (start, size))
        root_start, _ = self.entries["Root Entry"]
        self.mini_stream = self.chain(root_start)

    def offset(self, sector):
        return (sector + 1) * self.sector

    def chain(self, sector):
        sectors = []
        while sector not in (END, FREE):
            sectors.append(sector)
            sector = self.fat[sector]
        return sectors

    def read_chain(self, sector):
        return b"".join(self.data[self.offset(s):self.offset(s) + self.sector] for s in self.chain(sector))

    def stream_offsets(self, name):
        """The file offset of each byte of a stream."""
        start, size = self.entries[name]
        where = []
        if size < self.cutoff:
            m = start
            while m not in (END, FREE) and len(where) < size:
                at = m * self.mini
                for i in range(at, at + self.mini):
                    where.append(self.offset(self.mini_stream[i // self.sector]) + i % self.sector)
                m = self.mini_fat[m]
        else:
            for s in self.chain(start):
                where += range(self.offset(s), self.offset(s) + self.sector)
        return where[:size]


def main():
    path, epoch = sys.argv[1], int(sys.argv[2])
    data = bytearray(open(path, "rb").read())
    cfb = CompoundFile(bytes(data))
    where = cfb.stream_offsets("\x05SummaryInformation")
    stream = bytes(data[i] for i in where)
    section = struct.unpack_from("<I", stream, 0x2C)[0]
    count = struct.unpack_from("<I", stream, section + 4)[0]
    props = dict(struct.unpack_from("<%dI" % (2 * count), stream, section + 8)[i:i + 2]
                 for i in range(0, 2 * count, 2))

    def put(at, value):
        for i, b in enumerate(value):
            data[where[at + i]] = b

    filetime = struct.pack("<Q", (epoch + 11644473600) * 10000000)
    for pid in (PID_CREATE_DTM, PID_LASTSAVE_DTM):
        at = section + props[pid]
        if struct.unpack_from("<I", stream, at)[0] != VT_FILETIME:
            sys.exit("msi_summary.py: summary property %d is not a time" % pid)
        put(at + 4, filetime)
    at = section + props[PID_REVNUMBER]
    kind, length = struct.unpack_from("<II", stream, at)
    if kind != VT_LPSTR or length != 39:
        sys.exit("msi_summary.py: the package code is not a {GUID}")
    put(at + 8, b"{" + b"0" * 36 + b"}")
    code = uuid.UUID(bytes=hashlib.sha256(data).digest()[:16], version=4)
    put(at + 8, ("{%s}" % str(code).upper()).encode("ascii"))
    open(path, "wb").write(data)


if __name__ == "__main__":
    main()
