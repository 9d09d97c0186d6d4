#include "RecordingSink.h"
#include "WarningsFail.h"
#include "settings/NodeFields.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsReader.h"
#include "settings/SettingsWriter.h"

#include <QRandomGenerator>
#include <QThread>
#include <QtTest>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {
QByteArray readCorpus(const char* name) {
    QByteArray bytes;
    const QString path = QStringLiteral(VARNEL_TEST_DATA "/settings/") + QString::fromUtf8(name);
    if (ReadSettingsFile(path, &bytes) != ReadOutcome::Read)
        qFatal("corpus file %s is missing", name);
    return bytes;
}

QByteArray utf8(const QString& text) {
    return text.toUtf8();
}

// A tree and the sink's calls, as read from some bytes.
struct Read {
    explicit Read(QByteArrayView bytes) : foreign(ReadSettingsText(bytes, sink, tree)) {}
    QStringList seen() const { return sink.calls + dump(tree); }
    QByteArray saved() { return WriteSettingsText(sink.values, tree, sink.quickList); }
    NodeTree tree;
    RecordingSink sink{tree};
    int foreign;
};
}  // namespace

class TestSettingsReader : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // Each row: the text read, the sink's calls followed by the tree, and how
    // many lines no settings file holds.
    void oddAndDamagedFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("foreign");
        // Keys in any case amid blanks, LF-only line ends, no final line break.
        // The label loses its blanks; a folder without an expanded image gets one.
        QTest::newRow("lf only, mixed case")
            << readCorpus("lf_only_mixed_case.ini")
            << u"winWidth=9000;winTop=15;hide=false;fullPath=true;select=Child;"
               u"Work||closed|open|-|;  Child|/tmp/c|leaf||+|*"_s
            << 0;
        // Numbers that are no plain 32-bit decimals (leading zeros aside),
        // truth values other than True and False, window states out of
        // range, lines without a key.
        QTest::newRow("bad values")
            << readCorpus("bad_values.ini")
            << u"winWidth=-2147483648;winTop=-2147483648;winState=2;drive=/mnt"_s << 4;
        // Parents that are no earlier line that made a node stay at the top
        // level. Parents count lines, not nodes: Kid's 7 is Folder's line.
        // Fields beyond the seventh are ignored.
        QTest::newRow("bad parents")
            << readCorpus("bad_parents.ini")
            << u"Orphan1||leaf||-|;Self||leaf||-|;Later||leaf||-|;Minus||leaf||-|;Word||leaf||-|;"
               u"Folder||closed|open|-|;  Kid|/k|leaf||-|;  NoSel|/n|leaf||-|;Huge||leaf||-|"_s
            << 0;
        // Five fields make no node; six make an unselected one; a blank seventh
        // field is no field. Of two selected nodes, the last is.
        QTest::newRow("short node records")
            << utf8(
                   u"Node=\r\nNode=A\tp\tleaf\t\tTrue\r\nNode=B\tp\tleaf\t\tTrue\t0\r\n"
                   u"Node=C\tp\tleaf\t\tTrue\t0\tTrue\r\nNode=D\t\tleaf\t\tFalse\t0\t\r\n"
                   u"Node=E\t\tleaf\t\tFalse\t0\tTrue\r\n"_s)
            << u"select=E;B|p|leaf||+|;C|p|leaf||+|;D||leaf||-|;E||leaf||-|*"_s << 0;
        // An icon index from an earlier run is looked up anew, and kept,
        // marked as waiting, until the lookup answers; folders always open
        // with "open".
        QTest::newRow("stale icon indexes")
            << readCorpus("stale_icons.ini")
            << u"icon=New;icon=None;icon=Failed;icon=Empty;"
               u"New|/icon12|?7||-|;None|/p|?7||-|;Failed|/icon0|?7|3|-|;Empty|/icon5|?||-|;"
               u"Closed|/icon5|closed|open|-|;Open|/icon5|open|open|-|;"
               u"Named|/icon5|leaf|weird|-|"_s
            << 0;
        // An index kept as it was spelled, whichever spelling of its number
        // came first.
        QTest::newRow("icon indexes spelled otherwise")
            << utf8(
                   u"Node=A\t/a\t7\t\tFalse\t0\nNode=B\t/b\t007\t\tFalse\t0\n"
                   u"Node=C\t/c\t+7\t\tFalse\t0\nNode=D\t/d\t7\t\tFalse\t0\n"_s)
            << u"icon=A;icon=B;icon=C;icon=D;A|/a|?7||-|;B|/b|?007||-|;C|/c|?+7||-|;D|/d|?7||-|"_s
            << 0;
        // Once a drive or directory cannot be shown, the lines that depend on
        // it are skipped.
        QTest::newRow("drive gone")
            << utf8(u"Drive=/gone\nDirPath=/gone/a\nDirSel=2\nDirVis=False\nDirPath=/home"_s)
            << u"drive=/gone;dirVis=false"_s << 0;
        QTest::newRow("directory gone")
            << utf8(u"Drive=/m\nDirPath=/m/gone\nDirSel=2\nDirVis=False\nDirPath=/home"_s)
            << u"drive=/m;dirPath=/m/gone;dirVis=false"_s << 0;
        QTest::newRow("binary garbage")
            << readCorpus("garbage.bin") << u"winLeft=33;Kept||leaf||-|"_s << 12;
        // Other programs' documents: not taken for settings files, though a
        // line of theirs may look like one.
        QTest::newRow("some document")
            << utf8(u"Dear Ann,\r\n\r\n[Quick List] = 1 + 1\r\nWinTop: 5\r\nNodes=3"_s) << QString()
            << 4;
        QTest::newRow("a desktop file")
            << utf8(u"[Desktop Entry]\nName=Firefox\nPath=/home/ann\n"_s) << QString() << 2;
        // Our own section is not read but kept as it is, up to another section,
        // and written back after everything else.
        QTest::newRow("our own section")
            << utf8(
                   u"[varnel]\r\nUndo = 12\t\r\n\r\nNode=A\t\tleaf\t\tFalse\t0\tFalse\r\n"
                   u"[QuickList]\r\nQLI=Q\t/q\r\n[Varnel]\r\nWinTop=5\r\n"_s)
            << u"own=Undo = 12\t;own=;own=Node=A\t\tleaf\t\tFalse\t0\tFalse;quick=Q@/q;own=WinTop=5"_s
            << 0;
        // Paths keep the blanks around them through double quotes, which
        // no other field loses.
        QTest::newRow("quoted paths")
            << utf8(
                   u"Drive=\" /m\"\nDirPath=\"\"/q\"\"\nNode=\" A \"\t\" /a \"\tleaf\t\tFalse\t0\n"
                   u"Node=B\t\"\tleaf\t\tFalse\t0\nQLI=\" C\"\t\"c \"\n"_s)
            << u"drive= /m;dirPath=\"/q\";quick=\" C\"@c ;\" A \"| /a |leaf||-|;B|\"|leaf||-|"_s
            << 0;
        // TAB, CR and LF inside a value are blanks, as the writer writes them.
        QTest::newRow("blanks inside values")
            << utf8(
                   u"WinTop=5\r\r\nHide=False\t\nDrive=\t/m\tx\r\r\n"
                   u"Node=A\rB\t\r/p\t7\t7\r\tTrue\r\t0\tFalse\nQLI=Blank\t \t\r\nQLI=C\rD\t/c\r\r\n"_s)
            << u"winTop=5;hide=false;drive=/m x;icon=A B;quick=C D@/c;A B|/p|?7||+|"_s << 0;
        // Each line in its own encoding, cut into fields before any is
        // decoded: Windows-1252 where a line is no UTF-8, a key whose letters
        // fold to the key's, a mark that is text once past the file's start.
        QTest::newRow("mixed encodings")
            << QByteArray(
                   "\xEF\xBB\xBF\xEF\xBB\xBFWinTop=5\r\nWin\xC5\xBFtate=1\r\n"
                   "Node=Caf\xE9\t/m\x80\tleaf\t\tFalse\t0\r\n"
                   "Node=Caf\xC3\xA9\t\xEF\xBB\xBF/b\t\xC3\xA9\t\tFalse\t0\r\n"
                   "[Varnel]\r\nK=\xC4\r\n")
            << u"winTop=5;winState=1;icon=Caf\u00e9;own=K=\u00c4;Caf\u00e9|/m\u20ac|leaf||-|;"
               u"Caf\u00e9|\ufeff/b|?\u00e9||-|"_s
            << 0;
        // Entries without caption or path are skipped; once the list is full
        // (64 here) nothing more is offered.
        QString quick = u"QLI=\t/no/caption\nQLI=NoPath\t\nQLI=NoTab\nQLI= A \t /a\tb \n"_s;
        QString offered = u"quick=A@/a b"_s;
        for (int i = 0; i < 70; ++i) {
            quick += u"QLI=E%1\t/e%1\n"_s.arg(i);
            offered += i < 64 ? u";quick=E%1@/e%1"_s.arg(i) : QString();
        }
        QTest::newRow("quick list") << utf8(quick) << offered << 0;
    }

    void oddAndDamagedFiles() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        QFETCH(int, foreign);
        Read read(bytes);
        QCOMPARE(read.foreign, foreign);
        QCOMPARE(read.seen(), expected.split(u';', Qt::SkipEmptyParts));

        // Given in pieces, cut anywhere (amid a line, a byte-order mark, a
        // character), the bytes read the same.
        for (const qsizetype size : {1, 2, 5}) {
            NodeTree cut;
            RecordingSink cutSink(cut);
            QByteArrayView rest = bytes;
            const auto next = [&rest, size] {
                const QByteArrayView piece = rest.first(qMin(size, rest.size()));
                rest = rest.sliced(piece.size());
                return piece;
            };
            QCOMPARE(ReadSettingsPieces(next, cutSink, cut), foreign);
            QCOMPARE(cutSink.calls + dump(cut), read.seen());
        }

        // What was read reads the same after a save.
        const QByteArray saved = read.saved();
        QCOMPARE(Read(saved).saved(), saved);
    }

    // A node line whose key is spelled as the writer spells it takes a
    // shorter way than one spelled otherwise, and an item's image is made
    // once for the lines in a row that repeat it. Random records read the
    // same either way: once one after another, once each with its key spelled
    // otherwise and followed by a line with another image.
    void nodeLinesReadTheSameEveryWay() {
        const QByteArray pieces[] = {"",        " ",    "leaf",         "Leaf",    "closed",
                                     "open",    "7",    " 7 ",          "7\r",     "12",
                                     "3",       "True", "true",         " False",  "False",
                                     "x",       "-1",   "caf\xC3\xA9",  "caf\xE9", "\"q\"",
                                     "\" a \"", "a\rb", "\xEF\xBB\xBF", "\xC5\xBF"};
        QRandomGenerator random(11);
        QByteArray inARow = "WinTop=5\r\n";
        QByteArray spelledOtherwise = inARow;
        constexpr int lines = 600;
        for (int line = 1; line <= lines; ++line) {
            QByteArray record, parent;
            const int fields = 5 + random.bounded(4);
            for (int field = 0; field < fields; ++field) {
                const QByteArray piece = pieces[random.bounded(int(std::size(pieces)))];
                if (field != 5) {
                    record += piece;
                } else if (random.bounded(4)) {  // a line, maybe itself or a later one
                    const int position = random.bounded(line + 2);
                    record += QByteArray::number(position) + (piece.isEmpty() ? "\r" : "");
                    parent = QByteArray::number(position ? 2 * position - 1 : 0);
                } else {  // no line
                    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
                    parent = std::any_of(piece.cbegin(), piece.cend(), digit) ? "x" : piece;
                    record += parent;
                }
                if (field + 1 < fields)
                    record += '\t';
            }
            inARow += "Node=" + record + "\r\n";
            // The same record, its parent counted among twice the lines.
            QList<QByteArray> cut = record.split('\t');
            if (cut.size() > 5)
                cut[5] = parent;
            spelledOtherwise += " node = " + cut.join('\t') + "\r\n" + "NODE=Other\t\tX" +
                                QByteArray::number(line) + "\t\tFalse\t0\r\n";
        }
        const auto read = [](const QByteArray& bytes) {
            const Read result(bytes);
            QStringList seen = result.seen();
            seen.removeIf([](const QString& s) { return s.startsWith(u"Other|"_s); });
            seen.removeAll(u"icon=Other"_s);
            return std::pair(result.foreign, seen);
        };
        const auto expected = read(inARow);
        QCOMPARE(expected.first, 0);
        QVERIFY(expected.second.size() > lines / 2);
        QCOMPARE(read(spelledOtherwise), expected);
    }

    // A node record is cut as splitting it at every TAB cuts it, an empty
    // last piece being no field and pieces beyond the seventh ignored; and
    // whether any byte of it is no ASCII or a CR is told of the whole
    // record, the part beyond the seventh field too. Random records of every
    // length up to several times 64 bytes, whatever is at their ends.
    void nodeRecordsCutAtTabs() {
        const char others[] = {'a', 'b', ' ', '\r', '\xC3', '\xA9', '0'};
        const int tabsOneIn[] = {2, 10, 60};  // TABs close together or far apart
        QRandomGenerator random(17);
        for (int round = 0; round < 20000; ++round) {
            QByteArray record;
            const int size = random.bounded(random.bounded(4) ? 100 : 400);
            const int tabOneIn = tabsOneIn[random.bounded(3)];
            const int letters = random.bounded(3) ? 7 : 3;  // with CRs and other bytes or not
            for (int i = 0; i < size; ++i)
                record += random.bounded(tabOneIn) ? others[random.bounded(letters)] : '\t';
            QList<QByteArray> expected = record.split('\t');
            if (expected.back().isEmpty())
                expected.removeLast();
            if (expected.size() > NodeFields::MaxCount)
                expected.resize(NodeFields::MaxCount);
            // From a copy one byte into a larger buffer, so that no field
            // starts where the buffer does.
            const QByteArray buffer = 'x' + record + 'x';
            const NodeFields cut(QByteArrayView(buffer).sliced(1, size));
            QCOMPARE(cut.count(), expected.size());
            for (int i = 0; i < cut.count(); ++i)
                QCOMPARE(cut.field(i), expected[i]);
            QCOMPARE(cut.hasCr(), record.contains('\r'));
            QCOMPARE(cut.nonAscii(), std::any_of(record.cbegin(), record.cend(),
                                                 [](char c) { return (c & 0x80) != 0; }));
        }
    }

    // A TAB, CR or LF inside a value would split its record: the written copy
    // has a blank in its place. Paths the reader would trim go in quotes, the
    // keys lent to the nodes go with the save, and our own section comes last.
    void valuesCannotBreakTheirRecords() {
        SettingsValues values;
        values.dirPath = u"/x\ny "_s;
        values.ownSection = {u"Undo=3\t"_s};
        NodeTree tree;
        TreeNode* a = tree.Add(nullptr, tvwLast, u"K2"_s, u"a\tb"_s, u"closed"_s);
        a->SetTag(u"/a\r\nNode=evil"_s);
        tree.Add(a, tvwChild, u"K1"_s, u"c"_s, u"leaf"_s)->SetTag(u" c\t"_s);
        const QByteArray saved = WriteSettingsText(values, tree, {{u"cap\ttion"_s, u"/p\rq"_s}});
        QVERIFY(a->Key().isEmpty() && a->Child()->Key().isEmpty());
        QCOMPARE(a->Text(), u"a\tb"_s);
        const Read again(saved);
        for (const QString& call :
             {u"dirPath=/x y "_s, u"quick=cap tion@/p q"_s, u"own=Undo=3\t"_s})
            QVERIFY2(again.sink.calls.contains(call), qPrintable(call));
        QCOMPARE(dump(again.tree),
                 (QStringList{u"a b|/a  Node=evil|closed|open|-|"_s, u"  c| c |leaf||-|"_s}));
    }

    // Text is written as QString::toUtf8 writes it, a lone surrogate (from
    // a file name that was no UTF-8) included, with blanks for breaks and
    // quotes where needed past its first non-ASCII character too.
    void writesUtf8AsQtEncodesIt() {
        const QString odd = u"caf\u00e9\t"_s + QChar(0xDC80) + u"\r\u20ac\n "_s;
        NodeTree tree;
        TreeNode* node = tree.Add(nullptr, tvwLast, QString(), odd, u"leaf"_s);
        node->SetTag(odd);
        QString blanked = odd;
        blanked.replace(u'\t', u' ').replace(u'\r', u' ').replace(u'\n', u' ');
        const QString line =
            u"Node="_s + blanked + u"\t\""_s + blanked + u"\"\tleaf\t\tFalse\t0\tFalse\r\n"_s;
        QVERIFY(WriteSettingsText(SettingsValues(), tree, {}).endsWith(line.toUtf8()));
        // A node with neither label nor path keeps no text at all.
        tree.Add(nullptr, tvwLast, QString(), QString(), u"leaf"_s);
        QVERIFY(WriteSettingsText(SettingsValues(), tree, {})
                    .endsWith("Node=\t\tleaf\t\tFalse\t0\tFalse\r\n"));
    }

    // A chain nested far deeper than any call stack could follow is read,
    // written, cut and destroyed on a thread whose stack is far too small
    // for recursion, so recursion crashes instead of passing unnoticed.
    void deepChainReadsAndWritesWithoutRecursion() {
        constexpr int depth = 100000;
        NodeTree none;
        QString text = QString::fromUtf8(WriteSettingsText(SettingsValues(), none, {}));
        for (int i = 0; i < depth; ++i)
            text += u"Node=F%1\t\tclosed\topen\tTrue\t%2\tFalse\r\n"_s.arg(i).arg(i);
        int levels = 0, left = 0;
        QString written;
        const std::unique_ptr<QThread> thread(QThread::create([&] {
            Read read(text.toUtf8());
            for (TreeNode* n = read.tree.Item(depth); n; n = n->Parent())
                ++levels;
            written = QString::fromUtf8(WriteSettingsText(SettingsValues(), read.tree, {}));
            read.tree.Remove(read.tree.First()->Child());  // all but the top, at once
            left = read.tree.Count();
        }));
        thread->setStackSize(256 * 1024);
        thread->start();
        thread->wait();
        QCOMPARE(levels + left, depth + 1);
        QCOMPARE(written, text);
    }
};

QTEST_GUILESS_MAIN(TestSettingsReader)
#include "test_settings_reader.moc"
