#include "model/NodeTree.h"
#include "settings/SettingsWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

namespace {
QByteArray corpus(const char* name) {
    QFile file(QFileInfo(QString::fromUtf8(__FILE__)).absolutePath() +
               u"/../data/settings/"_s + QString::fromUtf8(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("corpus file %s is missing", name);
    return file.readAll();
}

TreeNode* add(NodeTree& tree, TreeNode* parent, const QString& text, const QString& tag,
              const QString& image, const QString& expandedImage = QString()) {
    TreeNode* node = tree.Add(parent, parent ? tvwChild : tvwLast, QString(), text, image);
    node->SetTag(tag);
    node->SetExpandedImage(expandedImage);
    return node;
}

// The tree, values and quick list that worked_example.ini holds.
struct Example {
    NodeTree tree;
    SettingsValues values{1200, 2400, 5400, 7200, 0, true, false, u"/"_s, u"/home/ann"_s, -1, true};
    QuickEntries quickList{{u"Editor"_s, u"/home/ann/Tools/edit"_s}};
    TreeNode* work;
    TreeNode* notes;
    TreeNode* tools;
    TreeNode* editor;
    TreeNode* games;

    Example() {
        TreeNode* const top = nullptr;
        work = add(tree, top, u"Work"_s, QString(), u"closed"_s, u"open"_s);
        work->SetExpanded(true);
        notes = add(tree, work, u"Notes"_s, u"/home/ann/Docs/notes.txt"_s, u"4"_s);
        tools = add(tree, work, u"Tools"_s, QString(), u"closed"_s, u"open"_s);
        editor = add(tree, tools, u"Editor"_s, u"/home/ann/Tools/edit"_s, u"leaf"_s);
        tree.SetSelectedItem(editor);
        games = add(tree, top, u"Games"_s, u"/home/ann/Games/play"_s, u"leaf"_s);
    }
};

QStringList lines(const QByteArray& text) {
    QStringList out = QString::fromUtf8(text).split(u"\r\n"_s);
    if (out.last().isEmpty())
        out.removeLast();
    return out;
}
}  // namespace

class TestSettingsWriter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void writesTheWorkedExample();
    void keyLinesOnlyForEmptyTreeAndList();
    void leftoverKeysNeitherDisturbNorSurvive();
    void valuesCannotBreakTheirRecord();
    void nonAsciiIsUtf8();
};

void TestSettingsWriter::writesTheWorkedExample() {
    Example example;
    QCOMPARE(WriteSettingsText(example.values, example.tree, example.quickList),
             corpus("worked_example.ini"));
}

void TestSettingsWriter::keyLinesOnlyForEmptyTreeAndList() {
    NodeTree tree;
    const SettingsValues values{-15, 2147483647, -2147483647 - 1, 0, 1, false, true,
                                QString(), QString(), 3, false};
    QCOMPARE(WriteSettingsText(values, tree, {}),
             QByteArray("WinTop=-15\r\nWinLeft=2147483647\r\nWinHeight=-2147483648\r\n"
                        "Winwidth=0\r\nWinState=1\r\nHide=False\r\nPath=True\r\nDrive=\r\n"
                        "DirPath=\r\nDirSel=3\r\nDirVis=False\r\n"));
}

void TestSettingsWriter::leftoverKeysNeitherDisturbNorSurvive() {
    Example clean;
    const QByteArray expected = WriteSettingsText(clean.values, clean.tree, clean.quickList);

    // Keys that name other nodes' positions, and a marker left behind.
    Example marked;
    QVERIFY(marked.games->SetKey(u"K1"_s));
    QVERIFY(marked.work->SetKey(u"K3"_s));
    QVERIFY(marked.tools->SetKey(u"K2"_s));
    QVERIFY(marked.editor->SetKey(u"~Wendrath~"_s));
    QCOMPARE(WriteSettingsText(marked.values, marked.tree, marked.quickList), expected);
    for (TreeNode* n = marked.tree.First(); n; n = NodeTree::NextInDocumentOrder(n))
        QVERIFY2(n->Key().isEmpty(), qPrintable(n->Text()));
    QVERIFY(marked.tree.Item(u"K1"_s) == nullptr);
}

void TestSettingsWriter::valuesCannotBreakTheirRecord() {
    NodeTree tree;
    TreeNode* const top = nullptr;
    TreeNode* node = add(tree, top, u"two\tfields"_s, u"/a\r\nNode=evil"_s, u"leaf"_s);
    SettingsValues values;
    values.dirPath = u"/x\ny"_s;
    const QStringList written =
        lines(WriteSettingsText(values, tree, {{u"cap\ttion"_s, u"/p\rq"_s}}));

    QCOMPARE(written.size(), 11 + 1 + 2);
    QCOMPARE(written[8], u"DirPath=/x y"_s);
    QCOMPARE(written[11], u"Node=two fields\t/a  Node=evil\tleaf\t\tFalse\t0\tFalse"_s);
    QCOMPARE(written[13], u"QLI=cap tion\t/p q"_s);
    // The node itself is not changed by being written.
    QCOMPARE(node->Text(), u"two\tfields"_s);
}

void TestSettingsWriter::nonAsciiIsUtf8() {
    NodeTree tree;
    TreeNode* const top = nullptr;
    add(tree, top, u"Gr\u00fc\u00dfe \u20ac \U0001F600"_s, u"/home/\u00e5"_s, u"leaf"_s);
    const QByteArray text = WriteSettingsText(SettingsValues{}, tree, {});
    QVERIFY(text.contains("Node=Gr\xc3\xbc\xc3\x9f" "e \xe2\x82\xac \xf0\x9f\x98\x80\t/home/\xc3\xa5\t"));
}

QTEST_GUILESS_MAIN(TestSettingsWriter)
#include "test_settings_writer.moc"
