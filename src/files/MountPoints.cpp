#include "MountPoints.h"

#include <QFile>

namespace {
// The list writes a blank, a TAB, a newline and a backslash in a path as
// three octal digits after a backslash.
QString unescaped(const QByteArray& field) {
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok && code < 256) {
                out += char(code);
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return QString::fromUtf8(out);
}
}  // namespace

QStringList ReadMountPoints() {
    QStringList points;
    QFile list(QStringLiteral("/proc/self/mountinfo"));
    if (!list.open(QIODevice::ReadOnly))
        return {QStringLiteral("/")};
    // Each line: id, parent id, device, root, mount point, ...
    for (const QByteArray& line : list.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() > 4)
            points << unescaped(fields[4]);
    }
    return points;
}

QString MountOf(const QString& path, const QStringList& mountPoints) {
    QString best = QStringLiteral("/");
    for (const QString& point : mountPoints) {
        // Where the point would end in the path, a folder must end too: a
        // test of one character that turns most mount points away at once.
        const qsizetype end = point.size();
        if (end <= best.size() || end > path.size() ||
            (end < path.size() && path.at(end) != QLatin1Char('/')))
            continue;
        if (path.startsWith(point))
            best = point;
    }
    return best;
}
