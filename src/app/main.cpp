#include <QApplication>
#include <QLabel>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel placeholder(QStringLiteral("Vantrell Delivery Ticket"));
    placeholder.show();
    return app.exec();
}
