#include "platform/spreadsheet/CellRange.h"

#include "platform/spreadsheet/SpreadsheetError.h"

#include <QRegularExpression>

#include <algorithm>

namespace vek {
namespace {

int ColumnNumber(QStringView letters)
{
    int column = 0;
    for (QChar letter : letters) {
        column = column * 26 + (letter.toUpper().unicode() - 'A' + 1);
        if (column > CellRange::MaxColumns)
            return 0;
    }
    return column;
}

// One cell address: optional '$' before the letters and before the digits.
bool ParseCell(const QString &text, int &row, int &column)
{
    static const QRegularExpression pattern(QStringLiteral("^\\$?([A-Za-z]{1,3})\\$?([1-9][0-9]{0,6})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return false;
    column = ColumnNumber(match.capturedView(1));
    row = match.capturedView(2).toInt();
    return column >= 1 && row <= CellRange::MaxRows;
}

} // namespace

CellRange CellRange::parse(const QString &address)
{
    const QStringList parts = address.trimmed().split(u':');
    CellRange range;
    bool ok = parts.size() <= 2;
    if (ok)
        ok = ParseCell(parts.first(), range.top, range.left);
    range.bottom = range.top;
    range.right = range.left;
    if (ok && parts.size() == 2) {
        CellRange last;
        ok = ParseCell(parts.last(), last.top, last.left);
        last.bottom = last.top;
        last.right = last.left;
        range = spanning(range, last);
    }
    if (!ok)
        throw SpreadsheetError(QStringLiteral("no cell address: \"%1\"").arg(address));
    return range;
}

CellRange CellRange::spanning(const CellRange &a, const CellRange &b)
{
    return {std::min(a.top, b.top), std::min(a.left, b.left), std::max(a.bottom, b.bottom),
            std::max(a.right, b.right)};
}

bool CellRange::overlaps(const CellRange &other) const
{
    return top <= other.bottom && other.top <= bottom && left <= other.right && other.left <= right;
}

QString CellRange::address() const
{
    const QString first = ColumnLetters(left) + QString::number(top);
    if (singleCell())
        return first;
    return first + u':' + ColumnLetters(right) + QString::number(bottom);
}

QString ColumnLetters(int column)
{
    QString letters;
    for (; column > 0; column = (column - 1) / 26)
        letters.prepend(QChar(u'A' + (column - 1) % 26));
    return letters;
}

void CheckCell(int row, int column)
{
    if (row < 1 || row > CellRange::MaxRows || column < 1 || column > CellRange::MaxColumns)
        throw SpreadsheetError(QStringLiteral("no cell at row %1, column %2").arg(row).arg(column));
}

} // namespace vek
