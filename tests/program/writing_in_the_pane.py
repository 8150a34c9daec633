"""Writes in the real program's pane under the C locale and reads its menus through AT-SPI: a
misspelt word offers its corrections, then "Ignorer" and "Ajouter au dictionnaire"; a word added is
accepted for the run, nothing landing in the user's folder; the page's and the address box's menus
speak French. Pages from a loopback proxy; run in dbus-run-session on an X server of its own.
usage: writing_in_the_pane.py QUILLOMAT"""
import http.server
import os
import shutil
import subprocess
import sys
import tempfile
import threading

from atspi_client import (Atspi, application_of, descendants, fail, find, is_a, showing,
                          use_session_accessibility_bus, wait_for)

PAGE = """<!DOCTYPE html><html lang="fr"><head><meta charset="utf-8"><title>Article</title></head>
<body><textarea aria-label="Article" style="font-size:32px; width:400px; height:80px">mondde
</textarea></body></html>""".encode()


class LoopbackSite(http.server.BaseHTTPRequestHandler):
    """Every address the pane asks for, as its proxy, gets the page with the text area."""

    def do_GET(self):
        self.send_response(200)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        self.send_header("Content-Length", str(len(PAGE)))
        self.end_headers()
        self.wfile.write(PAGE)

    def log_message(self, *arguments):
        pass


site = http.server.ThreadingHTTPServer(("127.0.0.1", 0), LoopbackSite)
threading.Thread(target=site.serve_forever, daemon=True).start()

use_session_accessibility_bus()
# A desktop in the C locale, whose messages gettext never translates, with a home of its own.
home = tempfile.mkdtemp(prefix="quillomat-home-")
environment = {name: value for name, value in os.environ.items()
               if not name.startswith("LC_") and name not in ("LANGUAGE", "XDG_CONFIG_HOME")}
environment.update(LANG="C", HOME=home, http_proxy="http://127.0.0.1:%d" % site.server_address[1])
program = subprocess.Popen([sys.argv[1]], env=environment)
try:
    program_view = wait_for(lambda: application_of(program), "the program on the accessibility bus")
    text_area = wait_for(lambda: find(program_view, Atspi.Role.ENTRY, "Article"),
                         "the page's text area")
    address_box = find(program_view, Atspi.Role.TEXT, "Adresse")

    def open_menu(accessible, clicks=""):
        """Right-clicks near `accessible`'s start after `clicks` left clicks: the menu's entries."""
        box = accessible.get_extents(Atspi.CoordType.SCREEN)
        point = [str(box.x + 30), str(box.y + box.height // 4)]
        subprocess.run(["xdotool", "mousemove"] + point, check=True)
        if clicks:
            subprocess.run(["xdotool", "click", "--repeat", clicks, "--delay", "100", "1"],
                           check=True)
        subprocess.run(["xdotool", "click", "3"], check=True)

        def shown_menu():
            for menu in descendants(program_view):
                if is_a(menu, Atspi.Role.MENU) and showing(menu):
                    items = [item for item in descendants(menu)
                             if is_a(item, Atspi.Role.MENU_ITEM)]
                    if items:
                        return menu, items
            return None

        return wait_for(shown_menu, "a menu")

    def close_menu(menu):
        subprocess.run(["xdotool", "key", "Escape"], check=True)
        wait_for(lambda: not showing(menu), "the menu closing")

    menu, items = open_menu(text_area)
    names = [item.get_name() for item in items]
    if names[0] != "monde":
        fail("the misspelt word's menu starts with " + repr(names[:3]))
    for expected in ["Ignorer", "Ajouter au dictionnaire", "Couper", "Copier", "Coller",
                     "Tout sélectionner"]:
        if expected not in names:
            fail(repr(expected) + " missing from the page's menu: " + repr(names))
    close_menu(menu)

    # The word selected, as WebKit wants it to be added.
    menu, items = open_menu(text_area, clicks="2")
    add = next(item for item in items if item.get_name() == "Ajouter au dictionnaire")
    if not add.get_state_set().contains(Atspi.StateType.ENABLED):
        fail("'Ajouter au dictionnaire' is greyed out for a selected word")
    Atspi.Action.do_action(add, 0)
    wait_for(lambda: not showing(menu), "the menu closing")
    menu, items = open_menu(text_area)
    if "monde" in [item.get_name() for item in items]:
        fail("the added word is still offered corrections")
    close_menu(menu)
    if any("enchant" in folder for folder, _, _ in os.walk(home)):
        fail("the spelling library wrote in the user's folder: " + repr(list(os.walk(home))))

    menu, items = open_menu(address_box)
    names = [item.get_name() for item in items]
    if "Tout sélectionner" not in names or "Coller" not in names:
        fail("the address box's menu is not in French: " + repr(names))
    close_menu(menu)
finally:
    program.terminate()
    program.wait()
    site.shutdown()
    shutil.rmtree(home, ignore_errors=True)
print("1 passed, 0 failed")
