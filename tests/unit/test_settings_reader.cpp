#include "model/NodeTree.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsReader.h"
#include "settings/SettingsSink.h"
#include "settings/SettingsWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

namespace {
QString dataPath(const char* name) {
    return QFileInfo(QString::fromUtf8(__FILE__)).absolutePath() +
           QStringLiteral("/../data/settings/") + QString::fromUtf8(name);
}

QString readCorpus(const char* name) {
    QString text;
    if (ReadSettingsFile(dataPath(name), &text) != ReadOutcome::Read)
        qFatal("corpus file %s is missing", name);
    return text;
}

// Records every call in order and keeps what a window would keep.
class RecordingSink : public SettingsSink {
public:
    explicit RecordingSink(NodeTree& tree) : tree_(tree) {}

    QStringList calls;
    SettingsValues values;
    QuickEntries quickList;
    std::size_t quickPlaces = 64;
    bool driveWorks = true;
    bool dirPathWorks = true;
    int icon = 3;
    QStringList iconPaths;

    void applyWinTop(std::int32_t v) override { values.winTop = v; number("winTop", v); }
    void applyWinLeft(std::int32_t v) override { values.winLeft = v; number("winLeft", v); }
    void applyWinHeight(std::int32_t v) override { values.winHeight = v; number("winHeight", v); }
    void applyWinWidth(std::int32_t v) override { values.winWidth = v; number("winWidth", v); }
    void applyWinState(int v) override { values.winState = v; number("winState", v); }
    void applyAutoHide(bool v) override { values.hide = v; truth("hide", v); }
    void applyFullPath(bool v) override { values.fullPath = v; truth("fullPath", v); }
    bool applyDrive(const QString& v) override {
        values.drive = v;
        note("drive", v);
        return driveWorks;
    }
    bool applyDirPath(const QString& v) override {
        values.dirPath = v;
        note("dirPath", v);
        return dirPathWorks;
    }
    void applyDirSel(int v) override { values.dirSel = v; number("dirSel", v); }
    void applyDirVis(bool v) override { values.dirVis = v; truth("dirVis", v); }
    bool appendQuickEntry(const QString& caption, const QString& path) override {
        note("quick", caption);
        if (quickList.size() >= quickPlaces)
            return false;
        quickList.push_back({caption, path});
        return true;
    }
    void selectLoadedNode(TreeNode* node) override {
        note("select", node->Text());
        tree_.SetSelectedItem(node);
    }
    int GetItemIcon(const QString& path) override {
        iconPaths << path;
        return icon;
    }

private:
    void note(const char* what, const QString& v) {
        calls << QString::fromLatin1(what) + u'=' + v;
    }
    void number(const char* what, qint64 v) { note(what, QString::number(v)); }
    void truth(const char* what, bool v) {
        note(what, v ? QStringLiteral("true") : QStringLiteral("false"));
    }
    NodeTree& tree_;
};

// One line per node in document order: indentation by depth, then the
// fields a reader sets.
QStringList dump(const NodeTree& tree) {
    QStringList out;
    for (TreeNode* n = tree.First(); n; n = NodeTree::NextInDocumentOrder(n)) {
        int depth = 0;
        for (TreeNode* p = n->Parent(); p; p = p->Parent())
            ++depth;
        out << QString(depth * 2, u' ') +
                   QStringList{n->Text(), n->Tag(), n->Image(), n->ExpandedImage(),
                               n->Expanded() ? QStringLiteral("+") : QStringLiteral("-"),
                               n->Selected() ? QStringLiteral("*") : QString()}
                       .join(u'|');
    }
    return out;
}

QStringList filtered(const QStringList& calls, const QString& prefix) {
    return calls.filter(QRegularExpression(u'^' + prefix));
}
}  // namespace

class TestSettingsReader : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void workedExampleRebuildsWindowTreeAndQuickList();
    void workedExampleWritesBackItself();
    void keysIgnoreCaseBlanksAndLineEnds();
    void valuesThatAreNotValuesAreIgnored();
    void failedDriveOrDirectorySkipsWhatDependsOnIt_data();
    void failedDriveOrDirectorySkipsWhatDependsOnIt();
    void nodeRecordEndingEarly();
    void unusableParentsKeepNodesAtTopLevel();
    void parentsCountFileLinesNotTreeIndexes();
    void staleIconIndexesAreLookedUpAgain_data();
    void staleIconIndexesAreLookedUpAgain();
    void quickListSkipsIncompleteAndSurplusEntries();
    void olderFilesInWindows1252();
    void byteOrderMarkIsSkipped();
    void binaryGarbageAndHugeLinesDoNoHarm();
    void deepChainReadsAndWritesWithoutRecursion();
};

