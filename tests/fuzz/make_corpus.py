#!/usr/bin/env python3
"""Writes the seed inputs of the fuzz targets into tests/fuzz/corpus/<target>/.

Each seed is a well-formed (or deliberately slightly wrong) input that a
target meets in real use, so the fuzzer starts from the interesting shapes
and mutates from there. Run it after changing a seed; the output is
committed. Files of a target's folder that this script does not write (kept
crash reproducers) are left alone.

    tests/fuzz/make_corpus.py
"""

import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, "corpus")

REPLY = 0x3E


def crc8(data):
    """CRC-8/MAXIM: reflected polynomial 0x8C, initial 0, no final XOR."""
    crc = 0
    for byte in data:
        crc ^= byte
        for _ in range(8):
            crc = (crc >> 1) ^ 0x8C if crc & 1 else crc >> 1
    return crc


assert crc8(b"123456789") == 0xA1


def reply(address, command, payload=b""):
    frame = bytes([REPLY, address, command]) + payload
    return frame + bytes([crc8(frame)])


def settings_reply(length, model, address=1, temperature=-10, level=512, cnt=30000,
                   empty=20000, full=35000, mode=0x80, settings=0x02, kv260=0x10):
    """A 0xF0 reply of `length` bytes with the model byte where that length keeps it."""
    body = bytearray(length - 4)  # payload between the command and the CRC
    struct.pack_into("<bHiii", body, 0, temperature, level, cnt, empty, full)
    body[17] = mode          # offset 20
    body[18] = 50            # offset 21: lamp threshold (model byte at 24 bytes)
    body[19] = settings      # offset 22
    if length >= 25:
        body[20] = kv260     # offset 23
    model_offset = {24: 21, 25: 23, 29: 27}.get(length)
    if model_offset is not None:
        body[model_offset - 3] = model
    return reply(address, 0xF0, bytes(body))


def identification_reply(serial, firmware, address=1):
    return reply(address, 0xFC, struct.pack("<iH", serial, firmware))


def table_reply(levels, volumes, address=1):
    return reply(address, 0xEF, struct.pack(">40H", *levels, *volumes))


def ble_data_reply(length=38, address=1, temperature=-5, level=700, raw=41000, empty=30000,
                   full=60000, mode=0x80, filt=0x83, sensor_fw=215, link=0x21, rssi=-60,
                   battery=36, mac=bytes.fromhex("3B120A517FC4"), result=0):
    """Data reply of a base station: the relayed readings, the radio link and
    the result of the last relayed command, least significant byte first."""
    body = bytearray(length - 4)
    struct.pack_into("<bHiii", body, 0, temperature, level, raw, empty, full)
    body[17] = mode
    body[19] = filt
    body[20] = sensor_fw
    body[24] = link
    struct.pack_into("<bB", body, 25, rssi, battery)
    body[27:33] = mac
    body[33] = result
    return reply(address, 0xF0, bytes(body))


def adv_record(address=5, length=45, link=0x21, flags=0x03, rssi=-60, battery=36,
               name=b"100001", connection=0, level=700, raw=41000, empty=30000, full=60000,
               mode=0x80, filt=0x05, sensor_fw=215, temperature=12):
    """An advertising base's record of one heard sensor, answered at the
    sensor's address: readings, link, signal, name, connection and flags."""
    body = bytearray(length - 4)
    struct.pack_into("<bHiii", body, 0, temperature, level, raw, empty, full)
    body[17] = mode
    body[19] = filt
    body[20] = sensor_fw
    body[24] = link
    struct.pack_into("<bB", body, 25, rssi, battery)
    body[30:36] = name.ljust(6, b"\0")
    body[36] = connection
    body[37] = flags
    return reply(address, 0xF0, bytes(body))


def chunks(*records):
    """Input of the reply assembler target: (gap, spread, bytes, tick) records."""
    out = bytearray()
    for gap, spread, data, tick in records:
        assert len(data) <= 255
        out += bytes([gap, spread, len(data)]) + data + bytes([tick])
    return bytes(out)


