#include "FileDialogAnswerer.h"

namespace vek {

FileDialogAnswerer::FileDialogAnswerer() : previous_(SetFileDialogPresenter(this)) {}

FileDialogAnswerer::~FileDialogAnswerer()
{
    SetFileDialogPresenter(previous_);
}

QString FileDialogAnswerer::present(const FileDialogRequest &request)
{
    requests_.append(request);
    return answers_.isEmpty() ? QString() : answers_.takeFirst();
}

} // namespace vek
