#include <QGuiApplication>

int runImageCollectionTests(int argc, char** argv);
int runShowAssemblyTests(int argc, char** argv);

int main(int argc, char** argv)
{
    // The show commands set the busy cursor, which needs a GUI application.
    QGuiApplication application(argc, argv);
    int failures = 0;
    failures += runImageCollectionTests(argc, argv);
    failures += runShowAssemblyTests(argc, argv);
    return failures;
}
