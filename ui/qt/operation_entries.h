// The entries of Operation. The combo box moves its current entry only by writing the entry's
// text into its edit field, which would overwrite the user's typing; this model can instead let
// go of an entry, so that nothing refers to it as current any more.
#pragma once

#include <QStandardItemModel>

namespace quillon {

class OperationEntries final : public QStandardItemModel {
public:
    using QStandardItemModel::QStandardItemModel;

    void letGo(int row) { changePersistentIndex(index(row, 0), QModelIndex()); }
};

}  // namespace quillon
