#pragma once

#include "components/ControlHint.h"

#include <QObject>

namespace vek {

// The program's hint handling while it lives: every hint window in 바탕 9 on a pale yellow,
// and every control's long hint, as the mouse enters it, reported through hintChanged
// (an empty text as it leaves).
class THintHandler : public QObject {
    Q_OBJECT
public:
    explicit THintHandler(QObject *parent = nullptr);
    ~THintHandler() override;

signals:
    void hintChanged(const QString &hint);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace vek
