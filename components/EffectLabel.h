#pragma once

#include "components/PaintedLabel.h"
#include "components/TextLayers.h"

namespace vek {

// A label that draws its caption with a highlight copy and a shadow copy, each offset in
// one of eight directions by a depth, in one of four layer styles, with an optional
// colour-graded face and rotated text. Colour schemes and effect styles are presets.
class TLabelE : public PaintedLabel {
    Q_OBJECT
public:
    enum TColourScheme { csCustom, csText, csWindows, csEmbossed, csGold, csSteel };
    enum TEffectStyle { esNone, esCustom, esRaised, esSunken, esShadow, esFlying };
    enum TEffectDirection { edNone, edUp, edUpRight, edRight, edDownRight, edDown, edDownLeft, edLeft, edUpLeft };
    enum TEffectOption { eoNormal, eoReal, eoExtrude, eoGraduated };
    enum TGraduateOption { goNone, goVertical, goHorizontal };

    explicit TLabelE(QWidget *parent = nullptr);

    TColourScheme colourScheme() const { return colourScheme_; }
    void setColourScheme(TColourScheme scheme);
    TEffectStyle effectStyle() const { return effectStyle_; }
    void setEffectStyle(TEffectStyle style);

    TEffectDirection directionHighlight() const { return highlight_.direction; }
    void setDirectionHighlight(TEffectDirection direction);
    TEffectDirection directionShadow() const { return shadow_.direction; }
    void setDirectionShadow(TEffectDirection direction);
    int depthHighlight() const { return highlight_.depth; }
    void setDepthHighlight(int depth);
    int depthShadow() const { return shadow_.depth; }
    void setDepthShadow(int depth);
    TEffectOption styleHighlight() const { return highlight_.style; }
    void setStyleHighlight(TEffectOption style);
    TEffectOption styleShadow() const { return shadow_.style; }
    void setStyleShadow(TEffectOption style);
    QColor colourHighlight() const { return highlight_.colour; }
    void setColourHighlight(const QColor &colour);
    QColor colourShadow() const { return shadow_.colour; }
    void setColourShadow(const QColor &colour);

    TGraduateOption graduateFace() const { return graduateFace_; }
    void setGraduateFace(TGraduateOption option);
    QColor graduateFrom() const { return graduateFrom_; }
    void setGraduateFrom(const QColor &colour);
    bool asButton() const { return asButton_; }
    void setAsButton(bool on);
    int angle() const { return angle_; }
    void setAngle(int degrees);
    bool keepLettersVertical() const { return keepLettersVertical_; }
    void setKeepLettersVertical(bool on);

    // The copies of the caption as painted, farthest first: shadow, highlight, face. A copy
    // that would stand exactly under the face is left out, as the face hides it.
    std::vector<TextLayer> layers() const;

protected:
    void paintLabel(QPainter &painter) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    struct Layer {
        TEffectDirection direction;
        int depth;
        TEffectOption style;
        QColor colour;
    };
    struct SchemeColours {
        QColor highlight, shadow, face;
    };

    SchemeColours schemeColours(TColourScheme scheme) const;
    void setLayerGeometry(Layer &layer, TEffectDirection direction, int depth);
    void setLayerColour(Layer &layer, const QColor &colour);
    void appendCopies(std::vector<TextLayer> &copies, const Layer &layer, const QColor &seeThrough,
                      QPoint origin) const;
    QBrush faceBrush() const;
    QString text() const;
    // The caption's shape at the face's place before the offsets.
    QImage shape() const;
    // Unrotated: the text's block; rotated: the bounding box of the turned text.
    QRect textBounds() const;
    QPoint faceOrigin() const;
    QTransform rotation() const;
    QRectF rotatedLine() const;
    bool insideForButton(QPointF pos) const;

    TColourScheme colourScheme_ = csWindows;
    TEffectStyle effectStyle_ = esRaised;
    Layer highlight_{edUpLeft, 1, eoNormal, Qt::white};
    Layer shadow_{edDownRight, 1, eoNormal, Qt::black};
    SchemeColours custom_;
    TGraduateOption graduateFace_ = goNone;
    QColor graduateFrom_;
    bool asButton_ = false;
    int angle_ = 0;
    bool keepLettersVertical_ = false;
    bool applyingScheme_ = false;
    bool applyingStyle_ = false;
};

} // namespace vek
