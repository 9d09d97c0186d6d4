#pragma once

#include <QString>
#include <QStringView>

// Whether a node's path is a web address (http:, https: or mailto:, the
// scheme in any case) rather than a path on disk. Such a path is the
// desktop opener's to reach: it is never looked at on disk, never found
// missing, and an item pointing at one shows a web picture. Other schemes
// are not taken for one: a node keeps what it was given, and only these
// three are made by a drop or an import.
bool IsWebAddress(QStringView path);

// The label of an item made from a web address: the page's title when the
// source gave one, else the host and the path as a reader writes them
// ("example.org/docs/page"), and for a mail address the address. On one
// line, trimmed; never empty.
QString WebAddressLabel(const QString& address, const QString& title = QString());
