#pragma once

#include "core/Currency.h"
#include "platform/spreadsheet/ExcelObjects.h"

#include <QString>

namespace vek {

// How the list sheets write a field into a cell. Every value has its type: a text cell
// holds exactly its text (never read as a number, date or formula), a number cell a
// number. A cell given nothing stays empty.

// An amount or unit price: nothing when it is 0, else the number that its amount text
// (FormatCurrNumberPad mode 1, width 16: whole units, decimals cut after rounding to two)
// shows, formatted "#,##0". 1234.56 gives 1234, 1234.996 gives 1235.
void PutAmount(ExcelRange cell, double value);
// The whole units that the amount text of value (FormatCurrNumberPad mode 1, width 16)
// shows, as ParseAmount reads them back.
double AmountNumber(Currency value);
// A money text such as "    1,234,567": the number it shows, formatted "#,##0".
void PutMoneyText(ExcelRange cell, const QString &text);
// A quantity: nothing when it is 0, else the number its plain text (15 significant
// digits) shows, in the General format.
void PutQuantity(ExcelRange cell, double quantity);
void PutOrderNumber(ExcelRange cell, int order);
// A standard, sent as "'" + text: the text itself; an empty one leaves the cell empty.
void PutStandard(ExcelRange cell, const QString &standard);
// A group title, sent as "' " + text: a blank and the title without its padding.
void PutGroupTitle(ExcelRange cell, const QString &title);
// Any other text, as it is.
void PutText(ExcelRange cell, const QString &text);
// The text of a CHAR column (NOADD, ETC) without the blanks that pad it on the right.
QString WithoutPadding(const QString &text);

} // namespace vek
