#include "widgets/SaveDialog.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QStandardPaths>
#include <unistd.h>

#include "widgets/Notice.h"
#include "widgets/ProgramZoom.h"

namespace velarium {

namespace {
// Hands the answer over once the event that closed the dialog has been handled, and only while
// the widget that asked still exists.
void deliver(QWidget* asker, const SaveAnswer& answer, const QString& path, int kind) {
    QMetaObject::invokeMethod(
        asker, [answer, path, kind] { answer(path, kind); }, Qt::QueuedConnection);
}

// Asks, without a nested event loop, whether an existing file may be replaced.
void confirmReplace(QWidget* asker, const QString& caption, const SaveAnswer& answer,
                    const QString& path, int kind) {
    auto* box = new QMessageBox(
        QMessageBox::Question, caption,
        QStringLiteral("“%1” already exists.\nDo you want to replace it?")
            .arg(QFileInfo(path).fileName()),
        QMessageBox::Yes | QMessageBox::No, asker ? asker->window() : nullptr);
    box->setObjectName(QStringLiteral("replaceQuestion"));
    if (asker) box->setFont(zoomedFont(*asker));
    box->setDefaultButton(QMessageBox::No);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(box, &QMessageBox::buttonClicked, box,
                     [box, asker = QPointer<QWidget>(asker), answer, path, kind](auto* button) {
                         if (asker && box->standardButton(button) == QMessageBox::Yes)
                             deliver(asker, answer, path, kind);
                     });
    box->open();
}

// The folder the person last wrote a file to in this run: the next dialog opens there.
QString& lastFolder() {
    static QString folder;
    return folder;
}

// Where a dialog opens: the last folder written to, else the person's pictures or documents
// folder, else their home.
QString startFolder(const SaveQuestion& question) {
    if (!lastFolder().isEmpty() && QFileInfo(lastFolder()).isDir()) return lastFolder();
    const bool picture = question.kinds.value(0).suffix == QLatin1String("png");
    const QString kind = QStandardPaths::writableLocation(picture ? QStandardPaths::PicturesLocation
                                                                  : QStandardPaths::DocumentsLocation);
    return QFileInfo(kind).isDir() ? kind : QDir::homePath();
}

// Why a name cannot be given to a new file in its folder, or nothing when it can.
QString tooLong(const QString& path) {
    const QFileInfo info(path);
    const qsizetype bytes = info.fileName().toUtf8().size();
    const int longest = longestFileName(path);
    if (info.exists() || bytes <= longest) return {};
    return QStringLiteral("The name “%1…” is too long: it takes %2 bytes, and a file name in this "
                          "folder may take at most %3. Choose a shorter name.")
        .arg(info.fileName().left(40))
        .arg(bytes)
        .arg(longest);
}

// Qt's own file dialog, which greys its Save button for a name too long for its folder without
// a word: this one says why under the name as it is typed, and again if it is accepted.
class SaveDialog : public QFileDialog {
public:
    SaveDialog(QWidget* parent, const SaveQuestion& question)
        : QFileDialog(parent, question.caption, startFolder(question)), kinds_(question.kinds) {
        setObjectName(QStringLiteral("saveDialog"));
        setAcceptMode(AcceptSave);
        setFileMode(AnyFile);
        // Asked afterwards, about the name with its suffix, without a nested event loop.
        setOption(DontConfirmOverwrite);
        QStringList filters;
        for (const FileKind& k : kinds_) filters << k.filter;
        setNameFilters(filters);
        setDefaultSuffix(kinds_.value(0).suffix);
        connect(this, &QFileDialog::filterSelected, this,
                [this](const QString& filter) { setDefaultSuffix(kinds_.value(kind(filter)).suffix); });
        auto* edit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        auto* grid = qobject_cast<QGridLayout*>(layout());
        if (edit && grid) {
            auto* hint = new QLabel(this);
            hint->setObjectName(QStringLiteral("nameHint"));
            hint->setWordWrap(true);
            hint->hide();
            grid->addWidget(hint, grid->rowCount(), 0, 1, grid->columnCount());
            connect(edit, &QLineEdit::textChanged, hint, [this, hint](const QString& typed) {
                const QString why = tooLong(QDir(directory()).absoluteFilePath(typed));
                hint->setText(why);
                hint->setVisible(!why.isEmpty());
            });
        }
    }

    int kind(const QString& filter) const {
        for (int i = 0; i < kinds_.size(); ++i)
            if (kinds_[i].filter == filter) return i;
        return 0;
    }

    void accept() override {
        if (const QString why = tooLong(selectedFiles().value(0)); !why.isEmpty()) {
            showNotice(this, why);
            return;
        }
        QFileDialog::accept();
    }

private:
    QList<FileKind> kinds_;
};
}  // namespace

int longestFileName(const QString& path) {
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const long longest = pathconf(folder.constData(), _PC_NAME_MAX);
    return longest > 0 ? static_cast<int>(longest) : 255;
}

void askSaveName(QWidget* parent, const SaveQuestion& question, SaveAnswer answer) {
    auto* dialog = new SaveDialog(parent, question);
    if (parent) dialog->setFont(zoomedFont(*parent));
    QObject::connect(dialog, &QDialog::finished, dialog,
                     [dialog, asker = QPointer<QWidget>(parent), question, answer](int result) {
                         dialog->deleteLater();
                         const QStringList files = dialog->selectedFiles();
                         if (result != QDialog::Accepted || files.isEmpty() || !asker) return;
                         const QString path = files.front();
                         lastFolder() = QFileInfo(path).absolutePath();
                         const int kind = dialog->kind(dialog->selectedNameFilter());
                         if (QFileInfo::exists(path))
                             confirmReplace(asker, question.caption, answer, path, kind);
                         else
                             deliver(asker, answer, path, kind);
                     });
    dialog->open();
}

}  // namespace velarium