void TestSettingsReader::workedExampleRebuildsWindowTreeAndQuickList() {
    NodeTree tree;
    RecordingSink sink(tree);
    ReadSettingsText(readCorpus("worked_example.ini"), sink, tree);

    QCOMPARE(sink.calls.mid(0, 11),
             (QStringList{u"winTop=1200"_s, u"winLeft=2400"_s, u"winHeight=5400"_s,
                          u"winWidth=7200"_s, u"winState=0"_s, u"hide=true"_s,
                          u"fullPath=false"_s, u"drive=/"_s, u"dirPath=/home/ann"_s,
                          u"dirSel=-1"_s, u"dirVis=true"_s}));
    QCOMPARE(dump(tree),
             (QStringList{u"Work||closed|open|+|"_s,
                          u"  Notes|/home/ann/Docs/notes.txt|leaf||-|"_s,
                          u"  Tools||closed|open|-|"_s,
                          u"    Editor|/home/ann/Tools/edit|leaf||-|*"_s,
                          u"Games|/home/ann/Games/play|leaf||-|"_s}));
    // Only the stale icon index asks for a lookup.
    QCOMPARE(sink.iconPaths, QStringList{u"/home/ann/Docs/notes.txt"_s});
    QCOMPARE(filtered(sink.calls, u"select"_s), QStringList{u"select=Editor"_s});
    QCOMPARE(sink.quickList, (QuickEntries{{u"Editor"_s, u"/home/ann/Tools/edit"_s}}));
}

void TestSettingsReader::workedExampleWritesBackItself() {
    NodeTree tree;
    RecordingSink sink(tree);
    const QString original = readCorpus("worked_example.ini");
    ReadSettingsText(original, sink, tree);

    QString expected = original;
    expected.replace(u"\t4\t"_s, u"\tleaf\t"_s);  // this run's icon lookup knows no icon
    QCOMPARE(QString::fromUtf8(WriteSettingsText(sink.values, tree, sink.quickList)), expected);
}

void TestSettingsReader::keysIgnoreCaseBlanksAndLineEnds() {
    NodeTree tree;
    RecordingSink sink(tree);
    ReadSettingsText(readCorpus("lf_only_mixed_case.ini"), sink, tree);

    QCOMPARE(sink.calls, (QStringList{u"winWidth=9000"_s, u"winTop=15"_s, u"hide=false"_s,
                                      u"fullPath=true"_s, u"select=Child"_s}));
    // The label loses its blanks; a folder without an expanded image gets one.
    QCOMPARE(dump(tree), (QStringList{u"Work||closed|open|-|"_s, u"  Child|/tmp/c|leaf||+|*"_s}));
}

void TestSettingsReader::valuesThatAreNotValuesAreIgnored() {
    NodeTree tree;
    RecordingSink sink(tree);
    ReadSettingsText(readCorpus("bad_values.ini"), sink, tree);

    QCOMPARE(sink.calls,
             (QStringList{u"winWidth=-2147483648"_s, u"winState=2"_s, u"drive=/mnt"_s}));
    QCOMPARE(tree.Count(), 0);
}

void TestSettingsReader::failedDriveOrDirectorySkipsWhatDependsOnIt_data() {
    QTest::addColumn<bool>("driveWorks");
    QTest::addColumn<bool>("dirPathWorks");
    QTest::addColumn<QStringList>("calls");
    const QString text = u"Drive=/media/usb\r\nDirPath=/media/usb/a\r\nDirSel=2\r\nDirVis=False\r\n"
                         u"Drive=/\r\nDirPath=/home\r\n"_s;
    QTest::addRow("drive absent") << false << true
                                  << QStringList{u"drive=/media/usb"_s, u"dirVis=false"_s,
                                                 u"drive=/"_s};
    QTest::addRow("directory gone") << true << false
                                    << QStringList{u"drive=/media/usb"_s,
                                                   u"dirPath=/media/usb/a"_s,
                                                   u"dirVis=false"_s, u"drive=/"_s};
    QTest::addRow("all there") << true << true
                               << QStringList{u"drive=/media/usb"_s, u"dirPath=/media/usb/a"_s,
                                              u"dirSel=2"_s, u"dirVis=false"_s, u"drive=/"_s,
                                              u"dirPath=/home"_s};
}

