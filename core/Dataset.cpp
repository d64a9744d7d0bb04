#include "core/Dataset.h"

#include "core/Cp949Text.h"
#include "core/DatabaseError.h"
#include "core/NumberFormat.h"
#include "core/EstimateColumns.h"
#include "core/WorkConnection.h"

#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>

namespace vek {

namespace {

bool SameValue(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    return a == b;
}

// A CHAR column comes back padded with blanks to its size in characters (or, through the
// driver, in UTF8 bytes), while what it holds is measured in CP949 bytes, a Korean letter
// two: the pad blanks beyond that capacity are dropped, so that a text reads back within
// it (7 Korean letters in CHAR(15) are 14 bytes and one blank). The size the driver
// reports is 4 bytes a character.
QVariant TrimTransferPadding(const QVariant &value, int byteLength)
{
    if (value.typeId() != QMetaType::QString || byteLength <= 0)
        return value;
    const int capacity = byteLength / 4;
    QString text = value.toString();
    if (text.size() * 2 <= capacity)
        return value; // fits whatever its letters are
    qsizetype head = text.size();
    while (head > 0 && text.at(head - 1) == QLatin1Char(' '))
        --head;
    const qsizetype blanks = text.size() - head;
    const qsizetype excess = Cp949Width(text.left(head)) + blanks - capacity;
    if (excess <= 0 || blanks == 0)
        return value;
    text.chop(std::min(excess, blanks));
    return text;
}

} // namespace

Dataset::Dataset(const QString &name, WorkConnection *connection, QObject *parent)
    : QObject(parent), connection_(connection)
{
    setObjectName(name);
}

Dataset::~Dataset() = default;

void Dataset::setCommandText(const QString &sql, const QVariantList &params)
{
    commandText_ = sql;
    params_ = params;
}

void Dataset::setUpdateTable(const QString &table, const QString &keyField)
{
    updateTable_ = table;
    keyField_ = keyField.toUpper();
}

void Dataset::addCalcField(const QString &name, QMetaType::Type type)
{
    calcNames_.append(name.toUpper());
    calcTypes_.push_back(type);
}

bool Dataset::isCalcField(const QString &name) const
{
    const int index = fieldIndex(name);
    return index >= dataFieldCount_;
}

void Dataset::setDisplayFormat(const QString &field, const QString &format)
{
    displayFormats_.insert(field.toUpper(), format);
}

QString Dataset::displayText(const QString &field) const
{
    return formatDisplay(value(field), fieldIndex(field));
}

QVariant Dataset::valueOf(int recNo, int field) const
{
    if (recNo == current_ && state_ == DatasetState::Edit)
        return value(field);
    if (recNo < 0 || recNo >= recordCount() || field < 0 || field >= fields_.size())
        return QVariant();
    return calculated(rows_[size_t(visible_[size_t(recNo)])]).values[size_t(field)];
}

QString Dataset::displayTextOf(int recNo, int field) const
{
    return formatDisplay(valueOf(recNo, field), field);
}

QString Dataset::formatDisplay(const QVariant &v, int field) const
{
    if (v.isNull())
        return QString();
    const QString format = field < 0 ? QString() : displayFormat(fields_.at(field));
    const int type = v.typeId();
    const bool numeric = type == QMetaType::Double || type == QMetaType::Int || type == QMetaType::LongLong;
    if (numeric && !format.isEmpty())
        return FormatFloat(format, v.toDouble());
    if (type == QMetaType::Double)
        return QString::number(v.toDouble(), 'g', 15);
    return v.toString();
}

int Dataset::fieldIndex(const QString &name) const
{
    auto found = fieldIndex_.constFind(name);
    if (found != fieldIndex_.constEnd())
        return found.value();
    return fieldIndex_.value(name.toUpper(), -1);
}

void Dataset::open()
{
    close();
    if (!connection_ || !connection_->isOpen())
        throw DatabaseError(QStringLiteral("%1: 데이타베이스에 연결되어 있지 않습니다").arg(name()));
    // Inside a running transaction a select is prepared once and run again each time it is
    // opened: a recalculation opens the same sums for every row it prices.
    QSqlQuery fresh;
    QSqlQuery *source = &fresh;
    if (connection_->inTransaction()) {
        source = &connection_->statement(commandText_);
        ExecuteBound(*source, params_);
    } else {
        fresh = connection_->select(commandText_, params_);
    }
    QSqlQuery &query = *source;
    const QSqlRecord record = query.record();
    std::vector<int> byteLengths;
    for (int i = 0; i < record.count(); ++i) {
        const QSqlField field = record.field(i);
        fields_.append(field.name().toUpper());
        fieldTypes_.push_back(QMetaType::Type(field.metaType().id()));
        byteLengths.push_back(field.metaType().id() == QMetaType::QString ? field.length() : 0);
    }
    dataFieldCount_ = int(fields_.size());
    for (size_t i = 0; i < calcTypes_.size(); ++i) {
        fields_.append(calcNames_.at(int(i)));
        fieldTypes_.push_back(calcTypes_[i]);
    }
    for (int i = 0; i < fields_.size(); ++i)
        fieldIndex_.insert(fields_.at(i), i);

    state_ = DatasetState::Browse;
    while (query.next()) {
        Row row;
        row.values.reserve(fields_.size());
        for (int i = 0; i < dataFieldCount_; ++i)
            row.values.push_back(query.isNull(i) ? QVariant()
                                                 : TrimTransferPadding(query.value(i), byteLengths[size_t(i)]));
        row.values.resize(size_t(fields_.size())); // calculated fields, worked out when read
        row.id = nextId_++;
        rows_.push_back(std::move(row));
    }
    query.finish();
    rebuildVisible();
    current_ = visible_.empty() ? -1 : 0;
    bof_ = true;
    eof_ = visible_.empty();
    notifyReset();
}

void Dataset::close()
{
    insertCommand_.reset();
    insertShifts_.clear();
    state_ = DatasetState::Inactive;
    fields_.clear();
    fieldIndex_.clear();
    fieldTypes_.clear();
    dataFieldCount_ = 0;
    rows_.clear();
    visible_.clear();
    deletedKeys_.clear();
    buffer_ = Row();
    current_ = -1;
    bof_ = eof_ = true;
    notifyReset();
}

void Dataset::refresh()
{
    const Bookmark place = isActive() ? bookmark() : Bookmark();
    const int recNo = current_;
    disableControls();
    try {
        open();
    } catch (...) {
        enableControls();
        throw;
    }
    if (!place.key.isValid() || !gotoBookmark(place))
        setCurrent(std::min(recNo, recordCount() - 1));
    enableControls();
}

void Dataset::execute()
{
    if (!connection_ || !connection_->isOpen())
        throw DatabaseError(QStringLiteral("%1: 데이타베이스에 연결되어 있지 않습니다").arg(name()));
    connection_->execute(commandText_, params_);
}

void Dataset::setCurrent(int recNo)
{
    const int count = recordCount();
    current_ = count == 0 ? -1 : std::clamp(recNo, 0, count - 1);
    if (!controlsDisabled())
        emit currentChanged(current_);
}

void Dataset::setRecNo(int recNo)
{
    requireBrowse("setRecNo");
    setCurrent(recNo);
    bof_ = eof_ = isEmpty();
}

void Dataset::first()
{
    requireBrowse("first");
    setCurrent(0);
    bof_ = true;
    eof_ = isEmpty();
}

void Dataset::last()
{
    requireBrowse("last");
    setCurrent(recordCount() - 1);
    eof_ = true;
    bof_ = isEmpty();
}

void Dataset::next()
{
    requireBrowse("next");
    bof_ = isEmpty();
    if (current_ + 1 < recordCount()) {
        setCurrent(current_ + 1);
        eof_ = false;
    } else {
        eof_ = true;
    }
}

void Dataset::prior()
{
    requireBrowse("prior");
    eof_ = isEmpty();
    if (current_ > 0) {
        setCurrent(current_ - 1);
        bof_ = false;
    } else {
        bof_ = true;
    }
}

Dataset::Row *Dataset::currentRow()
{
    return current_ < 0 ? nullptr : &rows_[size_t(visible_[size_t(current_)])];
}

const Dataset::Row *Dataset::currentRow() const
{
    return current_ < 0 ? nullptr : &rows_[size_t(visible_[size_t(current_)])];
}

const std::vector<QVariant> &Dataset::activeValues() const
{
    static const std::vector<QVariant> none;
    switch (state_) {
    case DatasetState::CalcFields:
        return calcRow_->values;
    case DatasetState::Edit:
    case DatasetState::Insert:
        return buffer_.values;
    default: {
        const Row *row = currentRow();
        return row ? row->values : none;
    }
    }
}

void Dataset::calculateActive() const
{
    auto &self = const_cast<Dataset &>(*this);
    if (state_ == DatasetState::Edit || state_ == DatasetState::Insert) {
        // Calculated fields of the edit buffer follow its values when they are read.
        if (bufferCalcDirty_) {
            self.bufferCalcDirty_ = false;
            self.calculate(self.buffer_);
        }
    } else if (state_ == DatasetState::Browse && current_ >= 0) {
        calculated(*currentRow());
    }
}

const Dataset::Row &Dataset::calculated(const Row &row) const
{
    // Calculated fields follow from the row's own values: they are worked out when first
    // read, so that opening a long list costs no more than reading it.
    if (!row.calculated) {
        auto &self = const_cast<Dataset &>(*this);
        auto &target = const_cast<Row &>(row);
        self.calculate(target);
        target.calculated = true;
    }
    return row;
}

QVariant Dataset::value(int index) const
{
    if (index >= dataFieldCount_)
        calculateActive();
    const std::vector<QVariant> &values = activeValues();
    if (index < 0 || size_t(index) >= values.size())
        return QVariant();
    return values[size_t(index)];
}

QVariant Dataset::value(const QString &field) const
{
    const int index = fieldIndex(field);
    if (index < 0 && isActive())
        throw DatabaseError(QStringLiteral("%1: 필드 %2 이(가) 없습니다").arg(name(), field));
    return value(index);
}

QVariant Dataset::valueAt(int row, const QString &field) const
{
    const int index = fieldIndex(field);
    if (index < 0 || row < 0 || size_t(row) >= rows_.size())
        return QVariant();
    return calculated(rows_[size_t(row)]).values[size_t(index)];
}

void Dataset::setValue(const QString &field, const QVariant &value)
{
    const int index = fieldIndex(field);
    if (index < 0)
        throw DatabaseError(QStringLiteral("%1: 필드 %2 이(가) 없습니다").arg(name(), field));
    const bool calc = index >= dataFieldCount_;
    std::vector<QVariant> *values = nullptr;
    if (state_ == DatasetState::CalcFields && calc)
        values = &calcRow_->values;
    else if ((state_ == DatasetState::Edit || state_ == DatasetState::Insert) && !calc)
        values = &buffer_.values;
    if (!values)
        throw DatabaseError(QStringLiteral("%1: 필드 %2 을(를) 지금 바꿀 수 없습니다").arg(name(), field));
    const QMetaType type(fieldTypes_[size_t(index)]);
    QVariant stored = value.isNull() ? QVariant() : FitColumnValue(fields_.at(index), value);
    if (!stored.isNull() && stored.metaType() != type)
        stored.convert(type);
    (*values)[size_t(index)] = stored;
    if (!calc)
        bufferCalcDirty_ = true;
}

void Dataset::calculate(Row &row)
{
    if (!onCalcFields || dataFieldCount_ == fields_.size())
        return;
    const DatasetState saved = state_;
    Row *savedRow = calcRow_;
    state_ = DatasetState::CalcFields;
    calcRow_ = &row;
    for (int i = dataFieldCount_; i < fields_.size(); ++i)
        row.values[size_t(i)] = QVariant();
    try {
        onCalcFields(*this);
    } catch (...) {
        state_ = saved;
        calcRow_ = savedRow;
        throw;
    }
    state_ = saved;
    calcRow_ = savedRow;
}

void Dataset::requireBrowse(const char *operation) const
{
    if (state_ != DatasetState::Browse)
        throw DatabaseError(QStringLiteral("%1: %2 needs an open dataset that is not being edited")
                                .arg(name(), QLatin1String(operation)));
}

void Dataset::edit()
{
    requireBrowse("edit");
    if (isEmpty())
        throw DatabaseError(QStringLiteral("%1: 고칠 행이 없습니다").arg(name()));
    buffer_ = *currentRow();
    bufferCalcDirty_ = !buffer_.calculated;
    state_ = DatasetState::Edit;
}

void Dataset::insert()
{
    requireBrowse("insert");
    beginNewRow(false);
}

void Dataset::append()
{
    requireBrowse("append");
    beginNewRow(true);
}

void Dataset::beginNewRow(bool atEnd)
{
    if (connection_ && !cachedUpdates_)
        insertCommand_ = std::make_unique<WorkTransaction>(*connection_);
    insertAtEnd_ = atEnd;
    try {
        if (beforeInsert)
            beforeInsert(*this);
        buffer_ = Row();
        buffer_.values.resize(size_t(fields_.size())); // NULL everywhere: an invalid variant
        insertAtEnd_ = insertAtEnd_ || isEmpty();
        state_ = DatasetState::Insert;
        bufferCalcDirty_ = true;
        if (onNewRecord)
            onNewRecord(*this);
    } catch (...) {
        leaveEditing();
        dropInsertCommand();
        throw;
    }
}

void Dataset::shiftCachedValues(const QString &field, int from, int delta)
{
    const int index = fieldIndex(field);
    if (index < 0 || index >= dataFieldCount_)
        throw DatabaseError(QStringLiteral("%1: 필드 %2 이(가) 없습니다").arg(name(), field));
    for (Row &row : rows_) {
        QVariant &value = row.values[size_t(index)];
        if (!value.isNull() && value.toInt() >= from) {
            value = QVariant(value.toInt() + delta);
            row.calculated = false;
        }
    }
    // Without a transaction of its own the change in the table is already committed.
    if (insertCommand_)
        insertShifts_.push_back({index, from, delta});
    notifyReset();
}

void Dataset::dropInsertCommand()
{
    insertCommand_.reset();
    const std::vector<CachedShift> shifts = std::move(insertShifts_);
    insertShifts_.clear();
    for (auto shift = shifts.rbegin(); shift != shifts.rend(); ++shift)
        shiftCachedValues(fields_.at(shift->field), shift->from + shift->delta, -shift->delta);
}

void Dataset::leaveEditing()
{
    if (state_ == DatasetState::Edit || state_ == DatasetState::Insert)
        state_ = DatasetState::Browse;
    buffer_ = Row();
}

void Dataset::writeRow(Row &row, bool inserting, const std::vector<QVariant> *original)
{
    const int key = fieldIndex(keyField_);
    QStringList columns;
    QVariantList values;
    for (int i = 0; i < dataFieldCount_; ++i) {
        if (i == key)
            continue;
        if (original && SameValue((*original)[size_t(i)], row.values[size_t(i)]))
            continue;
        columns.append(fields_.at(i));
        values.append(row.values[size_t(i)]);
    }
    if (inserting) {
        QString sql = QStringLiteral("insert into %1 (%2) values (%3)")
                          .arg(updateTable_, columns.join(QLatin1Char(',')),
                               QStringList(columns.size(), QStringLiteral("?")).join(QLatin1Char(',')));
        if (key >= 0)
            sql += QStringLiteral(" returning ") + keyField_;
        QSqlQuery &query = connection_->statement(sql);
        ExecuteBound(query, values);
        if (key >= 0 && query.next())
            row.values[size_t(key)] = query.value(0);
        return;
    }
    if (key < 0)
        throw DatabaseError(QStringLiteral("%1: 이 자료는 고칠 수 없습니다 (행 키 %2 없음)").arg(name(), keyField_));
    if (columns.isEmpty())
        return;
    values.append(row.values[size_t(key)]);
    const QString sql = QStringLiteral("update %1 set %2=? where %3=?")
                            .arg(updateTable_, columns.join(QStringLiteral("=?,")), keyField_);
    ExecuteBound(connection_->statement(sql), values);
}

void Dataset::writeDelete(const QVariant &key)
{
    if (fieldIndex(keyField_) < 0)
        throw DatabaseError(QStringLiteral("%1: 이 자료는 지울 수 없습니다 (행 키 %2 없음)").arg(name(), keyField_));
    ExecuteBound(connection_->statement(QStringLiteral("delete from %1 where %2=?").arg(updateTable_, keyField_)), {key});
}

void Dataset::post()
{
    if (state_ != DatasetState::Edit && state_ != DatasetState::Insert)
        throw DatabaseError(QStringLiteral("%1: 저장할 변경이 없습니다").arg(name()));
    // The before-post hook reads the calculated fields of the buffer as they stand.
    if (beforePost)
        beforePost(*this);
    // What the hook stored shows the next time the row's calculated fields are read.
    buffer_.calculated = false;

    const bool inserting = state_ == DatasetState::Insert;
    Row row = buffer_;
    if (cachedUpdates_) {
        if (inserting) {
            row.change = Change::Inserted;
        } else if (row.change == Change::None) {
            row.change = Change::Modified;
            row.original = currentRow()->values;
        }
    } else {
        if (!connection_)
            throw DatabaseError(QStringLiteral("%1: 데이타베이스에 연결되어 있지 않습니다").arg(name()));
        std::unique_ptr<WorkTransaction> command = std::move(insertCommand_);
        if (!command)
            command = std::make_unique<WorkTransaction>(*connection_);
        try {
            writeRow(row, inserting, inserting ? nullptr : &currentRow()->values);
        } catch (...) {
            // The engine refused the row, not the transaction: what the before-insert hook
            // did stays with the insert for a retry or a cancel.
            if (inserting)
                insertCommand_ = std::move(command);
            throw;
        }
        if (!command->commit()) {
            // The transaction is gone with what the before-insert hook did: the insert goes whole.
            if (inserting) {
                leaveEditing();
                dropInsertCommand();
            }
            throw DatabaseError(QStringLiteral("%1: 변경 내용을 저장하지 못했습니다").arg(name()));
        }
        insertShifts_.clear();
    }

    if (inserting) {
        row.id = nextId_++;
        if (insertAtEnd_) {
            rows_.push_back(std::move(row));
            visible_.push_back(int(rows_.size()) - 1);
            current_ = recordCount() - 1;
        } else {
            rows_.insert(rows_.begin() + visible_[size_t(current_)], std::move(row));
            rebuildVisible();
        }
    } else {
        *currentRow() = std::move(row);
    }
    state_ = DatasetState::Browse;
    buffer_ = Row();
    if (afterPost)
        afterPost(*this);
    if (inserting)
        notifyReset();
    else
        notifyRow(current_);
}

void Dataset::cancel()
{
    if (state_ != DatasetState::Edit && state_ != DatasetState::Insert)
        return;
    leaveEditing();
    dropInsertCommand();
    notifyRow(current_);
}

void Dataset::deleteRecord()
{
    requireBrowse("delete");
    if (isEmpty())
        throw DatabaseError(QStringLiteral("%1: 지울 행이 없습니다").arg(name()));
    std::unique_ptr<WorkTransaction> command;
    if (connection_)
        command = std::make_unique<WorkTransaction>(*connection_);
    if (beforeDelete)
        beforeDelete(*this);
    Row *row = currentRow();
    const int key = fieldIndex(keyField_);
    if (cachedUpdates_) {
        if (row->change != Change::Inserted && key >= 0)
            deletedKeys_.push_back(row->values[size_t(key)]);
    } else {
        writeDelete(key >= 0 ? row->values[size_t(key)] : QVariant());
    }
    if (command && !command->commit())
        throw DatabaseError(QStringLiteral("%1: 행을 지우지 못했습니다").arg(name()));
    rows_.erase(rows_.begin() + visible_[size_t(current_)]);
    const int recNo = current_;
    rebuildVisible();
    current_ = visible_.empty() ? -1 : std::min(recNo, recordCount() - 1);
    if (afterDelete)
        afterDelete(*this);
    notifyReset();
}

int Dataset::pendingUpdates() const
{
    return int(deletedKeys_.size()
               + std::count_if(rows_.begin(), rows_.end(), [](const Row &row) { return row.change != Change::None; }));
}

void Dataset::applyUpdates()
{
    if (pendingUpdates() == 0)
        return;
    if (!connection_)
        throw DatabaseError(QStringLiteral("%1: 데이타베이스에 연결되어 있지 않습니다").arg(name()));
    WorkTransaction command(*connection_);
    for (const QVariant &key : deletedKeys_)
        writeDelete(key);
    for (Row &row : rows_)
        if (row.change != Change::None)
            writeRow(row, row.change == Change::Inserted, row.original.empty() ? nullptr : &row.original);
    if (!command.commit())
        throw DatabaseError(QStringLiteral("%1: 변경 내용을 저장하지 못했습니다").arg(name()));
    deletedKeys_.clear();
    for (Row &row : rows_) {
        row.change = Change::None;
        row.original.clear();
    }
}

Bookmark Dataset::bookmark() const
{
    return bookmarkOf(current_);
}

Bookmark Dataset::bookmarkOf(int recNo) const
{
    if (recNo < 0 || recNo >= recordCount())
        return {};
    const Row &row = rows_[size_t(visible_[size_t(recNo)])];
    const int key = fieldIndex(keyField_);
    return {row.id, key >= 0 ? row.values[size_t(key)] : QVariant()};
}

bool Dataset::gotoBookmark(const Bookmark &bookmark)
{
    const int key = fieldIndex(keyField_);
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < recordCount(); ++i) {
            const Row &row = rows_[size_t(visible_[size_t(i)])];
            const bool match = pass == 0 ? row.id == bookmark.row
                                         : key >= 0 && !bookmark.key.isNull() && SameValue(row.values[size_t(key)], bookmark.key);
            if (match) {
                setCurrent(i);
                bof_ = eof_ = false;
                return true;
            }
        }
    }
    return false;
}

