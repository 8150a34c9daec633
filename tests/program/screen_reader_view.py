"""Reads the real program's main window through AT-SPI, as a screen reader does, goes round its
Tab order and clicks a colour swatch through it. Run inside dbus-run-session.
usage: screen_reader_view.py QUILLOMAT"""
import os
import subprocess
import sys

from atspi_client import (Atspi, application_of, descendants, fail, find, is_a,
                          use_session_accessibility_bus, wait_for)
from gi.repository import GLib  # noqa: E402


def labelled_by(accessible):
    names = []
    for relation in accessible.get_relation_set():
        if relation.get_relation_type() == Atspi.RelationType.LABELLED_BY:
            names += [relation.get_target(i).get_name() for i in range(relation.get_n_targets())]
    return names


use_session_accessibility_bus()
# Nothing leaves the machine: every page request goes to a closed loopback port.
program = subprocess.Popen([sys.argv[1]], env=dict(os.environ, http_proxy="http://127.0.0.1:9"))
try:
    def main_window():
        application = application_of(program)
        window = application and find(application, Atspi.Role.FRAME,
                                      ".:: Quillomat [ version 2 ] par Brennic ::.")
        if window and find(window, Atspi.Role.PUSH_BUTTON, "Copier"):
            return application, window
        return None

    application, window = wait_for(main_window, "the main window on the accessibility bus")

    # Tab goes round the window's stops, the page's included, each told by its label or name; a
    # text box is entered with no text selected, which a screen reader would read for its label.
    focus_reports = []
    listener = Atspi.EventListener.new(
        lambda event: event.detail1 and focus_reports.append(event.source))
    listener.register("object:state-changed:focused")

    def reported_stop(stop):
        """The accessible last reported to take the focus, once it is the one told as `stop`."""
        GLib.MainContext.default().iteration(False)
        accessible = focus_reports[-1] if focus_reports else None
        told = accessible and (labelled_by(accessible) or [accessible.get_name()])[0]
        return accessible if told == stop else None

    subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(program.pid),
                    "--name", "Quillomat", "windowfocus", "--sync"], check=True)
    for stop in ["Réglages...", "Informations", "Ajouter :", "Séparateur :", "Lire :",
                 "Créer les liens pour l'article en cours...", "gras", "italique",
                 "Code des liens", "Copier", "Adresse", "Aller à...",
                 "Code généré automatiquement", "Navigateur"]:
        subprocess.run(["xdotool", "key", "Tab"], check=True)
        reached = wait_for(lambda: reported_stop(stop), "the stop told as " + repr(stop))
        if reached.get_role() == Atspi.Role.TEXT and Atspi.Text.get_n_selections(reached):
            fail(repr(stop) + " is entered with its text selected")
    listener.deregister("object:state-changed:focused")

    # The template box, out of the Tab order while the code is generated automatically.
    if not find(window, Atspi.Role.TEXT, "Modèle"):
        fail("no text box named 'Modèle'")

    article = [a for a in descendants(window)
               if is_a(a, Atspi.Role.LABEL) and labelled_by(a) == ["Article en cours :"]]
    if len(article) != 1:
        fail("the article number is not announced with its label")

    # The colour and the key that opens the swatch's dialog without the mouse.
    swatches = {"Couleur de début": "#800080 (Alt+1)", "Couleur du milieu": "#80FFFF (Alt+2)",
                "Couleur de fin": "#800080 (Alt+3)"}
    for name, colour in swatches.items():
        swatch = find(window, Atspi.Role.PUSH_BUTTON, name)
        if not swatch:
            fail("no swatch named " + repr(name))
        if swatch.get_description() != colour:
            fail(name + " describes itself as " + repr(swatch.get_description()))
        if Atspi.Action.get_n_actions(swatch) != 1 or Atspi.Action.get_action_name(swatch, 0) != "click":
            fail(name + " offers no click")
        if swatch.get_state_set().contains(Atspi.StateType.FOCUSABLE):
            fail(name + " takes the keyboard focus")
    # The keys are told with the frame that the focus enters, named after its title.
    frame = find(window, Atspi.Role.PANEL, "Paramètres des liens...")
    if not (frame and find(frame, Atspi.Role.TEXT, "Ajouter :")
            and find(frame, Atspi.Role.LABEL, "Couleurs du texte : Alt+1, Alt+2 et Alt+3")):
        fail("the colour keys are not told with the frame of the link parameters")

    # The settings window's skin list is announced by its label; "Valider" brings the main one back.
    Atspi.Action.do_action(find(window, Atspi.Role.PUSH_BUTTON, "Réglages..."), 0)
    settings = wait_for(lambda: find(application, Atspi.Role.FRAME, "Réglages"),
                        "the settings window")
    wait_for(lambda: find(settings, Atspi.Role.COMBO_BOX, "Habillage :"), "the skin list's name")
    Atspi.Action.do_action(find(settings, Atspi.Role.PUSH_BUTTON, "Valider"), 0)
    wait_for(lambda: window.get_state_set().contains(Atspi.StateType.SHOWING),
             "the main window back")

    # The copy's box is told by its title as well as by its kind.
    Atspi.Component.grab_focus(find(window, Atspi.Role.PUSH_BUTTON, "Copier"))
    subprocess.run(["xdotool", "key", "space"], check=True)
    box = wait_for(lambda: find(application, Atspi.Role.ALERT, "Quillomat par Brennic"),
                   "the copy's box")
    if box.get_description() != "Information":
        fail("the copy's box is told as " + repr(box.get_description()))
    subprocess.run(["xdotool", "key", "Return"], check=True)
    wait_for(lambda: not box.get_state_set().contains(Atspi.StateType.SHOWING), "the box closed")

    # A click through the screen reader opens the picker, which the screen reader can read.
    Atspi.Action.do_action(find(window, Atspi.Role.PUSH_BUTTON, "Couleur du milieu"), 0)
    picker = wait_for(lambda: next((a for a in descendants(application)
                                    if is_a(a, Atspi.Role.DIALOG)), None),
                      "the colour picker")
    wait_for(lambda: picker.get_child_count() > 0 and picker.get_name(), "the picker's content")
finally:
    program.terminate()
    program.wait()
print("1 passed, 0 failed")
