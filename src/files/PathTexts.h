#pragma once

#include <QString>

// What the user is told of a path that Varnel cannot keep or name as it is.
namespace PathTexts {
inline QString refusedTitle() {
    return QStringLiteral("Path Error");
}
// count paths, of which the lines name the first few.
inline QString notAdded(qsizetype count, const QString& lines) {
    return count == 1 ? QStringLiteral(
                            "This path was not added, because Varnel could not keep "
                            "it as it is:\n\n%1")
                            .arg(lines)
                      : QStringLiteral(
                            "These %1 paths were not added, because Varnel could not "
                            "keep them as they are:\n\n%2")
                            .arg(count)
                            .arg(lines);
}
inline QString andMore(qsizetype count) {
    return QStringLiteral("and %1 more").arg(count);
}
inline QString notTextReason() {
    return QStringLiteral(
        "A name that is not valid UTF-8 text would be kept as another name, which names another "
        "file or none.");
}
inline QString breaksRecordReason() {
    return QStringLiteral(
        "A tab, a line break or a NUL character cannot be kept in the settings file.");
}
// Told in the status bar, once: a share that stopped answering.
inline QString notAnswering(const QString& mount) {
    return QStringLiteral("%1 does not answer: what lies on it shows as unknown until it does.")
        .arg(mount);
}
// A node's tooltip when its path was not found, or its share did not answer.
inline QString notFound(const QString& path) {
    return QStringLiteral("Not found: %1").arg(path);
}
inline QString unanswered(const QString& path) {
    return QStringLiteral("Unknown, its share does not answer: %1").arg(path);
}
inline QString notAnsweringReason() {
    return QStringLiteral("The share a path lies on did not answer when asked what it is.");
}
inline QString cannotOpen(const QString& path) {
    return QStringLiteral("%1 cannot be opened: its name is not valid UTF-8 text.").arg(path);
}
}  // namespace PathTexts
