#pragma once
// The samples' --screenshot run: once the window has been drawn, save it as a PNG image and quit.

#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace samples {

// Returns the program's exit status: 0 when the image was written.
inline int SaveScreenshotAndQuit(QApplication& app, QWidget& window, const QString& file)
{
    int status = 1;
    QTimer::singleShot(300, &window, [&] {
        status = window.grab().save(file, "PNG") ? 0 : 1;
        app.quit();
    });
    app.exec();
    return status;
}

} // namespace samples
