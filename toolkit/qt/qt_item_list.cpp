#include "toolkit/qt/qt_item_list.h"

#include "hebrew_text/encoding.h"

namespace toolkit {

int ItemList::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : announced_;
}

QString ItemList::Text(int row) const
{
    std::uint32_t start = row == 0 ? 0 : ends_[row - 1];
    return QString(reinterpret_cast<const QChar*>(texts_.data() + start), ends_[row] - start);
}

QVariant ItemList::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= announced_) {
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        return Text(index.row());
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
    std::uint32_t start = row == 0 ? 0 : ends_[row - 1];
    std::uint32_t end = ends_[row + count - 1];
    texts_.erase(start, end - start);
    ends_.erase(ends_.begin() + row, ends_.begin() + row + count);
    for (auto it = ends_.begin() + row; it != ends_.end(); ++it) {
        *it -= end - start;
    }
    announced_ = static_cast<int>(ends_.size());
    endRemoveRows();
    return true;
}

// Puts the text of a new row at position `row` into the store; rows from there on move down.
void ItemList::Store(std::size_t row, std::string_view text)
{
    std::uint32_t start = row == 0 ? 0 : ends_[row - 1];
    texts_.insert(start, text.size(), u'\0');
    hebrew_text::Cp1255ToUtf16(text, texts_.data() + start);
    auto size = static_cast<std::uint32_t>(text.size());
    ends_.insert(ends_.begin() + static_cast<std::ptrdiff_t>(row), start + size);
    for (auto it = ends_.begin() + static_cast<std::ptrdiff_t>(row) + 1; it != ends_.end(); ++it) {
        *it += size;
    }
}

bool ItemList::Append(std::string_view text)
{
    Store(ends_.size(), text);
    return static_cast<int>(ends_.size()) == announced_ + 1;
}

void ItemList::Commit()
{
    if (announced_ == static_cast<int>(ends_.size())) {
        return;
    }
    // The rows are already stored; until endInsertRows no view can see them, as the model's
    // rules ask.
    beginInsertRows(QModelIndex(), announced_, static_cast<int>(ends_.size()) - 1);
    announced_ = static_cast<int>(ends_.size());
    endInsertRows();
}

void ItemList::Insert(int position, std::string_view text)
{
    Commit();
    if (position < 0 || position > announced_) {
        return;
    }
    beginInsertRows(QModelIndex(), position, position);
    Store(static_cast<std::size_t>(position), text);
    announced_ = static_cast<int>(ends_.size());
    endInsertRows();
}

}  // namespace toolkit
