#pragma once

#include <QList>
#include <QString>
#include <QWidget>
#include <functional>

namespace velarium {

// A kind of file a person may write: the filter the dialog shows and the suffix it adds to a
// name typed without one.
struct FileKind {
    QString filter;  // "PNG image (*.png)"
    QString suffix;  // "png"
};

// What to ask when a person writes a file: the dialog's caption and the kinds it offers, the
// first one chosen to begin with.
struct SaveQuestion {
    QString caption;
    QList<FileKind> kinds;
};

// The name the person settled on and the index of the kind chosen in the dialog.
using SaveAnswer = std::function<void(const QString& path, int kind)>;

// Asks for the name of a file to write, and hands it to answer once the dialog has closed and the
// handler that asked has long returned; answer never runs if the person cancels. The dialog adds
// the chosen kind's suffix to a name typed without one, and asks before a file of that very name
// is replaced. Nothing here runs a nested event loop: the dialog and its questions are opened
// and answered through the main one, so no handler can be re-entered or have its object deleted
// while it runs.
void askSaveName(QWidget* parent, const SaveQuestion& question, SaveAnswer answer);

// The longest file name, in characters, that the folder of path takes (255 where it cannot tell).
int longestFileName(const QString& path);

}  // namespace velarium
