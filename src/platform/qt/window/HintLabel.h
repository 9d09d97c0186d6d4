#pragma once

#include <QLabel>

// The status bar's line. A hint longer than the window is wide ends in an
// ellipsis and shows whole in the line's tooltip; its text stays whole for
// whoever reads it (a screen reader, the logic). It never makes the window
// wider than the user left it.
class HintLabel : public QLabel {
    Q_OBJECT
public:
    explicit HintLabel(QWidget* parent = nullptr);

    void showHint(const QString& text);
    // The text as painted: whole, or cut with an ellipsis.
    QString shownText() const;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateTip();
};
