#include "SecondStart.h"

#include "Texts.h"
#include "platform/MessageBoxes.h"
#include "platform/RunningCopyPort.h"

namespace {
RunningCopyAnswer ask(RunningCopyPort& runningCopy, const QString& busName, const Summon& summon) {
    switch (summon.kind) {
    case Summon::Kind::Show:
        return runningCopy.ShowWindow(busName);
    case Summon::Kind::Toggle:
        return runningCopy.ToggleWindow(busName);
    case Summon::Kind::Popup:
        return runningCopy.PopupQuickList(busName);
    case Summon::Kind::Find:
        return runningCopy.Find(busName, summon.text);
    case Summon::Kind::None:
        break;
    }
    return runningCopy.SecondStart(busName);
}
}  // namespace

LoadResult SecondStart(RunningCopyPort& runningCopy, MessageBoxes& messages, const QString& busName,
                       const Summon& summon) {
    const RunningCopyAnswer answer = ask(runningCopy, busName, summon);
    if (summon.kind == Summon::Kind::None) {
        // Whatever went wrong on the way, the user learns what the program
        // always said: it is there already.
        if (answer != RunningCopyAnswer::Showed)
            messages.show(Texts::alreadyRunning(), Texts::programTitle(), MsgButtons::Ok,
                          MsgIcon::None);
        return {false, 0, {}};
    }
    // A switch comes from a script, a terminal or a desktop shortcut: no
    // box, an exit status and a line to say what failed.
    if (answer == RunningCopyAnswer::Unreachable)
        return {false, 1, Texts::runningCopyUnreachable(runningCopy.UnreachableReason())};
    return {false, 0, {}};
}
