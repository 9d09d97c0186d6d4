#include "QtChooserBox.h"

#include "platform/qt/window/QtMainWindow.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr int MinimumListWidth = 360;  // pixels
}  // namespace

std::optional<int> QtChooserBox::choose(const ChooserRequest& request) {
    // A hidden window would place the box somewhere unseen: then it stands alone.
    QDialog box(owner_ ? owner_->shownWidget() : nullptr);
    box.setObjectName(QStringLiteral("Chooser"));
    box.setWindowTitle(request.title);
    box.setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* layout = new QVBoxLayout(&box);
    auto* prompt = new QLabel(request.prompt, &box);
    prompt->setTextFormat(Qt::PlainText);
    prompt->setWordWrap(true);  // a long prompt must not widen the box
    layout->addWidget(prompt);
    auto* list = new QListWidget(&box);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->addItems(request.lines);
    // Wide enough for every line, whatever the prompt's wrapping leaves.
    list->setMinimumWidth(
        std::max(MinimumListWidth, list->sizeHintForColumn(0) + 2 * list->frameWidth() +
                                       list->verticalScrollBar()->sizeHint().width()));
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(&box);
    QPushButton* accept = buttons->addButton(request.accept, QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    accept->setDefault(true);
    layout->addWidget(buttons);
    prompt->setBuddy(list);

    // Only a chosen line can be taken; the first starts chosen, so Enter
    // takes the newest at once.
    const auto follow = [list, accept] { accept->setEnabled(!list->selectedItems().isEmpty()); };
    QObject::connect(list, &QListWidget::itemSelectionChanged, &box, follow);
    if (list->count() > 0)
        list->setCurrentRow(0);
    follow();
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemActivated, &box, [&box] { box.accept(); });
    list->setFocus();

    if (box.exec() != QDialog::Accepted || list->selectedItems().isEmpty())
        return std::nullopt;
    return list->row(list->selectedItems().constFirst());
}

std::optional<QString> QtChooserBox::chooseSaveFile(const SaveFileRequest& request) {
    const QString file = QFileDialog::getSaveFileName(
        owner_ ? owner_->shownWidget() : nullptr, request.title, request.suggested, request.filter);
    if (file.isEmpty())
        return std::nullopt;
    return file;
}
