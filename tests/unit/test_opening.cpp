// Opening paths from the tree and the path label, and the tree's mouse.
#include "FormHarness.h"
#include "WarningsFail.h"
#include "files/PathChecks.h"
#include "tree/ShellOpen.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
struct Opened : FormHarness {
    Opened() {
        loadAndShow();
        file = temp->filePath(u"notes.txt"_s);
        if (!QFile(file).open(QIODevice::WriteOnly))
            qFatal("cannot create a file");
    }
    // A node at a point of the tree, as the view's hit test would find it.
    TreeNode* nodeAt(float y, const QString& path, const QString& image = u"leaf"_s) {
        TreeNode* node = form->tree().Add(nullptr, tvwLast, QString(), u"N"_s, image);
        node->SetTag(path);
        fake.treeView.hits[{10, y}] = node;
        return node;
    }
    void doubleClick(float x, float y) {
        form->treeMouse().TreeView_MouseDown(ButtonLeft, 0, x, y);
        form->treeMouse().TreeView_DblClick();
    }
    QString file;
};
}  // namespace

class TestOpening : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // The window hides only once the opener said it worked, and stays with a
    // warning when it did not; the busy pointer lasts until the answer.
    void aDoubleClickOpensThePathUnderThePressAndHidesOnlyOnSuccess() {
        Opened h;
        h.nodeAt(10, h.file);
        h.form->tree().SetSelectedItem(h.nodeAt(300, u"/"_s));  // the press decides
        h.fake.shell.holdAnswers = true;
        h.doubleClick(10, 10);
        QCOMPARE(h.fake.shell.opened, std::vector<QUrl>{QUrl::fromLocalFile(h.file)});
        QCOMPARE(h.fake.window.pointer(), int(PointerBusy));
        QVERIFY(h.fake.window.visible);
        h.fake.shell.answer(true);
        QCOMPARE(h.fake.window.pointer(), int(PointerDefault));
        QVERIFY(!h.fake.window.visible);
        QVERIFY(h.form->tray().OffersHide());  // the window's own hide only

        h.click(TrayLeftUp);
        h.doubleClick(10, 10);
        h.fake.shell.answer(false);  // an opener that found no application
        QVERIFY(h.fake.window.visible);
        QCOMPARE(h.fake.messages.shown.at(0).text, u"Folder is unavailable or no longer exist."_s);

        h.form->tvAutoHide_Click();  // without auto hide the window stays
        h.doubleClick(10, 10);
        h.fake.shell.answer(true);
        QVERIFY(h.fake.window.visible);
    }

    // A missing path warns; a folder without one, or blank space, opens
    // nothing and leaves the folder as it was.
    void missingPathsBlankSpaceAndPathlessNodes() {
        Opened h;
        h.nodeAt(10, h.temp->filePath(u"gone.txt"_s));
        h.doubleClick(10, 10);
        h.doubleClick(500, 500);  // the node pressed before stays selected
        TreeNode* folder = h.nodeAt(50, QString(), u"closed"_s);
        h.form->tree().Add(folder, tvwChild, QString(), u"child"_s, u"leaf"_s);
        folder->SetExpanded(true);
        h.doubleClick(10, 50);
        QVERIFY(folder->Expanded());
        QVERIFY(h.fake.shell.opened.empty());
        QCOMPARE(h.fake.messages.shown.size(), size_t(1));
    }

    // A press selects and shows the path, blank space keeps both; a click
    // (by a key, say) is remembered. A double click on the label opens what
    // it shows, blanks aside.
    void aPressShowsThePathThatTheLabelOpens() {
        Opened h;
        TreeNode* node = h.nodeAt(10, h.file);
        h.form->treeMouse().TreeView_MouseDown(ButtonRight, 0, 10, 10);
        h.form->treeMouse().TreeView_MouseDown(ButtonLeft, 0, 400, 400);
        QVERIFY(node->Selected() && h.form->tree().DropHighlight() == node);
        QCOMPARE(h.fake.pathLabel.text, u' ' + h.file);
        h.form->settings().SaveSettings();
        h.form->treeMouse().TreeView_NodeClick(h.nodeAt(30, u"/"_s));
        QCOMPARE(h.fake.pathLabel.text, u" /"_s);
        QVERIFY(h.form->settings().SettingsDirty());
        for (const QString& shown : {u" "_s, u"   "_s + h.file}) {
            h.fake.pathLabel.text = shown;
            h.form->opener().PathDisp_DblClick();
        }
        QCOMPARE(h.fake.shell.opened, std::vector<QUrl>{QUrl::fromLocalFile(h.file)});
    }

    void expandingByHandSelectsAndIsSavedButNotWhileTheTreeIsBusy() {
        Opened h;
        h.form->settings().SaveSettings();
        TreeNode* folder = h.nodeAt(10, QString(), u"closed"_s);
        {
            TreeBusyScope busy(h.form->tree());
            h.form->treeMouse().TreeView_Expand(folder);
        }
        QVERIFY(folder->Expanded() && !folder->Selected());
        QVERIFY(!h.form->settings().SettingsDirty());
        h.form->treeMouse().TreeView_Collapse(folder);
        QVERIFY(!folder->Expanded() && folder->Selected());
        QVERIFY(h.form->settings().SettingsDirty());
    }

    // Names that would read as a URL's parts reach the opener as the file they
    // name, URLs as URLs; what names nothing here is refused, and so is a
    // path on a share that does not answer.
    void oddNamesAndUrlsReachTheOpenerAsWhatTheyName() {
        QTemporaryDir temp;
        FakeShell shell;
        VirtualClock clock;
        FakeBackgroundWork work;
        PathChecks checks(work, clock, {});
        const auto opens = [&](const QString& path) {
            std::optional<bool> result;
            ShellOpen(shell, checks, path, [&result](bool opened) { result = opened; });
            clock.advance(PathChecks::DeadlineMs);
            return result.value();
        };
        for (const char* name : {"with space.txt", "hash#frag.txt", "percent%20.txt"}) {
            const QString path = temp.filePath(QString::fromUtf8(name));
            QVERIFY2(QFile(path).open(QIODevice::WriteOnly), name);
            QVERIFY(opens(path));
            QCOMPARE(shell.opened.back().toLocalFile(), path);
        }
        QVERIFY(opens(u"https://example.org/a b"_s));
        QCOMPARE(shell.opened.back().scheme(), u"https"_s);
        for (const char* nothing :
             {"", "C:\\Docs\\notes.txt", "file:///no/such/file", "/no/such/file"})
            QVERIFY2(!opens(QString::fromUtf8(nothing)), nothing);
        work.hold = true;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"does not answer"_s));
        QVERIFY(!opens(temp.filePath(u"with space.txt"_s)));
        // Web addresses reach the opener unchecked, exactly as kept.
        for (const QString& web : {u"https://example.org/caf%C3%A9?q=a%26b#top"_s,
                                   u"mailto:ann@example.org?subject=Hi%20there"_s}) {
            QVERIFY(opens(web));
            QCOMPARE(shell.opened.back().toString(QUrl::FullyEncoded), web);
        }
        QCOMPARE(shell.opened.size(), 6u);
    }
};

QTEST_GUILESS_MAIN(TestOpening)
#include "test_opening.moc"
