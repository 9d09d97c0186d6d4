// File addresses dragged from other programs, as the tree is offered them:
// the path each names on this machine, in its own bytes.
#include "WarningsFail.h"
#include "platform/TreeDropEvents.h"
#include "platform/qt/tree/ShellDropController.h"

#include <QDropEvent>
#include <QMimeData>
#include <QSysInfo>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestQtShellDrop : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // This machine is no host, "localhost" or its own name; an address of
    // another machine, or an escaped "/" that no name can hold, is no path
    // here. Bytes that are not UTF-8 and escaped control characters come as
    // they are, for the logic to refuse; blanks around a name stay.
    void addressesBecomeThePathsTheyName() {
        const QByteArray here = QUrl::toPercentEncoding(QSysInfo::machineHostName());
        const QByteArray list =
            "file://localhost/etc/hosts\r\n"
            "file://" +
            here +
            "/etc/hosts\r\n"
            "file://elsewhere.example/etc/hosts\r\n"
            "file:///tmp/bad%FF.txt\r\n"
            "file:///tmp/a%00b%09c%0Ad\r\n"
            "file:///tmp/a%2Fb\r\n"
            "file:///tmp/%20name%20\r\n";
        QMimeData data;
        data.setData(u"text/uri-list"_s, list);
        const QDropEvent drop(QPointF(), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCOMPARE(ShellDropController::decode(drop).paths,
                 (QStringList{u"/etc/hosts"_s, u"/etc/hosts"_s, u"/tmp/bad\xdcff.txt"_s,
                              u"/tmp/a"_s + QChar(u'\0') + u"b\tc\nd"_s, u"/tmp/ name "_s}));
    }
};

QTEST_MAIN(TestQtShellDrop)
#include "test_qt_shell_drop.moc"
