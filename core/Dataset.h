#pragma once

#include <QObject>
#include <QHash>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

#include <functional>
#include <memory>
#include <vector>

namespace vek {

class WorkConnection;
class WorkTransaction;

enum class DatasetState { Inactive, Browse, Edit, Insert, CalcFields };

// A place in a dataset: the row and, when the dataset has a row key, its key, so that a
// bookmark also finds its row after a refresh.
struct Bookmark {
    quint64 row = 0;
    QVariant key;
};

// The toolkit's dataset over one select: its command text, the rows it read, a current
// row, bookmarks, calculated fields, the before/after hooks of the data module, a
// client-side filter and a disable-controls count. Posts reach the update table through
// its row key: at once (inside the running command's transaction when there is one) or,
// with cached updates, all together at applyUpdates().
class Dataset : public QObject {
    Q_OBJECT
public:
    using Hook = std::function<void(Dataset &)>;
    // Whether the row at index row of all rows read (see valueAt) passes the filter.
    using Filter = std::function<bool(const Dataset &, int row)>;

    Dataset(const QString &name, WorkConnection *connection, QObject *parent = nullptr);
    ~Dataset() override;

    QString name() const { return objectName(); }
    WorkConnection *connection() const { return connection_; }
    void setConnection(WorkConnection *connection) { connection_ = connection; }

    // The select, with the values of its '?' parameters in order.
    void setCommandText(const QString &sql, const QVariantList &params = {});
    QString commandText() const { return commandText_; }
    QVariantList params() const { return params_; }

    // Posts go to table, one row addressed by keyField (NDTAIL and RID unless set).
    void setUpdateTable(const QString &table, const QString &keyField);
    void setCachedUpdates(bool cached) { cachedUpdates_ = cached; }
    bool cachedUpdates() const { return cachedUpdates_; }

    // A field filled by the calculated-fields hook, not stored.
    void addCalcField(const QString &name, QMetaType::Type type);
    bool isCalcField(const QString &name) const;
    void setDisplayFormat(const QString &field, const QString &format);
    QString displayFormat(const QString &field) const { return displayFormats_.value(field.toUpper()); }
    // The current row's value of field as a grid shows it (its display format applied).
    QString displayText(const QString &field) const;
    // The value of the field at index field in the row at place recNo among the rows that
    // pass the filter (the edit buffer for the current row while editing), and its text as
    // a grid shows it: what a grid needs to show rows other than the current one.
    QVariant valueOf(int recNo, int field) const;
    QString displayTextOf(int recNo, int field) const;

    // Reads every row of the command text; throws DatabaseError.
    void open();
    void close();
    // Reads the rows again and returns to the same row (by its key) where it still is.
    void refresh();
    // Runs the command text as a statement (no rows) in the connection's transaction.
    void execute();
    bool isActive() const { return state_ != DatasetState::Inactive; }
    DatasetState state() const { return state_; }

    int fieldCount() const { return fields_.size(); }
    QString fieldName(int index) const { return fields_.at(index); }
    QMetaType::Type fieldType(int index) const { return fieldTypes_.at(size_t(index)); }
    int fieldIndex(const QString &name) const;

    // Rows that pass the filter; recNo() is the current one's place among them (0 first).
    int recordCount() const { return int(visible_.size()); }
    bool isEmpty() const { return visible_.empty(); }
    int recNo() const { return current_; }
    void setRecNo(int recNo);
    bool bof() const { return bof_; }
    bool eof() const { return eof_; }
    void first();
    void last();
    void next();
    void prior();

    // The current row's value (the edit buffer while editing). A database NULL, and every
    // value without a row, is an invalid QVariant (a typed default variant is no null in Qt 6).
    QVariant value(const QString &field) const;
    QVariant value(int index) const;
    int asInteger(const QString &field) const { return value(field).toInt(); }
    double asDouble(const QString &field) const { return value(field).toDouble(); }
    QString asString(const QString &field) const { return value(field).toString(); }
    // field of the row at index row of all rows read, filtered or not.
    QVariant valueAt(int row, const QString &field) const;
    int totalRowCount() const { return int(rows_.size()); }
    // Sets a field of the edit buffer (a calculated field inside the calculated-fields
    // hook); texts are cut to their column's capacity.
    void setValue(const QString &field, const QVariant &value);

    void edit();
    // A new row before the current one (insert) or after the last (append); the
    // before-insert hook, then the new-record hook, run first. What the before-insert hook
    // changes in the database and the row's posting are one transaction: a cancelled
    // insert takes back both, and a post the engine refuses keeps both for a retry.
    void insert();
    void append();
    // For a before-insert hook: the row being inserted goes after the last row.
    void placeNewRowLast() { insertAtEnd_ = true; }
    // For a before-insert hook whose statement moved values in the table: adds delta to
    // the whole-number field of every cached row whose value is at least from, so that the
    // cached rows stay in step without a refresh. A cancelled insert takes it back.
    void shiftCachedValues(const QString &field, int from, int delta);
    // Writes the row being edited or inserted; throws DatabaseError (the row stays in its
    // state) or what the before-post hook throws.
    void post();
    void cancel();
    // Deletes the current row (the before-delete hook's statements in the same transaction).
    void deleteRecord();
    // Writes every cached change in one transaction; throws DatabaseError.
    void applyUpdates();
    int pendingUpdates() const;

