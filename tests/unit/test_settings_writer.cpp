#include "WarningsFail.h"
#include "model/NodeTree.h"
#include "settings/SettingsWriter.h"

#include <QtTest>

using namespace Qt::Literals::StringLiterals;

// The worked example's round trip through reader and writer is in
// test_settings_reader.cpp.
class TestSettingsWriter : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // Keys left on the nodes, some naming other nodes' positions, must not
    // disturb the parent numbering, and none survives the save.
    void leftoverKeysNeitherDisturbNorSurvive() {
        NodeTree tree;
        TreeNode* const top = nullptr;
        TreeNode* a = tree.Add(top, tvwLast, u"K3"_s, u"a"_s, u"closed"_s);
        TreeNode* b = tree.Add(a, tvwChild, u"K2"_s, u"b"_s, u"closed"_s);
        TreeNode* c = tree.Add(b, tvwChild, u"~Wendrath~"_s, u"c"_s, u"leaf"_s);
        TreeNode* d = tree.Add(top, tvwLast, u"K1"_s, u"d"_s, u"leaf"_s);
        QVERIFY(WriteSettingsText(SettingsValues(), tree, {})
                    .endsWith("DirVis=True\r\nNode=a\t\tclosed\t\tFalse\t0\tFalse\r\n"
                              "Node=b\t\tclosed\t\tFalse\t1\tFalse\r\n"
                              "Node=c\t\tleaf\t\tFalse\t2\tFalse\r\n"
                              "Node=d\t\tleaf\t\tFalse\t0\tFalse\r\n"));
        for (TreeNode* node : {a, b, c, d})
            QVERIFY2(node->Key().isEmpty(), qPrintable(node->Text()));
    }

    // A TAB, CR or LF inside a value would split its record or line; each is
    // written as a space. Text is UTF-8, numbers span the whole 32-bit range.
    void valuesCannotBreakTheirRecord() {
        const SettingsValues values{-15,  2147483647, -2147483647 - 1, 0, 1,    false,
                                    true, QString(),  u"/x\ny"_s,      3, false};
        const QByteArray keyLines =
            "WinTop=-15\r\nWinLeft=2147483647\r\nWinHeight=-2147483648\r\nWinwidth=0\r\n"
            "WinState=1\r\nHide=False\r\nPath=True\r\nDrive=\r\nDirPath=/x y\r\nDirSel=3\r\n"
            "DirVis=False\r\n";
        NodeTree tree;
        QCOMPARE(WriteSettingsText(values, tree, {}), keyLines);  // no section for an empty list

        const QString label = u"two\tfields \u00fc\u20ac\U0001F600"_s;
        TreeNode* const top = nullptr;
        TreeNode* node = tree.Add(top, tvwLast, QString(), label, u"leaf"_s);
        node->SetTag(u"/a\r\nNode=evil"_s);
        node->SetExpandedImage(u"x\ty"_s);
        QCOMPARE(
            WriteSettingsText(values, tree, {{u"cap\ttion"_s, u"/p\rq"_s}}),
            keyLines +
                "Node=two fields \xc3\xbc\xe2\x82\xac\xf0\x9f\x98\x80\t/a  Node=evil\tleaf\tx y\t"
                "False\t0\tFalse\r\n[QuickList]\r\nQLI=cap tion\t/p q\r\n");
        QCOMPARE(node->Text(), label);  // only the written copy is cleaned
    }
};

QTEST_GUILESS_MAIN(TestSettingsWriter)
#include "test_settings_writer.moc"
