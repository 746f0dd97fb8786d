#include <QGuiApplication>

int runPlatformTests(int argc, char** argv);
int runPictureTests(int argc, char** argv);

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    int failures = 0;
    failures += runPlatformTests(argc, argv);
    failures += runPictureTests(argc, argv);
    return failures;
}
