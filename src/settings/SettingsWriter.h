#pragma once

#include "SettingsValues.h"
#include "model/QuickEntry.h"

#include <QByteArray>

class NodeTree;

// The whole settings file as it is written: the key lines, one "Node=" line
// per node in document order, the quick list, then our own "[Varnel]"
// section as it was read. UTF-8 with CRLF. A path the reader would trim
// differently goes in double quotes (see PathQuotes.h). Keys are only ever
// transient labels: no node carries one afterwards.
QByteArray WriteSettingsText(const SettingsValues& values, NodeTree& tree,
                             const QuickEntries& quickList);
