#include <QApplication>

int runGeometryTests(int argc, char** argv);
int runShowTests(int argc, char** argv);
int runControlsTests(int argc, char** argv);
int runThumbsTests(int argc, char** argv);

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    int failures = 0;
    failures += runGeometryTests(argc, argv);
    failures += runShowTests(argc, argv);
    failures += runControlsTests(argc, argv);
    failures += runThumbsTests(argc, argv);
    return failures;
}
