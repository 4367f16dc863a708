#!/usr/bin/env python3
"""Writes small files that once cost the game gigabytes, minutes or a crash.

    hostile_files.py KIND PATH

KIND is one of:
  count_only_3ds   600 objects whose vertex, face and coordinate lists hold only their counts
  coincident_3ds   a level of one vertex and a face list of 65,535 faces that all sit on it
  sparse_3ds       a main chunk header followed by 2 GB of holes (a sparse file)
  escaping_3ds     a material whose texture is "../Texturas/WOOD.BMP", a file outside the folder
  tall_rle_bmp     a run-length 8-bit picture of 1 x 67,108,864 pixels in about a kilobyte
  wide_rle_bmp     the same picture lying on its side
  big_rle_bmp      a run-length 8-bit picture of 8,192 x 8,192 pixels in about a kilobyte
"""
import struct
import sys


def chunk(chunk_id, data=b"", children=b""):
    return struct.pack("<HI", chunk_id, 6 + len(data) + len(children)) + data + children


def model(objects):
    # The editor chunk's first nested chunk is skipped whole by the reader: a version chunk.
    editor = chunk(0x3D3D, children=chunk(0x3D3E, struct.pack("<I", 3)) + b"".join(objects))
    return chunk(0x4D4D, children=editor)


def count_only_3ds():
    count = struct.pack("<H", 65535)
    mesh = chunk(0x4100, children=chunk(0x4110, count) + chunk(0x4120, count) + chunk(0x4140, count))
    return model([chunk(0x4000, b"o\0", mesh)] * 600)


def coincident_3ds():
    vertices = chunk(0x4110, struct.pack("<Hfff", 1, 0.0, 0.0, 0.0))
    faces = chunk(0x4120, struct.pack("<H", 65535))  # every missing face reads as vertices 0, 0, 0
    return model([chunk(0x4000, b"o\0", chunk(0x4100, children=vertices + faces))])


def escaping_3ds():
    texture = chunk(0xA200, children=chunk(0xA300, b"../Texturas/WOOD.BMP\0"))
    return model([chunk(0xAFFF, children=chunk(0xA000, b"m\0") + texture)])


def rle_bmp(width, height):
    palette = bytes([0, 0, 255, 0]) * 256
    runs = bytes([255, 1]) * 500 + bytes([0, 1])  # a few runs, then the end of the picture
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 1, len(runs), 0, 0, 256, 0)
    header = b"BM" + struct.pack("<IHHI", offset + len(runs), 0, 0, offset)
    return header + info + palette + runs


def main():
    kind, path = sys.argv[1], sys.argv[2]
    if kind == "sparse_3ds":
        with open(path, "wb") as out:
            out.write(struct.pack("<HI", 0x4D4D, 0xFFFFFFFF))
            out.truncate(2 << 30)
        return
    makers = {
        "count_only_3ds": count_only_3ds,
        "coincident_3ds": coincident_3ds,
        "escaping_3ds": escaping_3ds,
        "tall_rle_bmp": lambda: rle_bmp(1, 1 << 26),
        "wide_rle_bmp": lambda: rle_bmp(1 << 26, 1),
        "big_rle_bmp": lambda: rle_bmp(8192, 8192),
    }
    with open(path, "wb") as out:
        out.write(makers[kind]())


if __name__ == "__main__":
    main()
