#!/usr/bin/env python3
"""Writes small files that once cost the game gigabytes, minutes or a crash.

    hostile_files.py KIND PATH

KIND is one of:
  count_only_3ds   600 objects whose vertex, face and coordinate lists hold only their counts
  coincident_3ds   a level of one vertex and a face list of 65,535 faces that all sit on it
  sparse_3ds       a main chunk header followed by 2 GB of holes (a sparse file)
  escaping_3ds     a material whose texture is "../Texturas/WOOD.BMP", a file outside the folder
  empty_3ds        the 6 bytes of a main chunk holding nothing
  versions_3ds     9,000 version chunks saying 4, then one triangle
  groups_3ds       2,000 materials and 60,000 material groups naming none of them (1 MB)
  shared_bmp_3ds   30 materials that all name Texturas/BIG.BMP, and a triangle
  many_bmp_3ds     30 materials naming Texturas/BIG00.BMP to BIG29.BMP, and a triangle
  full_rle_bmp     a run-length 8-bit picture of 4,096 x 3,000 pixels whose runs cover it (108 KB)
  terminal_3ds     a material whose texture name holds terminal control sequences and UTF-8
  nan_vertex_3ds   PATH (a 3DS file) gains an object of one vertex at NaN and no face
  far_vertex_3ds   the same with a vertex at 1e12
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
    # With one triangle wearing the material, so the model has something to draw.
    wearing = triangle(chunk(0x4130, b"m\0" + struct.pack("<H", 0)))
    return model([chunk(0xAFFF, children=chunk(0xA000, b"m\0") + texture), wearing])


def triangle(groups=b""):
    vertices = chunk(0x4110, struct.pack("<H9f", 3, 0, 0, 0, 1, 0, 0, 0, 1, 0))
    faces = chunk(0x4120, struct.pack("<H4H", 1, 0, 1, 2, 0), groups)
    return chunk(0x4000, b"o\0", chunk(0x4100, children=vertices + faces))


def versions_3ds():
    return chunk(0x4D4D, children=chunk(0x0002, struct.pack("<I", 4)) * 9000 + chunk(0x3D3D, children=chunk(0x3D3E) + triangle()))


def groups_3ds():
    materials = [chunk(0xAFFF, children=chunk(0xA000, b"m%05d\0" % i)) for i in range(2000)]
    groups = chunk(0x4130, b"nomatch\0" + struct.pack("<H", 0)) * 60000
    return model(materials + [triangle(groups)])


def with_extra_vertex(path, value):
    """PATH's model with one more object: a single vertex at (value, 0, 0) and no face."""
    data = bytearray(open(path, "rb").read())
    extra = chunk(0x4000, b"far\0", chunk(0x4100, children=chunk(0x4110, struct.pack("<Hfff", 1, value, 0, 0))))
    at = 6
    while at < len(data):
        chunk_id, length = struct.unpack_from("<HI", data, at)
        if chunk_id == 0x3D3D:
            data[at + length:at + length] = extra
            struct.pack_into("<I", data, at + 2, length + len(extra))
            struct.pack_into("<I", data, 2, struct.unpack_from("<I", data, 2)[0] + len(extra))
            return bytes(data)
        at += length
    raise SystemExit(f"{path}: no editor chunk")


def textured_3ds(names):
    materials = [chunk(0xAFFF, children=chunk(0xA000, b"m%02d\0" % i) + chunk(0xA200, children=chunk(0xA300, name + b"\0")))
                 for i, name in enumerate(names)]
    return model(materials + [triangle()])


def full_rle_bmp(width, height):
    row = bytes([255, 1]) * (width // 255) + bytes([width % 255, 2]) + bytes([0, 0])
    runs = row * height + bytes([0, 1])
    palette = bytes([0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0]) + bytes(4 * 253)
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 1, len(runs), 0, 0, 256, 0)
    header = b"BM" + struct.pack("<IHHI", offset + len(runs), 0, 0, offset)
    return header + info + palette + runs


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
    if kind in ("nan_vertex_3ds", "far_vertex_3ds"):
        data = with_extra_vertex(path, float("nan") if kind == "nan_vertex_3ds" else 1e12)
        with open(path, "wb") as out:
            out.write(data)
        return
    makers = {
        "empty_3ds": lambda: chunk(0x4D4D),
        "versions_3ds": versions_3ds,
        "groups_3ds": groups_3ds,
        "shared_bmp_3ds": lambda: textured_3ds([b"BIG.BMP"] * 30),
        "many_bmp_3ds": lambda: textured_3ds([b"BIG%02d.BMP" % i for i in range(30)]),
        "terminal_3ds": lambda: textured_3ds([b"W\x1b]0;owned\x07\x1b[2Jcaf\xc3\xa9.BMP"]),
        "full_rle_bmp": lambda: full_rle_bmp(4096, 3000),
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
