#pragma once

#include <QAction>
#include <QMenu>
#include <QObject>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

#include "widgets/LessonFile.h"

namespace velarium {

class Program;

// Lessons a teacher prepares and opens again: "Save Lesson…" (Ctrl+Shift+S) keeps the open
// screens, where they stand and which has the focus, every control's value by its name, and what
// each screen keeps beyond its controls (its hook); "Open Lesson…" (Ctrl+O) and "Open Recent"
// show them again as they were saved. The person's own settings (projector colours, the zoom)
// are not part of a lesson.
class Lessons : public QObject {
public:
    explicit Lessons(Program& program);
    ~Lessons() override;

    QAction* saveAction() const { return save_; }
    QAction* openAction() const { return open_; }
    // "Open Recent": the last lessons saved or opened, newest first.
    QMenu* recentMenu() const { return recent_.get(); }
    // A screen just made takes the actions, so their shortcuts work wherever the focus is.
    void adopt(QWidget& screen) const;

    // The open screens as they stand.
    Lesson gather() const;
    // Shows the lesson in the file: true when shown. A file that cannot be read, or a lesson
    // that does not fit the screens, gets a message naming the file and the fault, and nothing
    // on screen changes; values beyond their controls' ranges are set to the nearest end and
    // named in a message.
    bool open(const QString& path);
    // Writes the lesson; a failure gets a message naming the file and the reason.
    bool save(const QString& path, const Lesson& lesson);

    static QStringList recentFiles();

    // Asks the person for a lesson to open; answer runs later, once the dialog has closed, and
    // never if they cancel. A test puts its own chooser in place of the file dialog.
    using OpenNameChooser =
        std::function<void(QWidget* parent, std::function<void(const QString& path)> answer)>;
    void setOpenNameChooser(OpenNameChooser chooser) { openChooser_ = std::move(chooser); }

private:
    void askSave();
    void askOpen();
    void fillRecent();
    QWidget* asker() const;
    // Why the lesson cannot be shown, or nothing; the values it sets to the nearest end of
    // their ranges go into clamped.
    QString check(const Lesson& lesson, QStringList& clamped);
    void show(const Lesson& lesson);

    Program& program_;
    QAction* save_;
    QAction* open_;
    std::unique_ptr<QMenu> recent_;
    OpenNameChooser openChooser_;
};

// Qt's own open dialog, opened without a nested event loop; answer runs after it has closed.
void askOpenLessonName(QWidget* parent, std::function<void(const QString& path)> answer);

}  // namespace velarium
