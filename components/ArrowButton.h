#pragma once

#include <QColor>
#include <QPolygon>
#include <QWidget>

namespace vek {

enum TArrowDirection { arwUP, arwRIGHT, arwLEFT, arwDOWN };

// A triangular push button pointing in one of four directions: a press counts only inside
// its triangle, and the click comes on release over the button.
class TArrowButton : public QWidget {
    Q_OBJECT
public:
    explicit TArrowButton(QWidget *parent = nullptr);

    TArrowDirection Direction() const { return direction_; }
    void SetDirection(TArrowDirection direction);
    QColor ButtonColor() const { return buttonColor_; }
    void SetButtonColor(const QColor &color);
    bool Pressed() const { return pressed_; }
    QSize sizeHint() const override { return {33, 33}; }

    // The three corners of the outer triangle for the current size, and of the filled one.
    QPolygon Corners() const;
    QPolygon InsetCorners() const;

signals:
    void Click();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    TArrowDirection direction_ = arwUP;
    QColor buttonColor_ = QColor(0, 128, 128);
    bool pressed_ = false;
};

} // namespace vek
