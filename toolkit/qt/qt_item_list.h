#pragma once
// The items of a drop-down list: plain texts, one row each. A year list holds 6001 of them and
// the program adds them one at a time at start-up, so a row is a bare QString rather than a
// QStandardItem, and appended rows are announced to the list's views in one batch.

#include <QAbstractListModel>
#include <QList>
#include <QString>

namespace toolkit {

class ItemList : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;

    // Adds a row at the end that no view sees until Commit. Returns true for the first row
    // of a new batch, so that the caller can arrange for its commit.
    bool Append(const QString& text);
    // Announces the appended rows; does nothing when there are none.
    void Commit();
    // Inserts before the row now at position; position == rowCount() appends. Positions
    // outside 0 ... rowCount() do nothing. Appended rows are committed first.
    void Insert(int position, const QString& text);

private:
    QList<QString> items_;
    qsizetype announced_ = 0;  // rows the views know of; the rest await Commit
};

}  // namespace toolkit
