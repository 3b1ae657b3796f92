#pragma once

#include <QAction>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <functional>
#include <string>
#include <vector>

#include "draw/CanvasWidget.h"
#include "output/CsvTable.h"

namespace velarium {

class Program;

// The picture and data actions of one screen: "Copy Picture" (Ctrl+C), "Save Picture…" (Ctrl+S)
// and "Export Data…" (Ctrl+E). Each canvas of the screen shows them in its context menu, followed
// by the program's own canvas entries (Program::canvasMenuEntries). A shortcut acts on the canvas
// that has focus, or else on the screen's main canvas, the first one given.
class CanvasActions : public QObject {
    Q_OBJECT
public:
    CanvasActions(Program& program, QWidget& screen, std::vector<CanvasWidget*> canvases);

    // What "Export Data…" writes: the table of the screen's current run. Until available says
    // there is a run, the action is disabled and its tooltip gives the reason.
    void setData(std::function<bool()> available, std::function<CsvTable()> table,
                 const QString& noRun);

    QAction* copyPicture;
    QAction* savePicture;
    QAction* exportData;

    // The context menu of a canvas, as a right click on it opens it; while it is open the
    // actions act on that canvas, which also takes the focus. Each canvas has one menu, made
    // with it and owned by it, filled afresh each time it opens.
    QMenu& menuFor(CanvasWidget* canvas);
    // The canvas the actions act on: the one whose menu is open, else the one with focus, else
    // the main canvas.
    CanvasWidget* target() const;
    // Enables "Export Data…" as the screen's run allows.
    void refresh();

    // What the actions do once a file is named. Each writes through a QSaveFile, checking every
    // write, the flush and the commit, so an existing file stays byte for byte as it was on any
    // failure, and reports a failure in a message naming the file and the reason. They return
    // whether the file was written.
    bool savePictureAs(CanvasWidget& canvas, const QString& path, bool svg);
    bool exportDataAs(const QString& path);

private:
    void copy();
    void save();
    void exportTable();
    bool writeCsv(const QString& path, const std::string& csv);
    bool writeFile(const QString& path, const std::function<bool(QIODevice&)>& write);
    void failed(const QString& path, const QString& reason);

    Program& program_;
    QWidget& screen_;
    std::vector<CanvasWidget*> canvases_;
    std::vector<QMenu*> menus_;  // one per canvas, in the same order, each a child of its canvas
    QPointer<CanvasWidget> menuCanvas_;
    std::function<bool()> available_;
    std::function<CsvTable()> table_;
    QString noRun_;
};

}  // namespace velarium
