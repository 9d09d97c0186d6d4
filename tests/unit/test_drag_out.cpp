// What a node dragged out of the window offers the program it is dropped
// on, and that such a drop changes nothing in the tree.
#include "FormHarness.h"
#include "WarningsFail.h"
#include "files/NameBytes.h"
#include "tree/TreeMouse.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestDragOut : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // Files and folders offer their file:// address, every byte of the path
    // escaped but the unreserved ones and "/" (a name that is not UTF-8 by
    // its own bytes); web addresses themselves, only what no address holds
    // escaped. A node with no path, or with one nothing outside can place,
    // offers nothing. Each drag shows its node's picture as before.
    void eachNodeOffersItsAddressOrNothing() {
        FormHarness h;
        h.loadAndShow();
        const QString odd = NameFromBytes("/tmp/bad\xff.txt");
        const QString astral = NameFromBytes("/tmp/\xf0\x90\x82\x80");  // U+10080
        const struct {
            const char* image;
            QString path;
            QByteArray uri;  // empty: nothing offered
        } cases[] = {
            {"leaf", u"/home/u/notes.txt"_s, "file:///home/u/notes.txt"},
            {"closed", u"/home/u/Music"_s, "file:///home/u/Music"},
            {"closed", QString(), ""},
            {"leaf", QString(), ""},
            {"leaf", u"/home/u/50% of ü b~.txt"_s, "file:///home/u/50%25%20of%20%C3%BC%20b~.txt"},
            {"leaf", u"/srv/http:x"_s, "file:///srv/http%3Ax"},
            {"leaf", odd, "file:///tmp/bad%FF.txt"},
            {"leaf", astral, "file:///tmp/%F0%90%82%80"},
            {"leaf", u"https://example.org/a?b=c%20d&e=[f]#g"_s,
             "https://example.org/a?b=c%20d&e=[f]#g"},
            {"leaf", u"HTTP://Example.org/a b/ü\t"_s, "HTTP://Example.org/a%20b/%C3%BC%09"},
            {"closed", u"mailto:someone@example.org"_s, "mailto:someone@example.org"},
            {"leaf", u"notes.txt"_s, ""},
            {"leaf", u"~/notes.txt"_s, ""},
            {"leaf", u"httpd.conf"_s, ""},
            {"leaf", u"ftp://example.org/f"_s, ""},
        };
        TreeMouse& mouse = h.form->treeMouse();
        QStringList pictures;
        float y = 0;
        for (const auto& c : cases) {
            TreeNode* node =
                h.form->tree().Add(nullptr, tvwLast, QString(), u"n"_s, QLatin1String(c.image));
            node->SetTag(c.path);
            h.fake.treeView.hits[{10, y += 20}] = node;
            mouse.TreeView_MouseDown(ButtonLeft, 0, 10, y);
            mouse.TreeView_MouseMove(ButtonLeft, 0, 10, y + 1);
            mouse.TreeView_MouseUp(ButtonLeft, 0, 10, y + 1);
            pictures << QLatin1String(c.image);
            const std::optional<OutsideOffer>& offered = h.fake.treeView.offers.back();
            if (c.uri.isEmpty()) {
                QVERIFY2(!offered, qPrintable(c.path));
                continue;
            }
            QVERIFY2(offered, qPrintable(c.path));
            QCOMPARE(offered->uri, c.uri);
            QCOMPARE(offered->text, BytesOfName(c.path));
        }
        QCOMPARE(h.fake.treeView.drags, pictures);
        QCOMPARE(h.fake.treeView.offers.size(), std::size(cases));
    }

    // A drag let go over another program is never told to the tree: the
    // next move without a button ends it, with no menu, nothing moved and
    // nothing to save.
    void aDropOutsideEndsTheDragQuietly() {
        FormHarness h;
        h.writeSettings({u"Node=Work\t\tclosed\topen\tFalse\t0\tFalse"_s,
                         u"Node=Notes\t/home/u/notes.txt\tleaf\t\tFalse\t0\tFalse"_s});
        h.loadAndShow();
        h.wait(120'000);
        const QStringList saved = h.settingsLines();
        NodeTree& tree = h.form->tree();
        TreeNode* notes = tree.First()->Next();
        h.fake.treeView.hits[{10, 30}] = notes;
        TreeMouse& mouse = h.form->treeMouse();
        mouse.TreeView_MouseDown(ButtonLeft, 0, 10, 30);
        mouse.TreeView_MouseMove(ButtonLeft, 0, 10, 31);
        QCOMPARE(mouse.TreeDragState(), 2);
        mouse.TreeView_MouseMove(0, 0, 10, 5);
        QCOMPARE(mouse.TreeDragState(), 0);
        h.wait(120'000);
        QVERIFY(h.fake.menus.shown.empty());
        QCOMPARE(tree.First()->Next(), notes);
        QCOMPARE(h.settingsLines(), saved);
    }
};

QTEST_GUILESS_MAIN(TestDragOut)
#include "test_drag_out.moc"
