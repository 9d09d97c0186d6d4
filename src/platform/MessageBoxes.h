#pragma once

#include <QString>

enum class MsgButtons { Ok, RetryCancel };
enum class MsgIcon { None, Exclamation, Stop };
enum class MsgAnswer { Ok, Retry, Cancel };

// Modal message boxes: show() returns once the user has chosen.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MsgAnswer show(const QString& text, const QString& title, MsgButtons buttons,
                           MsgIcon icon) = 0;
};
