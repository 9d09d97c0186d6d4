#include "FormHarness.h"

#include <QFile>

FormHarness::FormHarness(const QString& directory) {
    QString dir = directory;
    if (dir.isEmpty()) {
        temp = std::make_unique<QTemporaryDir>();
        dir = temp->path();
    }
    paths.programDir = dir;
    paths.settingsPath = dir + QStringLiteral("/Varnel.INI");
    paths.lockPath = dir + QStringLiteral("/Varnel.lock");
    paths.stateDir = dir + QStringLiteral("/state/varnel");
    paths.busName = QStringLiteral("org.varnel.Varnel");
    paths.autostartFile = dir + QStringLiteral("/config/autostart/varnel.desktop");
    paths.startCommand = {QStringLiteral("/usr/bin/varnel")};
    paths.gtkBookmarks = dir + QStringLiteral("/gtk-3.0/bookmarks");
    paths.kdePlaces = dir + QStringLiteral("/user-places.xbel");
    paths.homeFolder = dir;
    form = std::make_unique<FrmVarnel>(fake.platform(), paths);
}

void FormHarness::writeSettings(const QStringList& lines) const {
    QFile file(paths.settingsPath);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write the settings file");
    for (const QString& line : lines)
        file.write(line.toUtf8() + "\r\n");
}

QByteArray FormHarness::settingsBytes() const {
    QFile file(paths.settingsPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QStringList FormHarness::settingsLines() const {
    QStringList lines = QString::fromUtf8(settingsBytes()).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

bool FormHarness::settingsExist() const {
    return QFile::exists(paths.settingsPath);
}

void FormHarness::load() {
    if (!form->Form_Load().runs)
        qFatal("start-up refused");
}

void FormHarness::loadAndShow() {
    load();
    click(TrayLeftUp);
}
