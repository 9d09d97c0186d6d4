#include "OneLine.h"

#include <algorithm>

namespace {
bool IsControl(QChar c) {
    return c.unicode() < 0x20 || c.unicode() == 0x7f;
}
}  // namespace

QString OneLine(const QString& text) {
    const auto odd = [](QChar c) { return IsControl(c) || c.isSurrogate(); };
    if (std::none_of(text.begin(), text.end(), odd))
        return text;
    QString shown = text;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const QChar c = shown[i];
        if (c.isHighSurrogate() && i + 1 < shown.size() && shown[i + 1].isLowSurrogate())
            ++i;  // a character beyond the first plane, whole
        else if (c.isSurrogate())
            shown[i] = QChar::ReplacementCharacter;
        else if (c.unicode() == 0x7f)
            shown[i] = QChar(0x2421);  // SYMBOL FOR DELETE
        else if (IsControl(c))
            shown[i] = QChar(0x2400 + c.unicode());  // the control pictures
    }
    return shown;
}
