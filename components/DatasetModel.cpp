#include "components/DatasetModel.h"

#include "core/DatabaseError.h"
#include "core/MessageBoxes.h"
#include "core/RowAmounts.h"

namespace vek {

namespace {

bool IsNumber(int type)
{
    return type == QMetaType::Double || type == QMetaType::Int || type == QMetaType::LongLong
           || type == QMetaType::Float || type == QMetaType::Short;
}

bool IsFloat(int type)
{
    return type == QMetaType::Double || type == QMetaType::Float;
}

void ShowError(const std::exception &error)
{
    ShowErrorMsg(QString::fromStdString(error.what()));
}

// Why a typed text cannot go into a number field of the given type; empty when it can.
// A number beyond the fixed-point range is refused as the currency box refuses it.
QString NumberRefusal(int type, const QVariant &value)
{
    if (!IsNumber(type) || value.typeId() != QMetaType::QString || value.toString().isEmpty())
        return QString();
    QVariant number(value);
    if (number.convert(QMetaType(type))) {
        try {
            RequireFixedPointRange(number.toDouble());
        } catch (const NumberError &refusal) {
            return QString::fromStdString(refusal.what());
        }
        return QString();
    }
    return QStringLiteral("'%1' is not a valid %2 value").arg(value.toString(), IsFloat(type) ? "floating point" : "integer");
}

} // namespace

bool PostPendingEdit(Dataset &dataset)
{
    if (dataset.state() != DatasetState::Edit && dataset.state() != DatasetState::Insert)
        return true;
    const auto cancelAndShow = [&dataset](const std::exception &error) {
        dataset.cancel();
        ShowError(error);
        return false;
    };
    try {
        dataset.post();
    } catch (const DatabaseError &error) {
        return cancelAndShow(error);
    } catch (const NumberError &refusal) {
        return cancelAndShow(refusal);
    }
    return true;
}

DatasetModel::DatasetModel(QObject *parent) : QAbstractTableModel(parent) {}

void DatasetModel::setDataset(Dataset *dataset)
{
    if (dataset_)
        disconnect(dataset_, nullptr, this, nullptr);
    dataset_ = dataset;
    if (dataset_) {
        connect(dataset_, &Dataset::rowsReset, this, &DatasetModel::reset);
        connect(dataset_, &Dataset::rowChanged, this, &DatasetModel::rowChanged);
        connect(dataset_, &Dataset::currentChanged, this, &DatasetModel::currentRowChanged);
    }
    reset();
}

void DatasetModel::setColumns(const QList<DatasetColumn> &columns)
{
    givenColumns_ = columns;
    reset();
}

void DatasetModel::reset()
{
    beginResetModel();
    columns_ = givenColumns_;
    fields_.clear();
    const bool active = dataset_ && dataset_->isActive();
    if (columns_.isEmpty() && active) {
        for (int i = 0; i < dataset_->fieldCount(); ++i) {
            DatasetColumn column;
            column.field = dataset_->fieldName(i);
            columns_.append(column);
        }
    }
    for (const DatasetColumn &column : columns_)
        fields_.append(active ? dataset_->fieldIndex(column.field) : -1);
    rows_ = active ? dataset_->recordCount() : 0;
    endResetModel();
    emit currentRowChanged(currentRow());
}

void DatasetModel::rowChanged(int recNo)
{
    if (recNo >= 0 && recNo < rows_ && !columns_.isEmpty())
        emit dataChanged(index(recNo, 0), index(recNo, columnCount() - 1));
}

int DatasetModel::groupHeadOf(int column) const
{
    for (int head = std::min(column, int(columns_.size()) - 1); head >= 0; --head)
        if (columns_.at(head).headsGroup())
            return column <= head + columns_.at(head).groupSize ? head : -1;
    return -1;
}

bool DatasetModel::columnShown(int column) const
{
    const int head = groupHeadOf(column);
    if (head < 0)
        return true;
    return (head == column) != columns_.at(head).expanded;
}

void DatasetModel::setExpanded(int head, bool expanded)
{
    if (head < 0 || head >= columns_.size() || !columns_.at(head).headsGroup() || columns_.at(head).expanded == expanded)
        return;
    columns_[head].expanded = expanded;
    emit columnGroupsChanged();
}

bool DatasetModel::anyGroupExpanded() const
{
    return std::any_of(columns_.begin(), columns_.end(),
                       [](const DatasetColumn &column) { return column.headsGroup() && column.expanded; });
}

bool DatasetModel::hasGroups() const
{
    return std::any_of(columns_.begin(), columns_.end(), [](const DatasetColumn &column) { return column.headsGroup(); });
}

int DatasetModel::fieldOf(int column) const
{
    return column >= 0 && column < fields_.size() ? fields_.at(column) : -1;
}

FieldGlyph DatasetModel::glyphOf(int column) const
{
    if (column < 0 || column >= columns_.size())
        return FieldGlyph::None;
    if (columns_.at(column).glyph != FieldGlyph::None)
        return columns_.at(column).glyph;
    const int field = fieldOf(column);
    if (field < 0 || !dataset_ || !dataset_->isActive())
        return FieldGlyph::None;
    return dataset_->fieldType(field) == QMetaType::QByteArray ? FieldGlyph::Blob : FieldGlyph::None;
}

bool DatasetModel::setCurrentRow(int row)
{
    if (!dataset_ || !dataset_->isActive() || row < 0 || row >= dataset_->recordCount())
        return false;
    if (row == dataset_->recNo())
        return true;
    if (!PostPendingEdit(*dataset_))
        return false;
    dataset_->setRecNo(row);
    return true;
}

int DatasetModel::currentRow() const
{
    return dataset_ && dataset_->isActive() ? dataset_->recNo() : -1;
}

int DatasetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int DatasetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(columns_.size());
}

