#include "app/arguments.h"

#include "app/version.h"
#include "platform/filesystem.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>

namespace app {

namespace {

bool isPictureName(const QString& path)
{
    return platform::matchesJpeg(QFile::encodeName(QFileInfo(path).fileName()));
}

void classify(const QStringList& names, Arguments& result)
{
    if (names.isEmpty())
        return;
    if (names.size() == 1 && QFileInfo(names.first()).isDir()) {
        result.open = Arguments::Open::Folder;
        result.paths = {QFileInfo(names.first()).absoluteFilePath()};
    } else if (std::all_of(names.cbegin(), names.cend(), isPictureName)) {
        result.open = Arguments::Open::Pictures;
        for (const QString& name : names)
            result.paths << QFileInfo(name).absoluteFilePath();
    } else {
        result.open = Arguments::Open::ListFile;
        result.paths = {names.join(QLatin1Char(' '))};
    }
}

} // namespace

Arguments parseArguments(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Lumarine Image Viewer: shows JPEG pictures and slide shows."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("file"),
        QStringLiteral("JPEG pictures to show, a folder to count, or an image list file."),
        QStringLiteral("[file...]"));
    Arguments result;
    if (!parser.parse(arguments)) {
        result.exitCode = 2;
        result.errorOutput = parser.errorText() + QStringLiteral("\n");
    } else if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        // --help-all would list Qt's own options too; the program has no
        // window yet to take them from, so both answer alike.
        result.exitCode = 0;
        // Before the application exists the parser cannot name the program.
        result.output = parser.helpText().replace(QStringLiteral("<executable_name>"),
                                                  QFileInfo(arguments.value(0)).fileName());
    } else if (parser.isSet(versionOption)) {
        result.exitCode = 0;
        result.output = QStringLiteral("lumarine %1.%2.%3\n")
                            .arg(version::Major)
                            .arg(version::Minor)
                            .arg(version::Revision);
    } else {
        classify(parser.positionalArguments(), result);
    }
    return result;
}

int printAnswer(const Arguments& arguments)
{
    std::fputs(qPrintable(arguments.output), stdout);
    std::fputs(qPrintable(arguments.errorOutput), stderr);
    return arguments.exitCode.value_or(0);
}

std::optional<int> answerWithoutDisplay(int argc, char* argv[])
{
    QStringList given;
    for (int i = 0; i < argc; ++i)
        given << QString::fromLocal8Bit(argv[i]);
    const Arguments early = parseArguments(given);
    if (early.exitCode != 0)
        return std::nullopt;
    return printAnswer(early);
}

} // namespace app
