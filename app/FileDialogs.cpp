#include "app/FileDialogs.h"

#include <QApplication>
#include <QFileDialog>

namespace vek {
namespace {

class QtFileDialogPresenter : public FileDialogPresenter {
public:
    QString present(const FileDialogRequest &request) override
    {
        QFileDialog dialog(QApplication::activeWindow());
        ConfigureFileDialog(dialog, request);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().constFirst();
    }
};

QtFileDialogPresenter qtPresenter;
FileDialogPresenter *currentPresenter = &qtPresenter;

} // namespace

FileDialogPresenter *SetFileDialogPresenter(FileDialogPresenter *presenter)
{
    FileDialogPresenter *previous = currentPresenter;
    currentPresenter = presenter ? presenter : &qtPresenter;
    return previous;
}

QString PresentFileDialog(const FileDialogRequest &request)
{
    return currentPresenter->present(request);
}

void ConfigureFileDialog(QFileDialog &dialog, const FileDialogRequest &request)
{
    const bool saving = request.kind == FileDialogRequest::Kind::Save;
    dialog.setWindowTitle(request.title);
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(request.filter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setDirectory(request.folder);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
}

} // namespace vek
