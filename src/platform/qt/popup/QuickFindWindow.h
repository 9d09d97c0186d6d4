#pragma once

#include <QWidget>

class QLineEdit;
class QListView;
class QuickFindEvents;
class QuickFindModel;

// The pop-up's window: a frameless tool window with a search field and the
// list of rows under it. The keys that move in the list work from the field,
// which keeps the focus; what the user does goes to the events, and the
// window closes only when told to, or by itself on losing the focus (then
// saying so).
class QuickFindWindow : public QWidget {
    Q_OBJECT
public:
    explicit QuickFindWindow(QuickFindModel& model);

    void setEvents(QuickFindEvents* events) { events_ = events; }
    // Shows with the text in the field (not reported as typed), placed at
    // the pointer, and takes the focus.
    void present(const QString& typed);
    // Closes without a word to the events: the logic asked for it.
    void dismiss();
    // The list's first choosable row becomes current.
    void rowsChanged();

    QLineEdit* searchField() const { return field_; }
    QListView* list() const { return list_; }
    int currentRow() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool fieldKey(int key, Qt::KeyboardModifiers modifiers);
    void place();
    void lostFocus();

    QuickFindEvents* events_ = nullptr;
    QLineEdit* field_;
    QListView* list_;
    bool dismissing_ = false;
};
