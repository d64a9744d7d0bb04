#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace vek {

// A fresh, empty home folder for one test: VEK_HOME points at it while it lives.
class TempHome {
public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome &) = delete;
    TempHome &operator=(const TempHome &) = delete;

    QString path() const { return dir_.path(); }
    QString filePath(const QString &name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
    QByteArray previous_;
    bool hadPrevious_;
};

} // namespace vek