LEVELS = [i * 200 for i in range(20)]
VOLUMES = [i * 5 for i in range(20)]


def csv(*lines, end="\r\n"):
    """Lines of a calibration file, each ended as the tool ends them."""
    return "".join(line + end for line in lines).encode("utf-8")


# A filling run of one sensor: reading, then volume.
RUN_ONE = [f"{512 + 40 * i}, {5 * i}" for i in range(8)]
# The same with two sensors: reading 1, reading 2, volume.
RUN_TWO = [f"{512 + 40 * i}, {498 + 41 * i}, {5 * i}" for i in range(8)]
# The sensor's table as saved: volume, then level, 20 rows.
TABLE_ROWS = [f"{v}, {l}" for l, v in zip(LEVELS, VOLUMES)]

SETTINGS_24 = settings_reply(24, 2)
SETTINGS_25 = settings_reply(25, 1)
IDENT = identification_reply(12345678, 123)
TABLE = table_reply(LEVELS, VOLUMES)


def aq420_readings(angle=35, down=20, up=70, mode=0x11, delay_on=5, delay_off=6, address=4):
    """Readings reply of the angle sensor, 28 bytes, least significant byte first."""
    body = bytearray(24)
    struct.pack_into("<H", body, 1, angle)            # offset 4
    struct.pack_into("<ii", body, 7, down, up)        # offsets 10 and 14
    body[17] = mode                                   # offset 20
    struct.pack_into("<HH", body, 20, delay_on, delay_off)  # offsets 23 and 25
    return reply(address, 0xF0, bytes(body))


AQ420_READINGS = aq420_readings()
AQ420_IDENT = identification_reply(900004, 123, address=4)


def aq420_edits(edited, mode, *texts):
    """Input of the angle sensor's write target: edited fields, mode, texts."""
    return bytes([edited, mode]) + "\n".join(texts).encode("utf-8")


BLE_DATA = ble_data_reply()
BLE_IDENT = identification_reply(5550001, 215)


def tag(address, block):
    """Input of the tag reader's target: the polled address, then the block."""
    return bytes([address]) + block


