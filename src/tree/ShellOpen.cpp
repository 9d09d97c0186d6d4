#include "ShellOpen.h"

#include "files/PathChecks.h"
#include "files/WebAddress.h"
#include "platform/Shell.h"

#include <QFileInfo>
#include <QUrl>
#include <memory>

void ShellOpen(Shell& shell, PathChecks& checks, const QString& path, Shell::Done done) {
    if (path.isEmpty()) {
        done(false);
        return;
    }
    QString local = path;
    QUrl given;
    if (!path.startsWith(QLatin1Char('/')) && HasUrlScheme(path)) {
        given = QUrl(path);
        if (!given.isValid()) {
            done(false);
            return;
        }
        // A web address is handed over unchecked: only the opener can reach it.
        if (!given.isLocalFile()) {
            shell.open(given, std::move(done));
            return;
        }
        local = given.toLocalFile();
    }
    // Whether a local path is there is asked in the background: on a share
    // that does not answer, the answer is no.
    auto absolute = std::make_shared<QString>();
    checks.AskOne(
        local,
        [local, absolute] {
            const QFileInfo info(local);
            if (info.exists())
                *absolute = info.absoluteFilePath();
        },
        [&shell, given, absolute, done = std::move(done)](bool answered) {
            if (!answered || absolute->isEmpty()) {
                done(false);
                return;
            }
            shell.open(given.isValid() ? given : QUrl::fromLocalFile(*absolute), done);
        });
}
