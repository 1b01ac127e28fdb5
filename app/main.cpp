#include <QApplication>
#include <QLabel>

// Placeholder entry point until the main window lands.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel label("Duoclave V 0.21");
    label.show();
    return app.exec();
}