bool DatasetModel::holds(const QModelIndex &index) const
{
    return index.isValid() && dataset_ && dataset_->isActive() && index.row() < dataset_->recordCount()
           && index.column() < columns_.size();
}

QVariant DatasetModel::lookupText(int row, const DatasetColumn &column) const
{
    const QVariant key = dataset_->valueOf(row, dataset_->fieldIndex(column.keyField));
    const Dataset &lookup = *column.lookupDataset;
    const int found = LocateRow(lookup, column.lookupKeyField, key);
    return found < 0 ? QString() : lookup.displayTextOf(found, lookup.fieldIndex(column.lookupResultField));
}

QVariant DatasetModel::data(const QModelIndex &index, int role) const
{
    if (!holds(index))
        return QVariant();
    const DatasetColumn &column = columns_.at(index.column());
    const int field = fields_.at(index.column());
    switch (role) {
    case Qt::DisplayRole:
        if (column.isLookup())
            return lookupText(index.row(), column);
        if (glyphOf(index.column()) != FieldGlyph::None)
            return QVariant();
        return dataset_->displayTextOf(index.row(), field);
    case Qt::EditRole: {
        if (column.isLookup())
            return lookupText(index.row(), column);
        const QVariant value = dataset_->valueOf(index.row(), field);
        // A float is edited as the toolkit's float fields show it, to 15 significant digits,
        // not with the binary tail of its shortest exact text.
        if (value.typeId() == QMetaType::Double && !value.isNull())
            return QString::number(value.toDouble(), 'g', 15);
        return value;
    }
    case Qt::BackgroundRole:
        return column.color.isValid() ? QVariant(column.color) : QVariant();
    case Qt::TextAlignmentRole: {
        if (column.alignment)
            return QVariant::fromValue(column.alignment | Qt::AlignVCenter);
        const bool number = field >= 0 && IsNumber(dataset_->fieldType(field));
        return QVariant::fromValue((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    default:
        return QVariant();
    }
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical || section < 0 || section >= columns_.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    const DatasetColumn &column = columns_.at(section);
    if (role == Qt::DisplayRole)
        return column.title.isEmpty() ? column.field : column.title;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(column.titleAlignment | Qt::AlignVCenter);
    return QVariant();
}

Qt::ItemFlags DatasetModel::flags(const QModelIndex &index) const
{
    if (!holds(index))
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const DatasetColumn &column = columns_.at(index.column());
    const int field = column.isLookup() ? dataset_->fieldIndex(column.keyField) : fields_.at(index.column());
    const bool writable = field >= 0 && !column.readOnly && glyphOf(index.column()) == FieldGlyph::None
                          && !dataset_->isCalcField(dataset_->fieldName(field));
    if (writable)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool DatasetModel::takesCharacter(const QModelIndex &index, QChar character) const
{
    if (!holds(index))
        return false;
    const int field = fields_.at(index.column());
    const int type = field < 0 ? QMetaType::UnknownType : dataset_->fieldType(field);
    if (columns_.at(index.column()).isLookup() || !IsNumber(type))
        return true;
    if ((character >= u'0' && character <= u'9') || character == u'+' || character == u'-')
        return true;
    return IsFloat(type) && (character == u'.' || character == u'e' || character == u'E');
}

bool DatasetModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!(flags(index) & Qt::ItemIsEditable))
        return false;
    const DatasetColumn &column = columns_.at(index.column());
    if (role == LookupKeyRole && column.isLookup())
        return writeField(index.row(), column.keyField, value);
    if (role != Qt::EditRole)
        return false;
    if (!column.isLookup())
        return writeField(index.row(), column.field, value);
    const Dataset &lookup = *column.lookupDataset;
    const int found = LocateRow(lookup, column.lookupResultField, value);
    if (found < 0)
        return false;
    return writeField(index.row(), column.keyField, lookup.valueOf(found, lookup.fieldIndex(column.lookupKeyField)));
}

bool DatasetModel::writeField(int row, const QString &field, const QVariant &value)
{
    // Text that does not read as a number is refused, not written as an empty value.
    const QString refusal = NumberRefusal(dataset_->fieldType(dataset_->fieldIndex(field)), value);
    if (!refusal.isEmpty()) {
        ShowErrorMsg(refusal);
        return false;
    }
    if (!setCurrentRow(row))
        return false;
    const bool began = dataset_->state() == DatasetState::Browse;
    const QVariant before = began ? QVariant() : dataset_->value(field);
    try {
        if (began)
            dataset_->edit();
        dataset_->setValue(field, value);
        dataset_->post();
    } catch (const DatabaseError &error) {
        dataset_->cancel();
        ShowError(error);
        return false;
    } catch (const NumberError &refusal) {
        // The entry is refused and the row stays as it was before it.
        if (began)
            dataset_->cancel();
        else
            dataset_->setValue(field, before);
        ShowError(refusal);
        return false;
    }
    return true;
}

} // namespace vek
