#!/usr/bin/env python3
"""Writes a Varnel.INI whose tree holds NODES nodes made from real files.

    bench/make_tree_ini.py NODES OUTPUT

The tree mirrors real directories of this machine (/usr/share, /usr/lib,
/etc, /usr/include, ...): each root is an open top-level folder, each
directory below it a folder node under its parent's, so folders nest as
deep as the disk does (up to MAX_DEPTH below each root), and each holds a
few of its files as items, chosen so that as many file kinds as possible
appear (extensions not seen yet first, names without an extension among
them). One folder in twenty is open. When the roots run out before NODES,
they are walked again, as top-level folders labelled "share (2)" and so on.

Items carry a stale icon index as their image (a number, as an earlier run
wrote it), so each is looked up anew; one in ten says "leaf". One item in
fifty and one folder in a hundred point at a path that does not exist. The
same NODES give the same file on the same machine. Prints what it wrote on
standard error: nodes, folders, items, missing paths, distinct extensions.
"""
import os
import sys

ROOTS = ["/usr/share", "/usr/lib", "/etc", "/usr/include", "/usr/bin", "/usr/src", "/var/lib"]
MAX_DEPTH = 7
ITEMS_PER_FOLDER = 3


def bad(text):
    """Fields cannot hold TAB or line breaks, and the file is UTF-8."""
    if any(c in text for c in "\t\r\n"):
        return True
    try:
        text.encode("utf-8")
    except UnicodeEncodeError:
        return True
    return text != text.strip(" ")


def directories(root):
    """(path, depth, file names) in walk order, sorted for repeatable files."""
    base = root.rstrip("/").count("/")
    for path, subdirs, files in os.walk(root, onerror=lambda error: None):
        depth = path.count("/") - base
        subdirs[:] = sorted(d for d in subdirs if depth < MAX_DEPTH and not bad(d))
        yield path, depth, sorted(f for f in files if not bad(f))


def extension(name):
    stem, dot, ext = name.rpartition(".")
    return ext.lower() if dot and stem else ""


class Tree:
    def __init__(self, limit):
        self.limit = limit
        self.lines = []
        self.seen_kinds = set()
        self.folders = self.items = self.missing = 0

    def full(self):
        return len(self.lines) >= self.limit

    def add(self, label, path, image, expanded_image, parent, expanded=False):
        self.lines.append(
            "Node=%s\t%s\t%s\t%s\t%s\t%d\t%s"
            % (label, path, image, expanded_image, expanded, parent, "False")
        )
        return len(self.lines)

    def folder(self, label, path, parent):
        self.folders += 1
        if self.folders % 100 == 0:
            path += "-gone"
            self.missing += 1
        # The top-level folders and a few others are open, as a user leaves them.
        return self.add(label, path, "closed", "open", parent, parent == 0 or self.folders % 20 == 0)

    def item(self, directory, name, parent):
        self.items += 1
        path = os.path.join(directory, name)
        if self.items % 50 == 0:
            path += ".gone"
            self.missing += 1
        image = "leaf" if self.items % 10 == 0 else str(4 + self.items % 37)
        self.add(name, path, image, "", parent)

    def pick(self, files):
        """A few files of the folder, kinds not met before first."""
        fresh = [f for f in files if extension(f) not in self.seen_kinds]
        chosen = (fresh + [f for f in files if f not in fresh])[:ITEMS_PER_FOLDER]
        self.seen_kinds.update(extension(f) for f in chosen)
        return chosen

    def walk(self, root, round_):
        lines_of = {}
        for path, depth, files in directories(root):
            if self.full():
                return
            parent = 0 if depth == 0 else lines_of.get(os.path.dirname(path))
            if parent is None:
                continue
            label = os.path.basename(path)
            if depth == 0 and round_ > 1:
                label = "%s (%d)" % (label, round_)
            here = self.folder(label, path, parent)
            lines_of[path] = here
            for name in self.pick(files):
                if self.full():
                    return
                self.item(path, name, here)


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: make_tree_ini.py NODES OUTPUT")
    limit, output = int(sys.argv[1]), sys.argv[2]
    tree = Tree(limit)
    round_ = 0
    while not tree.full():
        round_ += 1
        before = len(tree.lines)
        for root in ROOTS:
            if os.path.isdir(root):
                tree.walk(root, round_)
        if len(tree.lines) == before:
            sys.exit("no readable directories under " + " ".join(ROOTS))
    with open(output, "w", encoding="utf-8", newline="") as out:
        out.write("Path=False\r\n")
        for line in tree.lines:
            out.write(line + "\r\n")
    print(
        "%s: %d nodes, %d folders, %d items, %d missing paths, %d extensions"
        % (output, len(tree.lines), tree.folders, tree.items, tree.missing, len(tree.seen_kinds)),
        file=sys.stderr,
    )


if __name__ == "__main__":
    main()
