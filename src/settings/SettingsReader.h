#pragma once

#include <QByteArrayView>

#include <functional>

class NodeTree;
class SettingsSink;

// Applies the bytes of a settings file, line by line in the encoding of
// each (see SettingsLine.h): key lines to the sink, "Node=" lines
// to the tree (appended after whatever it holds), "QLI=" lines to the sink's
// quick list, the lines of our own "[Varnel]" section to the sink as they
// are. Never fails: lines it cannot make sense of are skipped, and a node
// whose parent cannot be found is kept at the top level. A path field in
// double quotes loses them (see PathQuotes.h).
//
// Returns how many lines no settings file holds: lines with a key it does
// not know, other sections, anything without a key but blank lines. A file
// with such lines was not written by us (a link to some document, a file of
// garbage): the caller must not replace it as if it were its own.
int ReadSettingsText(QByteArrayView bytes, SettingsSink& sink, NodeTree& tree);

// The same for a file's bytes in pieces of any size, in order, as next gives
// them until it gives an empty one: a line cut between two pieces is read
// once its end has come, so that no copy of the whole file is needed.
int ReadSettingsPieces(const std::function<QByteArrayView()>& next, SettingsSink& sink,
                       NodeTree& tree);
