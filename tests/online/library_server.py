#!/usr/bin/env python3
"""The online libraries for the tests, on 127.0.0.1: form posts answered with tagged text.

Scenarios: /scripts/scr_getlist.php (fltid -1 hidden, 0 all, 1 all but hidden, 2 the test
user's, 3 public), scr_getdata.php, scr_setrate.php, scr_chktitle.php, scr_putscript.php,
scr_getrates.php over a few scenarios kept in memory; the test user is tester@example.org.

Systems: /scripts/sys_getlist.php, sys_getdata.php, sys_putdata.php, over a few systems kept in
memory. A path may start with /m/<mode>: "error" answers with an <error> row, "noresult"
without a <result> part, "500" with a server error, "slow" after --slow seconds, "short" gives
combinations with one line fewer than announced, "badline" a line with an index out of range.

Prints "PORT <n>" once listening; ends when its standard input closes.
"""

import argparse
import base64
import http.server
import socketserver
import sys
import threading
import time
import urllib.parse


def b64(text):
    return base64.b64encode(text.encode("utf-8")).decode("ascii")


def triples(n, count):
    out = []
    for i in range(1, n + 1):
        for j in range(i + 1, n + 1):
            for k in range(j + 1, n + 1):
                out.append("%02d %02d %02d" % (i, j, k))
    return out[:count]


def seed_systems():
    systems = {}
    for sid, n, block, count, title, author, mail in [
        (12, 5, 1, 10, "Пятёрка", "Иван", "ivan@example.org"),
        (7, 6, 0, 20, "Шестёрка полная", "Иван", "ivan@example.org"),
        (3, 4, 2, 4, "Четвёрка", "Тестер", "Tester@Example.org"),
        (30, 10, 0, 120, "Десятка", "Пётр", ""),
    ]:
        systems[sid] = {
            "id": sid, "nums": n, "olap": block, "csize": count, "title": title,
            "descr": "Описание «%s»" % title, "author": author, "cl_mail": mail,
            "url": "https://example.org/s/%d" % sid, "created": "2024-03-0%d 10:20:30" % (sid % 9 + 1),
            "last_download": "2025-01-02 03:04:05", "downloads": 5,
            "clist": "\r\n".join(triples(n, count)),
        }
    return systems


ME = "tester@example.org"


def seed_scenarios():
    def sc(sid, title, author, mail, uni, pub, guid, script, you=0):
        return {"id": sid, "title": title, "descr": "Описание: " + title, "author": author,
                "mail": mail, "lcid": 1049, "uni": uni, "pub": pub, "guid": guid,
                "app_name": "Korvane" if guid == "korvane" else "Other", "app_ver": "0.1.0.1",
                "created": "2026-11-0%d 12:00:00" % sid, "script": script, "you": you,
                "rates": [("Иван", 4, "неплохо"), ("Пётр", 5, "")] if sid == 1 else [],
                "downloads": 3}
    good = "FULL:0#ALL|TSD1#NUMS:10#LNO:#SF:1| | | | | | |\r\n"
    return {s["id"]: s for s in [
        sc(1, "Три фильтра", "Иван", "ivan@example.org", 1, 1, "korvane", good),
        sc(2, "Мой сценарий", "Тестер", ME, 0, 0, "korvane", good),
        sc(3, "Чужая программа", "Пётр", "petr@example.org", 0, 1, "other", good),
        sc(4, "Скрытый", "Иван", "ivan@example.org", 1, 1, "korvane", good, -1),
        sc(5, "Испорченный", "Злоумышленник", "x@example.org", 1, 1, "korvane",
           "FULL:0#ALL|" + "TSD1#NUMS:10#LNO:#SF:1|" * 3 + "\x01\x02 | | |\r\n"),
    ]}