def seeds():
    """Target name -> {file name: bytes}."""
    return {
        "tag_replies": {
            "settings-reader": tag(7, reply(7, 0xF0, bytes(17) + b"\x01")),
            "identification": tag(7, identification_reply(4242, 215, address=7)),
            "identifier-read": tag(7, reply(7, 0x06, b"\x01" + struct.pack("<I", 0xC0FFEE))),
            "identifier-set": tag(7, reply(7, 0xE1, struct.pack("<I", 255))),
            "acknowledged": tag(7, reply(7, 0xF8)),
            "other-address": tag(8, reply(7, 0xF8)),
            "settings-short": tag(7, reply(7, 0xF0, bytes(16))),
            "typed-hex": b"FF",
            "typed-decimal": b"4294967295",
            "typed-too-long": b"100000000",
        },
        "aq420_replies": {
            "readings-28": AQ420_READINGS,
            "readings-bucket-master": aq420_readings(angle=120, mode=0x11, delay_on=100),
            "identification-10": AQ420_IDENT,
            "firmware-zero": identification_reply(900004, 0, address=4),
            "too-short-27": AQ420_READINGS[:27],
            "too-short-9": AQ420_IDENT[:9],
        },
        "aq420_reply_assembler": {
            "readings-two-bursts": chunks((0, 7, AQ420_READINGS[:14], 2),
                                          (14, 7, AQ420_READINGS[14:], 40)),
            "echo-then-readings": chunks((0, 18, reply(4, 0xF5) + AQ420_READINGS, 50)),
            "ident-then-readings": chunks((0, 20, AQ420_IDENT + AQ420_READINGS, 50)),
            "garbage-first": chunks((0, 3, b"\x00\x3e\x04" + AQ420_IDENT, 50)),
        },
        "aq420_writes": {
            "up-150": aq420_edits(0b00001, 0x00, "150"),
            "all-bucket": aq420_edits(0b11111, 0x10, "150", "30", "12", "40", "9"),
            "delays-blade": aq420_edits(0b01100, 0x09, "", "", "12", "99"),
            "delay-mode-1": aq420_edits(0b00100, 0x00, "", "", "7"),
            "empty-down": aq420_edits(0b00010, 0x00, "", ""),
            "address-255": aq420_edits(0b10000, 0x04, "", "", "", "", "255"),
            "down-above-up": aq420_edits(0b00011, 0x02, "40", "41"),
            "not-digits": aq420_edits(0b00001, 0x00, "1а5"),
        },
        "ble_data": {
            "linked-38": BLE_DATA,
            "linked-42": ble_data_reply(42, mode=0x00, filt=0x05, temperature=31),
            "base-only-45": ble_data_reply(45, link=0x1E, battery=0, rssi=0),
            "full-calibrated-84": ble_data_reply(84, result=6),
            "countdown": ble_data_reply(result=5),
            "wrong-password": ble_data_reply(result=3),
            "unknown-length-40": ble_data_reply(40),
            "too-short-37": BLE_DATA[:37],
        },
        "ble_identification": {
            "linked-base": BLE_IDENT,
            "advertising-base": identification_reply(5550002, 230),
            "too-short-9": BLE_IDENT[:9],
        },
        "ble_echo_table": {
            "settings-echo": reply(1, 0xF2, bytes([0x80, 0x03])),
            "table": table_reply(LEVELS, VOLUMES),
            "table-too-short": table_reply(LEVELS, VOLUMES)[:83],
            "echo-too-short": reply(1, 0xF2, bytes([0x80, 0x03]))[:5],
        },
        "ble_payloads": {
            "password": b"123456",
            "password-max": b"4294967295",
            "password-overflow": b"4294967296",
            "empty": b"",
            "identifier": b"258",
            "identifier-zero": b"0",
            "spaces": b" 77 ",
            "not-digits": "12а4".encode("utf-8"),
        },
        # A record, and the same bytes as the text typed into a tile.
        "ble_advertising": {
            "linked-slot0-45": adv_record(address=1, link=0x1F, flags=0x03, name=b"100001"),
            "slot1-connected-43": adv_record(length=43, flags=0x03),
            "slot2-not-connected": adv_record(address=6, flags=0x0B, name=b"", connection=0xFF),
            "signal-lost": adv_record(address=7, flags=0x07, rssi=0, connection=0xFF, name=b""),
            "too-short-42": adv_record(length=43)[:42],
            "address-dop": b"12,13",
            "address-blanks": b" 40 ",
            "serial": b"100001",
            "serial-too-long": b"12345678901234567",
        },
        "ble_reply_assembler": {
            # The 38-byte data reply in three bursts of an FTDI converter.
            "data-three-bursts": chunks((0, 7, BLE_DATA[:14], 2), (14, 7, BLE_DATA[14:28], 2),
                                        (14, 5, BLE_DATA[28:], 40)),
            "ident-then-data": chunks((0, 25, BLE_IDENT + BLE_DATA, 50)),
            "lock-answer": chunks((0, 2, reply(1, 0xFD), 50)),
            "settings-echo": chunks((0, 3, reply(1, 0xF2, bytes([0x80, 0x03])), 50)),
            "garbage-first": chunks((0, 3, b"\x00\x3e\x01" + BLE_IDENT, 50)),
        },
        "fls_settings": {
            "kv210-24": settings_reply(24, 2),
            "kv510-25": settings_reply(25, 1, mode=0x02, settings=0x1A),
            "kv260-25": settings_reply(25, 3, kv260=0x10),
            "kv610-29": settings_reply(29, 0x60, mode=0x82),
            "generic-25": settings_reply(25, 0x61, settings=0x8F),
            "no-model-26": settings_reply(26, 1),
            "too-short-23": settings_reply(24, 2)[:23],
        },
        "fls_identification": {
            "serial-fw123": identification_reply(12345678, 123),
            "negative-serial": identification_reply(-2, 1234),
            "too-short-9": identification_reply(1, 0)[:9],
        },
        "fls_table": {
            "litres": table_reply(LEVELS, VOLUMES),
            "percent": table_reply(LEVELS, [round(l * 100 / LEVELS[-1]) for l in LEVELS]),
            "too-short-83": table_reply(LEVELS, VOLUMES)[:83],
        },
        # First byte: the polled address; then the block of one parse tick.
        "frame": {
            "settings": bytes([1]) + settings_reply(25, 1),
            "identification": bytes([1]) + identification_reply(777, 101),
            "two-replies": bytes([1]) + identification_reply(777, 101) + settings_reply(25, 1),
            "other-address": bytes([1]) + identification_reply(777, 101, address=2),
            "bad-crc": bytes([1]) + identification_reply(777, 101)[:-1] + b"\x00",
            "not-a-reply": bytes([1, 0x31, 0x01, 0xF0, crc8(b"\x31\x01\xf0")]),
            "password-accepted": bytes([5]) + reply(5, 0xF8),
        },
        "fls_password": {
            "accepted": reply(1, 0xF8),
            "wrong": reply(1, 0xFD),
            "stored": reply(1, 0xF7),
            "stored-with-password": reply(1, 0xF7, b"\x00\x00\x30\x39"),
            "settings-not-an-answer": settings_reply(25, 1),
            "too-short-3": reply(1, 0xF8)[:3],
        },
        "reply_assembler": {
            # A 25-byte reply in two bursts of an FTDI converter, 16 ms apart.
            "settings-two-bursts": chunks((0, 7, SETTINGS_25[:14], 2),
                                          (14, 5, SETTINGS_25[14:], 40)),
            # The 84-byte table reply in three bursts.
            "table-three-bursts": chunks((0, 8, TABLE[:30], 1), (15, 8, TABLE[30:60], 1),
                                         (15, 12, TABLE[60:], 35)),
            # Two replies in one burst, and garbage in front of a reply.
            "two-in-one": chunks((0, 18, IDENT + SETTINGS_25, 50)),
            "garbage-first": chunks((0, 3, b"\x00\xff\x3e\x01" + IDENT, 50)),
            # A 24-byte reply that a 29-byte one could still extend.
            "short-then-quiet": chunks((0, 12, SETTINGS_24, 5), (0, 0, b"", 40)),
            "short-then-next": chunks((0, 12, SETTINGS_24, 5), (3, 4, IDENT, 40)),
            # Half a reply, a long silence, then a whole one.
            "stale-half": chunks((0, 5, SETTINGS_25[:10], 20), (200, 12, SETTINGS_25, 50)),
        },
        "calibration_run_file": {
            "one-sensor": csv(*RUN_ONE),
            "two-sensors": csv(*RUN_TWO),
            # Lines of one reading in a file of two: the first sensor's.
            "mixed-widths": csv(RUN_ONE[0], *RUN_TWO[1:4]),
            "draining-fractions": csv("2900, 1000", "2400.5, 500.25", "1700, 0"),
            "blank-lines-lf": csv("", RUN_ONE[0], "  ", RUN_ONE[1], end="\n"),
            "byte-order-mark": b"\xef\xbb\xbf" + csv(*RUN_ONE[:3]),
            "no-final-line-end": csv(*RUN_ONE[:2]) + b"600, 10",
            "empty-reading": csv("512, , 0", "600, 610, 5"),
            "exponent": csv("1e3, 0", "1.5E+3, 5"),
            "refused-text": csv(RUN_ONE[0], "уровень, объём"),
            "refused-width": csv("1, 2, 3, 4"),
        },
        "calibration_table_file": {
            "litres": csv(*TABLE_ROWS),
            "percent": csv(*[f"{round(l * 100 / LEVELS[-1])}, {l}" for l in LEVELS]),
            "fractions": csv(*[f"{v + 0.5}, {l}" for l, v in zip(LEVELS, VOLUMES)]),
            "nineteen-rows": csv(*TABLE_ROWS[:19]),
            "too-large": csv(*TABLE_ROWS[:19], "70000, 65536"),
            "one-column": csv(*[str(l) for l in LEVELS]),
            "lf-only": csv(*TABLE_ROWS, end="\n"),
        },
        # Command, mode and filtration bytes, then the address line and the
        # value; the whole input is also read as a pasted answer.
        "remote_answer": {
            "answer-frost": b"3e0106f6ffff",
            "answer-upper-with-crc": b"3E0506190A01c3",
            "answer-prefix-elsewhere": b"ab3e06140a00",
            "answer-short": b"3e0106140a",
            "status-address-1": bytes([1, 0, 0]) + b"1",
            "password-largest": bytes([0, 0, 0]) + b"255\n4294967295",
            "password-too-large": bytes([8, 0, 0]) + b"1\n4294967296",
            "offset-too-large": bytes([3, 0, 0]) + b"1\n65536",
            "address-300": bytes([1, 0, 0]) + b"300",
            "mode-rs232": bytes([7, 5, 3]) + b"1",
            "mode-out-of-list": bytes([7, 0xFF, 9]) + b"1",
        },
        "firmware_exchange": {
            "kv510-whole": firmware(2, bytes(range(200)), bootloader_answers(200)),
            "kv610-block-multiple": firmware(3, bytes(128), bootloader_answers(128)),
            "kv210-refusals": firmware(0, bytes(range(60)), bootloader_answers(60, 4)),
            "kvl300-noise-between": firmware(4, bytes(range(130)),
                                             [b"\x3e\x00" + ACK + b"\x55"] * 30),
            "kv260-marker-answers": firmware(1, bytes(range(150)), kv260_answers(150)),
            "kv260-ack-answers": firmware(1, bytes(range(64)), kv260_answers(64, False)),
            "kv260-split-answers": firmware(1, bytes(range(10)),
                                            [ACK, b"\xa5", b"\x70", b"\xd2", b"\x70"]),
            "no-image": firmware(2, b"", [ACK]),
        },
        # Every byte of the search answer is one address.
        "address_list": {
            "one": b"\x01",
            "three": b"\x01\x02\x03",
            "zero-second": b"\x07\x00\x09",
            "high": b"\xfe\x80",
        },
    }


