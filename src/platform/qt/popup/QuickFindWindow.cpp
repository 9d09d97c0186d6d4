#include "QuickFindWindow.h"

#include "PopupPlace.h"
#include "QuickFindDelegate.h"
#include "QuickFindModel.h"
#include "platform/QuickFindPort.h"

#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QScopedValueRollback>
#include <QScreen>
#include <QVBoxLayout>

namespace {
constexpr int WidthInCharacters = 72;  // the hint of an empty quick list fits
constexpr int VisibleRows = 10;

bool windowSystemPlacesWindows() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}
}  // namespace

QuickFindWindow::QuickFindWindow(QuickFindModel& model)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      field_(new QLineEdit(this)),
      list_(new QListView(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(field_);
    layout->addWidget(list_);
    field_->setClearButtonEnabled(true);
    list_->setModel(&model);
    list_->setItemDelegate(new QuickFindDelegate(list_));
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setTextElideMode(Qt::ElideRight);
    // What a screen reader calls the pop-up and its parts.
    setAccessibleName(QStringLiteral("Quick List"));
    field_->setAccessibleName(QStringLiteral("Find"));
    list_->setAccessibleName(QStringLiteral("Matches"));
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);  // rows elide instead
    field_->installEventFilter(this);
    connect(field_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (events_)
            events_->QuickFind_Change(text);
    });
    connect(list_, &QListView::clicked, this, [this](const QModelIndex& index) {
        if (events_ && (index.flags() & Qt::ItemIsSelectable))
            events_->QuickFind_Choose(index.row());
    });
    const int width = fontMetrics().averageCharWidth() * WidthInCharacters;
    const int rowHeight = fontMetrics().height() * 2 + 6;
    resize(width, field_->sizeHint().height() + rowHeight * VisibleRows + 12);
}

void QuickFindWindow::present(const QString& typed) {
    field_->setText(typed);  // textEdited reports the user's edits only
    if (!isVisible())
        place();
    show();
    raise();
    activateWindow();
    field_->setFocus(Qt::PopupFocusReason);
}

void QuickFindWindow::place() {
    if (windowSystemPlacesWindows()) {
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            move(PlaceCentred(size(), screen->availableGeometry()));
        return;
    }
    const QPoint pointer = QCursor::pos();
    const QScreen* screen = QGuiApplication::screenAt(pointer);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen)
        move(PlaceAtPointer(pointer, size(), screen->availableGeometry()));
}

void QuickFindWindow::dismiss() {
    const QScopedValueRollback<bool> asked(dismissing_, true);
    hide();
}

void QuickFindWindow::rowsChanged() {
    const QAbstractItemModel* model = list_->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex index = model->index(row, 0);
        if (index.flags() & Qt::ItemIsSelectable) {
            list_->setCurrentIndex(index);
            list_->scrollTo(index);
            return;
        }
    }
}

int QuickFindWindow::currentRow() const {
    const QModelIndex current = list_->currentIndex();
    return current.isValid() && (current.flags() & Qt::ItemIsSelectable) ? current.row() : -1;
}

bool QuickFindWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == field_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        return fieldKey(key->key(), key->modifiers());
    }
    return QWidget::eventFilter(watched, event);
}

// The keys the field does not need move in the list or act on its row.
bool QuickFindWindow::fieldKey(int key, Qt::KeyboardModifiers modifiers) {
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        QKeyEvent moved(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(list_, &moved);
        return true;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (events_ && currentRow() >= 0) {
            if (modifiers & Qt::ControlModifier)
                events_->QuickFind_ShowInWindow(currentRow());
            else
                events_->QuickFind_Choose(currentRow());
        }
        return true;
    case Qt::Key_Escape:
        if (events_)
            events_->QuickFind_Dismiss();
        return true;
    default:
        return false;
    }
}

void QuickFindWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isVisible() && !isActiveWindow())
        lostFocus();
}

void QuickFindWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (!dismissing_ && event->isAccepted())
        lostFocus();
}

// Gone from the user's sight by the desktop's doing: the logic hears of it
// as of Escape.
void QuickFindWindow::lostFocus() {
    if (dismissing_)
        return;
    if (events_)
        events_->QuickFind_Dismiss();
    else
        dismiss();
}
