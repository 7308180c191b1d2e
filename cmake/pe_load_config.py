#!/usr/bin/env python3
"""Points a PE32+ image's load configuration directory at _load_config_used.

GNU ld links the structure in but leaves the directory entry empty, so the
loader never reads it. This reads the structure's address from the link's
map, writes the entry (its size is the structure's own Size field) and the
header checksum again. Run after the link:

    pe_load_config.py <exe> <map>
"""
import os
import re
import struct
import sys

LOAD_CONFIG = 10  # IMAGE_DIRECTORY_ENTRY_LOAD_CONFIG


EXE = None


def fail(message):
    # An exe left unpatched would stand as built: it goes, and the next
    # build links it again.
    if EXE:
        try:
            os.remove(EXE)
        except OSError:
            pass
    sys.exit(f"pe_load_config.py: {message}")


def checksum(image, at):
    """The PE checksum of `image`, whose own field is at `at`."""
    data = image[:at] + b"\0\0\0\0" + image[at + 4:]
    if len(data) % 2:
        data += b"\0"
    total = 0
    for (word,) in struct.iter_unpack("<H", data):
        total += word
        total = (total & 0xFFFF) + (total >> 16)
    return ((total & 0xFFFF) + len(image)) & 0xFFFFFFFF


def main(exe_path, map_path):
    global EXE
    EXE = exe_path
    with open(map_path, encoding="utf-8", errors="replace") as f:
        found = re.search(r"^\s+0x([0-9a-fA-F]+)\s+_load_config_used\s*$", f.read(), re.M)
    if not found:
        fail(f"_load_config_used is not in {map_path} (was it dropped from the link?)")
    address = int(found.group(1), 16)

    with open(exe_path, "rb") as f:
        image = bytearray(f.read())
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    if image[pe:pe + 4] != b"PE\0\0":
        fail(f"{exe_path} is no PE image")
    sections, optional_size = struct.unpack_from("<H12xH", image, pe + 6)
    opt = pe + 24
    if struct.unpack_from("<H", image, opt)[0] != 0x20B:
        fail(f"{exe_path} is no PE32+ image")
    image_base = struct.unpack_from("<Q", image, opt + 24)[0]
    if struct.unpack_from("<I", image, opt + 108)[0] <= LOAD_CONFIG:
        fail(f"{exe_path} has no load configuration entry")
    rva = address - image_base

    # The structure's first field, its size, from the section that holds it.
    size = None
    table = opt + optional_size
    for i in range(sections):
        virtual_size, virtual_at, raw_size, raw_at = struct.unpack_from("<IIII", image, table + 40 * i + 8)
        if virtual_at <= rva and rva + 4 <= virtual_at + min(virtual_size, raw_size):
            size = struct.unpack_from("<I", image, raw_at + rva - virtual_at)[0]
    if not size:
        fail(f"_load_config_used (RVA {rva:#x}) is in no section's data")

    struct.pack_into("<II", image, opt + 112 + 8 * LOAD_CONFIG, rva, size)
    struct.pack_into("<I", image, opt + 64, checksum(image, opt + 64))
    with open(exe_path, "wb") as f:
        f.write(image)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        fail("usage: pe_load_config.py <exe> <map>")
    main(sys.argv[1], sys.argv[2])
