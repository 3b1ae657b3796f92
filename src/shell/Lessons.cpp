#include "shell/Lessons.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "shell/Alerts.h"
#include "shell/LessonHook.h"
#include "shell/Navigation.h"
#include "shell/Notice.h"
#include "shell/Program.h"
#include "shell/Settings.h"
#include "shell/TimeLine.h"

namespace velarium {

namespace {
const QString kRecentKey = QStringLiteral("lessons/recent");
constexpr int kRecentCount = 6;
const SaveQuestion kLessonQuestion{
    QStringLiteral("Save Lesson"),
    {{QStringLiteral("Velarium lesson (*.velarium)"), QStringLiteral("velarium")}}};

QString quoted(const QString& s) { return QStringLiteral("“%1”").arg(s); }

// A control a lesson keeps: a slider or scroll bar's value, a check box's, option's or checkable
// menu entry's state, or an editable line's text.
struct Control {
    enum Kind { slider, button, action, line };
    QString name;
    QObject* object;
    Kind kind;
};

void collect(QObject& parent, std::vector<Control>& found, QStringList& names) {
    for (QObject* o : parent.children()) {
        // A dialog or a menu open over the screen is not part of it.
        if (qobject_cast<QDialog*>(o) || qobject_cast<QMenu*>(o)) continue;
        const QString name = o->objectName();
        // A time line is kept by its screen's hook, with the run it spans.
        const bool kept = !name.isEmpty() && !name.startsWith(QLatin1String("qt_")) &&
                          !names.contains(name) && !o->property(kKeptByHook).toBool();
        if (kept) {
            std::optional<Control::Kind> kind;
            if (qobject_cast<QAbstractSlider*>(o)) kind = Control::slider;
            if (auto* b = qobject_cast<QAbstractButton*>(o); b && b->isCheckable())
                kind = Control::button;
            if (auto* a = qobject_cast<QAction*>(o); a && a->isCheckable()) kind = Control::action;
            if (auto* e = qobject_cast<QLineEdit*>(o); e && !e->isReadOnly()) kind = Control::line;
            if (kind) {
                found.push_back({name, o, *kind});
                names << name;
            }
        }
        collect(*o, found, names);
    }
}

// The screen's controls in the order they were made, which is the order a lesson sets them.
std::vector<Control> controlsOf(QWidget& screen) {
    std::vector<Control> found;
    QStringList names;
    collect(screen, found, names);
    return found;
}

QJsonValue valueOf(const Control& c) {
    switch (c.kind) {
        case Control::slider: return static_cast<QAbstractSlider*>(c.object)->value();
        case Control::button: return static_cast<QAbstractButton*>(c.object)->isChecked();
        case Control::action: return static_cast<QAction*>(c.object)->isChecked();
        case Control::line: return static_cast<QLineEdit*>(c.object)->text();
    }
    return {};
}

// Sets a control as a person would, so that its handler runs: an option is chosen (choosing
// one leaves the others), a menu entry is triggered.
void setControl(const Control& c, const QJsonValue& v) {
    switch (c.kind) {
        case Control::slider: {
            auto* s = static_cast<QAbstractSlider*>(c.object);
            s->setValue(std::clamp(v.toInt(), s->minimum(), s->maximum()));
            break;
        }
        case Control::button:
            static_cast<QAbstractButton*>(c.object)->setChecked(v.toBool());
            break;
        case Control::action: {
            auto* a = static_cast<QAction*>(c.object);
            if (a->isChecked() != v.toBool()) a->trigger();
            break;
        }
        case Control::line: static_cast<QLineEdit*>(c.object)->setText(v.toString()); break;
    }
}

QString wanted(Control::Kind kind) {
    switch (kind) {
        case Control::slider: return QStringLiteral("a whole number");
        case Control::line: return QStringLiteral("a text");
        default: return QStringLiteral("true or false");
    }
}

bool wholeNumber(const QJsonValue& v) {
    const double d = v.toDouble(0.5);
    return v.isDouble() && std::isfinite(d) && d == std::floor(d) && std::abs(d) <= 1e9;
}

bool fits(Control::Kind kind, const QJsonValue& v) {
    switch (kind) {
        case Control::slider: return wholeNumber(v);
        case Control::line: return v.isString();
        default: return v.isBool();
    }
}

std::optional<ScreenId> screenNamed(const QString& name) {
    for (const ScreenInfo& info : allScreens())
        if (name == QLatin1String(info.name)) return info.id;
    return std::nullopt;
}

// The model choice is read by the disk's run: it is set before the other screens step.
int restoreRank(ScreenId id) { return id == ScreenId::DIALEGO ? -1 : static_cast<int>(id); }

// A lesson made on a larger display is opened on this one: no window larger than it, and each
// with its top-left corner on it and at least half of it in sight.
QRect onDisplay(QRect g) {
    const QRect d = Program::display();
    g.setSize(g.size().boundedTo(d.size()));
    g.moveLeft(std::clamp(g.left(), d.left(), d.left() + d.width() - g.width() / 2));
    g.moveTop(std::clamp(g.top(), d.top(), d.top() + d.height() - g.height() / 2));
    return g;
}

std::vector<int> hookValues(const LessonHook& hook, const QJsonObject& state) {
    std::vector<int> v;
    for (const LessonHook::Value& value : hook.values)
        v.push_back(
            std::clamp(state.value(value.name).toInt(value.least), value.least, value.most));
    return v;
}

void remember(const QString& path) {
    auto settings = openSettings();
    if (!settings) return;
    QStringList files = settings->value(kRecentKey).toStringList();
    const QString full = QFileInfo(path).absoluteFilePath();
    files.removeAll(full);
    files.prepend(full);
    settings->setValue(kRecentKey, files.mid(0, kRecentCount));
}
}  // namespace

namespace {
// Qt's own open dialog, which answers a name that does not exist with a message run in a nested
// event loop: this one says so in a message of its own and waits on.
class OpenLessonDialog : public QFileDialog {
public:
    OpenLessonDialog(QWidget* parent, const QString& folder)
        : QFileDialog(parent, QStringLiteral("Open Lesson"), folder) {}

