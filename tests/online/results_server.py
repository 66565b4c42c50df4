#!/usr/bin/env python3
"""A small local stand-in for the lottery operator's results service, for the tests.

It serves the results page of a date range from a fixture file (one day a line:
"mm/dd/yyyy<TAB>midday<TAB>evening", texts as the page shows them), and a proxy-list page.
The first line it prints is "PORT <n>"; it runs until killed.

The first path segment after "/m/" chooses how the results page answers:
  plain     the page as it is              gzip, deflate   the page compressed
  nosection a page without results         noclose   the results section is never closed
  500       an internal error              slow      waits --slow seconds before answering
  redirect  a 302 to the plain page        cookie    a 302 that sets a cookie, then the page
                                                     only for a request that sends it back
  failonce  a 500 for the first request of each range, then the page
  huge      a body larger than 10 MiB  echo      the request headers as the body
With --proxy the same program is a forwarding HTTP proxy instead (requests go on to their
absolute address); each request line is appended to --log.
"""

import argparse
import os
import gzip
import http.server
import socketserver
import ssl
import sys
import threading
import time
import urllib.parse
import urllib.request
import zlib

SECTION_OPEN = '<section class="winningNumbersResults">'
FOOTER = '<footer id="footerMain">'


def read_rows(path):
    rows = []
    if not path:
        return rows
    with open(path, encoding="ascii") as f:
        for line in f:
            line = line.rstrip("\r\n")
            if not line:
                continue
            parts = line.split("\t")
            while len(parts) < 3:
                parts.append("")
            rows.append(parts[:3])
    return rows


def date_key(text):
    try:
        m, d, y = text.split("/")
        return int(y) * 10000 + int(m) * 100 + int(d)
    except ValueError:
        return None


def results_page(rows, first, last, closed=True):
    out = ["<html><head><title>Winning numbers</title></head><body><h1>PICK 3</h1>",
           SECTION_OPEN,
           "<table><thead><tr><th>Date</th><th>Midday</th><th>Evening</th></tr></thead><tbody>"]
    for date, midday, evening in rows:
        key = date_key(date)
        # Rows whose date cannot be read are served whatever the range (malformed rows).
        if key is not None and not (first <= key <= last):
            continue
        out.append('<tr class="row"><td><div>%s</div></td><td><div>%s</div></td>'
                   '<td><div>%s</div></td></tr>' % (date, midday, evening))
    out.append("</tbody></table>")
    if closed:
        out.append("</section>" + FOOTER + "(c) the operator</footer>")
    out.append("</body></html>")
    return "".join(out)


def proxy_list_page(candidates, offset_value=1000):
    rows = []
    for c in candidates:
        host, port = c.rsplit(":", 1)
        cut = len(host) // 2
        first, second = host[:cut], host[cut:]
        b64 = __import__("base64").b64encode(second.encode()).decode()
        escaped = "".join("\\x%02x" % ord(ch) for ch in b64)
        rows.append("<tr><td><script>var h = '%s'.split('').reverse().join('');"
                    " var g = atob('%s'); var pp = %d (x);</script></td></tr>"
                    % (first[::-1], escaped, int(port) - offset_value))
    return ('<html><body><div style="display:none" data-port="%d"></div><table><tbody>%s'
            '</tbody></table></body></html>' % (offset_value, "".join(rows)))


