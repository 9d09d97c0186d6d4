// The offer strip over the tree: where it stands, what it says and what
// its buttons report.
#include "RecordingEvents.h"
#include "WarningsFail.h"
#include "platform/OfferStripPort.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/tree/NodeTreeView.h"
#include "platform/qt/tree/OfferStripWidget.h"
#include "platform/qt/window/MainWindowWidget.h"
#include "platform/qt/window/QtMainWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestOfferStrip : public WarningsFail {
    Q_OBJECT
private Q_SLOTS:
    // Asked for before the window was built, the strip comes with it,
    // over the tree, which gives it the room and takes it back when the
    // strip goes. The keys stay in the tree. Each button reports.
    void theStripStandsOverTheTreeAndReports() {
        RecordingEvents events;
        QtPlatform platform;
        NodeTree tree;
        platform.attach(events.events(), tree);
        platform.platform().offerStrip.showOffer(
            {u"Your file manager has 5 bookmarks."_s, u"Import"_s, u"No Thanks"_s});
        QtMainWindow& window = platform.window();
        window.show();
        MainWindowWidget& widget = *window.widget();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        OfferStripWidget& strip = *widget.offerStrip();
        NodeTreeView& view = *widget.treeView();
        QTRY_VERIFY(strip.isVisible() && strip.height() > 0);
        QCOMPARE(strip.textLabel()->text(), u"Your file manager has 5 bookmarks."_s);
        QCOMPARE(strip.acceptButton()->text(), u"Import"_s);
        QCOMPARE(strip.declineButton()->text(), u"No Thanks"_s);
        QCOMPARE(strip.parentWidget(), widget.treePane());
        QVERIFY(strip.geometry().bottom() < view.geometry().top());
        QCOMPARE(strip.width(), widget.treePane()->width());
        const int paneHeight = widget.treePane()->height();
        QCOMPARE(view.height() + strip.height(), paneHeight);

        QTest::mouseClick(strip.acceptButton(), Qt::LeftButton);
        QTest::mouseClick(strip.declineButton(), Qt::LeftButton);
        QCOMPARE(events.only(u"Offer"_s), (QStringList{u"OfferAccept"_s, u"OfferDecline"_s}));
        QVERIFY(view.hasFocus());

        platform.platform().offerStrip.hideOffer();
        QTRY_COMPARE(view.height(), paneHeight);
        QVERIFY(!strip.isVisible());
    }
};

QTEST_MAIN(TestOfferStrip)
#include "test_qt_offer_strip.moc"