    Bookmark bookmark() const;
    // The bookmark of the row at place recNo (a grid marks selected rows by them).
    Bookmark bookmarkOf(int recNo) const;
    bool gotoBookmark(const Bookmark &bookmark);

    void setFilter(Filter filter);
    void setFiltered(bool filtered);
    bool filtered() const { return filtered_; }

    void disableControls() { ++disableCount_; }
    void enableControls();
    bool controlsDisabled() const { return disableCount_ > 0; }

    Hook beforeInsert;
    Hook onNewRecord;
    Hook beforePost;
    Hook afterPost;
    Hook beforeDelete;
    Hook afterDelete;
    Hook onCalcFields;

signals:
    // The rows or their order changed (open, close, refresh, filter, insert, delete).
    void rowsReset();
    // The row at recNo changed its values.
    void rowChanged(int recNo);
    void currentChanged(int recNo);

private:
    enum class Change { None, Inserted, Modified };
    struct Row {
        std::vector<QVariant> values;
        quint64 id = 0;
        Change change = Change::None;
        // A cached modification: the values as read, so that only what changed is written.
        std::vector<QVariant> original;
        bool calculated = false;
    };

    const std::vector<QVariant> &activeValues() const;
    QString formatDisplay(const QVariant &value, int field) const;
    Row *currentRow();
    const Row *currentRow() const;
    void calculate(Row &row);
    const Row &calculated(const Row &row) const;
    void calculateActive() const;
    void rebuildVisible();
    void setCurrent(int recNo);
    void beginNewRow(bool atEnd);
    // Writes row; an update writes only the columns that differ from original, when given.
    void writeRow(Row &row, bool inserting, const std::vector<QVariant> *original);
    void writeDelete(const QVariant &key);
    void requireBrowse(const char *operation) const;
    // Rolls back the running insert's transaction and takes back its cached shifts.
    void dropInsertCommand();
    void notifyReset();
    void notifyRow(int recNo);
    void leaveEditing();

    WorkConnection *connection_;
    QString commandText_;
    QVariantList params_;
    QString updateTable_ = QStringLiteral("NDTAIL");
    QString keyField_ = QStringLiteral("RID");
    bool cachedUpdates_ = false;

    QStringList fields_;
    QHash<QString, int> fieldIndex_;
    std::vector<QMetaType::Type> fieldTypes_;
    int dataFieldCount_ = 0;
    QStringList calcNames_;
    std::vector<QMetaType::Type> calcTypes_;
    QHash<QString, QString> displayFormats_;

    std::vector<Row> rows_;
    std::vector<int> visible_;
    std::vector<QVariant> deletedKeys_;
    int current_ = -1;
    bool bof_ = true;
    bool eof_ = true;
    quint64 nextId_ = 1;

    DatasetState state_ = DatasetState::Inactive;
    Row buffer_;
    Row *calcRow_ = nullptr;
    bool bufferCalcDirty_ = false;
    bool insertAtEnd_ = false;
    std::unique_ptr<WorkTransaction> insertCommand_;
    struct CachedShift {
        int field;
        int from;
        int delta;
    };
    std::vector<CachedShift> insertShifts_; // cached shifts of the running insert

    Filter filter_;
    bool filtered_ = false;
    int disableCount_ = 0;
};

// The dataset's row (its place among the rows that pass the filter) at which field holds
// value, or -1.
int LocateRow(const Dataset &dataset, const QString &field, const QVariant &value);

// Posts the row being edited or inserted in rows, if any.
void PostEdit(Dataset &rows);

// The first row of rows (a list in ODRF order) whose ODRF is at least order becomes
// current, else the last row.
void GotoOrder(Dataset &rows, int order);

// Keeps a dataset's grids still while it lives (a command walking the rows): they are
// redrawn once at its end.
class FrozenControls {
public:
    explicit FrozenControls(Dataset &rows) : rows_(rows) { rows_.disableControls(); }
    ~FrozenControls() { rows_.enableControls(); }
    FrozenControls(const FrozenControls &) = delete;
    FrozenControls &operator=(const FrozenControls &) = delete;

private:
    Dataset &rows_;
};

// Keeps a dataset's place and its grids quiet during a walk over its rows, whatever way
// the walk ends: the grids are redrawn once, and the row current before is current again.
class QuietWalk {
public:
    explicit QuietWalk(Dataset &rows) : rows_(rows), place_(rows.bookmark()), freeze_(rows) {}
    ~QuietWalk();
    QuietWalk(const QuietWalk &) = delete;
    QuietWalk &operator=(const QuietWalk &) = delete;

private:
    Dataset &rows_;
    Bookmark place_;
    FrozenControls freeze_;
};

} // namespace vek
