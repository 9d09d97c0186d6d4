#include "KeptPaths.h"

#include "NameBytes.h"
#include "OneLine.h"
#include "PathTexts.h"
#include "platform/MessageBoxes.h"
#include "settings/ValueBlanks.h"

#include <algorithm>

namespace {
// A box that still fits on the screen: the rest are counted.
constexpr qsizetype NamedAtMost = 10;

// What the settings file would write as a blank, and the NUL that would
// end the path early wherever it is handed on.
bool Unstorable(QChar c) {
    return c == u'\0' || BreaksRecord(c);
}
}  // namespace

PathFault FaultOf(const QString& path) {
    if (!IsText(path))
        return PathFault::NotText;
    if (std::any_of(path.begin(), path.end(), Unstorable))
        return PathFault::BreaksRecord;
    return PathFault::None;
}

bool PathRefusals::Keeps(const QString& path) {
    const PathFault fault = FaultOf(path);
    if (fault == PathFault::None)
        return true;
    if (++count_ <= NamedAtMost)
        lines_ << OneLine(path);
    (fault == PathFault::NotText ? notText_ : breaksRecord_) = true;
    return false;
}

void PathRefusals::Unanswered(const QString& path) {
    if (++count_ <= NamedAtMost)
        lines_ << OneLine(path);
    unanswered_ = true;
}

void PathRefusals::Tell(MessageBoxes& messages) const {
    if (count_ == 0)
        return;
    QStringList lines = lines_;
    if (count_ > NamedAtMost)
        lines << PathTexts::andMore(count_ - NamedAtMost);
    QString text = PathTexts::notAdded(count_, lines.join(QLatin1Char('\n')));
    if (notText_)
        text += QStringLiteral("\n\n") + PathTexts::notTextReason();
    if (breaksRecord_)
        text += QStringLiteral("\n\n") + PathTexts::breaksRecordReason();
    if (unanswered_)
        text += QStringLiteral("\n\n") + PathTexts::notAnsweringReason();
    messages.show(text, PathTexts::refusedTitle(), MsgButtons::Ok, MsgIcon::Exclamation);
}
