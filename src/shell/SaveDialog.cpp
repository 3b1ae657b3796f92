#include "shell/SaveDialog.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <unistd.h>

#include "shell/Notice.h"

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
    box->setDefaultButton(QMessageBox::No);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(box, &QMessageBox::buttonClicked, box,
                     [box, asker = QPointer<QWidget>(asker), answer, path, kind](auto* button) {
                         if (asker && box->standardButton(button) == QMessageBox::Yes)
                             deliver(asker, answer, path, kind);
                     });
    box->open();
}

// Qt's own file dialog, which refuses a name too long for its folder without a word: this one
// says why.
class SaveDialog : public QFileDialog {
public:
    SaveDialog(QWidget* parent, const SaveQuestion& question)
        : QFileDialog(parent, question.caption), kinds_(question.kinds) {
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
    }

    int kind(const QString& filter) const {
        for (int i = 0; i < kinds_.size(); ++i)
            if (kinds_[i].filter == filter) return i;
        return 0;
    }

    void accept() override {
        const QStringList files = selectedFiles();
        if (!files.isEmpty()) {
            const QFileInfo info(files.front());
            const qsizetype bytes = info.fileName().toUtf8().size();
            const int longest = longestFileName(files.front());
            if (!info.exists() && bytes > longest) {
                showNotice(this, QStringLiteral("The name “%1…” is too long: it takes %2 bytes, "
                                                "and a file name in this folder may take at most "
                                                "%3. Choose a shorter name.")
                                     .arg(info.fileName().left(40))
                                     .arg(bytes)
                                     .arg(longest));
                return;
            }
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
    QObject::connect(dialog, &QDialog::finished, dialog,
                     [dialog, asker = QPointer<QWidget>(parent), question, answer](int result) {
                         dialog->deleteLater();
                         const QStringList files = dialog->selectedFiles();
                         if (result != QDialog::Accepted || files.isEmpty() || !asker) return;
                         const QString path = files.front();
                         const int kind = dialog->kind(dialog->selectedNameFilter());
                         if (QFileInfo::exists(path))
                             confirmReplace(asker, question.caption, answer, path, kind);
                         else
                             deliver(asker, answer, path, kind);
                     });
    dialog->open();
}

}  // namespace velarium
