#!/usr/bin/python3
"""The wizard as a screen reader sees it, driven by the keyboard alone.

Starts a virtual display (Xvfb), a D-Bus session bus and, through it, the AT-SPI bus; runs the
wizard on the sample database with Qt's accessibility bridge on; presses keys with xdotool only;
and reads the accessibility tree with pyatspi, as Orca reads it. On each page every showing
control that takes the focus must carry the expected name (and key), no list item may read out
blanks or a TAB, and the focus must land on the new page's first control with the page's
question as its description. The run ends with the page saved through Ctrl+S.

Usage: keyboard_walk.py OMBRIX DATABASE WORK_FOLDER
"""

import importlib
import os
import select
import shutil
import subprocess
import sys
import tempfile
import time

TIMEOUT = 60  # seconds for any one thing to appear; a sanitizer build on two cores is slow

pyatspi = None  # imported once our session bus is up: the library connects to it on import


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_for(what, probe, timeout=TIMEOUT):
    """Polls probe() until it gives something true, which is returned; fails after timeout."""
    deadline = time.monotonic() + timeout
    last_error = ""
    while True:
        try:
            result = probe()
        except Exception as error:  # an object that went away while being read
            result, last_error = None, " (%s)" % error
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure("timed out waiting for " + what + last_error)
        time.sleep(0.05)


def read_line(stream_fd, what):
    """The first line a child writes to stream_fd, within the timeout."""
    data = b""
    deadline = time.monotonic() + TIMEOUT
    while not data.endswith(b"\n"):
        ready, _, _ = select.select([stream_fd], [], [], max(0, deadline - time.monotonic()))
        check(ready, "no answer from " + what)
        chunk = os.read(stream_fd, 256)
        check(chunk, what + " ended before answering")
        data += chunk
    return data.decode().strip()


class Session:
    """Xvfb and a D-Bus session bus of our own; the AT-SPI bus is started through it."""

    def __init__(self):
        self.children = []
        try:
            self.start()
        except BaseException:
            self.close()
            raise

    def start(self):
        # The AT-SPI bus puts its socket here: a short path, as a socket's name is at most 107
        # bytes, wherever the build folder is.
        self.runtime = tempfile.mkdtemp(prefix="ombrix-a11y-")
        os.environ["XDG_RUNTIME_DIR"] = self.runtime
        read_end, write_end = os.pipe()
        self.children.append(subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
             "-nolisten", "tcp"],
            pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        os.close(write_end)
        os.environ["DISPLAY"] = ":" + read_line(read_end, "Xvfb")
        bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.children.append(bus)
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = read_line(bus.stdout.fileno(), "dbus-daemon")

    def close(self):
        for child in reversed(self.children):
            child.terminate()
            child.wait(TIMEOUT)
        shutil.rmtree(self.runtime, ignore_errors=True)


def key(*keys):
    subprocess.run(["xdotool", "key", "--delay", "50"] + list(keys), check=True)


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "20", text], check=True)


def give_focus(title):
    """What a window manager does when a window appears: gives it the keyboard. Xvfb has none."""
    found = wait_for("a window named " + title, lambda: subprocess.run(
        ["xdotool", "search", "--onlyvisible", "--name", title],
        capture_output=True, text=True).stdout.split())
    subprocess.run(["xdotool", "windowfocus", "--sync", found[-1]], check=True)


def main(ombrix, database, work):
    global pyatspi
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    session = Session()
    wizard = None
    try:
        pyatspi = importlib.import_module("pyatspi")
        desktop = pyatspi.Registry.getDesktop(0)
        environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
        wizard = subprocess.Popen([ombrix], env=environment)
        app = wait_for("the wizard on the AT-SPI bus", lambda: next(
            (a for a in desktop if a is not None and a.name == "Ombrix"), None))
        app.set_cache_mask(pyatspi.Atspi.Cache.NONE)  # read the tree as it is now, every time
        walk(app, database, work)
        print("The wizard walked through by keyboard, read through AT-SPI: passed")
    finally:
        if wizard is not None:
            wizard.terminate()
            wizard.wait(TIMEOUT)
        session.close()


