#include "VirtualClock.h"
#include "platform/qt/QtShell.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
// Stands in for xdg-open: notes its arguments, each ended by a NUL, waits
// while "hold" is there, then ends with $STAND_IN_STATUS or dies of a kill.
constexpr char standIn[] =
    "#!/bin/sh\n"
    "printf '%s\\0' \"$@\" >> \"${0%/*}/args\"\n"
    "while [ -e \"${0%/*}/hold\" ]; do /bin/sleep 0.05; done\n"
    "[ \"$STAND_IN_STATUS\" = kill ] && kill -KILL $$\n"
    "exit \"$STAND_IN_STATUS\"\n";
constexpr int slow = 30000;  // only an upper bound for a real process
}  // namespace

class TestQtShell : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        // A shell that ever read the URL would run its commands here, in our directory.
        QVERIFY(dir_.isValid() && QDir(dir_.path()).mkdir(u"bin"_s));
        QVERIFY(QDir::setCurrent(dir_.path()));
        qputenv("PATH", QFile::encodeName(bin({})));  // nothing else: no real xdg-open
    }
    void init() {
        QTest::failOnWarning(QRegularExpression(u"."_s));  // all but those expected below
        answers_.clear();
        QFile::remove(bin(u"args"_s));
        QVERIFY(writeOpener(standIn));
        qputenv("STAND_IN_STATUS", "0");
    }

    void oddNamesArriveAsOneExactArgument() {
        QtShell shell(clock_);
        for (const QString& name : {u"it's \"quoted\""_s, u"$(touch pwned)"_s, u"-leading"_s,
                                    u"new\nline"_s, u"#hash?q 100%25"_s, u"ünï"_s}) {
            const QString path = dir_.filePath(name);
            init();
            shell.open(QUrl::fromLocalFile(path), record_);
            QTRY_COMPARE_WITH_TIMEOUT(answers_, QList<bool>{true}, slow);
            const QStringList arguments = argumentsSeen();
            // Printable ASCII only, no blank: xdg-open is a shell script, and not all of it quotes.
            QVERIFY(arguments.size() == 1 &&
                    arguments[0].contains(QRegularExpression(u"^[!-~]+$"_s)));
            QCOMPARE(QUrl(arguments[0]).toLocalFile(), path);
        }
        QVERIFY(!QFile::exists(dir_.filePath(u"pwned"_s)));
    }

    void theOpenersEndIsTheAnswer() {
        const struct {
            const char* script;  // none: no opener
            const char* status;
            bool opened;
            const char* warning;
        } cases[] = {
            {standIn, "3", false, "ended with status 3 opening https://example.org/"},
            {standIn, "kill", false, "crashed opening"},
            {nullptr, "0", false, "could not start for .*: xdg-open is not on PATH"},
        };
        QtShell shell(clock_);
        for (const auto& c : cases) {
            answers_.clear();
            qputenv("STAND_IN_STATUS", c.status);
            QVERIFY(writeOpener(c.script));
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QLatin1String(c.warning)));
            shell.open(QUrl(u"https://example.org/"_s), record_);
            QTRY_COMPARE_WITH_TIMEOUT(answers_, QList<bool>{c.opened}, slow);
            QTRY_COMPARE_WITH_TIMEOUT(shell.openersRunning(), 0, slow);
        }
    }

    // Still running after a while is as good as opened, and its later end
    // is no news.
    void anOpenerStillRunningHasOpened() {
        QFile hold(bin(u"hold"_s));
        QVERIFY(hold.open(QIODevice::WriteOnly));
        qputenv("STAND_IN_STATUS", "4");
        QtShell shell(clock_);
        shell.open(QUrl::fromLocalFile(dir_.path()), record_);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(bin(u"args"_s)), slow);  // running for sure
        clock_.advance(QtShell::StillRunningMeansOpenedMs);
        QVERIFY(hold.remove());
        QTRY_COMPARE_WITH_TIMEOUT(shell.openersRunning(), 0, slow);
        QCOMPARE(answers_, QList<bool>{true});
    }

private:
    QString bin(const QString& name) const { return dir_.filePath(u"bin/"_s + name); }
    bool writeOpener(const char* script) {
        QFile file(bin(u"xdg-open"_s));
        file.remove();
        return !script || (file.open(QIODevice::WriteOnly) && file.write(script) > 0 &&
                           file.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
    }
    QStringList argumentsSeen() const {
        QFile file(bin(u"args"_s));
        return file.open(QIODevice::ReadOnly)
                   ? QString::fromUtf8(file.readAll()).split(QChar(0), Qt::SkipEmptyParts)
                   : QStringList();
    }

    QTemporaryDir dir_;
    VirtualClock clock_;
    QList<bool> answers_;
    const Shell::Done record_ = [this](bool opened) { answers_.append(opened); };
};

QTEST_MAIN(TestQtShell)
#include "test_qt_shell.moc"
