#pragma once

#include <QString>

namespace vek {

class Dataset;

// What the item dialog writes into the open list of group rows (work items, middle groups
// or small groups, by OpenListLevel: 0, 1, 2, the list GroupList(GroupLevel(level))) and
// the subtotal rows of its sum menu. The dialog's widgets only show and take the values;
// the rows are written here.

// The row kinds of the dialog's kind group dGbun, in its order.
enum class ItemKind { Ordinary = 0, RateRow = 1, LeftOut = 2 };
// TAG of a row of kind at level: the level letter, 'R' or 'E'.
QString ItemKindTag(ItemKind kind, int level);
// The kind a row's TAG stands for: 'R' a rate row, 'E' left out, any other ordinary.
ItemKind ItemKindOf(const QString &tag);

// The values of page 0: the row's kind, sub-level flag, title, remark and figures.
struct ItemRowFields {
    ItemKind kind = ItemKind::Ordinary;
    // gJChek ticked: the row has lower groups (SUB 1).
    bool sub = false;
    // The level's rows can have lower groups (not the small groups): gJChek is shown for
    // ordinary rows.
    bool subAllowed = true;
    // The row has lower rows: its kind and sub-level flag cannot change.
    bool locked = false;
    QString name;
    QString remark;
    double quantity = 1;
    double material = 0;
    double labour = 0;
    double expense = 0;
    // The total of one unit: the three prices' sum, or a lump total when they are 0.
    double total = 0;
};

// The figures of page 0, quantity first; the boxes hold them in this order.
bool SameFigures(const ItemRowFields &a, const ItemRowFields &b);

// The three unit prices summed in fixed point: what the total box shows.
double UnitPriceSum(double material, double labour, double expense);

// The fields of a new row of level: quantity 1, everything else empty or 0; no sub-level
// check box on small groups.
ItemRowFields NewItemRowFields(int level);
// The fields of the current row of level's dataset: the kind by TAG, the title NOADD, the
// figures with the unit total (the prices' sum, or for a lump row CSTTAL / INO to four
// decimals, CSTTAL itself when INO is 0), SUB ticking the check box, and the row locked
// when it has lower rows (work items: any row under its ACODE; middle groups: any row
// under its ACODE and BCODE).
ItemRowFields LoadItemRow(int level);

// Adds a row to the open list of level: a new key (1 + the largest of the parent), the
// ODRF by InsertMode (the rows from the current one on shifted by ShiftLevelOrder, or
// after the last), the 44-column insert with UNIT "식", all as one transaction; then the
// list is read again with the new row current. Returns false when the
// commit was refused (the user was told); throws DatabaseError or NumberError after
// taking everything back. Sets DataChanged.
bool AddItemRow(int level, const ItemRowFields &fields);
// Changes the current row of level's dataset: title, remark, kind and (not on small
// groups) SUB; the figures only when figuresChanged, each amount the quantity times its
// unit price and CSTTAL the quantity times the unit total. Failures as AddItemRow.
bool ChangeItemRow(int level, const ItemRowFields &fields, bool figuresChanged);

// Moves the rows of the open level list with ODRF >= o one place down: the work items, the
// middle groups of the current work item, or the small groups of the current middle group.
void ShiftLevelOrder(int o);

// The name of a subtotal row from its caption without blanks: one syllable right-aligned
// in 13 bytes; two syllables as the first right-aligned in 5, then the second in 13
// ("소계" gives three blanks, "소", eleven blanks, "계").
QString FormatSumLabel(const QString &caption);

// Inserts a subtotal row of kind (ICD1: 1 소계, 2 계, 3 합계) named label into the open
// line-item list when TSlst is open (NAME := label, ODRF as a new line item), else into the
// open list of group rows (NOADD := label, a new key and ODRF as AddItemRow). One
// transaction; the list is read again with the new row current. Failures as AddItemRow.
// Sets DataChanged.
bool InsertSubtotalRow(int kind, const QString &label);

} // namespace vek
