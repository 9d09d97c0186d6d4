#include "WarningsFail.h"
#include "settings/GetToken.h"

#include <QtTest>

using namespace Qt::Literals::StringLiterals;

class TestGetToken : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // Each row: the line, the delimiter, and "token|what is left of the line".
    void cutsFirstTokenAndKeepsTheRest_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("delimiter");
        QTest::addColumn<QString>("cut");
        QTest::addRow("comma by default") << u"a,b,c"_s << QString() << u"a|b,c"_s;
        QTest::addRow("blanks trimmed on both parts")
            << u"  Key  =  some value  "_s << u"="_s << u"Key|some value"_s;
        QTest::addRow("no delimiter") << u"  [QuickList] "_s << u"="_s << u"[QuickList]|"_s;
        QTest::addRow("delimiter first") << u"=5"_s << u"="_s << u"|5"_s;
        QTest::addRow("tab is no blank") << u"\tA \t B\t"_s << u","_s << u"\tA \t B\t|"_s;
        QTest::addRow("tab delimiter keeps inner blanks")
            << u" My Notes \t /a b.txt \tleaf"_s << u"\t"_s << u"My Notes|/a b.txt \tleaf"_s;
        QTest::addRow("several characters, exact case") << u"aXYbxyc"_s << u"xy"_s << u"aXYb|c"_s;
    }

    void cutsFirstTokenAndKeepsTheRest() {
        QFETCH(QString, line);
        QFETCH(QString, delimiter);
        QFETCH(QString, cut);
        const TokenCut token = GetToken(line, delimiter);
        QCOMPARE(token.token.toString() + u'|' + token.rest.toString(), cut);
    }
};

QTEST_GUILESS_MAIN(TestGetToken)
#include "test_get_token.moc"