class Results(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "LocalResults/1.0"

    def log_message(self, fmt, *args):
        if self.server.options.verbose:
            sys.stderr.write(fmt % args + "\n")

    def send_body(self, body, status=200, headers=()):
        data = body.encode("latin-1") if isinstance(body, str) else body
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)

    def serve_file(self, root, rel):
        # A static file of the update service; what is not there is a 404 page.
        rel = urllib.parse.unquote(rel)
        full = os.path.realpath(os.path.join(root, rel))
        if not full.startswith(os.path.realpath(root) + os.sep) or not os.path.isfile(full):
            self.send_body("<html>404 Not Found</html>", 404)
            return
        with open(full, "rb") as f:
            self.send_body(f.read())

    def do_GET(self):
        opts = self.server.options
        url = urllib.parse.urlsplit(self.path)
        query = urllib.parse.parse_qs(url.query)
        path = url.path
        if path.startswith("/files/") and opts.files:
            self.serve_file(opts.files, path[len("/files/"):])
            return
        if path.startswith("/proxylist"):
            self.server.list_requests.append(self.path)
            self.send_body(proxy_list_page(opts.proxies.split(",") if opts.proxies else []))
            return
        mode = "plain"
        if path.startswith("/m/"):
            mode, _, rest = path[3:].partition("/")
            path = "/" + rest
        if path != "/site/winningNumberSearch":
            self.send_body("not here", 404)
            return
        first = date_key(query.get("fromDateIn", [""])[0])
        last = date_key(query.get("toDateIn", [""])[0])
        if first is None or last is None:
            self.send_body("bad dates", 400)
            return
        self.server.requests.append((mode, first, last))
        if mode == "500":
            self.send_body("<html>Internal error</html>", 500)
            return
        if mode == "failonce":
            key = (first, last)
            if key not in self.server.failed:
                self.server.failed.add(key)
                self.send_body("<html>Internal error</html>", 500)
                return
        if mode == "slow":
            time.sleep(opts.slow)
        if mode == "redirect":
            target = "/site/winningNumberSearch?" + url.query
            self.send_body("", 302, [("Location", target)])
            return
        if mode == "cookie":
            if "session=local42" not in (self.headers.get("Cookie") or ""):
                self.send_body("", 302, [("Set-Cookie", "session=local42; Path=/"),
                                         ("Location", self.path)])
                return
        if mode == "echo":
            self.send_body("".join("%s: %s\n" % kv for kv in self.headers.items()))
            return
        if mode == "nosection":
            self.send_body("<html><body>No results today</body></html>")
            return
        if mode == "huge":
            self.send_body(b"x" * (11 << 20))
            return
        page = results_page(self.server.rows, first, last, closed=(mode != "noclose"))
        accept = self.headers.get("Accept-Encoding") or ""
        if mode == "gzip" and "gzip" in accept:
            self.send_body(gzip.compress(page.encode("latin-1")), 200,
                           [("Content-Encoding", "gzip")])
        elif mode == "deflate" and "deflate" in accept:
            self.send_body(zlib.compress(page.encode("latin-1")), 200,
                           [("Content-Encoding", "deflate")])
        else:
            self.send_body(page)


class Proxy(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, fmt, *args):
        pass

    def do_GET(self):
        opts = self.server.options
        if opts.proxy_auth:
            import base64
            expected = "Basic " + base64.b64encode(opts.proxy_auth.encode()).decode()
            if self.headers.get("Proxy-Authorization") != expected:
                self.send_response(407)
                self.send_header("Proxy-Authenticate", 'Basic realm="local"')
                self.send_header("Content-Length", "0")
                self.end_headers()
                return
        if opts.log:
            with open(opts.log, "a", encoding="ascii") as f:
                f.write(self.requestline + "\n")
        request = urllib.request.Request(self.path, headers={
            k: v for k, v in self.headers.items()
            if k.lower() not in ("proxy-authorization", "proxy-connection", "host")})
        opener = urllib.request.build_opener(urllib.request.ProxyHandler({}))
        try:
            with opener.open(request, timeout=10) as reply:
                body = reply.read()
                status = reply.status
                headers = [(k, v) for k, v in reply.getheaders()
                           if k.lower() in ("content-type", "content-encoding", "set-cookie")]
        except urllib.error.HTTPError as e:
            body, status, headers = e.read(), e.code, []
        self.send_response(status)
        for k, v in headers:
            self.send_header(k, v)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    allow_reuse_address = True


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--rows", help="fixture file of the results")
    p.add_argument("--slow", type=float, default=3.0)
    p.add_argument("--proxies", default="", help="host:port,... served by /proxylist")
    p.add_argument("--tls", nargs=2, metavar=("CERT", "KEY"))
    p.add_argument("--proxy", action="store_true")
    p.add_argument("--proxy-auth", default="", help="user:password the proxy demands")
    p.add_argument("--log", default="")
    p.add_argument("--files", default="", help="folder served under /files/")
    p.add_argument("--verbose", action="store_true")
    opts = p.parse_args()
    server = Server(("127.0.0.1", 0), Proxy if opts.proxy else Results)
    server.options = opts
    server.rows = read_rows(opts.rows)
    server.requests = []
    server.list_requests = []
    server.failed = set()
    if opts.tls:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(opts.tls[0], opts.tls[1])
        server.socket = context.wrap_socket(server.socket, server_side=True)
    print("PORT %d" % server.server_address[1], flush=True)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    try:
        sys.stdin.read()  # ends when the test closes the pipe
    except KeyboardInterrupt:
        pass
    server.shutdown()


if __name__ == "__main__":
    main()
