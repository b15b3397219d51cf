// The window program Tamberlix.
#include <QApplication>

#include "frmMain.h"
#include "module_main.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tamberlix"));
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    ModuleMain::Main(arguments);
    return QApplication::exec();
}
