#!/usr/bin/env python3
"""Writes the small seed inputs of the fuzz targets to fuzz/corpus/<target>/.

The output is the same on every run (fixed zip timestamps), so the seeds in
the tree can be checked against this script: run it and see that git shows
no change.
"""
import io
import os
import shutil
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, "corpus")


def write(target, name, data):
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


# The line scanner: byte 0 is the mode (bits 0-2: 0 txt, 1 xml, 2 html,
# 3 php, 4 clipboard, 5 common-words file; bit 3 drop final s; bit 4
# apostrophes allowed), bytes 1 and 2 the allowed-character groups (hyphen,
# apostrophes, underscore, colon, backslash, slash, period, at sign, digits)
# and, in the high bits of byte 2, after how many words the scan stops. The
# text is Windows-1252: "\x91" in a text is the byte 91.
def scanner_seed(mode, groups, stop, text):
    return bytes([mode, groups & 0xFF, ((groups >> 8) & 1) | (stop << 1)]) + text.encode("latin-1")


def scanner_seeds():
    write("scanner", "plain", scanner_seed(0, 0x001, 0, "Hello, world. e-mail don't\nThe cats' days -- 4th 1984\n"))
    write("scanner", "c-comments", scanner_seed(0, 0x000, 0, "one /* two\nthree */ four // five\nword/*c*/next\n"))
    write("scanner", "html", scanner_seed(2, 0x003, 0,
                                          "<p>Caf&eacute; &amp; na&iuml;ve</p><script>var x;</script>\n"
                                          "<!-- hidden --> &#233;t&#233; &nbsp;&quot;q&quot;\n"))
    write("scanner", "xml", scanner_seed(1, 0x040, 0, "<?xml version=\"1.0\"?>\n<a b=\"c\">U.S.A. e.g.</a>\n"))
    write("scanner", "php", scanner_seed(3, 0x1FF, 3, "<?php echo $x; ?>\n<b>bold</b> // rest\n/* a */ b:c@d.e\n"))
    write("scanner", "clipboard", scanner_seed(4, 0x002, 0, "line one\r\nline\btwo\x0c\xa0tab\there\r\n\x91quoted\x92"))
    write("scanner", "common-words", scanner_seed(5, 0, 0, "the\nof\nand\n/* note */ a\n'tis\n"))
    write("scanner", "final-s", scanner_seed(0x18, 0x042, 0,
                                             "cats glass bus physics maths WORDS John's a.s pap\xe1s\n"))


# DOCX packages.
def document(body):
    return ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\r\n'
            '<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">'
            "<w:body>" + body + "</w:body></w:document>").encode("utf-8")


def package(entries, stored=False):
    out = io.BytesIO()
    method = zipfile.ZIP_STORED if stored else zipfile.ZIP_DEFLATED
    with zipfile.ZipFile(out, "w") as z:
        for name, data in entries:
            info = zipfile.ZipInfo(name, date_time=(2024, 1, 1, 0, 0, 0))
            info.compress_type = method
            z.writestr(info, data)
    return out.getvalue()


def docx(body, stored=False):
    return package([("[Content_Types].xml", b"<Types/>"), ("word/document.xml", document(body))], stored)


def docx_seeds():
    simple = "<w:p><w:r><w:t>Hello world.</w:t></w:r></w:p>"
    rich = ('<w:p><w:r><w:t xml:space="preserve">Caf\u00e9 &amp; </w:t></w:r><w:r><w:tab/></w:r>'
            "<w:r><w:t>\u201cquoted\u201d \u2014 it\u2019s\u2026</w:t></w:r><w:r><w:br/></w:r>"
            "<w:r><w:t>&lt;tag&gt; \u010dlan</w:t></w:r></w:p><w:p><w:r><w:t></w:t></w:r>"
            "<w:r><w:t> </w:t></w:r></w:p><w:tbl><w:tr><w:tc><w:p><w:r><w:t>cell</w:t></w:r></w:p>"
            "</w:tc></w:tr></w:tbl>")
    write("docx", "simple", docx(simple))
    write("docx", "stored", docx(rich, stored=True))
    write("docx", "rich", docx(rich))
    # A stored body part with one byte changed: the checksum fails.
    bad = bytearray(docx(simple, stored=True))
    at = bytes(bad).find(b"Hello")
    bad[at] = ord("J")
    write("docx", "bad-checksum", bytes(bad))
    write("docx", "no-body", package([("[Content_Types].xml", b"<Types/>"), ("word/styles.xml", b"<w:styles/>")]))
    write("docx", "folder-entry", package([("word/", b""), ("word/document.xml/", b"")]))
    write("docx", "truncated", docx(simple)[:60])
    write("docx", "not-a-package", b"PK\x05\x06" + b"\x00" * 18)


