#include "HoverHelp.h"

#include "model/NodeTree.h"
#include "platform/MainWindowPort.h"

QString HoverHelp::forNode(const TreeNode* node) {
    return !node ? tree() : node->IsFolder() ? folder() : item();
}

void HoverHelp::Show(StatusBarPort& bar, const QString& hint) {
    if (bar.text() != hint)
        bar.setText(hint);
}
