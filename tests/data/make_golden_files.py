#!/usr/bin/env python3
"""Writes the golden .dat files of this folder, byte by byte from the layout
tables, independently of the C++ encoder. Run it from anywhere; the files land
beside this script. The tests compare the program's output with them."""

from pathlib import Path

HERE = Path(__file__).resolve().parent


def header(band):
    return b"TQ-305" + bytes([0xFF, band, 0xFF, 0xFF]) + b"V0100" + b"\xff" * 33


def bcd(text):
    """Frequency text "XXX.XXXXX" -> 4 bytes, lowest address = digits 7-8."""
    d = text.replace(".", "")
    return bytes([int(d[6:8], 16), int(d[4:6], 16), int(d[2:4], 16), int(d[0:2], 16)])


def channel(rx, tx, rx_tone, tx_tone, power, lock, scan, wide):
    rec = bcd(rx) + (bcd(tx) if tx else b"\xff" * 4)
    rec += rx_tone + tx_tone
    rec += bytes([power | 2 | lock << 2 | scan << 3 | wide << 4 | 0xE0])
    return rec


OFF = b"\xff\xff"


def full_image():
    img = bytearray(b"\xff" * 2048)
    channels = {
        1: channel("438.50000", "438.50000", OFF, OFF, 1, 1, 1, 1),
        2: channel("145.00625", None, b"\x70\x06", b"\x41\x25", 0, 0, 0, 0),     # 67.0 / 254.1
        3: channel("440.01250", "445.01250", b"\x23\x80", b"\x54\xc7", 1, 0, 1, 0),  # D023N / D754I
        5: channel("136.00000", "174.00000", b"\x00\x10", OFF, 0, 1, 0, 1),     # 100.0 / off
        6: channel("450.00000", "455.00000", OFF, b"\x23\xc0", 0, 1, 1, 0),     # off / D023I
        50: channel("400.10000", "400.10000", b"\x99\x19", b"\x54\x87", 1, 1, 0, 0),  # 199.9 / D754N
        99: channel("479.99375", "470.00000", b"\x54\x08", b"\x31\xc1", 1, 0, 0, 1),  # 85.4 / D131I
    }
    for n, rec in channels.items():
        assert len(rec) == 13
        img[(n - 1) * 13:(n - 1) * 13 + 13] = rec

    img[0x700] = 2      # display mode
    img[0x702] = 3      # step
    img[0x703] = 0      # memory display
    img[0x704] = 7      # squelch
    img[0x705] = 42     # present channel
    img[0x706] = 1 | 2 | 0 << 2 | 1 << 3 | 0 << 4 | 1 << 5 | 64 | 0 << 7
    # voice, key lock mode, monitor; scan mode 2 (search) is bit 7, bits 4 and 5 always set
    img[0x707] = 2 | 1 << 2 | 0 << 3 | 0x30 | 1 << 7
    img[0x708] = 0
    img[0x709] = 0
    img[0x70A] = 9
    img[0x70B] = 5
    img[0x70C] = 2
    img[0x70F] = 3
    img[0x710:0x716] = b"TQ-47\x00"
    img[0x716] = 0
    img[0x720:0x724] = bcd("155.02500")
    img[0x724:0x728] = bcd("000.60000")
    img[0x728:0x72A] = b"\x85\x08"  # 88.5
    img[0x72A:0x72C] = b"\x31\xc1"  # D131I
    img[0x72C] = 0 | 2 | 1 << 2 | 8 | 0 << 4 | 0xE0
    img[0x72E] = 1
    img[0x740:0x748] = b"12AD*#90"
    img[0x750:0x753] = b"B0C"
    for k, code in {1: 0x0168, 2: 0x02F7, 3: 0x0000, 5: 0x0169}.items():
        img[0x760 + 2 * (k - 1)] = code >> 8
        img[0x761 + 2 * (k - 1)] = code & 0xFF
    img[0x7A0] = 4
    img[0x7A1] = 0
    img[0x7A2] = 1
    img[0x7A4] = 0x02      # 99.50 MHz: (99.5 - 70) * 20 = 590
    img[0x7A5] = 0x4E
    img[0x7F0] = 208
    img[0x7F2] = 116
    return bytes(img)


def write(name, data):
    assert len(data) == 2096
    (HERE / name).write_bytes(data)


write("all_ff_image_band3.dat", header(3) + b"\xff" * 2048)
write("full_image_band0.dat", header(0) + full_image())
write("band_byte_0x10.dat", header(0x10) + b"\xff" * 2048)
write("band_byte_0xff.dat", header(0xFF) + b"\xff" * 2048)
