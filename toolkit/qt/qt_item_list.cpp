#include "toolkit/qt/qt_item_list.h"

namespace toolkit {

int ItemList::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(announced_);
}

QVariant ItemList::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= announced_) {
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        return items_[index.row()];
    }
    return {};
}

Qt::ItemFlags ItemList::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren : Qt::NoItemFlags;
}

bool ItemList::removeRows(int row, int count, const QModelIndex& parent)
{
    Commit();
    if (parent.isValid() || row < 0 || count <= 0 || row + count > announced_) {
        return false;
    }
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    items_.remove(row, count);
    announced_ = items_.size();
    endRemoveRows();
    return true;
}

bool ItemList::Append(const QString& text)
{
    items_.append(text);
    return items_.size() == announced_ + 1;
}

void ItemList::Commit()
{
    if (announced_ == items_.size()) {
        return;
    }
    // The rows are already stored; until endInsertRows no view can see them, as the model's
    // rules ask.
    beginInsertRows(QModelIndex(), static_cast<int>(announced_), static_cast<int>(items_.size() - 1));
    announced_ = items_.size();
    endInsertRows();
}

void ItemList::Insert(int position, const QString& text)
{
    Commit();
    if (position < 0 || position > announced_) {
        return;
    }
    beginInsertRows(QModelIndex(), position, position);
    items_.insert(position, text);
    announced_ = items_.size();
    endInsertRows();
}

}  // namespace toolkit
