// Opening paths from the tree and the path label, and hiding the window.
#include "FormHarness.h"
#include "tree/ShellOpen.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {
// Whether ShellOpen reported success; its answer comes at once from the fake.
bool opens(FakeShell& shell, const QString& path) {
    bool result = false;
    ShellOpen(shell, path, [&result](bool opened) { result = opened; });
    return result;
}

struct Opened : FormHarness {
    Opened() {
        loadAndShow();
        file = temp->filePath(QStringLiteral("notes.txt"));
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly)) qFatal("cannot create a file");
    }
    // A node at a point of the tree, as the view's hit test would find it.
    TreeNode* nodeAt(float x, float y, const QString& path, const QString& image = QStringLiteral("leaf")) {
        TreeNode* node = form->Tree().Add(nullptr, tvwLast, QString(), QStringLiteral("N"), image);
        node->SetTag(path);
        fake.treeView.hits[{x, y}] = node;
        return node;
    }
    void doubleClick(float x, float y) {
        form->TreeView_MouseDown(ButtonLeft, 0, x, y);
        form->TreeView_DblClick();
    }
    QString file;
};
}  // namespace

class OpeningTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aDoubleClickOpensThePathUnderThePressAndAutoHides() {
        Opened h;
        h.nodeAt(10, 10, h.file);
        TreeNode* other = h.nodeAt(10, 300, QStringLiteral("/"));
        h.form->Tree().SetSelectedItem(other);
        h.fake.window.pointers.clear();
        h.doubleClick(10, 10);
        QCOMPARE(h.fake.shell.opened.size(), size_t(1));
        QCOMPARE(h.fake.shell.opened[0], QUrl::fromLocalFile(h.file));
        QCOMPARE(h.fake.window.pointers, (std::vector<int>{PointerBusy, PointerDefault}));
        QVERIFY(!h.fake.window.visible);
        // The window's own hide only: the tray menu still offers "Hide".
        QVERIFY(h.form->trayMenu.HideVisible);
        QVERIFY(!h.form->trayMenu.OpenVisible);
        // "Hide" then only switches the tray menu back to "Open".
        h.form->tiHide_Click();
        QVERIFY(h.form->trayMenu.OpenVisible);
        QVERIFY(h.fake.messages.shown.empty());
    }

    void withoutAutoHideTheWindowStays() {
        Opened h;
        h.form->tvAutoHide_Click();
        h.nodeAt(10, 10, h.file);
        h.doubleClick(10, 10);
        QCOMPARE(h.fake.shell.opened.size(), size_t(1));
        QVERIFY(h.fake.window.visible);
    }

    void aMissingPathWarnsAndKeepsTheWindow() {
        Opened h;
        TreeNode* node = h.nodeAt(10, 10, h.temp->filePath(QStringLiteral("gone.txt")));
        h.doubleClick(10, 10);
        QVERIFY(h.fake.shell.opened.empty());
        QCOMPARE(h.fake.messages.shown.size(), size_t(1));
        const ShownMessage& box = h.fake.messages.shown[0];
        QCOMPARE(box.text, QStringLiteral("Folder is unavailable or no longer exist."));
        QCOMPARE(box.title, QStringLiteral("Warning"));
        QCOMPARE(box.buttons, MsgButtons::Ok);
        QCOMPARE(box.icon, MsgIcon::None);
        QVERIFY(h.fake.window.visible);
        QCOMPARE(h.form->Tree().Count(), 1);
        QCOMPARE(node->Tag(), h.temp->filePath(QStringLiteral("gone.txt")));
        QCOMPARE(h.fake.window.pointer(), int(PointerDefault));
    }

    void aRefusedHandOverWarnsToo() {
        Opened h;
        h.fake.shell.accept = false;
        h.nodeAt(10, 10, h.file);
        h.doubleClick(10, 10);
        QCOMPARE(h.fake.messages.shown.size(), size_t(1));
        QVERIFY(h.fake.window.visible);
    }

    void blankSpaceAndPathlessNodesDoNothing() {
        Opened h;
        TreeNode* folder = h.nodeAt(10, 10, QString(), QStringLiteral("closed"));
        h.form->Tree().Add(folder, tvwChild, QString(), QStringLiteral("child"), QStringLiteral("leaf"));
        folder->SetExpanded(true);
        h.doubleClick(10, 10);
        h.doubleClick(500, 500);
        QVERIFY(folder->Expanded());
        QVERIFY(h.fake.shell.opened.empty());
        QVERIFY(h.fake.messages.shown.empty());
    }

    void aPressSelectsAndShowsThePath() {
        Opened h;
        TreeNode* node = h.nodeAt(10, 10, h.file);
        h.form->TreeView_MouseDown(ButtonRight, 0, 10, 10);
        QVERIFY(node->Selected());
        QCOMPARE(h.form->Tree().DropHighlight(), node);
        QCOMPARE(h.fake.window.path, QLatin1Char(' ') + h.file);
        // A press on blank space keeps the selection and the label.
        h.form->TreeView_MouseDown(ButtonLeft, 0, 400, 400);
        QVERIFY(node->Selected());
        QCOMPARE(h.fake.window.path, QLatin1Char(' ') + h.file);
        QCOMPARE(h.form->TreeDragState, 0);
    }

    void expandingByHandSelectsAndIsSavedButNotWhileLoading() {
        Opened h;
        h.form->SaveSettings();
        TreeNode* folder = h.nodeAt(10, 10, QString(), QStringLiteral("closed"));
        h.form->TreeBusy = true;
        h.form->TreeView_Expand(folder);
        QVERIFY(!folder->Selected());
        QVERIFY(!h.form->SettingsDirty);
        h.form->TreeBusy = false;
        h.form->TreeView_Expand(folder);
        QVERIFY(folder->Selected());
        QVERIFY(h.form->SettingsDirty);
    }

    void thePathLabelOpensWhatItShows() {
        Opened h;
        h.fake.window.path = QStringLiteral(" ");
        h.form->PathDisp_DblClick();
        QVERIFY(h.fake.shell.opened.empty());
        QVERIFY(h.fake.messages.shown.empty());
        h.fake.window.path = QStringLiteral("   ") + h.file;
        h.form->PathDisp_DblClick();
        QCOMPARE(h.fake.shell.opened.size(), size_t(1));
        QCOMPARE(h.fake.shell.opened[0].toLocalFile(), h.file);
    }

    void oddNamesReachTheHandlerAsTheFileTheyName() {
        QTemporaryDir temp;
        FakeShell shell;
        const QStringList names = {QStringLiteral("with space.txt"), QStringLiteral("quote\"s'.txt"),
                                   QStringLiteral("hash#frag.txt"), QStringLiteral("-leading-dash"),
                                   QStringLiteral("new\nline"), QStringLiteral("percent%20.txt"),
                                   QStringLiteral("question?.txt"), QStringLiteral("$(touch pwned)")};
        for (const QString& name : names) {
            const QString path = temp.filePath(name);
            QFile f(path);
            QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(name));
            f.close();
            QVERIFY(opens(shell, path));
            QCOMPARE(shell.opened.back().toLocalFile(), path);
            QVERIFY(shell.opened.back().isLocalFile());
        }
        QVERIFY(!QFile::exists(QStringLiteral("pwned")));
    }

    void urlsAndOddTextsAreHandledSoundly() {
        FakeShell shell;
        QVERIFY(opens(shell, QStringLiteral("https://example.org/a b")));
        QCOMPARE(shell.opened.back().scheme(), QStringLiteral("https"));
        QVERIFY(opens(shell, QStringLiteral("mailto:ann@example.org")));
        const size_t before = shell.opened.size();
        QVERIFY(!opens(shell, QString()));
        QVERIFY(!opens(shell, QStringLiteral("C:\\Docs\\notes.txt")));
        QVERIFY(!opens(shell, QStringLiteral("file:///no/such/file")));
        QVERIFY(!opens(shell, QStringLiteral("/no/such/file")));
        QCOMPARE(shell.opened.size(), before);
    }
};

QTEST_GUILESS_MAIN(OpeningTest)
#include "test_opening.moc"
