#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets: small valid and slightly broken files of each
format, made from the cases of the unit tests. Run it from anywhere; it rewrites
tests/fuzz/corpus/<target>/seed_* and leaves other files there alone."""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, "corpus")


def cp1251(text):
    return text.encode("cp1251")


def write(target, name, data):
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    if isinstance(data, str):
        data = data.encode("ascii")
    with open(os.path.join(folder, "seed_" + name), "wb") as f:
        f.write(data)


# Korvane.ldr: int32 number, three numbers, date length, 12 date bytes.
def draw(number, nums, date=b"03/07/2021 M", date_len=None):
    if date_len is None:
        date_len = len(date)
    return struct.pack("<i3BB12s", number, *nums, date_len, date[:12].ljust(12, b"\0"))


# Korvane.lsk: version, kind, draw, checked, sample, numbers (count + 4 bytes), result,
# matched (count + 4 bytes), profit (int64 x 10000), comment (length + 255 bytes).
def stake(draw_number, nums, kind=1, version=2, checked=0, result=(0, 0, 0), matched=-1,
          matched_nums=(0, 0, 0, 0), profit=0, comment=b"", count=None):
    numbers = list(nums) + [0] * (4 - len(nums))
    rec = struct.pack("<BBxxiBxxxii4B3Bxi4Bxxxxq", version, kind, draw_number, checked, 0,
                      len(nums) if count is None else count, *numbers, *result, matched,
                      *matched_nums, profit)
    rec += bytes([len(comment)]) + comment.ljust(255, b"\0")
    assert len(rec) == 304, len(rec)
    return rec


def separator():
    return stake(-1, (), kind=0)


def main():
    # CSV draw files.
    write("fuzz_csv", "good.csv", '1;"03/07/2021 M";1;2;3\r\n2;"03/07/2021 E";4;5;6\r\n')
    write("fuzz_csv", "unnumbered.csv", '"03/07/2021 M";1;2;3\r\n"03/07/2021 E";4;5;6\r\n')
    write("fuzz_csv", "rejected.csv",
          '1;"03/07/2021 M";1;2;3\r\n\r\ngarbage\r\n7;03/07/2021 M;1;2;3\r\n'
          '2;"03/07/2021 E";12;2;3\r\n3;"03/08/2021 M";-1;2;3\r\n4;"03/08/2021 E";x;2;3\r\n'
          '5;"02/30/2021 M";1;2;3\r\n0;"03/09/2021 M";1;2;3\r\nabc;"03/09/2021 E";1;2;3\r\n'
          '"unclosed;1;2;3\r\n1;"03/10/2021 M";9;9;9\r\n6;"03/10/2021 E";0;0;0')
    write("fuzz_csv", "quotes.csv",
          '12;"03/07/2021 M";4;0;9\n  13 ; "03/07/2021 E" ;0;0;9  \r"a""b";c\r\n"a"b;c;1;2;3\n')
    write("fuzz_csv", "duplicates.csv",
          '4;"03/08/2021 M";1;2;3\n11;"03/08/2021 E";1;2;3\n11;"03/09/2021 M";1;2;3\n'
          '"03/09/2021 E";7;8;9\n')
    write("fuzz_csv", "cp1251.csv", b'8;"03/11/2021 M";1;2;3;\r\n9;"' + cp1251("март") +
          b'";1;2;3\r\n10;"03/11/2021 E"\x00;1;2;3\r\n')

    # The archive file.
    three = draw(1, (1, 2, 3)) + draw(2, (4, 5, 6), b"03/07/2021 E") + draw(3, (7, 8, 9))
    write("fuzz_archive", "three.ldr", three)
    write("fuzz_archive", "trailing.ldr", three + b"12345")
    write("fuzz_archive", "unordered.ldr",
          draw(10, (0, 0, 0)) + draw(5, (9, 9, 9), b"02/30/2021 M") + draw(10, (1, 1, 1), b"") +
          draw(7, (3, 2, 1), b"x" * 12))
    write("fuzz_archive", "bad_number.ldr", draw(1, (1, 2, 3)) + draw(2, (10, 5, 6)))
    write("fuzz_archive", "bad_date.ldr", draw(1, (1, 2, 3)) + draw(2, (4, 5, 6), date_len=13))
    write("fuzz_archive", "zero_draw.ldr", draw(1, (1, 2, 3)) + draw(0, (4, 5, 6)))
    write("fuzz_archive", "empty.ldr", b"")

    # The stake file (the fuzz target checks against draws 1..20).
    write("fuzz_stakes", "stakes.lsk",
          stake(5, (1, 2, 3), comment=b"c") + separator() + stake(6, (1, 2, 3)) +
          stake(99, (4, 5, 6), comment=cp1251("01.000: Числа @ FULL#ALL")) + separator() +
          stake(7, (5, 1, 9), checked=1, result=(5, 1, 9), matched=3, matched_nums=(5, 1, 9, 0),
                profit=4990000))
    write("fuzz_stakes", "system.lsk",
          stake(8, (1, 2, 3, 4), kind=4) + stake(8, (1, 2, 3)) + stake(9, (0, 0, 0), kind=2))
    write("fuzz_stakes", "torn.lsk", stake(5, (1, 2, 3)) + separator() + b"\x02" * 10)
    write("fuzz_stakes", "old_version.lsk", stake(5, (1, 2, 3), version=1) + stake(6, (1, 2, 3)))
    write("fuzz_stakes", "short.lsk", stake(5, (1, 2, 3))[:100])
    write("fuzz_stakes", "empty.lsk", b"")

    # Combination files and pasted text.
    write("fuzz_combs", "file.lcv", "0;0;0\r\n0;0;1\r\n1;2;3\r\n9;9;9\r\n")
    write("fuzz_combs", "skipped.lcv",
          b"1,2,3\r\n4;5;6\r\n7 8 9\r\n\r\n1;;2;;3\r\n2;261;3\r\n1;2\r\n1;2;3;4\r\nx;1;2\r\n"
          b"\x00\xff\xfe;1;2\r\n -1;2;3\r\n 9 ; 9 ; 9 ")
    write("fuzz_combs", "clip.txt", "00 05 09\r\n01 02 03\r\n")
    write("fuzz_combs", "clip_forms.txt", "1-2-3\n4|5|6\r7.8.9\r\n0:0:0\t")
    write("fuzz_combs", "clip_bad.txt", "01 02 03\r\n\r\n04 05 06")

    # Scenario files.
    write("fuzz_scenario", "lines.lsc",
          cp1251("EXCL:1#RAND#NEX|TSD1#NUMS:10#LMV:3#SF:1| | | | | | |Числа за 10 тиражей\r\n"
                 "\r\n"
                 "FULL:0#ALL|BMF12#NUMS:10#LVA:1,2#SC:5|TSD1#SUMS:5-20;5#WMV:10#ST:3#0:-1:1:0:0"
                 "| | | | | |\r\n"
                 "EXCL:2#FIRST| | | | | | | |Без фильтров\r\n"))
    write("fuzz_scenario", "runs.lsc",
          "FULL:0#FIRST|TSD1#NUMS:10#DDV:1#SF:1| | | | | | |\r\n"
          "FULL:0#NONE|TSD1#SUMS:100#LNO:#SC:50| | | | | | |\r\n"
          "CURR:0#STOP| | | | | | | |\r\nFULL:0#SKIP| | | | | | | |\r\n")
    write("fuzz_scenario", "broken.lsc",
          "FULL:0#FIRST|TSD1#NUMS:1-100000000;1#LMV:1-100000000;1#SF:1| | | | | | |\n"
          "FULL:0#FIRST|TSD1#NUMS:10#LDV:1;x#SF:1| | | | | | |\r"
          "###FULL:x##FIRST#junk#NEX||||A||B\r\nXXXX:7#WHAT|x\r\n"
          "CURR#SKIP|TSD#nums: 10 ##lmv: 3#sf:x|TSDx#POS2:5|FBM7#SUMS#CDP:1-5;2#ST:9")

    # Settings files.
    write("fuzz_ini", "game.ini",
          "[GLOBAL]\r\nCombsGenerateMode=1\r\nCombsGenerateParameters=1;2;3\r\nMatrixCols=3\r\n"
          "MatrixSegments=123451234512345123451234512345\r\nChannelSize=2\r\n\r\n"
          "[STAKES]\r\nCost=1\r\nMaxStake=3\r\nProfits=2\r\nProfit_0_Overlap=3\r\n"
          "Profit_0_Profit=500\r\nProfit_1_Overlap=1\r\nProfit_1_Profit=2\r\n\r\n"
          "[CDL]\r\nCount=0\r\nDeviation=-1\r\nLevel=1\r\nUsePercents=0\r\nUseAbsValues=0\r\n\r\n"
          "[SHREDDING]\r\nFormula1=(n1+n2)/n3\r\nFormula1Digits=2\r\nFormula2=(p1*t2-n3)/7\r\n"
          "Formula2Digits=9\r\nFormula3=1/(n1-n1)\r\n\r\n"
          "[PROXY]\r\nProxyMode=2\r\nProxyServer=proxy.local\r\nProxyPort=3128\r\n")
    write("fuzz_ini", "odd.ini",
          "[GLOBAL]\r\nMatrixCols=7\r\nChannelSize=0\r\nMatrixSegments=12a45\r\n"
          "[STAKES]\r\nCost=1,25\r\nMaxStake=9\r\nProfits=999999999\r\n"
          "Profit_0_Overlap=5\r\nProfit_0_Profit=1\r\nProfit_1_Overlap=3\r\nProfit_1_Profit=500\r\n"
          "Profit_2_Overlap=3\r\nProfit_2_Profit=600\r\nProfit_3_Overlap=-1\r\n"
          "Profit_3_Profit=2\r\nProfit_4_Overlap=2\r\nProfit_4_Profit=80.5\r\n"
          "Profit_6_Overlap=1\r\nProfit_6_Profit=x\r\n"
          "[CDL]\r\nCount=oops\r\nDeviation=2,5\r\nUsePercents=3\r\nUseAbsValues=-1\r\n"
          "[SHREDDING]\r\nFormula1Digits=0\r\nFormula2Digits=55\r\nFormula3=N1*n2 - .5 + 1.\r\n")
    write("fuzz_ini", "view.frm",
          b"; comment\r\n[TFormMain]\r\nLeftPanelWidth=250\r\nDrawsStatLen=1000\r\n"
          b"ColorDraws=0\r\nLanguage=1049\r\nDrawsList.Column0=80\r\nDrawsList.SortType=2,1\r\n"
          b"Flags=0\r\nShowCmd=1\r\nNormPos=10,20,800,600\r\nNormPos_1920x1080=0,0,1920,1040\r\n"
          b"MinMaxPos=-1,-1,-1,-1\r\n[other]\r\nX=1\r\n[ \xc8\xec\xff ]\r\n\xc8\xec\xff=\xe7\xed\r\n")
    write("fuzz_ini", "broken.ini", "[GLOBAL\r\nChannelSize = 3 \r\n=x\r\nnoequals\r\n[PROXY]\r\n"
          "ProxyPort=99999\r\nProxyMode=7\r\n[STAKES]\nCost=-0.004\rProfits=1\nProfit_0_Profit=1e3")

    # Filter descriptors.
    for i, text in enumerate([
            "TSD1#NUMS:10#LMV:3#SF:1", "BMF12#NUMS:10#LVA:1,2#SC:5", "TSD#nums: 10 ##lmv: 3#sf:x",
            "FBM7#SUMS#CDP:1-5;2#ST:9", "TSDx#POS2:5", "TSD#XXXX:5#LNO:#SF:1",
            "BMF8#SUMS:5-20;5#WMV:10#ST:3#0:-1:1:0:0",
            "TSD1#NUMS:5#WMV:1#SF:1#1,5x:abc:-0.25:1:yes", "TSD1#SUMS2:5#LNO:#SF:1",
            "TSD1#NUMS:5-1;-1#LVA:9-0;0#SP:-5#::::::::", "TMD1#NUMS:10#LNO:#SC:5",
            "TSD1#SUMC:10#LVA:1#SF:1", "TSD1#NUMS:0#LMV:3#SF:1",
            # Coefficients once written with an exponent, which read back as other values.
            "TSD1#NUMS:5#WMV:1#SF:1#0.00001:100000000:-0.0000025:0:0"]):
        write("fuzz_filter", "%02d.txt" % i, text)
    write("fuzz_filter", "bytes.txt", b"\x01\x02#\xff\xfe")

    # Pages from the network: results pages and a proxy list.
    def results(rows, closed=True):
        body = "".join('<tr class="r"><td><div>%s</div></td><td><div>%s</div></td>'
                       '<td><div>%s</div></td></tr>' % r for r in rows)
        page = ('<html><section class="winningNumbersResults"><table><thead><tr><th>D</th></tr>'
                '</thead><tbody>' + body + '</tbody></table>')
        return page + ('</section><footer id="footerMain">f</footer></html>' if closed else "")
    write("fuzz_pages", "results.html", results([
        ("01/02/2020", "1-2-3", "4-5-6"), ("01/03/2020", "-", '"7-8-9"'),
        ("01/04/2020", "1-x-3", ""), ("02/30/2020", "1-1-1", "2-2-2"),
        ("01/03/2020", "9-9-9", "0-0-0")]))
    write("fuzz_pages", "unclosed.html", results([("01/05/2020", "1-2-3", "4-5-6")], False))
    write("fuzz_pages", "proxies.html",
          '<div style="display:none" data-p="1000"></div><table><tbody>'
          "<tr><td><script>var h = '.721'.split(''); var g = atob('\\x4d\\x43\\x34\\x77"
          "\\x4c\\x6a\\x45\\x3d'); var pp = 2128 (1);</script></td></tr>"
          "<tr><td><script>var h = 'x'.split(''); var g = atob('\\x2f'); var pp = 9 (1);"
          "</script></td></tr></tbody></table>")


if __name__ == "__main__":
    main()
