#pragma once

#include "app/FileDialogs.h"

#include <QList>
#include <QStringList>

namespace vek {

// Answers every file dialog while it lives with the queued paths in order (an empty path
// cancels; so does an empty queue), records what was asked, and puts the previous
// presenter back when it goes.
class FileDialogAnswerer : public FileDialogPresenter {
public:
    FileDialogAnswerer();
    ~FileDialogAnswerer() override;
    FileDialogAnswerer(const FileDialogAnswerer &) = delete;
    FileDialogAnswerer &operator=(const FileDialogAnswerer &) = delete;

    void queueAnswer(const QString &path) { answers_.append(path); }
    const QList<FileDialogRequest> &requests() const { return requests_; }

    QString present(const FileDialogRequest &request) override;

private:
    FileDialogPresenter *previous_;
    QStringList answers_;
    QList<FileDialogRequest> requests_;
};

} // namespace vek