def showing(acc):
    return acc.getState().contains(pyatspi.STATE_SHOWING)


def descendants(acc):
    """Every showing object below acc; hidden pages are left out, as a screen reader does."""
    for child in acc:
        if child is not None and showing(child):
            yield child
            yield from descendants(child)


def focused(app):
    """The control that has the focus. (Qt marks a list's current item focused whether or not the
    list has the focus; a screen reader follows the focus events, which name the control.)"""
    for window in app:
        if window is not None and showing(window):
            for acc in descendants(window):
                if (acc.getRoleName() != "list item"
                        and acc.getState().contains(pyatspi.STATE_FOCUSED)):
                    return acc
    return None


def key_binding(acc):
    try:
        actions = acc.queryAction()
    except NotImplementedError:
        return ""
    return actions.getKeyBinding(0) if actions.nActions else ""


def label_of(acc):
    """The name of the label that the object is labelled by, if any."""
    for relation in acc.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            return relation.getTarget(0).name
    return None


def controls(window):
    """{name: (role, key binding)} of the showing objects that take the focus, list items aside."""
    found = {}
    for acc in descendants(window):
        role = acc.getRoleName()
        if role == "list item" or not acc.getState().contains(pyatspi.STATE_FOCUSABLE):
            continue
        check(acc.name, "a %s without a name" % role)
        found[acc.name] = (role, key_binding(acc))
    return found


def items(list_acc):
    """[(name, description)] of a list's items, none of which may read out blanks or a TAB."""
    result = []
    for item in list_acc:
        check("\t" not in item.name and "  " not in item.name,
              "list item read out as %r" % item.name)
        result.append((item.name, item.description))
    return result


def find(window, name, role):
    for acc in descendants(window):
        if acc.name == name and acc.getRoleName() == role:
            return acc
    raise Failure("no %s named %r" % (role, name))


def arrive(app, name, role, description):
    """Waits for the focus to reach the named control, and checks what a screen reader says."""
    last = []

    def probe():
        acc = focused(app)
        last[:] = [acc and (acc.getRoleName(), acc.name)]
        return acc if acc is not None and (acc.getRoleName(), acc.name) == (role, name) else None

    try:
        acc = wait_for("the focus on the %s %r" % (role, name), probe)
    except Failure as failure:
        raise Failure("%s; it is on %r" % (failure, last[0]))
    check(acc.description == description,
          "%r describes itself as %r, not %r" % (name, acc.description, description))
    return acc


WINDOW_KEYS = {
    "www.ombrix.org": ("link", ""),
    "< Back": ("push button", "Alt+B"),
    "Next >": ("push button", "Alt+N"),
    "Close": ("push button", "Alt+C"),
}


def expect_controls(dialog, page_controls, next_caption="Next >"):
    expected = dict(WINDOW_KEYS, **page_controls)  # the page's own entries take precedence
    if next_caption != "Next >":
        expected[next_caption] = expected.pop("Next >")
    found = controls(dialog)
    check(found == expected, "controls %r, expected %r" % (found, expected))


