#!/usr/bin/env python3
"""The web server the Windows build's fetches are compared on: plain HTTP on one port and
HTTPS with the test certificate (which no client trusts) on another, both on 127.0.0.1.
Prints "PORT TLSPORT" once both listen, then serves until killed."""
import http.server
import ssl
import sys
import threading

BLOCK = ('<!--BLOCK--><h1>Remote caf\u00e9</h1><img src="pic.gif">'
         '<a href="missing.html">gone</a><!--/BLOCK-->').encode()
GIF = b'GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff!\xf9\x04\x01\x00\x00\x00' \
      b'\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02D\x01\x00;'


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = 'HTTP/1.1'

    def answer(self, status, body=b'', headers=()):
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        if not any(name == 'Content-Length' for name, _ in headers):
            self.send_header('Content-Length', str(len(body)))
        self.send_header('Connection', 'close')
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        path = self.path
        if path == '/block.html':
            self.answer(200, BLOCK, [('Content-Type', 'text/html; charset=utf-8')])
        elif path == '/pic.gif':
            self.answer(200, GIF, [('Content-Type', 'image/gif')])
        elif path == '/moved.html':
            self.answer(301, b'', [('Location', '/block.html')])
        elif path == '/secret.html':
            self.answer(401, b'', [('WWW-Authenticate', 'Basic realm="test"')])
        elif path == '/large.html':
            # Announces more than any fetch takes; the body never comes.
            self.answer(200, b'<p>', [('Content-Length', str(100 * 1024 * 1024))])
        else:
            self.answer(404, b'not here')

    def log_message(self, *args):
        pass


def serve(port, context=None):
    server = http.server.ThreadingHTTPServer(('127.0.0.1', port), Handler)
    if context:
        server.socket = context.wrap_socket(server.socket, server_side=True)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server.server_address[1]


def main():
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(sys.argv[1], sys.argv[2])
    print(serve(0), serve(0, context), flush=True)
    threading.Event().wait()


if __name__ == '__main__':
    main()
