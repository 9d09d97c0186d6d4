// A second program for the journeys: a small window at the screen's top left
// corner from which a press and a move of the left button drag the files
// named on the command line as a text/uri-list, copy only, the way a file
// manager offers its files: each name in its own bytes, UTF-8 or not.
//   uri_drag_source FILE...
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>

namespace {
class DragSource : public QWidget {
public:
    explicit DragSource(const QList<QUrl>& files) : files_(files) {
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
        auto* drag = new QDrag(this);
        drag->setMimeData(offered);
        drag->exec(Qt::CopyAction);
    }

private:
    QList<QUrl> files_;
    QPoint pressed_;
};
}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    QList<QUrl> files;
    for (int i = 1; i < argc; ++i)
        files << QUrl::fromEncoded("file://" + QByteArray(argv[i]).toPercentEncoding("/"));
    DragSource window(files);
    window.show();
    return app.exec();
}
