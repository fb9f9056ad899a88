#!/usr/bin/env python3
"""Writes the starting corpus of every fuzz target into fuzz/corpus/<target>/.

Each seed is a small, valid or nearly valid input in the target's input layout
(see the comment at the top of each target). Run it again after changing a
layout; libFuzzer adds its own finds to a working copy, not to these folders.
"""
import os
import sys

here = os.path.dirname(os.path.abspath(__file__))


def framed(command, payload, dev=1):
    if isinstance(payload, str):
        payload = payload.encode("latin-1")
    return bytes([0xF0, 0x7D, 0x70, dev, command]) + payload + bytes([0xF7])


def nibbles(data):
    out = bytearray()
    for b in data:
        out += bytes([b >> 4, b & 15])
    return bytes(out)


def block(data, with_length=True):
    pre = len(data).to_bytes(4, "big") if with_length else b""
    s = (sum(pre) + sum(data)) % 256
    return nibbles(pre) + nibbles(data) + nibbles(bytes([(256 - s) % 256]))


def sysex(flags, pieces, disabled=0, limit=0, closed=None):
    head = bytes([flags, disabled, limit])
    if flags & 32:
        head += bytes([closed or 0])
    body = b""
    for p in pieces:
        while len(p) > 255:
            body += bytes([255]) + p[:255]
            p = p[255:]
        body += bytes([len(p)]) + p
    return head + body


def split(msg, *cuts):
    out, at = [], 0
    for c in list(cuts) + [len(msg)]:
        out.append(msg[at:c])
        at = c
    return out


identity = bytes([0xF0, 0x7E, 0x00, 0x06, 0x02, 0x7D, 0x10, 0x00, 0x05, 0x00, 0x01, 0x02,
                  0x03, 0x04, 0x41, 0x42, 0x00, 0xF7])
set_value = framed(60, "10010016 3")

seeds = {"sysex_assembly": {
    "set_value": sysex(0, [set_value]),
    "three_pieces": sysex(0, split(set_value, 3, 9)),
    "identity": sysex(0, [identity]),
    "identity_consumed": sysex(4, [identity]),
    "identity_other_maker": sysex(0, [identity[:5] + b"\x10" + identity[6:]]),
    "identity_short": sysex(0, [bytes([0xF0, 0x7E, 0x00, 0x06, 0x02, 0xF7])]),
    "hex_report": sysex(0, [framed(64, bytes([1, 10, 15, 0]))]),
    "hex_report_long": sysex(0, [framed(64, bytes(range(40)))]),
    "unknown_command": sysex(0, [framed(90, "x y")]),
    "clock_byte_inside": sysex(0, [set_value[:7] + b"\xF8" + set_value[7:]]),
    "padded_text": sysex(0, [framed(60, "  10010016 3\r\n")]),
    "high_bytes_text": sysex(0, [framed(46, b"\x85 2c -3.5 \xE0")]),
    "object_info": sysex(0, [framed(50, "COL 0 0 0 'Q7300FW"),
                             framed(50, "NUM 3 10030013 0 'Gain dB' dB -3.5 -60.0 12.0 0.5")]),
    "prognums": sysex(0, [framed(48, nibbles(bytes([2, 1, 5, 3, 0])))]),
    "prognums_short": sysex(0, [framed(48, nibbles(bytes([9, 1])) + b"\x03")]),
    "binary_file": sysex(0, [framed(21, block(bytes(range(20))))]),
    "device_error": sysex(0, [framed(13, "Bad key 1234")]),
    "clock_split": sysex(1, split(framed(57, block(bytes(300))), 10, 200, 400)),
    "reentry": sysex(2, [set_value, framed(64, b"\x01")]),
    "small_limit": sysex(8, [framed(60, "0123456789" * 5), set_value], limit=3),
    "switched_off": sysex(16, [set_value, framed(13, "e")], disabled=60),
    "switched_off_high": sysex(16, [set_value], disabled=200),
    "closed_link": sysex(32, split(set_value, 5), closed=0),
    "tiny_messages": sysex(0, [bytes([0xF0, 0xF7, 0xF0, 0x01, 0x02, 0xF7, 0x01, 0xF7]),
                               bytes([0xF0, 0x7D, 0x70, 0x01, 0xF7])]),
    "restart_inside": sysex(0, [set_value[:6] + set_value]),
    "status_bytes_as_data": sysex(0, [framed(60, b"\x90\x40\x7F 1 2")]),
    "real_time_only": sysex(1, [bytes([0xF8, 0xFE, 0xFA, 0xFF])]),
}}

