#pragma once

#include <QByteArrayView>

// Whether the bytes of a settings file that changed while the program ran
// may replace the tree read before: a file caught while another program was
// still writing it, or left cut short by a crash, must not take the place
// of a whole tree. We write every file whole and in one order, so a whole
// one has text, ends with a line end, holds the key lines up to "DirVis="
// (all come first), does not end with a section's name (the quick list and
// our own section are never written empty), and has nothing a settings file
// does not hold. A file cut exactly at a line end among its "Node=" or
// "QLI=" lines cannot be told from a smaller whole one.
bool IsWholeSettingsFile(QByteArrayView bytes);
