#pragma once

#include <QString>

class NodeTree;
class SettingsSink;

// Applies the text of a settings file: key lines to the sink, "Node=" lines
// to the tree (appended after whatever it holds), "QLI=" lines to the sink's
// quick list. Never fails: lines it cannot make sense of are skipped, and a
// node whose parent cannot be found is kept at the top level.
//
// Returns how many lines it recognised: lines with a key it knows, whether
// or not their value could be used, and the "[QuickList]" line. A file that
// is not empty but in which nothing was recognised is no settings file (a
// link to some document, a file of garbage): the caller must not replace it
// as if it had held empty settings.
int ReadSettingsText(const QString& text, SettingsSink& sink, NodeTree& tree);