void TestSettingsReader::failedDriveOrDirectorySkipsWhatDependsOnIt() {
    QFETCH(bool, driveWorks);
    QFETCH(bool, dirPathWorks);
    QFETCH(QStringList, calls);
    NodeTree tree;
    RecordingSink sink(tree);
    sink.driveWorks = driveWorks;
    sink.dirPathWorks = dirPathWorks;
    ReadSettingsText(u"Drive=/media/usb\r\nDirPath=/media/usb/a\r\nDirSel=2\r\nDirVis=False\r\n"
                     u"Drive=/\r\nDirPath=/home\r\n"_s,
                     sink, tree);
    QCOMPARE(sink.calls, calls);
}

void TestSettingsReader::nodeRecordEndingEarly() {
    NodeTree tree;
    RecordingSink sink(tree);
    ReadSettingsText(u"Node=\r\nNode=A\tp\tleaf\t\tTrue\r\nNode=B\tp\tleaf\t\tTrue\t0\r\n"
                     u"Node=C\tp\tleaf\t\tTrue\t0\tTrue\r\nNode=D\t\tleaf\t\tFalse\t0\t\r\n"_s,
                     sink, tree);
    // Five fields make nothing; six make an unselected node; a blank seventh
    // field is no field at all.
    QCOMPARE(dump(tree), (QStringList{u"B|p|leaf||+|"_s, u"C|p|leaf||+|*"_s,
                                      u"D||leaf||-|"_s}));
}

void TestSettingsReader::unusableParentsKeepNodesAtTopLevel() {
    NodeTree tree;
    RecordingSink sink(tree);
    ReadSettingsText(readCorpus("bad_parents.ini"), sink, tree);
    QCOMPARE(dump(tree),
             (QStringList{u"Orphan1||leaf||-|"_s, u"Self||leaf||-|"_s, u"Later||leaf||-|"_s,
                          u"Minus||leaf||-|"_s, u"Word||leaf||-|"_s,
                          u"Folder||closed|open|-|"_s, u"  Kid|/k|leaf||-|"_s,
                          u"  NoSel|/n|leaf||-|"_s, u"Huge||leaf||-|"_s}));
}

void TestSettingsReader::parentsCountFileLinesNotTreeIndexes() {
    NodeTree tree;
    TreeNode* const none = nullptr;
    tree.Add(none, tvwLast, QString(), u"Old"_s, u"closed"_s);
    RecordingSink sink(tree);
    ReadSettingsText(u"Node=New\t\tclosed\topen\tFalse\t0\tFalse\r\n"
                     u"Node=Inside\t\tleaf\t\tFalse\t1\tFalse\r\n"_s,
                     sink, tree);
    QCOMPARE(dump(tree), (QStringList{u"Old||closed||-|"_s, u"New||closed|open|-|"_s,
                                      u"  Inside||leaf||-|"_s}));
}

void TestSettingsReader::staleIconIndexesAreLookedUpAgain_data() {
    QTest::addColumn<QString>("fields");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("image");
    QTest::addColumn<QString>("expandedImage");
    QTest::addRow("new index") << u"7\t9"_s << 12 << u"12"_s << QString();
    QTest::addRow("no icon of its own") << u"7\t"_s << 3 << u"leaf"_s << QString();
    QTest::addRow("lookup failed") << u"7\t3"_s << 0 << u"7"_s << u"3"_s;
    QTest::addRow("empty image") << u"\t"_s << 5 << u"5"_s << QString();
    QTest::addRow("folder ignores field 4") << u"closed\t9"_s << 5 << u"closed"_s << u"open"_s;
    QTest::addRow("open is a folder") << u"open\t"_s << 5 << u"open"_s << u"open"_s;
    QTest::addRow("named expanded image") << u"leaf\tweird"_s << 5 << u"leaf"_s << u"weird"_s;
}

void TestSettingsReader::staleIconIndexesAreLookedUpAgain() {
    QFETCH(QString, fields);
    QFETCH(int, icon);
    QFETCH(QString, image);
    QFETCH(QString, expandedImage);
    NodeTree tree;
    RecordingSink sink(tree);
    sink.icon = icon;
    ReadSettingsText(u"Node=N\t/p\t"_s + fields + u"\tFalse\t0\tFalse"_s, sink, tree);
    QCOMPARE(tree.Count(), 1);
    QCOMPARE(tree.First()->Image(), image);
    QCOMPARE(tree.First()->ExpandedImage(), expandedImage);
}

