#include "platform/spreadsheet/CellFormat.h"

namespace vek {

size_t qHash(const BorderLine &line, size_t seed)
{
    return qHashMulti(seed, line.lineStyle, line.weight, line.colour);
}

size_t qHash(const CellFormat &format, size_t seed)
{
    return qHashMulti(seed, format.fontName, format.fontSize, format.fontColour, format.bold, format.italic,
                      format.horizontal, format.vertical, format.fill, format.numberFormat, format.sides[0],
                      format.sides[1], format.sides[2], format.sides[3]);
}

FormatTable::FormatTable()
{
    intern(CellFormat());
}

int FormatTable::intern(const CellFormat &format)
{
    const auto found = ids_.constFind(format);
    if (found != ids_.constEnd())
        return found.value();
    const int id = int(formats_.size());
    formats_.push_back(format);
    ids_.insert(format, id);
    return id;
}

} // namespace vek
