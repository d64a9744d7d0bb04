#pragma once

#include <QString>
#include <QVariantList>

namespace vek {

class Dataset;

// Where a rate row (비율산, TAG 'R') and the rows it covers live: the line items of one
// node, or the breakdown rows of one unit-price item. A rate row names its slot n (1-4) in
// NORT and holds its rate in one column of PRTn, LRTn, SRTn; a row it covers holds the
// same three values in slot n, and that equality is the whole link.
struct RatePlace {
    enum Kind { LineItems, BreakdownRows };

    Kind kind = LineItems;
    // Line items: ACODE, BCODE, SCODE of the node (0 below its level); breakdown rows:
    // the key ICD1, ICD2, ICD3.
    int key1 = 0;
    int key2 = 0;
    int key3 = 0;

    static RatePlace Node(int a, int b, int s) { return {LineItems, a, b, s}; }
    static RatePlace Breakdown(int i1, int i2, int i3) { return {BreakdownRows, i1, i2, i3}; }

    // The condition that picks the place's rows, "ABFS='S' and ACODE=? and BCODE=? and
    // SCODE=?" or "ABFS='X' and ICD1=? and ICD2=? and ICD3=?", and its values in order.
    QString Where() const;
    QVariantList Keys() const { return {key1, key2, key3}; }
    // The data module's dataset whose screen lists the place: TSlst or Tdtail.
    Dataset &Rows() const;
};

// The place the open screens show: the breakdown of TSlst's current unit-price item
// while the breakdown screen exists (Sudetaif), else the line items of the open node.
RatePlace CurrentRatePlace();

// The rate rows of the place.
int CountRateRows(const RatePlace &place);

// The slot of a new rate row of the place: 1 when it has no rate row; else 2 when no row
// carries a rate in slot 2, else 3 when none carries one in slot 3, else 4 (slots 2 and 3
// are judged by the covered rows on breakdown rows, by the rate rows on line items). When
// a rate row of the place already names that slot in NORT, the lowest slot that none names
// is taken instead, so that two rate rows never share a slot. A place holds at most three
// rate rows when a new one is made, so one slot is always free.
int NextRateSlot(const RatePlace &place);

// Unties the rows that the rate row at rateRow's current row covers: slot n (its NORT) is
// cleared on the rows of the place, rate rows aside, whose PRTn, LRTn, SRTn equal the rate
// row's, and on no other row. When another rate row of the place has the same slot and
// the same rates, the rows are its members too and keep them. Runs in the working
// connection's running command (then CommitWork); a row without a slot 1-4 unties nothing.
// The deletes of rate rows call it, in their transaction, before or after the delete.
void UntieRateMembers(const RatePlace &place, const Dataset &rateRow);

// The names of slot n's three rate columns: PRTn, LRTn, SRTn.
QStringList RateColumnsOf(int slot);

} // namespace vek