void Dataset::rebuildVisible()
{
    visible_.clear();
    visible_.reserve(rows_.size());
    for (int i = 0; i < int(rows_.size()); ++i)
        if (!filtered_ || !filter_ || filter_(*this, i))
            visible_.push_back(i);
}

void Dataset::setFilter(Filter filter)
{
    filter_ = std::move(filter);
    if (filtered_ && isActive())
        setFiltered(true);
}

void Dataset::setFiltered(bool filtered)
{
    filtered_ = filtered;
    if (!isActive())
        return;
    requireBrowse("filter");
    rebuildVisible();
    current_ = visible_.empty() ? -1 : 0;
    bof_ = true;
    eof_ = visible_.empty();
    notifyReset();
}

void Dataset::enableControls()
{
    if (disableCount_ > 0 && --disableCount_ == 0) {
        emit rowsReset();
        emit currentChanged(current_);
    }
}

void Dataset::notifyReset()
{
    if (!controlsDisabled())
        emit rowsReset();
}

void Dataset::notifyRow(int recNo)
{
    if (!controlsDisabled() && recNo >= 0)
        emit rowChanged(recNo);
}

int LocateRow(const Dataset &dataset, const QString &field, const QVariant &value)
{
    const int index = dataset.fieldIndex(field);
    if (index < 0 || value.isNull())
        return -1;
    for (int row = 0; row < dataset.recordCount(); ++row) {
        const QVariant candidate = dataset.valueOf(row, index);
        if (!candidate.isNull() && candidate == value)
            return row;
    }
    return -1;
}

void PostEdit(Dataset &rows)
{
    if (rows.state() == DatasetState::Edit || rows.state() == DatasetState::Insert)
        rows.post();
}

void GotoOrder(Dataset &rows, int order)
{
    const int odrf = rows.fieldIndex("ODRF");
    for (int row = 0; row < rows.recordCount(); ++row) {
        if (rows.valueOf(row, odrf).toInt() >= order) {
            rows.setRecNo(row);
            return;
        }
    }
    rows.last();
}

QuietWalk::~QuietWalk()
{
    if (rows_.isActive() && rows_.state() == DatasetState::Browse)
        rows_.gotoBookmark(place_);
}

} // namespace vek
