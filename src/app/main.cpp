// The reader's window.
#include "shell/ui/UFarmaquiMenu.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Revista Eletrônica"));
    farq::EditionDatabase::prepareClientEnvironment();

    TFFarmaquiMenu window;
    QString error;
    if (!window.FormCreate(QString(), &error)) {
        QMessageBox::critical(nullptr, QStringLiteral("Revista Eletrônica"), error);
        return 1;
    }
    window.showMaximized();
    return app.exec();
}
