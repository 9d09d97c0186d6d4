// A second program for the journeys: a small window at the screen's top left
// corner from which a press and a move of the left button drag the files
// named on the command line as a text/uri-list, copy only, the way a file
// manager offers its files: each name in its own bytes, UTF-8 or not. A web
// address given instead (http:, https:, mailto:), with its page's title
// after a blank, is offered as a browser offers a link: in the list, and as
// text/x-moz-url (UTF-16 address and title lines) and _NETSCAPE_URL, to be
// copied or linked.
//   uri_drag_source FILE|"ADDRESS [TITLE]"...
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QStringList>
#include <QUrl>
#include <QWidget>

namespace {
class DragSource : public QWidget {
public:
    DragSource(const QList<QUrl>& files, const QStringList& titles)
        : files_(files), titles_(titles) {
        setWindowTitle(QStringLiteral("uri-drag-source"));
        setFixedSize(160, 80);
        move(0, 0);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override { pressed_ = event->position().toPoint(); }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (!(event->buttons() & Qt::LeftButton) ||
            (event->position().toPoint() - pressed_).manhattanLength() <
                QApplication::startDragDistance())
            return;
        auto* offered = new QMimeData;
        offered->setUrls(files_);
        QString links;
        for (qsizetype i = 0; i < files_.size(); ++i) {
            if (!files_[i].isLocalFile())
                links += files_[i].toString(QUrl::FullyEncoded) + u'\n' + titles_[i] + u'\n';
        }
        Qt::DropActions actions = Qt::CopyAction;
        if (!links.isEmpty()) {
            links.chop(1);
            offered->setData(
                QStringLiteral("text/x-moz-url"),
                QByteArray(reinterpret_cast<const char*>(links.utf16()), links.size() * 2));
            offered->setData(QStringLiteral("_NETSCAPE_URL"), links.toUtf8());
            actions |= Qt::LinkAction;
        }
        auto* drag = new QDrag(this);
        drag->setMimeData(offered);
        drag->exec(actions, Qt::CopyAction);
    }

private:
    QList<QUrl> files_;
    QStringList titles_;
    QPoint pressed_;
};
}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    QList<QUrl> files;
    QStringList titles;
    for (int i = 1; i < argc; ++i) {
        const QByteArray given(argv[i]);
        if (given.startsWith('/')) {
            files << QUrl::fromEncoded("file://" + given.toPercentEncoding("/"));
            titles << QString();
        } else {
            const qsizetype blank = given.indexOf(' ');
            files << QUrl::fromEncoded(blank < 0 ? given : given.left(blank));
            titles << (blank < 0 ? QString() : QString::fromUtf8(given.mid(blank + 1)));
        }
    }
    DragSource window(files, titles);
    window.show();
    return app.exec();
}
