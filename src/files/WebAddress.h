#pragma once

#include <QStringView>

// Whether a node's path is a web address (http:, https: or mailto:, the
// scheme in any case) rather than a path on disk. Such a path is the
// desktop opener's to reach: it is never looked at on disk, never found
// missing, and an item pointing at one shows a web picture. Other schemes
// are not taken for one: a node keeps what it was given, and only these
// three are made by a drop or an import.
bool IsWebAddress(QStringView path);
