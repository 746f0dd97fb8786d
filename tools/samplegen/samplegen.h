#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

// One picture of the sample collection: where it goes, its shown size, and
// the EXIF orientation it is stored with (1 is upright).
struct SamplePicture {
    QString relativePath;
    QSize size;
    int orientation = 1;
};

QList<SamplePicture> sampleCollection();

// Writes every picture under `folder`, plus the skipped hidden entries and the
// list file; returns the paths written to the list file.
QStringList writeSampleCollection(const QString& folder);
