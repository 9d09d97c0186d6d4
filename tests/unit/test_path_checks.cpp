#include "FakePlatform.h"
#include "WarningsFail.h"
#include "files/PathChecks.h"
#include "files/WebAddress.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
struct Checks {
    VirtualClock clock;
    FakeBackgroundWork work;
    QStringList told;
    QList<qsizetype> asked;
    std::vector<std::vector<bool>> answers;
    PathChecks checks{work, clock, [this](const QString& mount) { told << mount; },
                      [] {
                          return QStringList{u"/"_s, u"/mnt/dead"_s, u"/mnt/live"_s};
                      }};

    void ask(const QStringList& paths, std::function<void()> during = {}) {
        checks.Ask(
            paths,
            [this, during](qsizetype i) {
                asked << i;
                if (during)
                    during();
            },
            [this](const std::vector<bool>& answered) { answers.push_back(answered); });
    }
};
}  // namespace

class TestPathChecks : public WarningsFail {
    Q_OBJECT

private Q_SLOTS:
    // Two seconds without progress and a mount does not answer: its paths
    // are unknown at once, the user hears of it once, and no thread is
    // started for it until the one that hangs has come back and half a
    // minute has passed. Other mounts are answered meanwhile.
    void aMountThatStopsAnsweringIsLeftAloneUntilItsThreadComesBack() {
        Checks c;
        c.work.hold = true;
        QTest::ignoreMessage(QtWarningMsg, "/mnt/dead does not answer");
        c.ask({u"/mnt/dead/a"_s, u"/mnt/live/b"_s, u"/mnt/dead/c"_s});
        QCOMPARE(c.work.held.size(), 2u);
        QVERIFY(c.work.release(1) && c.answers.empty());
        c.clock.advance(PathChecks::DeadlineMs);
        QCOMPARE(c.answers, (std::vector<std::vector<bool>>{{false, true, false}}));
        QCOMPARE(c.told, QStringList{u"/mnt/dead"_s});

        c.ask({u"/mnt/dead/x"_s});
        QVERIFY(c.work.held.size() == 1 && c.answers.size() == 1);  // not from within Ask
        c.clock.advance(0);
        QCOMPARE(c.answers.back(), std::vector<bool>{false});
        c.clock.advance(PathChecks::RememberedMs);
        c.ask({u"/mnt/dead/y"_s});
        c.clock.advance(0);
        QCOMPARE(c.answers.back(), std::vector<bool>{false});  // still hangs

        QVERIFY(c.work.release(0));
        QCOMPARE(c.asked, QList<qsizetype>{1});  // the rest of a given-up share is not asked
        c.clock.advance(PathChecks::RememberedMs);
        c.ask({u"/mnt/dead/z"_s});
        QVERIFY(c.work.release(0));
        QCOMPARE(c.answers.back(), std::vector<bool>{true});
        c.ask({u"/mnt/dead/z"_s});
        c.clock.advance(PathChecks::DeadlineMs);
        QCOMPARE(c.told.size(), 1);
    }

    // A mount that is slow but keeps answering is waited for, however long
    // the whole question takes.
    void aSlowMountThatKeepsAnsweringIsWaitedFor() {
        Checks c;
        c.ask({u"/mnt/live/a"_s, u"/mnt/live/b"_s, u"/mnt/live/c"_s},
              [&c] { c.clock.advance(PathChecks::DeadlineMs * 3 / 4); });
        QCOMPARE(c.answers, (std::vector<std::vector<bool>>{{true, true, true}}));
        QVERIFY(c.told.isEmpty());
    }

    // At most two threads ask one mount; the next starts as one ends. A
    // path belongs to the longest mount point above it, by whole names.
    void eachMountHasAtMostTwoThreads() {
        Checks c;
        c.work.hold = true;
        for (const QString& path : {u"/mnt/live/a"_s, u"/mnt/live"_s, u"/mnt/live/c"_s})
            c.ask({path});
        c.ask({u"/mnt/livex/d"_s});
        QCOMPARE(c.work.held.size(), 3u);
        QVERIFY(c.work.release(0));
        QCOMPARE(c.work.held.size(), 3u);
        while (c.work.release(0)) {
        }
        QCOMPARE(c.answers.size(), 4u);
        QCOMPARE(MountOf(u"/mnt/livex/d"_s, {u"/"_s, u"/mnt/live"_s}), u"/"_s);
    }

    // Web addresses are told apart from paths by their scheme alone, in
    // any case; other schemes, file names that merely look alike and bare
    // schemes that name nothing are not.
    void webAddressesAreToldApartFromPaths_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("web");
        const std::pair<const char16_t*, bool> rows[] = {
            {u"https://example.org/docs?q=1#top", true},
            {u"http://example.org", true},
            {u"HTTPS://EXAMPLE.ORG/", true},
            {u"MailTo:ann@example.org", true},
            {u"mailto:", false},
            {u"https://", false},
            {u"http:/example.org", false},
            {u"/home/ann/https://x", false},
            {u"https", false},
            {u"ftp://example.org/", false},
            {u"file:///home/ann", false},
            {u"javascript:alert(1)", false},
            {u" https://example.org", false},
            {u"", false},
        };
        for (const auto& [path, web] : rows)
            QTest::newRow(*path ? QString::fromUtf16(path).toUtf8().constData() : "empty")
                << QString::fromUtf16(path) << web;
    }
    void webAddressesAreToldApartFromPaths() {
        QFETCH(QString, path);
        QFETCH(bool, web);
        QCOMPARE(IsWebAddress(path), web);
    }
};

QTEST_GUILESS_MAIN(TestPathChecks)
#include "test_path_checks.moc"
