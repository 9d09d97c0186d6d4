#include "QtFilterLine.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>
#include <QSignalBlocker>

QtFilterLine::QtFilterLine() = default;

QtFilterLine::~QtFilterLine() {
    letGo();
}

void QtFilterLine::bind(QLineEdit* line, QWidget* window, QWidget* tree) {
    letGo();
    if (!line || !window)
        return;
    line_ = line;
    tree_ = tree;
    line->installEventFilter(this);
    connect(line, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (events_)
            events_->FilterLine_Change(text);
    });
    const auto opener = [this, window](QKeySequence keys) {
        auto* shortcut = new QShortcut(keys, window);
        shortcut->setContext(Qt::WindowShortcut);
        const auto press = [this] {
            if (events_)
                events_->FilterKey_Press();
        };
        connect(shortcut, &QShortcut::activated, this, press);
        // Where "/" takes Shift, the key may answer to both forms of it.
        connect(shortcut, &QShortcut::activatedAmbiguously, this, press);
        return shortcut;
    };
    findKey_ = opener(QKeySequence(Qt::CTRL | Qt::Key_F));
    slashKey_ = opener(QKeySequence(Qt::Key_Slash));
    // Keyboards on which "/" is a shifted key (Shift+7 on a German one).
    shiftedSlashKey_ = opener(QKeySequence(Qt::SHIFT | Qt::Key_Slash));
}

void QtFilterLine::letGo() {
    delete findKey_;
    delete slashKey_;
    delete shiftedSlashKey_;
    if (line_) {
        line_->removeEventFilter(this);
        disconnect(line_, nullptr, this, nullptr);
    }
    line_ = nullptr;
    tree_ = nullptr;
}

void QtFilterLine::showLine() {
    if (!line_)
        return;
    line_->show();
    line_->setFocus(Qt::ShortcutFocusReason);
    line_->selectAll();
}

// Emptied quietly: the logic hides the line and needs no word of its text.
void QtFilterLine::hideLine() {
    if (!line_)
        return;
    {
        const QSignalBlocker quiet(line_);
        line_->clear();
    }
    const bool hadFocus = line_->hasFocus();
    line_->hide();
    if (hadFocus && tree_)
        tree_->setFocus(Qt::OtherFocusReason);
}

// The line itself leaves Escape alone: the filter ends with it.
bool QtFilterLine::eventFilter(QObject* watched, QEvent* event) {
    if (watched == line_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        if (events_)
            events_->FilterLine_Escape();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