seeds["nibble_blocks"] = {
    "empty": b"\x00",
    "empty_with_length": b"\x01",
    "two_bytes": b"\x00\x12\xF0",
    "one_with_length": b"\x01\x05",
    "counting": b"\x01" + bytes(range(256)),
}

# Optional argument: the folder of panel files made by q7300-panelgen.
panel_folder = sys.argv[1] if len(sys.argv) > 1 else ""
panel = (b"OUTLINE 0,0,1191,435\nLED 36,111,46,121\nLED 56,111,66,121\n"
         b"BUTTON 400,20,460,40\nSCREEN 1,2,3,4\nWHEEL 5,6,7,8\n")
seeds["panel_description"] = {
    "small_panel": b"\x02\x00\x00" + panel,
    "unscaled_led_first": b"\x01\x01\x05LED 10,10,20,30\nOUTLINE 0,0,800,400\n",
    "half_scale_button": b"\x01\x00\x00OUTLINE 0,0,100,100\nBUTTON 11,21,31,41\n",
    "empty": b"\x00\x00\x00",
    "lower_case": b"\x02\x00\x00led 1,2,3,4\nLED 1,2,3,4\n",
    "malformed": b"\x03\x00\x00OUTLINE 0,0\nLED 1,,2,3\nBUTTON -4,+5,6,7 LED 9,9,9,9",
    "long_keyword": b"\x02\x00\x00" + b"K" * 100 + b" 1,2,3,4\nLED 1,2,3,4\n",
    "huge_numbers": b"\x06\x7F\x7FLED -99999999999,99999999999,2147483647,-2147483648\n"
                    b"OUTLINE 0,0,1,1\nLED 2147483647,2147483647,-2147483648,0\n",
    "degenerate_outline": b"\x08\x00\x00OUTLINE 0,0,0,0\nLED 1,2,3,4\n",
    "zero_byte_keyword": b"\x02\x00\x00LED\x00X 1,2,3,4\n",
}
for name in ("routing72.txt", "routing7a2.txt", "routing7fw2.txt"):
    p = os.path.join(panel_folder, name)
    if panel_folder and os.path.exists(p):
        seeds["panel_description"]["model_" + name[:-4]] = b"\x02\x00\x00" + open(p, "rb").read()

seeds["preset_reader"] = {
    "q7300": b"10030013 -3.5\r\n10030014 0.0\r\n1001081a 3\r\n1001081b 99\r\n1001005d 0\r\n"
             b"1001082d 1\r\n",
    "name_and_blanks": b"name: Studio A\n\n   \n10030013\t  -60.0\r\n",
    "bad_lines": b"10030013\nhello 3\n1001081a 3 extra\nzz 1\n1001081a 1.2.3\n"
                 b"100000000 1\n1001081a 99999999999\n",
    "long_line": b"1001081a " + b"1" * 300 + b"\n1001081a 2\n",
    "exponent_gain": b"10030013 1e3.\n10030013 .5\n10030013 -inf.\n10030013 nan.\n",
    "no_final_newline": b"1001081a 4",
    "control_bytes": b"\x01\x02 1\r\n1001081a\x0b7\r\n\x7f\xff\xfe\n",
}

seeds["sysex_assembly"]["saved_dump"] = sysex(64, [framed(22, block(bytes(range(30))))])
seeds["sysex_assembly"]["saved_dump_bad_checksum"] = sysex(64, [framed(15, block(b"abc")[:-1] + b"\x00")])


def script(pause, fail, answers, text):
    return bytes([pause, fail]) + bytes(answers) + text


