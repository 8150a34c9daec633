"""A site on 127.0.0.1 whose every page sends the browser to a file that downloads for minutes, as
over a poor connection. Writes its port to PORT_FILE; ends by itself after a few minutes.
usage: slow_download_site.py PORT_FILE"""
import http.server
import os
import sys
import threading
import time

FILE_NAME = "lent.bin"
CHUNK = b"x" * 4096
CHUNKS = 100000


class Site(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"

    def log_message(self, *args):
        pass

    def do_GET(self):
        if self.path.endswith("/" + FILE_NAME):
            self.send_response(200)
            self.send_header("Content-Type", "application/octet-stream")
            self.send_header("Content-Disposition", 'attachment; filename="%s"' % FILE_NAME)
            self.send_header("Content-Length", str(len(CHUNK) * CHUNKS))
            self.end_headers()
            try:
                for _ in range(CHUNKS):
                    self.wfile.write(CHUNK)
                    self.wfile.flush()
                    time.sleep(0.2)
            except OSError:
                pass
            return
        page = ("<p>Accueil</p><script>setTimeout(() => location = '/%s', 100)</script>"
                % FILE_NAME).encode()
        self.send_response(200)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        self.send_header("Content-Length", str(len(page)))
        self.end_headers()
        self.wfile.write(page)


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Site)
server.daemon_threads = True
threading.Timer(300, lambda: os._exit(0)).start()
with open(sys.argv[1] + ".new", "w") as port_file:
    port_file.write(str(server.server_address[1]))
os.rename(sys.argv[1] + ".new", sys.argv[1])
server.serve_forever()