void TestSettingsReader::quickListSkipsIncompleteAndSurplusEntries() {
    NodeTree tree;
    RecordingSink sink(tree);
    QString text = u"QLI=\t/no/caption\r\nQLI=NoPath\t\r\nQLI=NoTab\r\nQLI= A \t /a\tb \r\n"_s;
    for (int i = 0; i < 70; ++i)
        text += u"QLI=E%1\t/e%1\r\n"_s.arg(i);
    ReadSettingsText(text, sink, tree);

    QCOMPARE(sink.quickList.size(), std::size_t(64));
    QCOMPARE(sink.quickList.front(), (QuickEntry{u"A"_s, u"/a\tb"_s}));
    QCOMPARE(sink.quickList.back(), (QuickEntry{u"E62"_s, u"/e62"_s}));
    // Once the list is full nothing more is offered.
    QCOMPARE(filtered(sink.calls, u"quick"_s).size(), 65);
}

void TestSettingsReader::olderFilesInWindows1252() {
    NodeTree tree;
    RecordingSink sink(tree);
    ReadSettingsText(readCorpus("cp1252.ini"), sink, tree);
    const QString cafe = u"Caf\u00e9"_s;
    QCOMPARE(dump(tree), QStringList{cafe + u" \u20ac\u0081\u2019|/home/ann/"_s + cafe.toLower() +
                                     u"|leaf||-|"_s});
    QCOMPARE(sink.quickList, (QuickEntries{{cafe, u"/home/ann/"_s + cafe.toLower()}}));
}

void TestSettingsReader::byteOrderMarkIsSkipped() {
    NodeTree tree;
    RecordingSink sink(tree);
    ReadSettingsText(readCorpus("bom.ini"), sink, tree);
    QCOMPARE(sink.calls, QStringList{u"winTop=77"_s});
    QCOMPARE(dump(tree), QStringList{u"\u00dcber|/tmp/\u00fc|leaf||-|"_s});

    NodeTree again;
    RecordingSink second(again);
    ReadSettingsText(u"\uFEFFWinTop=5"_s, second, again);
    QCOMPARE(second.calls, QStringList{u"winTop=5"_s});
}

void TestSettingsReader::binaryGarbageAndHugeLinesDoNoHarm() {
    NodeTree tree;
    RecordingSink sink(tree);
    ReadSettingsText(readCorpus("garbage.bin"), sink, tree);
    QVERIFY(sink.calls.contains(u"winLeft=33"_s));
    QVERIFY(dump(tree).contains(u"Kept||leaf||-|"_s));

    const QString label(4 * 1024 * 1024, u'x');
    NodeTree big;
    RecordingSink bigSink(big);
    ReadSettingsText(QString(3 * 1024 * 1024, u'=') + u"\r\nNode="_s + label +
                         u"\t\tleaf\t\tFalse\t0\tFalse\r\nWinTop=1"_s,
                     bigSink, big);
    QCOMPARE(big.Count(), 1);
    QCOMPARE(big.First()->Text(), label);
    QCOMPARE(bigSink.calls, QStringList{u"winTop=1"_s});
}

void TestSettingsReader::deepChainReadsAndWritesWithoutRecursion() {
    constexpr int depth = 100000;
    SettingsValues values;
    QString text = u"WinTop=0\r\nWinLeft=0\r\nWinHeight=0\r\nWinwidth=0\r\nWinState=0\r\n"
                   u"Hide=True\r\nPath=True\r\nDrive=\r\nDirPath=\r\nDirSel=-1\r\nDirVis=True\r\n"_s;
    for (int i = 0; i < depth; ++i)
        text += u"Node=F%1\t\tclosed\topen\tTrue\t%2\tFalse\r\n"_s.arg(i).arg(i);
    NodeTree tree;
    RecordingSink sink(tree);
    ReadSettingsText(text, sink, tree);

    QCOMPARE(tree.Count(), depth);
    int levels = 0;
    for (TreeNode* n = tree.Item(depth); n; n = n->Parent())
        ++levels;
    QCOMPARE(levels, depth);
    QCOMPARE(QString::fromUtf8(WriteSettingsText(values, tree, {})), text);
}

QTEST_GUILESS_MAIN(TestSettingsReader)
#include "test_settings_reader.moc"
