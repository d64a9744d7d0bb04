#pragma once

#include "core/Dataset.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QList>
#include <QPointer>
#include <QStringList>

namespace vek {

// Fields a grid cannot show as text; they show a glyph and never open an editor.
enum class FieldGlyph { None, Blob, Memo, Picture, Ole, Data };

// One column of a grid over a dataset: its field, title, width and how it is edited.
struct DatasetColumn {
    enum ButtonStyle { cbsAuto, cbsEllipsis, cbsNone };

    QString field;
    QString title;              // empty: the field's name
    int width = 64;
    Qt::Alignment alignment;    // none given: numbers right, everything else left
    Qt::Alignment titleAlignment = Qt::AlignLeft;
    QColor color;               // the cells' background; none given: the grid's
    bool readOnly = false;
    ButtonStyle buttonStyle = cbsAuto;
    QStringList pickList;
    FieldGlyph glyph = FieldGlyph::None; // a memo, which a text value cannot tell
    // A lookup column: keyField of the grid's dataset holds a value of lookupKeyField of
    // lookupDataset; the column shows and picks by lookupResultField.
    QString keyField;
    Dataset *lookupDataset = nullptr;
    QString lookupKeyField;
    QString lookupResultField;
    // A column group: this column heads the groupSize columns after it. Expanded, those
    // columns show under one title cell spanning them all, with this column's title, and
    // this column does not show; collapsed, this column alone stands for the group. An
    // expandable group switches between the two by the arrow box of its title.
    int groupSize = 0;
    bool expandable = true;
    bool expanded = false;

    bool isLookup() const { return lookupDataset && !keyField.isEmpty(); }
    bool headsGroup() const { return groupSize > 0; }
};

// Shows a dataset to the grids: one row per row that passes its filter, one column per
// DatasetColumn (every field when none is set), with display formats and calculated
// fields. Writing a cell edits, sets and posts the row. The row count follows the dataset
// only at its resets, so that a dataset whose controls are disabled can be walked and
// changed under an open grid.
class DatasetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // setData() with this role on a lookup column writes the value as the key itself, not
    // as a text to look the key up by: of two lookup rows with the same text, the one chosen.
    static constexpr int LookupKeyRole = Qt::UserRole + 1;

    explicit DatasetModel(QObject *parent = nullptr);

    void setDataset(Dataset *dataset);
    Dataset *dataset() const { return dataset_; }
    void setColumns(const QList<DatasetColumn> &columns);
    const DatasetColumn &column(int column) const { return columns_.at(column); }
    // The column heading the group that column belongs to (a head belongs to its own
    // group); -1 when it is in none.
    int groupHeadOf(int column) const;
    // Whether column shows: not the head of an expanded group, not in a collapsed one.
    bool columnShown(int column) const;
    // Expands or collapses the group headed by head.
    void setExpanded(int head, bool expanded);
    bool anyGroupExpanded() const;
    bool hasGroups() const;
    // The field index in the dataset of a column's field; -1 when it has none.
    int fieldOf(int column) const;
    FieldGlyph glyphOf(int column) const;

    // Moves the dataset to row, posting an edit in progress first; false when that fails.
    bool setCurrentRow(int row);
    int currentRow() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Whether a typed character can be part of what the cell at index holds: a number
    // field takes digits and signs, a float also its decimal point and exponent.
    bool takesCharacter(const QModelIndex &index, QChar character) const;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

signals:
    // The dataset's current row moved (after a reset too).
    void currentRowChanged(int row);
    // A column group was expanded or collapsed.
    void columnGroupsChanged();

private:
    void reset();
    void rowChanged(int recNo);
    bool writeField(int row, const QString &field, const QVariant &value);
    QVariant lookupText(int row, const DatasetColumn &column) const;
    bool holds(const QModelIndex &index) const;

    QPointer<Dataset> dataset_;
    QList<DatasetColumn> givenColumns_;
    QList<DatasetColumn> columns_;
    QList<int> fields_;
    int rows_ = 0;
};

// Posts an edit in progress of dataset before it moves; when the post fails, the edit is
// cancelled and the failure shown, and the answer is false.
bool PostPendingEdit(Dataset &dataset);

} // namespace vek
