#!/usr/bin/env python3
"""The conversion as the usual alternative would write it: a Python script on lxml.

Same algorithm as caplift-convert, done the literal way on a whole-document tree: check UTF-8,
parse, query "//title", read each title's and its parent's time attributes, collect the string
values of ".//text-style" below each ".//text", trim once, fall back to the name, drop blank
lines, and print one numbered SubRip cue per title. Its output is byte-for-byte the converter's
(bench/run.sh checks that on the generated export).

    lxml_convert.py FILE [OUT.srt]     (standard output without OUT.srt)
"""

import math
import re
import sys

from lxml import etree

# Unicode White_Space, as the converter trims it.
WHITE_SPACE = ("\t\n\x0b\x0c\r \x85\xa0\u1680" + "".join(chr(c) for c in range(0x2000, 0x200B)) +
               "\u2028\u2029\u202f\u205f\u3000")

# A whole C strtod numeral (decimal, hexadecimal, inf, nan); no leading or trailing space.
DECIMAL = re.compile(r"[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\Z")
HEXADECIMAL = re.compile(r"[+-]?0[xX]([0-9a-fA-F]+\.?[0-9a-fA-F]*|\.[0-9a-fA-F]+)([pP][+-]?\d+)?\Z")
SPECIAL = re.compile(r"[+-]?(inf|infinity|nan(\([0-9A-Za-z_]*\))?)\Z", re.IGNORECASE)


def numeral(text):
    if DECIMAL.match(text):
        return float(text)
    if HEXADECIMAL.match(text):
        if "p" not in text.lower():
            text += "p0"
        return float.fromhex(text)
    special = SPECIAL.match(text)
    if special:
        sign = -1.0 if text.startswith("-") else 1.0
        return sign * (math.nan if special.group(1).lower().startswith("nan") else math.inf)
    return None


def get_time(value):
    if value is None:
        return 0.0
    text = value.replace("s", "")
    if "/" not in text:
        number = numeral(text)
        return 0.0 if number is None else number
    numbers = [n for n in (numeral(p) for p in text.split("/") if p) if n is not None]
    if len(numbers) != 2:
        return 0.0
    try:
        return numbers[0] / numbers[1]
    except ZeroDivisionError:
        if numbers[0] == 0 or math.isnan(numbers[0]):
            return math.nan
        return math.copysign(math.inf, numbers[0]) * math.copysign(1.0, numbers[1])


def to_hms(seconds):
    whole = millis = 0
    if math.isfinite(seconds) and seconds >= 0 and math.floor(seconds) < 2.0**63:
        floored = math.floor(seconds)
        product = (seconds - floored) * 1000.0
        millis = math.floor(product)
        if product - millis >= 0.5:
            millis += 1
        whole = int(floored)
        if millis >= 1000:
            whole += 1
            millis -= 1000
    return "%02d:%02d:%02d,%03d" % (whole // 3600, whole // 60 % 60, whole % 60, millis)


def cue_text(joined, name):
    chosen = joined.strip(WHITE_SPACE) or name
    return "\n".join(line for line in chosen.split("\n") if line.strip(WHITE_SPACE))


def convert(root):
    out = []
    for number, title in enumerate(root.xpath("//title"), 1):
        offset = get_time(title.get("offset"))
        duration = get_time(title.get("duration"))
        name = title.get("name", "")
        parent = title.getparent()
        parent_offset = get_time(parent.get("offset")) if parent is not None else 0.0
        parent_start = get_time(parent.get("start")) if parent is not None else 0.0
        joined = "".join("".join(style.itertext())
                         for text in title.xpath(".//text")
                         for style in text.xpath(".//text-style"))
        start = (offset + parent_offset) - parent_start
        end = duration + start
        out.append("%d\n%s --> %s\n%s\n\n" % (number, to_hms(start), to_hms(end),
                                              cue_text(joined, name)))
    return "".join(out)


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit("usage: lxml_convert.py FILE [OUT.srt]")
    with open(sys.argv[1], "rb") as f:
        data = f.read()
    try:
        data.decode("utf-8")
    except UnicodeDecodeError as error:
        sys.exit("%s: not valid UTF-8: %s" % (sys.argv[1], error))
    if data.startswith(b"\xef\xbb\xbf"):
        data = data[3:]
    parser = etree.XMLParser(resolve_entities=True, no_network=True, huge_tree=True,
                             remove_comments=True)
    try:
        root = etree.fromstring(data, parser)
    except etree.XMLSyntaxError as error:
        sys.exit("%s: %s" % (sys.argv[1], error))
    del data
    srt = convert(root).encode("utf-8")
    if len(sys.argv) == 3:
        with open(sys.argv[2], "wb") as out:
            out.write(srt)
    else:
        sys.stdout.buffer.write(srt)


if __name__ == "__main__":
    main()
