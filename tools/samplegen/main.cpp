// Writes Lumarine's sample collection into the folder named by its argument.
#include "samplegen.h"

#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 2) {
        QTextStream(stderr) << "usage: lumarine_samplegen FOLDER\n";
        return 2;
    }
    const QStringList listed = writeSampleCollection(arguments.at(1));
    if (listed.isEmpty()) {
        QTextStream(stderr) << "could not write the sample collection into " << arguments.at(1) << "\n";
        return 1;
    }
    QTextStream(stdout) << sampleCollection().size() << " pictures, " << listed.size() << " in sample.lum\n";
    return 0;
}