    void accept() override {
        const QString path = selectedFiles().value(0);
        if (!path.isEmpty() && !QFileInfo::exists(path)) {
            showNotice(this, QStringLiteral("There is no lesson “%1”. Check the name, or choose "
                                            "one from the list.")
                                 .arg(QFileInfo(path).fileName().left(60)));
            return;
        }
        QFileDialog::accept();
    }
};
}  // namespace

void askOpenLessonName(QWidget* parent, std::function<void(const QString& path)> answer) {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    auto* dialog =
        new OpenLessonDialog(parent, QFileInfo(documents).isDir() ? documents : QDir::homePath());
    dialog->setObjectName(QStringLiteral("openLessonDialog"));
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setNameFilters(
        {QStringLiteral("Velarium lesson (*.velarium)"), QStringLiteral("All files (*)")});
    // A window takes no font from its parent: the dialog reads at the program's zoom.
    if (parent) dialog->setFont(parent->window()->font());
    QObject::connect(dialog, &QDialog::finished, dialog, [dialog, answer](int result) {
        dialog->deleteLater();
        const QString path = dialog->selectedFiles().value(0);
        if (result != QDialog::Accepted || path.isEmpty()) return;
        // The lesson is shown once the event that closed the dialog has been handled.
        QTimer::singleShot(0, qApp, [answer, path] { answer(path); });
    });
    dialog->open();
}

Lessons::Lessons(Program& program)
    : program_(program),
      save_(new QAction(QStringLiteral("Save Lesson…"), this)),
      open_(new QAction(QStringLiteral("Open Lesson…"), this)),
      recent_(std::make_unique<QMenu>(QStringLiteral("Open Recent"))),
      openChooser_(askOpenLessonName) {
    save_->setObjectName(QStringLiteral("saveLesson"));
    save_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    open_->setObjectName(QStringLiteral("openLesson"));
    open_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    recent_->setObjectName(QStringLiteral("recentLessons"));
    recent_->menuAction()->setObjectName(QStringLiteral("openRecent"));
    connect(save_, &QAction::triggered, this, [this] { askSave(); });
    connect(open_, &QAction::triggered, this, [this] { askOpen(); });
    connect(recent_.get(), &QMenu::aboutToShow, this, [this] { fillRecent(); });
    fillRecent();
}

Lessons::~Lessons() = default;

void Lessons::adopt(QWidget& screen) const {
    screen.addAction(save_);
    screen.addAction(open_);
}

Lesson Lessons::gather() const {
    Lesson lesson;
    ScreenRegistry& screens = program_.screens();
    for (const ScreenInfo& info : allScreens()) {
        if (!screens.exists(info.id) || !screens.get(info.id).isVisible()) continue;
        QWidget& w = screens.get(info.id);
        LessonScreen s;
        s.screen = QString::fromLatin1(info.name);
        s.geometry = w.geometry();
        s.focus = QApplication::activeWindow() == &w;
        for (const Control& c : controlsOf(w)) s.controls.insert(c.name, valueOf(c));
        if (const std::optional<LessonHook> hook = lessonHook(info.id, program_)) {
            const std::vector<int> now = hook->read();
            for (std::size_t i = 0; i < hook->values.size(); ++i)
                s.state.insert(hook->values[i].name, now[i]);
        }
        lesson.screens.append(s);
    }
    return lesson;
}

QString Lessons::check(const Lesson& lesson, QStringList& clamped) {
    for (const LessonScreen& s : lesson.screens) {
        const std::optional<ScreenId> id = screenNamed(s.screen);
        if (!id)
            return QStringLiteral("it names a screen %1 that Velarium does not have")
                .arg(quoted(s.screen));
        const QString where = QStringLiteral(" on the screen ") + quoted(s.screen);
        for (const Control& c : controlsOf(program_.screens().get(*id))) {
            const QJsonValue v = s.controls.value(c.name);
            if (v.isUndefined()) continue;
            if (!fits(c.kind, v))
                return quoted(c.name) + where + QStringLiteral(" is not ") + wanted(c.kind);
            if (c.kind != Control::slider) continue;
            const auto* slider = static_cast<QAbstractSlider*>(c.object);
            const int n = v.toInt();
            if (n < slider->minimum() || n > slider->maximum())
                clamped << QStringLiteral("%1%2: %3 set to %4")
                               .arg(quoted(c.name), where)
                               .arg(n)
                               .arg(std::clamp(n, slider->minimum(), slider->maximum()));
        }
        const std::optional<LessonHook> hook = lessonHook(*id, program_);
        if (!hook) continue;
        for (const LessonHook::Value& value : hook->values) {
            const QJsonValue v = s.state.value(value.name);
            if (!v.isUndefined() && !wholeNumber(v))
                return quoted(value.name) + where + QStringLiteral(" is not a whole number");
            const int n = v.toInt(value.least);
            if (n < value.least || n > value.most)
                clamped << QStringLiteral("%1%2: %3 set to %4")
                               .arg(quoted(value.name), where)
                               .arg(n)
                               .arg(std::clamp(n, value.least, value.most));
        }
    }
    return {};
}

void Lessons::show(const Lesson& lesson) {
    ScreenRegistry& screens = program_.screens();
    QList<LessonScreen> order = lesson.screens;
    std::stable_sort(order.begin(), order.end(), [](const LessonScreen& a, const LessonScreen& b) {
        return restoreRank(*screenNamed(a.screen)) < restoreRank(*screenNamed(b.screen));
    });
    auto inLesson = [&order](ScreenId id) {
        return std::any_of(order.begin(), order.end(), [id](const LessonScreen& s) {
            return s.screen == QLatin1String(screenInfo(id).name);
        });
    };
    auto hideOthers = [&] {
        for (const ScreenInfo& info : allScreens())
            if (screens.exists(info.id) && !inLesson(info.id)) screens.get(info.id).hide();
    };
    auto place = [&] {
        for (const LessonScreen& s : order) {
            QWidget& w = screens.get(*screenNamed(s.screen));
            w.setGeometry(onDisplay(s.geometry));
            w.show();
        }
    };
    hideOthers();
    // Each screen draws at the size it was saved at.
    place();
    for (const LessonScreen& s : order) {
        const ScreenId id = *screenNamed(s.screen);
        const std::optional<LessonHook> hook = lessonHook(id, program_);
        if (hook && hook->reset) hook->reset();
        for (const Control& c : controlsOf(screens.get(id)))
            if (const QJsonValue v = s.controls.value(c.name); !v.isUndefined()) setControl(c, v);
        if (hook && hook->replay) hook->replay(hookValues(*hook, s.state));
    }
    // A run places the windows it opens: they go back where the lesson has them, and a window
    // a run opened that the lesson does not hold closes again.
    hideOthers();
    place();
    for (const LessonScreen& s : order)
        if (s.focus) bringUp(screens.get(*screenNamed(s.screen)));
}

bool Lessons::open(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    LessonRead read = readLessonFile(path);
    QStringList clamped;
    if (read.lesson)
        if (QString fault = check(*read.lesson, clamped); !fault.isEmpty())
            read = {std::nullopt, fault};
    if (!read.lesson) {
        alertMessage(QStringLiteral("Could not open the lesson %1: %2.\nNothing was changed.")
                         .arg(quoted(name.isEmpty() ? path : name), read.fault)
                         .toStdString());
        return false;
    }
    show(*read.lesson);
    remember(path);
    fillRecent();
    if (!clamped.isEmpty())
        alertMessage(QStringLiteral("The lesson %1 holds values beyond the ranges of their "
                                    "controls; each was set to the nearest end:\n%2")
                         .arg(quoted(name), clamped.join(QLatin1Char('\n')))
                         .toStdString());
    return true;
}

bool Lessons::save(const QString& path, const Lesson& lesson) {
    if (const QString reason = writeLessonFile(path, lesson); !reason.isEmpty()) {
        alertMessage(QStringLiteral("Could not write \"%1\": %2").arg(path, reason).toStdString());
        return false;
    }
    remember(path);
    fillRecent();
    return true;
}

QStringList Lessons::recentFiles() {
    const auto settings = openSettings();
    return settings ? settings->value(kRecentKey).toStringList().mid(0, kRecentCount)
                    : QStringList{};
}

// The lesson is the screens as they stood when the person asked.
void Lessons::askSave() {
    const Lesson lesson = gather();
    program_.chooseSaveName(asker(), kLessonQuestion,
                            [this, lesson](const QString& path, int) { save(path, lesson); });
}

void Lessons::askOpen() {
    openChooser_(asker(), [this](const QString& path) { open(path); });
}

// The window the person works in, else the first screen shown: the dialogs stand over it.
QWidget* Lessons::asker() const {
    if (QWidget* active = QApplication::activeWindow()) return active;
    for (const ScreenInfo& info : allScreens())
        if (program_.screens().exists(info.id) && program_.screens().get(info.id).isVisible())
            return &program_.screens().get(info.id);
    return nullptr;
}

void Lessons::fillRecent() {
    recent_->clear();
    const QStringList files = recentFiles();
    for (const QString& file : files) {
        QAction* a = recent_->addAction(QFileInfo(file).fileName());
        a->setToolTip(file);
        // Shown once the menu that chose it has closed.
        connect(a, &QAction::triggered, this,
                [this, file] { QTimer::singleShot(0, this, [this, file] { open(file); }); });
    }
    if (files.isEmpty()) recent_->addAction(QStringLiteral("No recent lessons"))->setEnabled(false);
}

}  // namespace velarium