# Settings files: 38 values, CR LF line ends.
DEFAULTS = ['""', '""', '""', '"/*"', '"*/"', '"//"', '""', "1", "7", "0",
            "1", "0", "0", "1", "1", "1", "0", "0",
            "1", "0", "0", "0", "0", "0", "0", "0", "0",
            "0", "0", "1", "0", "0", "0", "0", "0", "0", '""', "0"]


def settings(values, end="\r\n"):
    return "".join(v + end for v in values).encode("utf-8")


def settings_seeds():
    write("settings", "defaults", settings(DEFAULTS))
    changed = list(DEFAULTS)
    changed[0] = '"/home/ann/Texte/M\u00e4rchen, Band 1.txt"'
    changed[1] = '"/tmp/out list.csv"'
    changed[2] = '"Zebra, apple \u00c9t\u00e9"'
    changed[3:7] = ['"<!--"', '"-->"', '"#"', '"end"']
    changed[7:10] = ["13", "15", "7"]
    changed[10:28] = ["0", "1", "1", "0", "0", "0", "1", "1", "0", "1", "1", "1", "1", "1", "1", "1", "1", "1"]
    changed[30:36] = ["1", "1", "1", "1", "1", "9"]
    changed[36] = '"/usr/share/kestrawl/cwds_de.txt"'
    changed[37] = "1"
    write("settings", "changed", settings(changed))
    rules = list(DEFAULTS)
    rules[0] = '   "/a, b/c.txt" trailing junk'
    rules[1] = "  /plain/path.txt"
    rules[10:14] = ["0.5", "1.5", "+1e0xyz", "2"]
    write("settings", "reading-rules", settings(rules, "\n"))
    index = list(DEFAULTS)
    index[35] = "-1"
    write("settings", "no-list-entry", settings(index, "\r"))
    write("settings", "cut-after-20", settings(DEFAULTS[:20]))
    overflow = list(DEFAULTS)
    overflow[11] = "1e300"
    write("settings", "overflow", settings(overflow))
    quote = list(DEFAULTS)
    quote[1] = 'a"b,c"d'
    write("settings", "quote-inside", settings(quote))


def text_seeds():
    write("text", "cp1252", bytes(range(0x80, 0x100)))
    write("text", "utf8", "Caf\u00e9 na\u00efve \u00c5 \u010d \u2018a\u2019 \u201cb\u201d \u2013 \u2014 \u2026 \u2022 "
          "\u2500 \u2010 \u2006 \u20ac".encode("utf-8"))
    write("text", "broken", b"\xc2\x85\xc2\xa9\xc3\x80\xc3\xc3\xa9\xc4\x8d\xc4\xe2\x80\xe2\xe2\x80\x99\xc2")


def catalogue_seeds():
    lines = ["# Catalogue for the fuzz seeds", ""]
    for n in range(1, 428):
        lines.append("%d\t%s" % (n, "Text %d \u00e9" % n if n % 50 == 0 else "~"))
    full = "\n".join(lines) + "\n"
    write("catalogue", "complete", full.encode("utf-8"))
    write("catalogue", "crlf-and-empty", "# CR LF\r\n\r\n3\tthree\r\n4\t~\r\n".encode("utf-8"))
    write("catalogue", "duplicate", "1\tone\n2\ttwo\n1\tagain\n".encode("utf-8"))
    write("catalogue", "missing-text", "1\tone\n2\t\n".encode("utf-8"))
    write("catalogue", "number-too-big", "428\tfar\n".encode("utf-8"))
    write("catalogue", "too-long", ("5\t" + "x" * 1025 + "\n").encode("utf-8"))
    write("catalogue", "comments-only", "# nothing\n\n".encode("utf-8"))


if __name__ == "__main__":
    shutil.rmtree(CORPUS, ignore_errors=True)
    scanner_seeds()
    docx_seeds()
    settings_seeds()
    text_seeds()
    catalogue_seeds()
