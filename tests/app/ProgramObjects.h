#pragma once

#include "app/MainWindow.h"
#include "core/DataModule.h"

#include <memory>

namespace vek {

// The program's two objects as the program block makes them: the main window first, the
// data module second (dMf while they live); the window starts up when shown.
struct ProgramObjects {
    std::unique_ptr<Tmainf> window = std::make_unique<Tmainf>();
    std::unique_ptr<TdMf> module = std::make_unique<TdMf>();

    ProgramObjects();
    ~ProgramObjects();
    ProgramObjects(const ProgramObjects &) = delete;
    ProgramObjects &operator=(const ProgramObjects &) = delete;

    void start() { window->show(); }
    // The first value of a one-value query such as "select count(*) from ...", or -1.
    int count(const QString &sql);
};

} // namespace vek
