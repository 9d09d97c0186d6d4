#pragma once

#include <QString>

class MessageBoxes;

// A settings file this run could not use (unreadable, or nothing in it that
// a settings file holds) is never replaced or deleted: before the first write
// it is moved aside under a name no earlier copy holds (Varnel.INI.unread,
// .unread.2, ...), and the user is told where it went. While it cannot be
// moved, nothing is written.
class UnreadSettingsGuard {
public:
    UnreadSettingsGuard(const QString& path, MessageBoxes& messages)
        : path_(path), messages_(messages) {}

    void Refuse() { refused_ = true; }
    void Accept() { refused_ = false; }
    // Whether a write may go ahead; moves a refused file aside first. While
    // the session ends nobody is there to read a box: the log says it then.
    bool ClearForWriting(bool sessionEnding);

private:
    QString freshAsideName() const;

    QString path_;
    MessageBoxes& messages_;
    bool refused_ = false;
    bool toldOfFailure_ = false;
};