seeds["key_script"] = {
    "sends": script(0, 0, [0] * 8, b"SEND,10010016,3\r\nsend,10,1 ; remark\n# comment\n;x\n"),
    "waits": script(0, 0, [0] * 8, b"WAIT,0.5\nWAIT,20\nWAIT,2,ALL\nSEND,1,2\nWAIT,-1,all\n"
                                     b"SEND,3,4\nWAIT,abc\nWAIT\n"),
    "asking": script(1, 0, [0, 1, 0, 2, 0, 0, 0, 0], b"SEND,1,1\nSEND,2,2\nSEND,3,3\nSEND,4,4\n"
                                                    b"SEND,5,5\n"),
    "messages": script(0, 0, [0] * 8, b"MSG,Hello there\nMSG\nOTHER,1,2\n\n\n"),
    "failing_send": script(2, 2, [0] * 8, b"SEND,1,1\nSEND,2,2\nSEND,3,3\n"),
    "many_fields": script(0, 0, [0] * 8, b"SEND," + b",".join(b"%d" % i for i in range(40)) + b"\n"),
    "long_line": script(0, 0, [0] * 8, b"SEND,1," + b"9" * 400 + b"\nSEND,2,2"),
    "short_send": script(0, 0, [0] * 8, b"SEND\nSEND,1\nSEND,,\n"),
}


def dump_file(flags, offset, data):
    return bytes([flags, offset >> 8, offset & 255]) + data


image = bytearray(100)
image[9:12] = (20).to_bytes(3, "big")
image[20 + 13:20 + 16] = (30).to_bytes(3, "big")
seeds["dump_file"] = {
    "whole": dump_file(0, 0, block(bytes(range(40)))),
    "shortened": dump_file(0, 13, block(bytes(image))),
    "odd_trailing_byte": dump_file(0, 0, block(bytes(10)) + b"\x00"),
    "bad_length": dump_file(0, 0, block(bytes(10)) + b"\x00\x00"),
    "bad_checksum": dump_file(0, 0, block(bytes(10))[:-1] + b"\x01"),
    "not_nibbles": dump_file(0, 2, block(bytes(10))[:-4] + b"\x10\x00\x00\x00"),
    "repaired": dump_file(1, 5, bytes(range(256)) * 2),
    "empty": dump_file(0, 0, b""),
    "huge_length_field": dump_file(0, 0, b"\x0f" * 8 + b"\x00\x00"),
}

def replies(model, flags, items):
    out = bytes([model, flags])
    for command_choice, text in items:
        body = bytes([command_choice]) + text
        out += bytes([len(body)]) + body
    return out


# Command choices: 0-2 object information (50), 3-4 value report (60), 5 gain
# report (46), 6 set gain (45), 7 identity text (0), 8 hex (64), 9 text 8,
# 10 device error (13).
seeds["editor_replies"] = {
    "identify_fw": replies(0, 4, [(0, b"COL 0 0 0 'Q7300FW")]),
    "identify_same": replies(1, 4, [(0, b"COL 0 0 0 Q7300A")]),
    "identify_unknown": replies(0, 4, [(0, b"COL 0 0 0 'Z9"), (0, b"COL 0 0 0 'Q7300")]),
    "gain_range": replies(0, 1, [(1, b"NUM 3 10030013 0 'Gain dB' dB -3.5 -60.0 12.0 0.5"),
                                 (5, b"10030013 -70.25")]),
    "gain_reversed_range": replies(0, 1, [(1, b"NUM 3 10030013 0 'x' dB 5 12.0 -60.0 -2")]),
    "gain_tiny_step": replies(2, 1, [(1, b"NUM 3 10030013 0 a b 1 -1e300 1e300 1e-300")]),
    "values": replies(0, 0, [(3, b"1001081a 3"), (3, b"1001081a 12"), (4, b"1001081b 99"),
                             (3, b"10010016 5"), (3, b"1001005d 1"), (3, b"1001082d 7")]),
    "values_as_midi": replies(0, 2, [(3, b"1001081a 3"), (2, b"COL 0 0 0 'Q7300")]),
    "garbage": replies(1, 0, [(0, b"NUM"), (0, b"COL"), (3, b"zz"), (5, b"1 nan"), (7, b"x"),
                              (8, b"\x01\x02"), (10, b"err")]),
}

for target, files in seeds.items():
    folder = os.path.join(here, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    for name, data in files.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
    print(f"{target}: {len(files)} seeds", file=sys.stderr)
