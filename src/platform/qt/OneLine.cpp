#include "OneLine.h"

#include <algorithm>

QString OneLine(const QString& text) {
    const auto control = [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; };
    if (std::none_of(text.begin(), text.end(), control))
        return text;
    QString shown = text;
    for (QChar& c : shown) {
        if (c.unicode() == 0x7f)
            c = QChar(0x2421);  // SYMBOL FOR DELETE
        else if (c.unicode() < 0x20)
            c = QChar(0x2400 + c.unicode());  // the control pictures
    }
    return shown;
}
