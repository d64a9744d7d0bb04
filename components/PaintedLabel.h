#pragma once

#include <QColor>
#include <QWidget>

#include <optional>

class QPainter;

namespace vek {

// The ordinary label under the self-painting labels: caption, colours, alignment, word
// wrap, transparency and accelerator display. A subclass paints into an off-screen image
// that is copied to the screen in one step; a transparent label leaves its image clear,
// so the parent and the siblings beneath show through.
class PaintedLabel : public QWidget {
    Q_OBJECT
public:
    explicit PaintedLabel(QWidget *parent = nullptr);

    QString Caption() const { return caption_; }
    void SetCaption(const QString &caption);
    // The background: the parent's colour, as it is at each paint, until a colour of the
    // label's own is set.
    QColor Color() const;
    void SetColor(const QColor &color);
    bool ParentColor() const { return !color_.has_value(); }
    void SetParentColor(bool on);
    QColor FontColor() const { return fontColor_; }
    void SetFontColor(const QColor &color);
    Qt::Alignment Alignment() const { return alignment_; }
    void SetAlignment(Qt::Alignment horizontal);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool on);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool on);

protected:
    // Called after the caption, word wrap or accelerator display changed: what the text
    // takes up may have changed.
    virtual void TextChanged() {}
    // Draws the label on a clear image of its size; the painter holds the label's font.
    virtual void paintLabel(QPainter &painter) = 0;
    // The text flags: alignment at the top, tab expansion, word wrap and '&' as set.
    int textFlags() const;
    void fillBackground(QPainter &painter) const;

    void paintEvent(QPaintEvent *event) override;

private:
    QString caption_;
    std::optional<QColor> color_;
    QColor fontColor_;
    Qt::Alignment alignment_ = Qt::AlignLeft;
    bool wordWrap_ = false;
    bool transparent_ = false;
    bool showAccelChar_ = true;
};

} // namespace vek
