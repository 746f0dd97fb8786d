#include <QApplication>
#include <QTest>

int runStartupTests(int argc, char** argv);
int runMainWindowTests(int argc, char** argv);
int runShowsTests(int argc, char** argv);

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    application.setAttribute(Qt::AA_Use96Dpi, true);
    int failures = 0;
    failures += runStartupTests(argc, argv);
    failures += runMainWindowTests(argc, argv);
    failures += runShowsTests(argc, argv);
    return failures;
}
