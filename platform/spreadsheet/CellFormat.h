#pragma once

#include <QHash>
#include <QString>

#include <array>
#include <vector>

namespace vek {

// Numbers of the automation interface, under its own names.
constexpr int xlCenter = -4108;
constexpr int xlRight = -4152;
constexpr int xlLeft = -4131;
constexpr int xlTop = -4160;
constexpr int xlBottom = -4107;
constexpr int xlGeneral = 1;
constexpr int xlInsideVertical = 11;
constexpr int xlInsideHorizontal = 12;
constexpr int xlContinuous = 1;
constexpr int xlLineStyleNone = -4142;
constexpr int xlHairline = 1;
constexpr int xlThin = 2;
constexpr int xlMedium = -4138;
constexpr int xlThick = 4;
constexpr int xlPortrait = 1;
constexpr int xlLandscape = 2;
constexpr int xlPaperA4 = 9;
// Colours are RGB integers with red in the low byte.
constexpr int MaxColour = 0xFFFFFF;
constexpr int NoColour = -1;

// The sides of a cell, as indexes of CellFormat::sides.
enum CellSide { LeftSide, TopSide, RightSide, BottomSide };

// One side of a cell. A side without a line has lineStyle 0.
struct BorderLine {
    int lineStyle = 0;        // 0 or xlContinuous
    int weight = xlThin;      // xlHairline, xlThin, xlMedium, xlThick
    int colour = NoColour;    // NoColour: automatic

    bool drawn() const { return lineStyle != 0; }
    friend bool operator==(const BorderLine &, const BorderLine &) = default;
};

// Everything a cell shows besides its value. Empty and negative members keep the
// workbook's defaults.
struct CellFormat {
    QString fontName;
    double fontSize = 0;
    int fontColour = NoColour;
    bool bold = false;
    bool italic = false;
    int horizontal = 0; // 0: general; xlLeft, xlCenter, xlRight
    int vertical = 0;   // 0: bottom; xlTop, xlCenter, xlBottom
    int fill = NoColour;
    QString numberFormat; // empty: General
    std::array<BorderLine, 4> sides;

    friend bool operator==(const CellFormat &, const CellFormat &) = default;
};

size_t qHash(const BorderLine &line, size_t seed = 0);
size_t qHash(const CellFormat &format, size_t seed = 0);

// The distinct formats of a workbook, each kept once and named by its index; index 0 is
// the default format.
class FormatTable {
public:
    FormatTable();

    int intern(const CellFormat &format);
    const CellFormat &at(int id) const { return formats_[size_t(id)]; }
    int size() const { return int(formats_.size()); }

private:
    std::vector<CellFormat> formats_;
    QHash<CellFormat, int> ids_;
};

} // namespace vek
