#include "WarningsFail.h"
#include "model/NodeTree.h"
#include "settings/SettingsWriter.h"

#include <QtTest>

using namespace Qt::Literals::StringLiterals;

// The round trip through reader and writer is in test_settings_reader.cpp.
class TestSettingsWriter : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // A TAB, CR or LF inside a value would split its record or line; each is
    // written as a space, in the written copy only. Keys left on the nodes,
    // some naming other nodes' positions, must not disturb the parent
    // numbering, and none survives the save. Paths the reader would trim
    // differently go in double quotes, every other path as it is. Our own
    // section comes last, its lines as read.
    void valuesAndKeysCannotBreakTheirRecords() {
        const SettingsValues values{
            -15,  2147483647,  -2147483647 - 1, 0, 1,     false,
            true, u"\"/m\""_s, u"/x\ny "_s,     3, false, {u"Undo=3\t"_s, QString()}};
        NodeTree tree;
        TreeNode* a = tree.Add(nullptr, tvwLast, u"K3"_s, u"a\tb"_s, u"closed"_s);
        a->SetTag(u"/a\r\nNode=evil"_s);
        TreeNode* b = tree.Add(a, tvwChild, u"K2"_s, u"\u00fc\u20ac\U0001F600"_s, u"closed"_s);
        b->SetExpandedImage(u"x\ty"_s);
        TreeNode* c = tree.Add(b, tvwChild, u"~Wendrath~"_s, u"c"_s, u"leaf"_s);
        TreeNode* d = tree.Add(nullptr, tvwLast, u"K1"_s, u"d"_s, u"leaf"_s);
        d->SetTag(u" d\t"_s);
        QCOMPARE(WriteSettingsText(values, tree, {{u"cap\ttion"_s, u"/p\rq"_s}}),
                 "WinTop=-15\r\nWinLeft=2147483647\r\nWinHeight=-2147483648\r\nWinwidth=0\r\n"
                 "WinState=1\r\nHide=False\r\nPath=True\r\nDrive=\"\"/m\"\"\r\n"
                 "DirPath=\"/x y \"\r\nDirSel=3\r\n"
                 "DirVis=False\r\nNode=a b\t/a  Node=evil\tclosed\t\tFalse\t0\tFalse\r\n"
                 "Node=\xc3\xbc\xe2\x82\xac\xf0\x9f\x98\x80\t\tclosed\tx y\tFalse\t1\tFalse\r\n"
                 "Node=c\t\tleaf\t\tFalse\t2\tFalse\r\nNode=d\t\" d \"\tleaf\t\tFalse\t0\tFalse\r\n"
                 "[QuickList]\r\nQLI=cap tion\t/p q\r\n[Varnel]\r\nUndo=3\t\r\n\r\n");
        QCOMPARE(a->Text(), u"a\tb"_s);
        for (TreeNode* node : {a, b, c, d})
            QVERIFY2(node->Key().isEmpty(), qPrintable(node->Text()));
    }
};

QTEST_GUILESS_MAIN(TestSettingsWriter)
#include "test_settings_writer.moc"
