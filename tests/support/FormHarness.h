#pragma once

#include "FakePlatform.h"
#include "app/FrmVarnel.h"

#include <QTemporaryDir>
#include <memory>

// A main window over the scriptable platform, with its program directory and
// settings file in a fresh temporary directory (or one given).
struct FormHarness {
    explicit FormHarness(const QString& directory = QString());

    // Writes the settings file as given (lines joined with CRLF).
    void writeSettings(const QStringList& lines) const;
    QStringList settingsLines() const;  // the file's lines, without line ends
    QByteArray settingsBytes() const;
    bool settingsExist() const;

    // Start-up; then the first left click on the tray icon reads the
    // settings and shows the window.
    void load();
    void loadAndShow();
    void click(int mouseMessage) { form->tray().trayNotify(0, mouseMessage); }
    // Sets the clock forward.
    void wait(qint64 milliseconds) { fake.clock.advance(milliseconds); }

    std::unique_ptr<QTemporaryDir> temp;
    AppPaths paths;
    FakePlatform fake;
    std::unique_ptr<FrmVarnel> form;
};