def unescape(text):
    out, i = [], 0
    table = {"0": "\0", "1": "\1", "2": "\2", "3": "\3", "4": "\4", "5": "\5", "6": "\6",
             "a": "\a", "b": "\b", "t": "\t", "n": "\n", "v": "\v", "f": "\f", "r": "\r",
             "e": "\x1b"}
    while i < len(text):
        c = text[i]
        if c == "\\" and i + 1 < len(text):
            nxt = text[i + 1]
            out.append(table.get(nxt, nxt))
            i += 2
            continue
        out.append(c)
        i += 1
    return "".join(out)


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def send_body(self, body, status=200):
        data = body.encode("utf-8")
        self.send_response(status)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)

    def rows(self, rows):
        return "<html><result>" + "".join("<row>%s</row>" % r for r in rows) + "</result></html>"

    def do_POST(self):
        srv = self.server
        length = int(self.headers.get("Content-Length", "0"))
        form = urllib.parse.parse_qs(self.rfile.read(length).decode("ascii"), keep_blank_values=True)
        field = lambda name, default="": form.get(name, [default])[0]
        path = self.path
        mode = "plain"
        if path.startswith("/m/"):
            mode, _, rest = path[3:].partition("/")
            path = "/" + rest
        with srv.lock:
            srv.requests.append((path, {k: v[0] for k, v in form.items()}))
        if mode == "500":
            self.send_body("<html>Internal error</html>", 500)
            return
        if mode == "noresult":
            self.send_body("<html>maintenance</html>")
            return
        if mode == "slow":
            time.sleep(srv.options.slow)
        if mode == "error":
            self.send_body(self.rows(["<error>Сервис временно недоступен</error>"]))
            return
        if not field("appid") or not field("appver"):
            self.send_body(self.rows(["<error>no application</error>"]))
            return
        with srv.lock:
            if path == "/scripts/sys_getlist.php":
                out = []
                for s in sorted(srv.systems.values(), key=lambda s: s["id"]):
                    out.append(
                        "<id>%d</id><nums>%d</nums><olap>%d</olap><csize>%d</csize>"
                        "<title>%s</title><descr>%s</descr><author>%s</author>"
                        "<cl_mail>%s</cl_mail><url>%s</url><created>%s</created>"
                        "<last_download>%s</last_download><downloads>%s</downloads>"
                        % (s["id"], s["nums"], s["olap"], s["csize"], b64(s["title"]),
                           b64(s["descr"]), s["author"], s["cl_mail"], s["url"], s["created"],
                           s["last_download"], s["downloads"]))
                self.send_body(self.rows(out))
                return
            if path == "/scripts/sys_getdata.php":
                s = srv.systems.get(int(field("sys_id", "0") or 0))
                if s is None:
                    self.send_body(self.rows(["<error>Система не найдена</error>"]))
                    return
                lines = s["clist"].split("\r\n")
                if mode == "short":
                    lines = lines[:-1]
                if mode == "badline":
                    lines[1] = "01 02 %02d" % (s["nums"] + 1)
                s["downloads"] += 1
                self.send_body(self.rows(["<clist></clist>", "<clist>%s</clist>" % b64("\r\n".join(lines))]))
                return
            if path == "/scripts/sys_putdata.php":
                sid = int(field("sys_id", "0") or 0)
                if field("del_mode") == "1":
                    srv.systems.pop(sid, None)
                    self.send_body(self.rows(["<id_systems>0</id_systems>"]))
                    return
                if sid == 0:
                    sid = max(srv.systems) + 1
                clist = unescape(base64.b64decode(field("clist")).decode("utf-8"))
                srv.systems[sid] = {
                    "id": sid, "nums": int(field("nums")), "olap": int(field("olap")),
                    "csize": int(field("csize")), "title": unescape(field("title")),
                    "descr": unescape(field("descr")), "author": unescape(field("cl_name")),
                    "cl_mail": unescape(field("cl_mail")), "url": field("url"),
                    "created": "2026-12-01 08:00:00", "last_download": "", "downloads": 0,
                    "clist": clist,
                }
                self.send_body(self.rows(["<id_systems>%d</id_systems>" % sid]))
                return
            if path.startswith("/scripts/scr_"):
                self.scenarios(srv, path, field)
                return
        self.send_body("<html>not here</html>", 404)

    def scenarios(self, srv, path, field):
        scs = srv.scenarios
        if path == "/scripts/scr_getlist.php":
            flt = int(field("fltid", "1"))
            keep = {
                -1: lambda s: s["you"] == -1,
                0: lambda s: True,
                1: lambda s: s["you"] != -1,
                2: lambda s: s["mail"] == ME,
                3: lambda s: s["pub"] > 0,
            }.get(flt, lambda s: True)
            rows = []
            for s in sorted(scs.values(), key=lambda s: s["id"]):
                if not keep(s):
                    continue
                rates = [r[1] for r in s["rates"]]
                avg = sum(rates) / len(rates) if rates else 0
                rows.append(
                    "<id>%d</id><app_name>%s</app_name><app_ver>%s</app_ver>"
                    "<key_cl_name>%s</key_cl_name><key_cl_mail>%s</key_cl_mail>"
                    "<key_cl_lcid>%d</key_cl_lcid><uniapps>%d</uniapps><publics>%d</publics>"
                    "<created>%s</created><last_download></last_download><rating_avg>%.3f</rating_avg>"
                    "<rating_cnt>%d</rating_cnt><rating_you>%d</rating_you><downloads>%d</downloads>"
                    "<title>%s</title><descr>%s</descr><app_guid>%s</app_guid>"
                    % (s["id"], s["app_name"], s["app_ver"], s["author"], s["mail"], s["lcid"],
                       s["uni"], s["pub"], s["created"], avg, len(rates), s["you"],
                       s["downloads"], b64(s["title"]), b64(s["descr"]), s["guid"]))
            self.send_body(self.rows(rows))
            return
        sid = int(field("scr_id", "0") or 0)
        if path == "/scripts/scr_getdata.php":
            s = scs.get(sid)
            if s is None:
                self.send_body(self.rows(["<error>Сценарий не найден</error>"]))
                return
            s["downloads"] += 1
            self.send_body(self.rows(["<id>%d</id>" % sid, "<script>%s</script>" % b64(s["script"])]))
            return
        if path == "/scripts/scr_setrate.php":
            s = scs.get(sid)
            value = int(field("rate_value", "0"))
            if s is None or value < -1 or value > 5:
                self.send_body(self.rows(["<res_code>-3</res_code>"]))
                return
            s["you"] = value
            s["rates"] = [r for r in s["rates"] if r[0] != "Тестер"]
            if value > 0:
                s["rates"].append(("Тестер", value, unescape(field("rate_notes"))))
            self.send_body(self.rows(["<res_code>0</res_code>"]))
            return
        if path == "/scripts/scr_chktitle.php":
            title = unescape(field("scr_title"))
            taken = any(s["title"] == title and s["id"] != sid for s in scs.values())
            self.send_body(self.rows(["<ret_code>%d</ret_code>" % (1 if taken else 0)]))
            return
        if path == "/scripts/scr_putscript.php":
            if field("del_mode") == "1":
                scs.pop(sid, None)
                self.send_body(self.rows(["<id_scripts>0</id_scripts>"]))
                return
            if sid <= 0:
                sid = max(scs) + 1
            scs[sid] = {"id": sid, "title": unescape(field("scr_title")),
                        "descr": unescape(field("scr_descr")), "author": unescape(field("cl_name")),
                        "mail": ME, "lcid": int(field("cl_lcid", "1049")),
                        "uni": int(field("scr_uniapps", "0")), "pub": int(field("scr_publics", "0")),
                        "guid": field("appid"), "app_name": "Korvane", "app_ver": field("appver"),
                        "created": "2026-12-01 08:00:00", "script": unescape(field("scr_script")),
                        "you": 0, "rates": [], "downloads": 0}
            self.send_body(self.rows(["<id_scripts>%d</id_scripts>" % sid]))
            return
        if path == "/scripts/scr_getrates.php":
            s = scs.get(sid, {"rates": []})
            self.send_body(self.rows([
                "<key_cl_name>%s</key_cl_name><rate>%d</rate><created>2026-11-05 10:00:00</created>"
                "<app_name>Korvane</app_name><app_ver>0.1.0.1</app_ver><notes>%s</notes>"
                % (n, r, c) for n, r, c in s["rates"]]))
            return
        self.send_body("<html>not here</html>", 404)


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--slow", type=float, default=3.0)
    options = p.parse_args()
    srv = Server(("127.0.0.1", 0), Handler)
    srv.options = options
    srv.lock = threading.Lock()
    srv.requests = []
    srv.systems = seed_systems()
    srv.scenarios = seed_scenarios()
    threading.Thread(target=srv.serve_forever, daemon=True).start()
    print("PORT %d" % srv.server_address[1], flush=True)
    sys.stdin.read()  # ends when the test closes the pipe
    srv.shutdown()


if __name__ == "__main__":
    main()
