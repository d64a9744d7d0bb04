#pragma once

#include "components/PaintedLabel.h"
#include "components/TextLayers.h"

namespace vek {

// A label whose caption is drawn twice: a shadow copy, then the text.
class TSdLabel : public PaintedLabel {
    Q_OBJECT
public:
    enum TShadowDirection { sdUpLeft, sdUpRight, sdDnLeft, sdDnRight };

    explicit TSdLabel(QWidget *parent = nullptr);

    QColor shadowColor() const { return shadowColor_; }
    void setShadowColor(const QColor &color);
    int shadowDepth() const { return shadowDepth_; }
    void setShadowDepth(int depth);
    TShadowDirection shadowDirection() const { return shadowDirection_; }
    void setShadowDirection(TShadowDirection direction);

    // The two copies as painted: the shadow, then the text (grey text when disabled).
    std::vector<TextLayer> layers() const;

protected:
    void paintLabel(QPainter &painter) override;

private:
    QColor shadowColor_;
    int shadowDepth_ = 3;
    TShadowDirection shadowDirection_ = sdDnRight;
};

} // namespace vek
