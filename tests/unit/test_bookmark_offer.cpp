// The one offer, in a strip over an empty tree, to bring the file manager's
// bookmarks in: made at the first showing, never again once answered.
#include "TestFiles.h"
#include "WarningsFail.h"
#include "app/BookmarkOffer.h"

using namespace Qt::Literals::StringLiterals;

namespace {
// A run over the folder given, whose GTK file holds three bookmarks, one
// of them of another computer, and a fourth that is local.
struct Offer : FormHarness {
    explicit Offer(const QString& dir, const QByteArray& gtk = {}) : FormHarness(dir) {
        if (!gtk.isEmpty() || !QFile::exists(paths.gtkBookmarks))
            writeFile(paths.gtkBookmarks, !gtk.isEmpty()
                                              ? gtk
                                              : "file:///home/ann/A\nfile:///home/ann/B%20b B\n"
                                                "sftp://host/c\nfile:///srv/d\n");
    }
    bool answerSaved() const { return settingsLines().contains(u"BookmarkOfferAnswered=True"_s); }
    void unload() { form->Form_QueryUnload(vbFormCode); }
    BookmarkOffer& offer() { return form->bookmarkOffer(); }
};

// How often the next run over the folder offers.
int offersOfTheNextRun(const QString& dir) {
    Offer next(dir);
    next.loadAndShow();
    return next.fake.offerStrip.shows;
}
}  // namespace

class TestBookmarkOffer : public WarningsFail {
    Q_OBJECT

private Q_SLOTS:
    // Either answer hides the strip and is kept among the settings of our
    // own, beside what a later version wrote there: the next run offers
    // nothing. The window shown again in the same run offers nothing anew.
    // "Import" brings the bookmarks in, as the menu's entry does.
    void answeredOnceNeverOfferedAgain_data() {
        QTest::addColumn<bool>("accept");
        QTest::newRow("No Thanks") << false;
        QTest::newRow("Import") << true;
    }
    void answeredOnceNeverOfferedAgain() {
        QFETCH(bool, accept);
        QTemporaryDir dir;
        {
            Offer run(dir.path());
            run.writeSettings({u"Hide=True"_s, u"[Varnel]"_s, u"Later=1"_s});
            run.loadAndShow();
            QCOMPARE(run.fake.offerStrip.texts.text, u"Your file manager has 3 bookmarks."_s);
            run.form->tvHide_Click();
            run.click(TrayLeftUp);
            QCOMPARE(run.fake.offerStrip.shows, 1);
            accept ? run.offer().OfferAccept_Click() : run.offer().OfferDecline_Click();
            QVERIFY(!run.fake.offerStrip.shown && !run.offer().Offering());
            QCOMPARE(run.form->tree().Count(), accept ? 4 : 0);  // a folder of three
            QCOMPARE(run.fake.messages.shown.size(), size_t(accept));
            run.unload();
            QVERIFY(run.answerSaved() && run.settingsLines().contains(u"Later=1"_s));
        }
        QCOMPARE(offersOfTheNextRun(dir.path()), 0);
    }

    // Unanswered, the offer waits for the next run; a tree that gets a node
    // meanwhile takes the strip away, unanswered, and the next run, with a
    // tree, offers nothing.
    void unansweredItWaitsAndANodeTakesItAway() {
        QTemporaryDir dir;
        for (const bool addNode : {false, true}) {
            Offer run(dir.path());
            run.loadAndShow();
            QVERIFY(run.fake.offerStrip.shown);
            if (addNode) {
                run.form->editing().AddNewNode(tvwFirst, false);
                QVERIFY(!run.fake.offerStrip.shown && !run.offer().Offering());
                run.offer().OfferAccept_Click();  // a click that came late does nothing
                QCOMPARE(run.form->tree().Count(), 1);
            }
            run.unload();
            QVERIFY(!run.answerSaved());
        }
        QCOMPARE(offersOfTheNextRun(dir.path()), 0);
    }

    // Nothing to bring, or a file that would stop the import: no offer.
    void noOfferWithoutBookmarksToBring() {
        for (const bool remoteOnly : {true, false}) {
            QTemporaryDir dir;
            Offer run(dir.path(), remoteOnly ? "sftp://host/c\n" : QByteArray());
            if (!remoteOnly)
                writeFile(run.paths.kdePlaces, "<xbel><bookmark href='file:///x'></xbel>");
            run.loadAndShow();
            QCOMPARE(run.fake.offerStrip.shows, 0);
            QVERIFY(run.fake.messages.shown.empty());
        }
    }
};

QTEST_GUILESS_MAIN(TestBookmarkOffer)
#include "test_bookmark_offer.moc"
