#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The Open and Save dialogs, each starting in the folder where it was left last time.

/// The Open dialog for track files: the chosen files, one unless several may be chosen;
/// empty when cancelled.
QStringList RunOpenDialog(QWidget* parent, bool several);

/// A Save dialog remembered as dialog; the first filter's suffix, or the chosen filter's,
/// goes on a name typed without one. Empty when cancelled.
QString RunSaveDialog(QWidget* parent, const char* dialog, const QString& caption,
                      const QStringList& filters);

/// The Open dialog for an offline map: an MBTiles file, or with folder a folder of tiles laid
/// out Z/X/Y.png. Empty when cancelled.
QString RunOpenMapDialog(QWidget* parent, bool folder);
