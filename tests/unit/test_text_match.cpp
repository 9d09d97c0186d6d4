// Matching what the user typed against labels and paths, and ranking it.
#include "WarningsFail.h"
#include "find/NodeMatch.h"
#include "find/TextMatch.h"
#include "model/NodeTree.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestTextMatch : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // Each row is looked for in its label and path as UTF-16 and as UTF-8:
    // both must give the rank.
    void aLabelAndPathRankAsExpected_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("path");
        QTest::addColumn<MatchRank>("rank");
        const auto row = [](const char* name, const QString& typed, const QString& label,
                            const QString& path, MatchRank rank) {
            QTest::newRow(name) << typed << label << path << rank;
        };
        using enum MatchRank;
        row("nothing typed", u""_s, u"Docs"_s, u"/d"_s, LabelStart);
        row("only spaces typed", u"  "_s, u"Docs"_s, u"/d"_s, LabelStart);
        row("spaces around", u" doc "_s, u"Docs"_s, u"/d"_s, LabelStart);
        row("case", u"DOC"_s, u"my docs"_s, u"/d"_s, LabelWord);
        row("accent in label", u"cafe"_s, u"Le Café"_s, u"/x"_s, LabelWord);
        row("accent typed", u"éte"_s, u"Ete"_s, u"/x"_s, LabelStart);
        row("capital accent", u"a"_s, u"Äpfel"_s, u"/x"_s, LabelStart);
        row("decomposed accent", u"cafe"_s, u"cafe\u0301 noir"_s, u"/x"_s, LabelStart);
        row("decomposed across", u"e n"_s, u"cafe\u0301 noir"_s, u"/x"_s, LabelInside);
        row("stroke", u"lodz"_s, u"Łódź"_s, u"/x"_s, LabelStart);
        row("greek", u"αθ"_s, u"Άθήνα"_s, u"/x"_s, LabelStart);
        row("hangul stays", u"\u1100"_s, u"\uAC00"_s, u"/x"_s, None);
        row("beyond the BMP", u"\U0001D49C"_s, u"x \U0001D49C"_s, u"/x"_s, LabelWord);
        row("after slash", u"rep"_s, u"x"_s, u"/home/reports"_s, PathWord);
        row("after underscore", u"rep"_s, u"old_report"_s, u"/x"_s, LabelWord);
        row("after dash", u"rep"_s, u"old-report"_s, u"/x"_s, LabelWord);
        row("after dot", u"txt"_s, u"notes.txt"_s, u"/x"_s, LabelWord);
        row("case change", u"file"_s, u"myFile"_s, u"/x"_s, LabelWord);
        row("no case change", u"ile"_s, u"myFile"_s, u"/x"_s, LabelInside);
        row("capitals run", u"le"_s, u"MYFILE"_s, u"/x"_s, LabelInside);
        row("middle", u"port"_s, u"Reports"_s, u"/x"_s, LabelInside);
        row("capital far in", u"rep"_s, u"Annual tax of Rep 2024 ok"_s, u"/x"_s, LabelWord);
        row("accent far in", u"ecole"_s, u"Notes of the old École"_s, u"/x"_s, LabelWord);
        row("word after middle", u"port"_s, u"Reports port"_s, u"/x"_s, LabelWord);
        row("path start", u"/ho"_s, u"x"_s, u"/home"_s, PathStart);
        row("path middle", u"ome"_s, u"x"_s, u"/home"_s, PathInside);
        row("label middle before path start", u"ome"_s, u"Home"_s, u"ome"_s, LabelInside);
        row("partial at end", u"docsx"_s, u"docs"_s, u"/docs"_s, None);
        row("repeated start", u"aab"_s, u"aaab"_s, u"/x"_s, LabelInside);
        row("no match", u"zzz"_s, u"Docs"_s, u"/d"_s, None);
        row("empty texts", u"a"_s, u""_s, u""_s, None);
    }
    void aLabelAndPathRankAsExpected() {
        QFETCH(QString, typed);
        QFETCH(QString, label);
        QFETCH(QString, path);
        QFETCH(MatchRank, rank);
        const TextMatch match(typed);
        QCOMPARE(match.Rank(label, path), rank);
        const MatchPlace inLabel = match.FindUtf8(label.toUtf8());
        const MatchPlace inPath = match.FindUtf8(path.toUtf8());
        QCOMPARE(RankOf(inLabel, inPath), rank);
    }

    // Folding is what the comparison sees, and bad UTF-8 is read as
    // replacement characters without reading past its end.
    void foldingAndBrokenText() {
        QCOMPARE(TextMatch::Fold(u"Ärger ÉTÉ Straße e\u0301"_s), u"arger ete straße e"_s);
        const TextMatch match(u"\uFFFDa"_s);
        QCOMPARE(match.FindUtf8(QByteArrayView("\xC3", 1)), MatchPlace::None);
        QCOMPARE(TextMatch(u"e"_s).FindUtf8(QByteArrayView("\xC3\xA9", 1)), MatchPlace::None);
        QCOMPARE(match.FindUtf8(QByteArrayView("\xFF"
                                               "a")),
                 MatchPlace::Start);
        QCOMPARE(match.FindUtf8(QByteArrayView("x \xE2\x82"
                                               "a")),
                 MatchPlace::WordStart);
    }

    // A node is matched where its strings are kept: UTF-8 for nearly all,
    // UTF-16 for a label that UTF-8 cannot hold.
    void aNodeIsMatchedOnItsLabelThenItsPath() {
        NodeTree tree;
        TreeNode* kept8 =
            tree.AppendLoaded(nullptr, "Caf\xC3\xA9", "/srv/menu", u"leaf"_s, QString(), false);
        TreeNode* kept16 = tree.Add(nullptr, tvwLast, QString(), u"Menu \xD800"_s, u"leaf"_s);
        kept16->SetTag(u"/srv/cafe \xD800"_s);
        QVERIFY(kept8->TextUtf8() && !kept16->TextUtf8() && !kept16->TagUtf8());
        QCOMPARE(RankNode(TextMatch(u"cafe"_s), *kept8), MatchRank::LabelStart);
        QCOMPARE(RankNode(TextMatch(u"cafe"_s), *kept16), MatchRank::PathWord);
        QCOMPARE(RankNode(TextMatch(u"menu"_s), *kept8), MatchRank::PathWord);
        QCOMPARE(RankNode(TextMatch(u"menu"_s), *kept16), MatchRank::LabelStart);
        QCOMPARE(RankNode(TextMatch(u"srvx"_s), *kept16), MatchRank::None);
    }
};

QTEST_GUILESS_MAIN(TestTextMatch)
#include "test_text_match.moc"
