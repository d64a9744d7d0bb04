#pragma once

#include "components/StyleControl.h"

#include <QColor>
#include <QImage>

namespace vek {

enum class TdxToolType { ttArrowLeft = 0, ttArrowRight, ttClose, ttMaximize, ttMinimize, ttPopup, ttRestore };

// The 15 x 15 caption-bar button (the dialogs' close button mExit0): one of seven
// monochrome pictures with a hot and a pressed look in either theme.
class TdxToolButton : public TdxCustomStyleControl {
    Q_OBJECT
public:
    static constexpr int Size = 15;

    explicit TdxToolButton(QWidget *parent = nullptr);

    TdxToolType ToolType() const { return toolType_; }
    void SetToolType(TdxToolType type);
    // The picture's colour; black (the default) leaves the picture black.
    QColor Color() const { return color_; }
    void SetColor(const QColor &color);

    // The picture of type: black shapes on a background of another colour, which is
    // left out when drawn (its bottom-left pixel is background).
    static QImage Picture(TdxToolType type, QRgb ink = qRgb(0, 0, 0));

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TdxToolType toolType_ = TdxToolType::ttClose;
    QColor color_{Qt::black};
};

} // namespace vek