def walk(app, database, work):
    dialog = wait_for("the wizard window", lambda: next(
        (w for w in app if w is not None and w.getRoleName() == "dialog" and showing(w)),
        None))
    give_focus("^Ombrix - Version")

    # Page 1: the database box, named by its question; Tab reaches the website link.
    arrive(app, "Which database would you like to use?", "text",
           "Type or drag and drop the database")
    expect_controls(dialog, {
        "Which database would you like to use?": ("text", ""),
        "Select...": ("push button", "Alt+S"),
        "< Back": ("push button", ""),  # disabled: nothing to press
    })
    type_text(database)
    box = find(dialog, "Which database would you like to use?", "text")
    wait_for("the typed path", lambda: box.queryText().getText(0, -1) == database)
    check(label_of(box) == "Which database would you like to use?", "box unlabelled")
    key("Tab", "Tab")
    arrive(app, "www.ombrix.org", "link", "Visit the website")

    # Page 2: the object list; Enter moves on from it.
    key("alt+n")
    objects = arrive(app, "Select An Object", "list",
                     "Which object would you like to use?")
    expect_controls(dialog, {"Select An Object": ("list", "")})
    check([name for name, _ in items(objects)] ==
          ["Table: Customers", "Table: Order Details", "Table: Orders", "Table: Products",
           "Query: Big orders"], "object list")
    key("Down", "Down", "Return")

    # Page 3: fields read as their names, described by their types; two are added with Space.
    available = arrive(app, "Available Fields", "list",
                       "Which fields would you like to use?")
    expect_controls(dialog, {
        "Available Fields": ("list", ""),
        "Selected Fields": ("list", ""),
        "Add the selected field": ("push button", ""),
        "Add all fields": ("push button", ""),
        "Remove the selected field": ("push button", ""),
        "Remove all fields": ("push button", ""),
    })
    check(items(available) ==
          [("OrderID", "Long"), ("CustomerID", "Long"), ("Order Date", "Date"),
           ("Ship City", "Text"), ("Freight", "Currency"), ("Notes", "Memo")],
          "fields of Orders: %r" % items(available))
    key("Tab")
    arrive(app, "Add the selected field", "push button", "")
    key("space", "space")
    selected = find(dialog, "Selected Fields", "list")
    wait_for("two selected fields", lambda: len(items(selected)) == 2)

    # Page 4, back to page 3 and on again: the keys survive the caption's changes.
    summary_description = (
        "The wizard is ready to create an Ombrix based on the following selections.")
    summary_controls = {
        "Post": ("combo box", "Down"),  # a drop-down list is named by its value, its label linked
        "Fields": ("list", ""),
    }
    key("alt+n")
    arrive(app, "Post", "combo box", summary_description)
    key("alt+b")
    arrive(app, "Available Fields", "list", "Which fields would you like to use?")
    key("alt+n")
    method = arrive(app, "Post", "combo box", summary_description)
    expect_controls(dialog, summary_controls, next_caption="Finished")
    check(label_of(method) == "Form Method:", "form method unlabelled")
    check(label_of(find(dialog, database, "label")) == "Database:",
          "database label unlinked")
    check(label_of(find(dialog, "Table: Orders", "label")) == "Object:",
          "object label unlinked")
    check(items(find(dialog, "Fields", "list")) ==
          [("OrderID", "Long"), ("CustomerID", "Long")], "summary fields")

    # "Finished" by Enter; the output window, its editor named; Ctrl+S saves.
    key("Return")
    editor = arrive(app, "Generated page", "text", "")
    output = editor.parent  # a top-level window is a frame to AT-SPI
    check((output.getRoleName(), output.name) == ("frame", "Ombrix"),
          "the editor is in a %s named %r" % (output.getRoleName(), output.name))
    check(controls(output) == {"Generated page": ("text", ""), "Save": ("push button", "Ctrl+S")},
          "output window controls %r" % controls(output))
    check(editor.queryText().getText(0, 2) == "<%", "the page in the editor")
    window_box = output.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    editor_box = editor.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    gap = window_box.y + window_box.height - (editor_box.y + editor_box.height)
    check(0 <= gap <= 8, "the editor ends %d pixels above the window's bottom" % gap)

    key("ctrl+s")
    give_focus("^Save")  # Qt's own file dialog, titled by the platform's default
    wait_for("the file name box", lambda: (
        lambda f: f is not None and f.getRoleName() == "text" and f.name != "Generated page")(
            focused(app)))
    saved = os.path.join(work, "orders")
    type_text(saved)
    key("Return")
    saved += ".asp"
    wait_for(saved, lambda: os.path.exists(saved) and os.path.getsize(saved) > 0)
    with open(saved, "rb") as page:
        check(page.read(2) == b"<%", "the saved page")


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    try:
        main(*sys.argv[1:])
    except Failure as failure:
        sys.exit("FAILED: %s" % failure)
