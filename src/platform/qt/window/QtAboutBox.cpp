#include "QtAboutBox.h"

#include "platform/qt/TwipsScale.h"
#include "platform/qt/VarnelResources.h"
#include "platform/qt/window/QtMainWindow.h"

#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {
constexpr int Width = 441;  // the picture's size, which is the box's
constexpr int Height = 234;

QLabel* line(QWidget* box, const QString& text, int top, int pointSize, bool serif = false) {
    auto* label = new QLabel(text, box);
    label->setTextFormat(Qt::PlainText);
    QFont font = label->font();
    if (serif)
        font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("serif")});
    font.setPointSize(pointSize);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    label->setGeometry(20, top, label->sizeHint().width(), label->sizeHint().height());
    return label;
}

TwipsScale screenScale() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return TwipsScale(screen ? screen->logicalDotsPerInchX() : 96.0);
}
}  // namespace

TwipsSize QtAboutBox::size() const {
    const TwipsScale twips = screenScale();
    return {twips.toTwips(Width), twips.toTwips(Height)};
}

void QtAboutBox::showModal(const TwipsRect& rect) {
    initVarnelResources();
    QDialog box(owner_.shownWidget());
    box.setObjectName(QStringLiteral("About"));
    box.setWindowTitle(QStringLiteral("About Varnel"));
    box.setFixedSize(Width, Height);
    box.setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* picture = new QLabel(&box);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(QPixmap(QStringLiteral(":/about.png")));
    picture->setScaledContents(true);
    picture->setGeometry(0, 0, box.width(), box.height());  // the whole window
    line(&box, QStringLiteral("Varnel"), 18, 22)->setObjectName(QStringLiteral("Title"));
    line(&box, QStringLiteral("The quickest way to access your folders"), 62, 10, true)
        ->setObjectName(QStringLiteral("Label2"));
    line(&box, QStringLiteral("using Drag and Drop technology"), 82, 10, true)
        ->setObjectName(QStringLiteral("Label4"));
    line(&box, QStringLiteral("v 3.1"), 108, 9)->setObjectName(QStringLiteral("Label3"));
    line(&box, QStringLiteral("\u00a9 2026 the Varnel developers"), 172, 8)
        ->setObjectName(QStringLiteral("Label1"));
    line(&box, QStringLiteral("News and help: the Varnel project pages"), 190, 8)
        ->setObjectName(QStringLiteral("Label5"));
    auto* button = new QPushButton(QStringLiteral("Continue"), &box);
    button->setObjectName(QStringLiteral("ButContinue"));
    button->setDefault(true);
    button->adjustSize();
    button->move(Width - button->width() - 16, Height - button->height() - 14);
    QObject::connect(button, &QPushButton::clicked, &box, &QDialog::accept);
    const QRect pixels = screenScale().toPixels(rect);
    box.move(pixels.topLeft());
    box.exec();  // the close box closes it as Continue does
}