# The firmware exchange: model index (KV210, KV260, KV510, KV610, KVL300),
# image length, the image, then the line as (length - 1, bytes) pieces.
ACK = b"\x79"
REFUSAL = b"\x1f"


def firmware(model, image, pieces):
    out = bytes([model, len(image) >> 8, len(image) & 0xFF]) + image
    for piece in pieces:
        out += bytes([len(piece) - 1]) + piece
    return out


def bootloader_answers(image_length, refuse_every=0):
    """One acknowledgement per frame of a whole update in bootloader mode."""
    frames = 1 + 2 + 4 * 3 + (image_length // 128 + 1) * 3 + 1
    pieces = []
    for i in range(frames):
        if refuse_every and i % refuse_every == refuse_every - 1:
            pieces.append(REFUSAL)
        pieces.append(ACK)
    return pieces


def kv260_answers(image_length, marker_answers=True):
    blocks = image_length // 64 + 1
    block_answer = b"\xa5\x70" if marker_answers else ACK
    return [ACK] + [block_answer] * blocks + [b"\xd2\x70"]


def main():
    for target, files in seeds().items():
        folder = os.path.join(CORPUS, target)
        os.makedirs(folder, exist_ok=True)
        for name, data in files.items():
            with open(os.path.join(folder, name), "wb") as out:
                out.write(data)
        print(f"{target}: {len(files)} seeds")
    return 0


if __name__ == "__main__":
    sys.exit(main())
