#pragma once

#include <QDBusConnection>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// A session bus of the test's own: a dbus-daemon that knows no services to
// start, so nothing installed on the machine (a real desktop portal) can
// answer in place of the test's stand-ins.
class PrivateBus {
public:
    PrivateBus() {
        QFile config(dir_.filePath(QStringLiteral("bus.conf")));
        if (!dir_.isValid() || !config.open(QIODevice::WriteOnly))
            return;
        config.write(QStringLiteral(R"(<!DOCTYPE busconfig PUBLIC
 "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=%1</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)")
                         .arg(dir_.path())
                         .toUtf8());
        config.close();
        daemon_.start(
            QStringLiteral("dbus-daemon"),
            {QStringLiteral("--config-file=") + config.fileName(), QStringLiteral("--nofork"),
             QStringLiteral("--nopidfile"), QStringLiteral("--print-address=1")});
        // The daemon's own start takes real time; bounded, and a failure says so.
        if (daemon_.waitForStarted(10000) && daemon_.waitForReadyRead(10000))
            address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    }
    ~PrivateBus() {
        for (const QString& name : names_)
            QDBusConnection::disconnectFromBus(name);
        daemon_.terminate();
        if (!daemon_.waitForFinished(5000))
            daemon_.kill();
    }
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    bool started() const { return !address_.isEmpty(); }
    QString why() const { return daemon_.errorString(); }

    // A fresh connection, a new peer on the bus.
    QDBusConnection connect() {
        const QString name = QStringLiteral("peer-%1").arg(names_.size());
        names_.append(name);
        return QDBusConnection::connectToBus(address_, name);
    }
    // Ends a peer: the names it owns are free again.
    static void disconnect(const QDBusConnection& peer) {
        QDBusConnection::disconnectFromBus(peer.name());
    }

private:
    QTemporaryDir dir_;
    QProcess daemon_;
    QString address_;
    QStringList names_;
};
