#pragma once

#include <QListView>

class QLabel;

// One of the browser's lists: a plain list of uniform rows, one current row,
// nothing edited or dragged by the view itself (the logic begins the drags),
// the chain of the directory list indented. While a directory is being read
// it says so over its bottom edge, with the busy pointer over its rows.
class BrowserListView : public QListView {
    Q_OBJECT
public:
    explicit BrowserListView(QWidget* parent = nullptr);

    void setReading(bool reading);
    bool isReading() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void placeReadingLabel();

    QLabel* reading_;
};
