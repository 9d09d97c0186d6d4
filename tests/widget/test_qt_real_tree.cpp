// The real window over the real logic, its timers on the virtual clock:
// where the view's editor, selection and drags meet the handlers.
#include "RealWindow.h"
#include "WarningsFail.h"
#include "platform/qt/ControlDrag.h"

#include <QAbstractButton>
#include <QDir>
#include <QDragMoveEvent>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QScrollBar>
#include <QStringEncoder>

using namespace Qt::Literals::StringLiterals;

class TestRealTree : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // A refused label is edited again at the next press, and that press
    // neither selects the node under it nor gives it the label. An open
    // edit that a click elsewhere ends goes to the edited node alone.
    void aLabelEditEndsOnTheNodeItBeganOn() {
        RealWindow t({u"Alpha"_s, u"Beta"_s});
        TreeNode *alpha = t.nodes[0], *beta = t.nodes[1];
        t.form.tray().Quick().Add(u"Beta"_s, QString());
        QTest::mouseClick(t.viewport(), Qt::LeftButton, {}, t.onLabel(alpha));
        QTest::keyClick(&t.view(), Qt::Key_F2);
        t.editorOf(alpha)->selectAll();
        QTest::keyClicks(t.editorOf(alpha), u"   "_s);
        QString title;
        t.whenShown<QMessageBox>([&title](QMessageBox* box) {
            title = box->windowTitle();
            box->button(QMessageBox::Ok)->click();
        });
        QTest::keyClick(t.editorOf(alpha), Qt::Key_Return);
        QTRY_VERIFY(title == u"Entry Error"_s && !t.editorOf(alpha));

        QTest::mouseClick(t.viewport(), Qt::LeftButton, {}, t.onLabel(beta));
        QVERIFY(t.editorOf(alpha) && alpha->Selected() && beta->Text() == u"Beta"_s);
        t.editorOf(alpha)->setText(u"First"_s);
        QTest::mouseClick(t.viewport(), Qt::LeftButton, {}, t.onLabel(beta));
        QCOMPARE(alpha->Text() + beta->Text(), u"FirstBeta"_s);
        QVERIFY(beta->Selected() && !t.editorOf(alpha));
        QCOMPARE(t.form.tray().Quick().Entries().at(0).caption, u"Beta"_s);
    }

    // A node dragged into the bottom band scrolls the tree until it is let
    // go; the drop menu's command then acts on the node it was let go over,
    // though the scroll timer fell due before the drop was told and under
    // the menu.
    void aDropStopsTheScrollingAndActsWhereItWasMade() {
        QStringList labels;
        for (int i = 0; i < 60; ++i)
            labels << u"n%1"_s.arg(i, 2, 10, QLatin1Char('0'));
        RealWindow t(labels);
        QTest::mousePress(t.viewport(), Qt::LeftButton, {}, t.onLabel(t.nodes[0]));
        QTest::mouseMove(t.viewport(), t.onLabel(t.nodes[0]) + QPoint(0, 4));  // the drag starts
        const QPoint bottom(t.onLabel(t.nodes[0]).x(), t.viewport()->height() - 2);
        const std::unique_ptr<QMimeData> data(ControlDrag::dataFor(DragSource::TreeView));
        QDragEnterEvent enter(bottom, Qt::MoveAction, data.get(), Qt::LeftButton, {});
        QDropEvent drop(bottom, Qt::MoveAction, data.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(t.viewport(), &enter);
        t.clock.advance(100);
        const QString target = t.model().nodeAt(t.view().indexAt(bottom))->Text();
        const int scrolled = t.view().verticalScrollBar()->value();
        QCoreApplication::sendEvent(t.viewport(), &drop);
        t.clock.advance(100);
        QCOMPARE(t.view().verticalScrollBar()->value(), scrolled);
        QString underMenu;
        t.whenShown<QMenu>([&](QMenu* menu) {
            t.clock.advance(200);
            underMenu = t.form.tree().DropHighlight()->Text();
            menu->setActiveAction(menu->actions().at(2));  // "Move After The Item"
            QTest::keyClick(menu, Qt::Key_Return);
        });
        QTRY_COMPARE(underMenu, target);
        TreeNode* after = t.form.tree().First();
        while (after->Text() != target)
            after = after->Next();
        QCOMPARE(after->Next()->Text(), u"n00"_s);
    }

    // What a browser, a file manager or a stray program drops reaches the
    // tree through the real drop path: web addresses become items labelled
    // by their page's title (text/x-moz-url, _NETSCAPE_URL), else by their
    // host and path, or a mail address by the address; local files come as
    // ever, in the drop's order. Addresses are kept fully encoded. Other
    // schemes and what is no link are refused, and nothing changes.
    void webAddressesAndFilesDroppedTogetherBecomeItems_data() {
        QTest::addColumn<QVariantMap>("formats");
        QTest::addColumn<QStringList>("items");  // "label|path"; none: refused
        const auto utf16 = [](const QString& text, QStringConverter::Encoding encoding, bool mark) {
            QStringEncoder encode(encoding, mark ? QStringConverter::Flag::WriteBom
                                                 : QStringConverter::Flag::Default);
            return QByteArray(encode(text));
        };
        const QString uriList = u"text/uri-list"_s, moz = u"text/x-moz-url"_s;
        QTest::newRow("x-moz-url, non-ASCII title")
            << QVariantMap{{moz, utf16(u"https://de.wikipedia.org/wiki/K%C3%B6ln\n"
                                       u"K\u00f6ln \u2013 Wikipedia"_s,
                                       QStringConverter::Utf16LE, false)}}
            << QStringList{u"K\u00f6ln \u2013 Wikipedia|https://de.wikipedia.org/wiki/K%C3%B6ln"_s};
        QTest::newRow("x-moz-url with a byte order mark")
            << QVariantMap{{moz, utf16(u"https://example.org/?a=1&b=2#top\nTop"_s,
                                       QStringConverter::Utf16LE, true)}}
            << QStringList{u"Top|https://example.org/?a=1&b=2#top"_s};
        QTest::newRow("both, big-endian titles")
            << QVariantMap{{uriList, "https://a.example/x\r\nhttps://b.example/\r\n"_ba},
                           {moz, utf16(u"https://a.example/x\nA\tpage \n"
                                       u"https://b.example/\n"_s,
                                       QStringConverter::Utf16BE, false)}}
            << QStringList{u"A page|https://a.example/x"_s, u"b.example|https://b.example/"_s};
        QTest::newRow("mailto")
            << QVariantMap{{uriList, "mailto:ann@example.org?subject=Hi%20there\r\n"_ba}}
            << QStringList{u"ann@example.org|mailto:ann@example.org?subject=Hi%20there"_s};
        QTest::newRow("files and web")
            << QVariantMap{{uriList,
                            "file://DIR/notes.txt\r\nhttps://example.org/\r\n"
                            "file://DIR/sub\r\n"_ba}}
            << QStringList{u"notes|DIR/notes.txt"_s, u"example.org|https://example.org/"_s,
                           u"sub|DIR/sub"_s};
        QTest::newRow("_NETSCAPE_URL")
            << QVariantMap{{u"_NETSCAPE_URL"_s, "https://example.net/\nExample Net"_ba}}
            << QStringList{u"Example Net|https://example.net/"_s};
        QTest::newRow("plain text, not ASCII")
            << QVariantMap{{u"text/plain"_s, "https://example.org/caf\xc3\xa9?q=\xc3\xbc\n"_ba}}
            << QStringList{u"example.org/caf\u00e9|https://example.org/caf%C3%A9?q=%C3%BC"_s};
        QTest::newRow("other schemes")
            << QVariantMap{{uriList,
                            "ftp://example.org/f\r\nsftp://host/x\r\n"
                            "javascript:alert(1)\r\ndata:text/plain,hi\r\n"
                            "file://elsewhere.example/tmp\r\n"_ba}}
            << QStringList{};
        QTest::newRow("garbage") << QVariantMap{{moz, "\xff\xfe\x00\xd8\x41"_ba},
                                                {u"text/plain"_s,
                                                 "see https://example.org for more"_ba}}
                                 << QStringList{};
    }
    void webAddressesAndFilesDroppedTogetherBecomeItems() {
        QFETCH(QVariantMap, formats);
        QFETCH(QStringList, items);
        RealWindow t({});
        QVERIFY(QFile(t.dir.filePath(u"notes.txt"_s)).open(QIODevice::WriteOnly));
        QVERIFY(QDir(t.dir.path()).mkdir(u"sub"_s));
        QMimeData data;
        for (auto format = formats.cbegin(); format != formats.cend(); ++format)
            data.setData(format.key(),
                         format.value().toByteArray().replace("DIR", t.dir.path().toUtf8()));
        const QPoint where(20, 20);
        const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
        QDragEnterEvent enter(where, offered, &data, Qt::LeftButton, {});
        QDropEvent drop(where, offered, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(t.viewport(), &enter);
        QCoreApplication::sendEvent(t.viewport(), &drop);
        QCOMPARE(drop.isAccepted(), !items.isEmpty());
        const auto made = [&t] {
            QStringList out;
            for (TreeNode* n = t.form.tree().First(); n; n = n->Next())
                out << n->Text() + u'|' + n->Tag();
            return out;
        };
        for (QString& item : items)
            item.replace(u"DIR"_s, t.dir.path());
        QTRY_COMPARE(made(), items);
        QCoreApplication::processEvents();
        QCOMPARE(made(), items);
    }
};

QTEST_MAIN(TestRealTree)
#include "test_qt_real_tree.moc"
