#pragma once

#include <QString>

class NodeTree;
class SettingsSink;

// Applies the text of a settings file: key lines to the sink, "Node=" lines
// to the tree (appended after whatever it holds), "QLI=" lines to the sink's
// quick list. Never fails: lines it cannot make sense of are skipped, and a
// node whose parent cannot be found is kept at the top level.
void ReadSettingsText(const QString& text, SettingsSink& sink, NodeTree& tree);
