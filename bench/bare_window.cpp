// The yardstick for bench/show_probe.sh: a program with Varnel's tray icon
// that shows a bare window on a left click, a tree of a few rows where
// Varnel's window has its tree. What it takes from the click to its drawn
// window is what Qt and the X server take for any window.
#include <QApplication>
#include <QIcon>
#include <QSystemTrayIcon>
#include <QTreeWidget>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QIcon icon;
    for (const auto* file :
         {":/icons/varnel-22.png", ":/icons/varnel-32.png", ":/icons/varnel-64.png"})
        icon.addFile(QLatin1String(file));
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare"));
    window.resize(457, 250);
    QTreeWidget tree(&window);
    tree.setHeaderHidden(true);
    tree.setGeometry(200, 8, 247, 183);
    for (int row = 1; row <= 20; ++row)
        new QTreeWidgetItem(&tree, {QStringLiteral("Item %1").arg(row)});
    QSystemTrayIcon tray(icon);
    QObject::connect(&tray, &QSystemTrayIcon::activated,
                     [&window](QSystemTrayIcon::ActivationReason reason) {
                         if (reason == QSystemTrayIcon::Trigger)
                             window.show();
                     });
    tray.show();
    return QApplication::exec();
}
