#pragma once

#include <QFrame>
#include <QList>
#include <QString>

class QLabel;

namespace vek {

// The status bar of a window: sunken text panels side by side, each of a fixed width but
// the last, which takes the rest. A click anywhere on it is reported.
class TStatusBar : public QFrame {
    Q_OBJECT
public:
    struct Panel {
        int width; // 0: the rest of the bar
        Qt::Alignment alignment;
        QString text;
    };

    TStatusBar(const QList<Panel> &panels, QWidget *parent = nullptr);

    int PanelCount() const { return labels_.size(); }
    QString PanelText(int index) const;
    void SetPanelText(int index, const QString &text);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    QList<QLabel *> labels_;
};

} // namespace vek
