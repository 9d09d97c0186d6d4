#include "QtShell.h"

#include <QDesktopServices>

void QtShell::open(const QUrl& url, Done done) {
    done(QDesktopServices::openUrl(url));
}
