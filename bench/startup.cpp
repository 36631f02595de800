// Start-up to the main window shown, offscreen. "floor" shows an empty
// 800 x 600 Qt Widgets window instead: the least any such program costs.
// Each run is one process; bench/startup.sh runs both many times.
#include "app/configurator.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstring>
#include <memory>

int main(int argc, char *argv[])
{
    const bool floor = argc > 1 && std::strcmp(argv[1], "floor") == 0;
    if (!floor)
        Q_INIT_RESOURCE(resources);
    QApplication app(argc, argv);
    std::unique_ptr<QWidget> window;
    if (floor) {
        window = std::make_unique<QWidget>();
        window->setFixedSize(800, 600);
    } else {
        window = std::make_unique<Configurator>();
    }
    window->show();
    // Quit once the first frame has been painted.
    QTimer::singleShot(0, &app, [&] {
        window->repaint();
        QCoreApplication::quit();
    });
    return QApplication::exec();
}
