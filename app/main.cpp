#include <QApplication>
#include <QMainWindow>
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow w;
    w.setWindowTitle("Kestrane 2000");
    w.show();
    return app.exec();
}
