// Opening paths from the tree and the path label, and the tree's mouse.
#include "FormHarness.h"
#include "WarningsFail.h"
#include "tree/ShellOpen.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {
struct Opened : FormHarness {
    Opened() {
        loadAndShow();
        file = temp->filePath(QStringLiteral("notes.txt"));
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly))
            qFatal("cannot create a file");
    }
    // A node at a point of the tree, as the view's hit test would find it.
    TreeNode* nodeAt(float x, float y, const QString& path,
                     const QString& image = QStringLiteral("leaf")) {
        TreeNode* node = form->tree().Add(nullptr, tvwLast, QString(), QStringLiteral("N"), image);
        node->SetTag(path);
        fake.treeView.hits[{x, y}] = node;
        return node;
    }
    void doubleClick(float x, float y) {
        form->treeMouse().TreeView_MouseDown(ButtonLeft, 0, x, y);
        form->treeMouse().TreeView_DblClick();
    }
    QString file;
};

// Whether ShellOpen reported success; the fake answers at once.
bool opens(FakeShell& shell, const QString& path) {
    bool result = false;
    ShellOpen(shell, path, [&result](bool opened) { result = opened; });
    return result;
}
}  // namespace

class TestOpening : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // The window hides only once the opener said it worked, and stays with a
    // warning when it did not; the busy pointer lasts until the answer.
    void aDoubleClickOpensThePathUnderThePressAndHidesOnlyOnSuccess() {
        Opened h;
        h.nodeAt(10, 10, h.file);
        h.form->tree().SetSelectedItem(h.nodeAt(10, 300, QStringLiteral("/")));
        h.fake.shell.holdAnswers = true;
        h.fake.window.pointers.clear();
        h.doubleClick(10, 10);
        QCOMPARE(h.fake.shell.opened, std::vector<QUrl>{QUrl::fromLocalFile(h.file)});
        QCOMPARE(h.fake.window.pointer(), int(PointerBusy));
        QVERIFY(h.fake.window.visible);
        h.fake.shell.answer(true);
        QCOMPARE(h.fake.window.pointer(), int(PointerDefault));
        QVERIFY(!h.fake.window.visible);
        // The window's own hide only: the tray menu still offers "Hide".
        QVERIFY(h.form->tray().OffersHide());

        h.click(TrayLeftUp);
        h.doubleClick(10, 10);
        h.fake.shell.answer(false);  // an opener that found no application
        QVERIFY(h.fake.window.visible);
        QCOMPARE(h.fake.messages.shown.size(), size_t(1));
        const ShownMessage& box = h.fake.messages.shown[0];
        QCOMPARE(box.text, QStringLiteral("Folder is unavailable or no longer exist."));
        QCOMPARE(box.title, QStringLiteral("Warning"));
        QCOMPARE(box.buttons, MsgButtons::Ok);
        QCOMPARE(box.icon, MsgIcon::None);
        QCOMPARE(h.fake.window.pointer(), int(PointerDefault));

        h.form->tvAutoHide_Click();  // without auto hide the window stays
        h.doubleClick(10, 10);
        h.fake.shell.answer(true);
        QVERIFY(h.fake.window.visible);
    }

    void missingPathsBlankSpaceAndPathlessNodes() {
        Opened h;
        TreeNode* gone = h.nodeAt(10, 10, h.temp->filePath(QStringLiteral("gone.txt")));
        h.doubleClick(10, 10);
        QVERIFY(h.fake.shell.opened.empty());
        QCOMPARE(h.fake.messages.shown.size(), size_t(1));
        QVERIFY(h.fake.window.visible);

        TreeNode* folder = h.nodeAt(10, 50, QString(), QStringLiteral("closed"));
        h.form->tree().Add(folder, tvwChild, QString(), QStringLiteral("child"),
                           QStringLiteral("leaf"));
        folder->SetExpanded(true);
        h.doubleClick(10, 50);
        h.form->tree().SetSelectedItem(gone);  // the press, not the selection, decides
        h.doubleClick(500, 500);
        QVERIFY(folder->Expanded());
        QVERIFY(h.fake.shell.opened.empty());
        QCOMPARE(h.fake.messages.shown.size(), size_t(1));
    }

    void aPressSelectsAndShowsThePathAndAClickIsRemembered() {
        Opened h;
        TreeNode* node = h.nodeAt(10, 10, h.file);
        h.form->treeMouse().TreeView_MouseDown(ButtonRight, 0, 10, 10);
        QVERIFY(node->Selected());
        QCOMPARE(h.form->tree().DropHighlight(), node);
        QCOMPARE(h.fake.pathLabel.text, QLatin1Char(' ') + h.file);
        h.form->treeMouse().TreeView_MouseDown(ButtonLeft, 0, 400, 400);  // blank space
        QVERIFY(node->Selected());
        QCOMPARE(h.fake.pathLabel.text, QLatin1Char(' ') + h.file);

        h.form->settings().SaveSettings();
        TreeNode* other = h.nodeAt(10, 30, QStringLiteral("/"));
        h.form->treeMouse().TreeView_NodeClick(other);  // by a key, say
        QVERIFY(other->Selected());
        QCOMPARE(h.fake.pathLabel.text, QStringLiteral(" /"));
        QVERIFY(h.form->settings().SettingsDirty());
    }

    void expandingByHandSelectsAndIsSavedButNotWhileTheTreeIsBusy() {
        Opened h;
        h.form->settings().SaveSettings();
        TreeNode* folder = h.nodeAt(10, 10, QString(), QStringLiteral("closed"));
        {
            TreeBusyScope busy(h.form->tree());
            h.form->treeMouse().TreeView_Expand(folder);
        }
        QVERIFY(folder->Expanded());  // the tree follows the view either way
        QVERIFY(!folder->Selected());
        QVERIFY(!h.form->settings().SettingsDirty());
        h.form->treeMouse().TreeView_Collapse(folder);
        QVERIFY(!folder->Expanded());
        QVERIFY(folder->Selected());
        QVERIFY(h.form->settings().SettingsDirty());
    }

    void thePathLabelOpensWhatItShows() {
        Opened h;
        h.fake.pathLabel.text = QStringLiteral(" ");
        h.form->opener().PathDisp_DblClick();
        QVERIFY(h.fake.shell.opened.empty());
        h.fake.pathLabel.text = QStringLiteral("   ") + h.file;
        h.form->opener().PathDisp_DblClick();
        QCOMPARE(h.fake.shell.opened, std::vector<QUrl>{QUrl::fromLocalFile(h.file)});
    }

    void oddNamesAndUrlsReachTheOpenerAsWhatTheyName() {
        QTemporaryDir temp;
        FakeShell shell;
        for (const char* name :
             {"with space.txt", "quote\"s'.txt", "hash#frag.txt", "-leading-dash", "new\nline",
              "percent%20.txt", "question?.txt", "$(touch pwned)"}) {
            const QString path = temp.filePath(QString::fromUtf8(name));
            QFile f(path);
            QVERIFY2(f.open(QIODevice::WriteOnly), name);
            f.close();
            QVERIFY(opens(shell, path));
            QCOMPARE(shell.opened.back().toLocalFile(), path);
        }
        QVERIFY(opens(shell, QStringLiteral("https://example.org/a b")));
        QCOMPARE(shell.opened.back().scheme(), QStringLiteral("https"));
        QVERIFY(opens(shell, QStringLiteral("mailto:ann@example.org")));
        const size_t before = shell.opened.size();
        for (const char* nothing :
             {"", "C:\\Docs\\notes.txt", "file:///no/such/file", "/no/such/file"})
            QVERIFY2(!opens(shell, QString::fromUtf8(nothing)), nothing);
        QCOMPARE(shell.opened.size(), before);
    }
};

QTEST_GUILESS_MAIN(TestOpening)
#include "test_opening.moc"
