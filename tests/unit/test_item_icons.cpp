#include "FormHarness.h"
#include "WarningsFail.h"

#include <QFile>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
// A settings file whose items carry icon indexes from an earlier run: two
// text files, a path that is gone, and a folder.
struct Icons : FormHarness {
    Icons() {
        for (const QString& name : {u"a.txt"_s, u"b.txt"_s})
            QFile(temp->filePath(name)).open(QIODevice::WriteOnly);
        fake.images.hasIcons = true;
        writeSettings({node(u"A"_s, u"a.txt"_s, u"7"_s), node(u"B"_s, u"b.txt"_s, u"9"_s),
                       node(u"Gone"_s, u"gone.txt"_s, u"5"_s),
                       u"Node=F\t\tclosed\topen\tFalse\t0\tFalse"_s});
    }
    QString node(const QString& text, const QString& name, const QString& image) const {
        return u"Node=%1\t%2\t%3\t\tFalse\t0\tFalse"_s.arg(text, temp->filePath(name), image);
    }
    QStringList images() const {
        QStringList out;
        for (TreeNode* n = form->tree().First(); n; n = NodeTree::NextInDocumentOrder(n))
            out << n->Image();
        return out;
    }
    QStringList storedImages() {
        form->settings().ScheduleSave();
        form->settings().SaveSettings();
        QStringList out;
        for (const QString& line : settingsLines())
            if (line.startsWith(u"Node="_s))
                out << line.section(u'\t', 2, 2);
        return out;
    }
};
}  // namespace

class TestItemIcons : public WarningsFail {
    Q_OBJECT

private Q_SLOTS:
    // A hidden program reads its settings to save them, not to draw them:
    // it looks nothing up and keeps every stored icon index. The first
    // showing looks them up; items of one kind share one picture, and a
    // path that is gone shows the leaf.
    void nothingIsLookedUpBeforeTheFirstShowing() {
        Icons h;
        h.load();
        QCOMPARE(h.storedImages(), (QStringList{u"7"_s, u"9"_s, u"5"_s, u"closed"_s}));
        QVERIFY(h.fake.images.handles.isEmpty());
        h.click(TrayLeftUp);
        QCOMPARE(h.images(), (QStringList{u"4"_s, u"4"_s, u"leaf"_s, u"closed"_s}));
        QCOMPARE(h.fake.images.handles, QStringList{u"text-plain"_s});
        QCOMPARE(h.storedImages(), (QStringList{u"4"_s, u"4"_s, u"leaf"_s, u"closed"_s}));
    }

    // While a lookup has not answered (a mount that does not answer), the
    // item draws as the leaf and is saved as it was stored. An answer for
    // an item removed or changed meanwhile is dropped.
    void aLookupNotAnsweredKeepsTheStoredIcon() {
        Icons h;
        h.fake.work.hold = true;
        h.loadAndShow();
        QCOMPARE(h.images().first(), u"?7"_s);
        QCOMPARE(h.storedImages().mid(0, 3), (QStringList{u"7"_s, u"9"_s, u"5"_s}));
        TreeNode* a = h.form->tree().First();
        h.form->tree().Remove(a->Next());
        a->SetTag(h.temp->filePath(u"gone.txt"_s));
        while (h.fake.work.release()) {
        }
        QCOMPARE(h.images(), (QStringList{u"?7"_s, u"leaf"_s, u"closed"_s}));
        QCOMPARE(h.storedImages(), (QStringList{u"7"_s, u"leaf"_s, u"closed"_s}));
    }
};

QTEST_GUILESS_MAIN(TestItemIcons)
#include "test_item_icons.moc"
