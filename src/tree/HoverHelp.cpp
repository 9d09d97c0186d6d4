#include "HoverHelp.h"

#include "platform/MainWindowPort.h"

void HoverHelp::Show(StatusBarPort& bar, const QString& hint) {
    if (bar.text() != hint)
        bar.setText(hint);
}
