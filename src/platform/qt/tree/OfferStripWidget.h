#pragma once

#include <QFrame>

class QLabel;
class QPushButton;

// A tinted strip with a line of text and two buttons, as desktops show a
// message inside a window rather than in a box of its own.
class OfferStripWidget : public QFrame {
    Q_OBJECT
public:
    explicit OfferStripWidget(QWidget* parent = nullptr);

    void setTexts(const QString& text, const QString& accept, const QString& decline);
    QLabel* textLabel() const { return text_; }
    QPushButton* acceptButton() const { return accept_; }
    QPushButton* declineButton() const { return decline_; }

Q_SIGNALS:
    void accepted();
    void declined();

protected:
    void changeEvent(QEvent* event) override;

private:
    void tint();

    QLabel* text_;
    QPushButton* accept_;
    QPushButton* decline_;
    bool tinting_ = false;
};
