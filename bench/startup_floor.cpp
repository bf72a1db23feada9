// The toolkit's own start-up floor for startup_timing: a window titled
// "Qt floor" with one line of text and nothing else, so that the program's
// start can be set against what any Qt Widgets program needs.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Generate a password"));
    label.setWindowTitle(QStringLiteral("Qt floor"));
    label.show();
    return app.exec();
}
