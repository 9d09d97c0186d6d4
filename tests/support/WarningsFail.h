#pragma once

#include <QObject>
#include <QRegularExpression>
#include <QTest>

// A test class whose every test fails on a warning it did not expect with
// QTest::ignoreMessage: the program logs each failure it meets, so an
// unexpected warning is a fault somewhere. Only what the offscreen platform
// says of itself (it has no window manager, keyboard grab or tray) is let
// pass.
class WarningsFail : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        QTest::failOnWarning(QRegularExpression(
            QStringLiteral("^(?!This plugin does not support|QObject::connect: No such signal "
                           "QPlatformNativeInterface::systemTrayWindowChanged)")));
    }
};
