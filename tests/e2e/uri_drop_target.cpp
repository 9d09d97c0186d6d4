// A second program for the journeys: a small window at the screen's top
// left corner that takes whatever is dropped on it, as the proposed action,
// and appends to the log file one line for each drop: the types offered,
// the actions the source allows and the one it proposes, and the
// text/uri-list as received, its lines joined by blanks.
//   uri_drop_target LOG_FILE
#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QWidget>

namespace {
QByteArray ActionNames(Qt::DropActions actions) {
    QByteArrayList names;
    if (actions.testFlag(Qt::CopyAction))
        names << "copy";
    if (actions.testFlag(Qt::MoveAction))
        names << "move";
    if (actions.testFlag(Qt::LinkAction))
        names << "link";
    return names.isEmpty() ? QByteArray("none") : names.join(',');
}

class DropTarget : public QWidget {
public:
    explicit DropTarget(const QString& log) : log_(log) {
        setWindowTitle(QStringLiteral("uri-drop-target"));
        setAcceptDrops(true);
        setFixedSize(160, 80);
        move(0, 0);
    }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override { event->acceptProposedAction(); }
    void dragMoveEvent(QDragMoveEvent* event) override { event->acceptProposedAction(); }
    void dropEvent(QDropEvent* event) override {
        const QMimeData* offered = event->mimeData();
        QByteArray uris = offered->data(QStringLiteral("text/uri-list")).trimmed();
        uris.replace("\r\n", " ");
        const QByteArray line = "formats=" + offered->formats().join(u',').toUtf8() +
                                " possible=" + ActionNames(event->possibleActions()) +
                                " proposed=" + ActionNames(event->proposedAction()) +
                                " uris=" + uris + '\n';
        event->acceptProposedAction();
        QFile file(log_);
        if (file.open(QIODevice::Append))
            file.write(line);
    }

private:
    QString log_;
};
}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 2)
        return 2;
    DropTarget window(QString::fromLocal8Bit(argv[1]));
    window.show();
    return app.exec();
}
