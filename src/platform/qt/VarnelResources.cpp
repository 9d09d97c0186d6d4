#include "VarnelResources.h"

// Q_INIT_RESOURCE must be used outside any namespace.
static void initResourcesOnce() {
    Q_INIT_RESOURCE(varnel);
}

void initVarnelResources() {
    static const bool done = [] {
        initResourcesOnce();
        return true;
    }();
    Q_UNUSED(done);
}

QIcon programIcon() {
    initVarnelResources();
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/varnel-22.png"));
    icon.addFile(QStringLiteral(":/icons/varnel-32.png"));
    icon.addFile(QStringLiteral(":/icons/varnel-64.png"));
    return icon;
}
