#include "WarningsFail.h"
#include "settings/GetToken.h"

#include <QtTest>

using namespace Qt::Literals::StringLiterals;

class TestGetToken : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    void cutsFirstTokenAndKeepsTheRest_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("delimiter");
        QTest::addColumn<QString>("token");
        QTest::addColumn<QString>("rest");
        QTest::addRow("comma by default") << u"a,b,c"_s << QString() << u"a"_s << u"b,c"_s;
        QTest::addRow("blanks trimmed on both parts")
            << u"  Key  =  some value  "_s << u"="_s << u"Key"_s << u"some value"_s;
        QTest::addRow("no delimiter: all is token")
            << u"  [QuickList] "_s << u"="_s << u"[QuickList]"_s << QString();
        QTest::addRow("empty line") << QString() << u"="_s << QString() << QString();
        QTest::addRow("delimiter first") << u"=5"_s << u"="_s << QString() << u"5"_s;
        QTest::addRow("delimiter last") << u"WinTop="_s << u"="_s << u"WinTop"_s << QString();
        QTest::addRow("tab is no blank")
            << u"\tA \t B\t"_s << u","_s << u"\tA \t B\t"_s << QString();
        QTest::addRow("tab delimiter keeps inner blanks")
            << u" My Notes \t /home/ann/a b.txt \tleaf"_s << u"\t"_s << u"My Notes"_s
            << u"/home/ann/a b.txt \tleaf"_s;
        QTest::addRow("several characters, exact case")
            << u"aXYbxyc"_s << u"xy"_s << u"aXYb"_s << u"c"_s;
    }

    void cutsFirstTokenAndKeepsTheRest() {
        QFETCH(QString, line);
        QFETCH(QString, delimiter);
        QFETCH(QString, token);
        QFETCH(QString, rest);
        QCOMPARE(GetToken(line, delimiter), token);
        QCOMPARE(line, rest);
    }
};

QTEST_GUILESS_MAIN(TestGetToken)
#include "test_get_token.moc"
