#!/usr/bin/env python3
"""Reads Varnel's main window through the accessibility bus, as a screen
reader does, and prints what it found, one fact a line:

  control ROLE NAME    each named control of the window
  tree TEXT            the tree's nodes, children in brackets after their folder
  links ok|BROKEN...   whether every node's parent and index agree with the walk
  focused NAME         the node that says it has the focus
  toggled STATE        the first folder's state after the reader's own "toggle"
"""
import time

import pyatspi
from gi.repository import GLib


def find_app():
    desktop = pyatspi.Registry.getDesktop(0)
    deadline = time.monotonic() + 20
    while time.monotonic() < deadline:
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name.lower() == "varnel" and app.childCount:
                return app
        time.sleep(0.1)
    raise SystemExit("Varnel is not on the accessibility bus")


def children(acc):
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child is not None:
            yield i, child


def controls(acc, depth=0):
    # The browser lists' entries and the tree's nodes are no controls.
    role = acc.getRoleName()
    if acc.name and role in ("combo box", "list", "tree", "label", "status bar", "text"):
        print("control %s %s" % (role.replace(" ", "-"), acc.name))
    if role in ("combo box", "list", "tree") or depth > 4:
        return
    for _, child in children(acc):
        controls(child, depth + 1)


def find(acc, role):
    if acc.getRoleName() == role:
        return acc
    for _, child in children(acc):
        found = find(child, role)
        if found is not None:
            return found
    return None


broken = []
focused = []


def nested(acc):
    texts = []
    for i, child in children(acc):
        if child.getIndexInParent() != i or child.parent != acc:
            broken.append(child.name)
        if child.getState().contains(pyatspi.STATE_FOCUSED):
            focused.append(child.name)
        inner = nested(child)
        texts.append(child.name + ("[%s]" % inner if inner else ""))
    return ",".join(texts)


def states(acc):
    s = acc.getState()
    return ",".join(n for n in ("expanded", "collapsed") if s.contains(getattr(pyatspi, "STATE_" + n.upper())))


app = find_app()
controls(app)
tree = find(app, "tree")
print("tree %s" % nested(tree))
print("links %s" % ("ok" if not broken else "BROKEN " + ",".join(broken)))
print("focused %s" % ",".join(focused))

folder = tree.getChildAtIndex(0)
action = folder.queryAction()
names = [action.getName(i).lower() for i in range(action.nActions)]
action.doAction(names.index("toggle"))
deadline = time.monotonic() + 5
while "expanded" not in states(folder) and time.monotonic() < deadline:
    GLib.MainContext.default().iteration(False)
    time.sleep(0.05)
print("toggled %s" % states(folder))
