#pragma once

#include <QString>

class QFileDialog;

namespace vek {

// What a file dialog asks for: a file to open or a name to save under, with the title, the
// folder it starts in, the name it proposes, the file-type filter and the suffix added to
// a name typed without one.
struct FileDialogRequest {
    enum class Kind { Open, Save };
    Kind kind;
    QString title;
    QString folder;
    QString fileName;
    QString filter;
    QString defaultSuffix;
};

// Every file dialog of the program goes through one presenter, so that tests can answer
// them without a screen. present() returns the chosen path, or an empty text when the
// user cancels.
class FileDialogPresenter {
public:
    virtual ~FileDialogPresenter() = default;
    virtual QString present(const FileDialogRequest &request) = 0;
};

// Installs presenter (nullptr: the Qt file dialogs) and returns the one it replaces.
FileDialogPresenter *SetFileDialogPresenter(FileDialogPresenter *presenter);
QString PresentFileDialog(const FileDialogRequest &request);

// Sets dialog up as request asks.
void ConfigureFileDialog(QFileDialog &dialog, const FileDialogRequest &request);

} // namespace vek
