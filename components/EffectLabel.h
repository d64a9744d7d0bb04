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

    TColourScheme ColourScheme() const { return colourScheme_; }
    void SetColourScheme(TColourScheme scheme);
    TEffectStyle EffectStyle() const { return effectStyle_; }
    void SetEffectStyle(TEffectStyle style);

    TEffectDirection DirectionHighlight() const { return highlight_.direction; }
    void SetDirectionHighlight(TEffectDirection direction);
    TEffectDirection DirectionShadow() const { return shadow_.direction; }
    void SetDirectionShadow(TEffectDirection direction);
    int DepthHighlight() const { return highlight_.depth; }
    void SetDepthHighlight(int depth);
    int DepthShadow() const { return shadow_.depth; }
    void SetDepthShadow(int depth);
    TEffectOption StyleHighlight() const { return highlight_.style; }
    void SetStyleHighlight(TEffectOption style);
    TEffectOption StyleShadow() const { return shadow_.style; }
    void SetStyleShadow(TEffectOption style);
    QColor ColourHighlight() const { return highlight_.colour; }
    void SetColourHighlight(const QColor &colour);
    QColor ColourShadow() const { return shadow_.colour; }
    void SetColourShadow(const QColor &colour);

    TGraduateOption GraduateFace() const { return graduateFace_; }
    void SetGraduateFace(TGraduateOption option);
    QColor GraduateFrom() const { return graduateFrom_; }
    void SetGraduateFrom(const QColor &colour);
    bool AsButton() const { return asButton_; }
    void SetAsButton(bool on);
    int Angle() const { return angle_; }
    void SetAngle(int degrees);
    bool KeepLettersVertical() const { return keepLettersVertical_; }
    void SetKeepLettersVertical(bool on);

    // The copies of the caption as painted, farthest first: shadow, highlight, face. A copy
    // that would stand exactly under the face is left out, as the face hides it.
    std::vector<TextLayer> Layers() const;

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
