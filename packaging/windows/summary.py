"""Sets the package code and the two dates of a Windows Installer package's summary information.

wixl gives every package it builds a random package code and the time of the build. Written
here from the build's own inputs, two builds of one commit give the same bytes:

    summary.py PACKAGE.msi PACKAGE_CODE EPOCH

PACKAGE_CODE is a GUID ({...}, upper case, as wixl writes one); EPOCH the seconds since 1970
of the creation and last-save times. The values keep their sizes, so the stream is rewritten
in place.
"""

import struct
import sys

import olefile

STREAM = "\x05SummaryInformation"
VT_LPSTR, VT_FILETIME = 30, 64
PID_REVNUMBER, PID_CREATE_DTM, PID_LASTSAVE_DTM = 9, 12, 13
# 100-nanosecond intervals from 1601-01-01 to 1970-01-01.
FILETIME_1970 = 116444736000000000


def rewritten(stream, code, epoch):
    """The summary stream with the package code and the times replaced."""
    data = bytearray(stream)
    # A property set: a 28-byte header, then each section's format identifier and offset; the
    # summary has one section: its size, its count of properties, and (identifier, offset)
    # pairs, offsets from the section's start.
    (section,) = struct.unpack_from("<I", data, 44)
    (count,) = struct.unpack_from("<I", data, section + 4)
    found = set()
    for i in range(count):
        pid, offset = struct.unpack_from("<II", data, section + 8 + 8 * i)
        at = section + offset
        (kind,) = struct.unpack_from("<I", data, at)
        if pid == PID_REVNUMBER and kind == VT_LPSTR:
            (size,) = struct.unpack_from("<I", data, at + 4)
            value = code.encode("ascii") + b"\0"
            if len(value) != size:
                sys.exit(f"the package code {code} is not as long as the one there ({size - 1})")
            data[at + 8 : at + 8 + size] = value
            found.add(pid)
        elif pid in (PID_CREATE_DTM, PID_LASTSAVE_DTM) and kind == VT_FILETIME:
            struct.pack_into("<Q", data, at + 4, FILETIME_1970 + epoch * 10_000_000)
            found.add(pid)
    missing = {PID_REVNUMBER, PID_CREATE_DTM, PID_LASTSAVE_DTM} - found
    if missing:
        sys.exit(f"the summary information has no property {sorted(missing)} to set")
    return bytes(data)


def main():
    if len(sys.argv) != 4:
        sys.exit("usage: summary.py PACKAGE.msi PACKAGE_CODE EPOCH")
    path, code, epoch = sys.argv[1], sys.argv[2], int(sys.argv[3])
    with olefile.OleFileIO(path, write_mode=True) as package:
        package.write_stream(STREAM, rewritten(package.openstream(STREAM).read(), code, epoch))


if __name__ == "__main__":
    main()
