#include "output/CanvasActions.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QSaveFile>

#include "draw/Alerts.h"
#include "output/PictureFile.h"
#include "shell/Program.h"

namespace velarium {

namespace {
const QString kPngFilter = QStringLiteral("PNG image (*.png)");
const QString kSvgFilter = QStringLiteral("SVG drawing (*.svg)");
const QString kCsvFilter = QStringLiteral("CSV table (*.csv)");

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
        canvas->setContextMenuPolicy(Qt::CustomContextMenu);
        // The menu pops up without a nested event loop, so the screen's timers tick on as
        // always; it goes once it has closed and its action has run.
        connect(canvas, &QWidget::customContextMenuRequested, this, [this, canvas](QPoint at) {
            QMenu* menu = menuFor(canvas).release();
            connect(menu, &QMenu::aboutToHide, menu, &QObject::deleteLater);
            menu->popup(canvas->mapToGlobal(at));
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

std::unique_ptr<QMenu> CanvasActions::menuFor(CanvasWidget* canvas) {
    canvas->setFocus(Qt::PopupFocusReason);
    refresh();
    auto menu = std::make_unique<QMenu>(canvas);
    menuCanvas_ = canvas;
    connect(menu.get(), &QObject::destroyed, this, [this] { menuCanvas_ = nullptr; });
    menu->setToolTipsVisible(true);
    menu->addActions({copyPicture, savePicture, exportData});
    if (!program_.canvasMenuEntries().isEmpty()) {
        menu->addSeparator();
        menu->addActions(program_.canvasMenuEntries());
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

void CanvasActions::save() {
    CanvasWidget& canvas = *target();
    QString filter = kPngFilter;
    QString path = program_.chooseSaveName(&screen_, QStringLiteral("Save Picture"),
                                           kPngFilter + ";;" + kSvgFilter, &filter);
    if (path.isEmpty()) return;
    // The name's suffix decides the format; a name without one takes the chosen filter's.
    const QString suffix = QFileInfo(path).suffix().toLower();
    bool svg = suffix == QLatin1String("svg");
    if (suffix != QLatin1String("svg") && suffix != QLatin1String("png")) {
        svg = filter == kSvgFilter;
        path += svg ? QStringLiteral(".svg") : QStringLiteral(".png");
    }
    savePictureAs(canvas, path, svg);
}

void CanvasActions::exportTable() {
    refresh();
    if (!exportData->isEnabled()) return;
    QString filter = kCsvFilter;
    QString path =
        program_.chooseSaveName(&screen_, QStringLiteral("Export Data"), kCsvFilter, &filter);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".csv");
    exportDataAs(path);
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
    const std::string csv = toCsv(table_());
    return writeFile(path, [&](QIODevice& device) {
        return device.write(csv.data(), static_cast<qint64>(csv.size())) ==
               static_cast<qint64>(csv.size());
    });
}

bool CanvasActions::writeFile(const QString& path, const std::function<bool(QIODevice&)>& write) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        failed(path, file.errorString());
        return false;
    }
    if (!write(file)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        failed(path, reason.isEmpty() ? QStringLiteral("the data could not be written") : reason);
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
