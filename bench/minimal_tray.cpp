// The smallest program that puts Varnel's icon in the tray: the yardstick
// that bench/footprint.sh holds Varnel's start-up time and memory against.
#include <QApplication>
#include <QIcon>
#include <QSystemTrayIcon>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QIcon icon;
    for (const auto* file :
         {":/icons/varnel-22.png", ":/icons/varnel-32.png", ":/icons/varnel-64.png"})
        icon.addFile(QLatin1String(file));
    QSystemTrayIcon tray(icon);
    tray.setToolTip(QStringLiteral("Varnel"));
    tray.show();
    return QApplication::exec();
}
