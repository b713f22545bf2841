#pragma once
// The items of a drop-down list: plain texts, one row each. A year list holds 6001 of them and
// the program adds them one at a time at start-up, so the texts lie one after another in one
// store, a row costs no allocation of its own, and appended rows are announced to the list's
// views in one batch.

#include <QAbstractListModel>
#include <QString>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace toolkit {

class ItemList : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;

    // Adds a row at the end, from code page 1255 bytes, that no view sees until Commit.
    // Returns true for the first row of a new batch, so that the caller can arrange its commit.
    bool Append(std::string_view text);
    // Announces the appended rows; does nothing when there are none.
    void Commit();
    // Inserts before the row now at position; position == rowCount() appends. Positions
    // outside 0 ... rowCount() do nothing. Appended rows are committed first.
    void Insert(int position, std::string_view text);

private:
    QString Text(int row) const;
    void Store(std::size_t row, std::string_view text);

    std::u16string texts_;            // every row's text, one after the other
    std::vector<std::uint32_t> ends_;  // where each row's text ends in texts_
    int announced_ = 0;                // rows the views know of; the rest await Commit
};

}  // namespace toolkit
