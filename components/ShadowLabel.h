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

    QColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(const QColor &color);
    int ShadowDepth() const { return shadowDepth_; }
    void SetShadowDepth(int depth);
    TShadowDirection ShadowDirection() const { return shadowDirection_; }
    void SetShadowDirection(TShadowDirection direction);

    // The two copies as painted: the shadow, then the text (grey text when disabled).
    std::vector<TextLayer> Layers() const;

protected:
    void paintLabel(QPainter &painter) override;

private:
    QColor shadowColor_;
    int shadowDepth_ = 3;
    TShadowDirection shadowDirection_ = sdDnRight;
};

} // namespace vek
