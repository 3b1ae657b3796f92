#include "output/CanvasActions.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QSaveFile>
#include <cerrno>
#include <cstring>

#include "output/PictureFile.h"
#include "widgets/Alerts.h"
#include "widgets/Program.h"
#include "widgets/ProgramZoom.h"

namespace velarium {

namespace {
const SaveQuestion kPictureQuestion{QStringLiteral("Save Picture"),
                                    {{QStringLiteral("PNG image (*.png)"), QStringLiteral("png")},
                                     {QStringLiteral("SVG drawing (*.svg)"), QStringLiteral("svg")}}};
const SaveQuestion kDataQuestion{QStringLiteral("Export Data"),
                                 {{QStringLiteral("CSV table (*.csv)"), QStringLiteral("csv")}}};

QAction* makeAction(QWidget& screen, const char* name, const QString& text,
                    const QKeySequence& keys) {
    auto* action = new QAction(text, &screen);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    screen.addAction(action);
    return action;
}
}  // namespace

CanvasActions::CanvasActions(Program& program, QWidget& screen, std::vector<CanvasWidget*> canvases)
    : QObject(&screen),
      program_(program),
      screen_(screen),
      canvases_(std::move(canvases)),
      noRun_(QStringLiteral("This screen computes no run to export.")) {
    copyPicture =
        makeAction(screen, "copyPicture", QStringLiteral("Copy Picture"), QKeySequence::Copy);
    savePicture =
        makeAction(screen, "savePicture", QStringLiteral("Save Picture…"), QKeySequence::Save);
    exportData = makeAction(screen, "exportData", QStringLiteral("Export Data…"),
                            QKeySequence(Qt::CTRL | Qt::Key_E));
    connect(copyPicture, &QAction::triggered, this, &CanvasActions::copy);
    connect(savePicture, &QAction::triggered, this, &CanvasActions::save);
    connect(exportData, &QAction::triggered, this, &CanvasActions::exportTable);
    for (CanvasWidget* canvas : canvases_) {
        auto* menu = new QMenu(canvas);
        menu->setObjectName(QStringLiteral("canvasMenu"));
        menu->setAccessibleName(QStringLiteral("Picture menu"));
        menu->setToolTipsVisible(true);
        // The actions of an entry chosen in the menu run after it has hidden, and take the
        // canvas they act on when they run: only then is the menu let go of its canvas.
        connect(menu, &QMenu::aboutToHide, this,
                [this] { menuCanvas_ = nullptr; }, Qt::QueuedConnection);
        menus_.push_back(menu);
        canvas->setContextMenuPolicy(Qt::CustomContextMenu);
        // The menu pops up without a nested event loop, so the screen's timers tick on as
        // always.
        connect(canvas, &QWidget::customContextMenuRequested, this, [this, canvas](QPoint at) {
            QMenu& m = menuFor(canvas);
            m.popup(canvas->mapToGlobal(at));
        });
        // A run draws on the canvases: the export's state follows what they show.
        connect(canvas, &CanvasWidget::painted, this, &CanvasActions::refresh);
    }
    refresh();
}

void CanvasActions::setData(std::function<bool()> available, std::function<CsvTable()> table,
                            const QString& noRun) {
    available_ = std::move(available);
    table_ = std::move(table);
    noRun_ = noRun;
    refresh();
}

QMenu& CanvasActions::menuFor(CanvasWidget* canvas) {
    const auto at = std::find(canvases_.begin(), canvases_.end(), canvas);
    QMenu& menu = *menus_[static_cast<std::size_t>(at - canvases_.begin())];
    canvas->setFocus(Qt::PopupFocusReason);
    refresh();
    menuCanvas_ = canvas;
    if (menu.isVisible()) return menu;
    menu.clear();
    menu.setFont(zoomedFont(*canvas));
    menu.addActions({copyPicture, savePicture, exportData});
    if (!program_.canvasMenuEntries().isEmpty()) {
        menu.addSeparator();
        menu.addActions(program_.canvasMenuEntries());
    }
    return menu;
}

CanvasWidget* CanvasActions::target() const {
    if (menuCanvas_) return menuCanvas_;
    for (CanvasWidget* canvas : canvases_)
        if (screen_.focusWidget() == canvas) return canvas;
    return canvases_.front();
}

void CanvasActions::refresh() {
    const bool run = available_ && available_();
    exportData->setEnabled(run);
    exportData->setToolTip(run ? QStringLiteral("Write the run's numbers as a CSV table") : noRun_);
}

void CanvasActions::copy() {
    auto* mime = new QMimeData;
    mime->setImageData(slidePicture(*target()));
    QGuiApplication::clipboard()->setMimeData(mime);
}

// The picture is written as it shows once the name is settled.
void CanvasActions::save() {
    QPointer<CanvasWidget> canvas = target();
    program_.chooseSaveName(&screen_, kPictureQuestion,
                            [this, canvas](const QString& path, int kind) {
                                if (!canvas) return;
                                // The name's suffix decides the format, else the chosen kind.
                                const QString suffix = QFileInfo(path).suffix().toLower();
                                const bool svg = suffix == QLatin1String("svg") ||
                                                 (suffix != QLatin1String("png") && kind == 1);
                                savePictureAs(*canvas, path, svg);
                            });
}

// The table is the run that was on screen when the person asked for it.
void CanvasActions::exportTable() {
    refresh();
    if (!exportData->isEnabled()) return;
    const std::string csv = toCsv(table_());
    program_.chooseSaveName(&screen_, kDataQuestion, [this, csv](const QString& path, int) {
        writeCsv(path, csv);
    });
}

bool CanvasActions::savePictureAs(CanvasWidget& canvas, const QString& path, bool svg) {
    if (svg && !canvas.record().complete()) {
        failed(path,
               QStringLiteral("the picture holds more shapes than the canvas keeps, so it cannot "
                              "be written as a drawing. Save it as a PNG image instead."));
        return false;
    }
    return writeFile(path, [&](QIODevice& device) {
        return svg ? writeSvg(canvas, device) : slidePicture(canvas).save(&device, "PNG");
    });
}

bool CanvasActions::exportDataAs(const QString& path) {
    if (!available_ || !available_()) return false;
    return writeCsv(path, toCsv(table_()));
}

bool CanvasActions::writeCsv(const QString& path, const std::string& csv) {
    return writeFile(path, [&](QIODevice& device) {
        return device.write(csv.data(), static_cast<qint64>(csv.size())) ==
               static_cast<qint64>(csv.size());
    });
}

// A write that fits the device's buffer fails only when the buffer is flushed: every step is
// checked before the new file takes the old one's place.
bool CanvasActions::writeFile(const QString& path, const std::function<bool(QIODevice&)>& write) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        failed(path, file.errorString());
        return false;
    }
    errno = 0;
    const bool written = write(file) && file.flush();
    const int systemError = errno;
    if (!written || file.error() != QFileDevice::NoError) {
        // A failed flush leaves Qt without the system's reason: take it from errno.
        QString reason = file.errorString();
        if (file.error() == QFileDevice::NoError || reason == QLatin1String("Unknown error"))
            reason = systemError ? QString::fromLocal8Bit(std::strerror(systemError))
                                 : QStringLiteral("the data could not be written");
        file.cancelWriting();
        failed(path, reason);
        return false;
    }
    if (!file.commit()) {
        failed(path, file.errorString());
        return false;
    }
    return true;
}

void CanvasActions::failed(const QString& path, const QString& reason) {
    alertMessage(QStringLiteral("Could not write \"%1\": %2").arg(path, reason).toStdString());
}

}  // namespace velarium
