#pragma once

#include <QString>
#include <QStringList>

class MessageBoxes;

// Why a path cannot be a node's path as it is.
enum class PathFault {
    None,
    NotText,       // a name that was not UTF-8 (NameBytes.h): stored, it names another file
    BreaksRecord,  // a NUL, TAB, CR or LF, which the settings file cannot hold
};

PathFault FaultOf(const QString& path);

// The paths that one gesture (a copy, a drop of many files) could not keep,
// told in one message box once it is done, however many there were. Those
// that can be kept are the caller's to add.
class PathRefusals {
public:
    // Whether the path can be kept as it is; when not, it is noted.
    bool Keeps(const QString& path);
    // Notes a path whose share did not answer when asked about it.
    void Unanswered(const QString& path);
    // One box naming the first of the paths refused and why; none when no
    // path was.
    void Tell(MessageBoxes& messages) const;

private:
    QStringList lines_;  // the first refused, as a line shows them
    qsizetype count_ = 0;
    bool notText_ = false;
    bool breaksRecord_ = false;
    bool unanswered_ = false;
};
