#pragma once

#include <QSortFilterProxyModel>

#include <string>
#include <vector>

namespace quorvel {

// The left list narrowed to the names that hold the text typed into the
// filter, full-width and half-width forms alike and letter case ignored.
// Rows keep their order; an empty filter lets every name through.
class NameFilterModel : public QSortFilterProxyModel {
public:
    explicit NameFilterModel(QObject* parent = nullptr);
    void setSourceModel(QAbstractItemModel* source) override;

    void setFilterText(const QString& text);
    const QString& filterText() const { return typed_; }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    QString typed_;
    std::u16string typedForm_;
    // The names in their filter form, made when a filter first needs them.
    mutable std::vector<std::u16string> forms_;
    mutable bool formsMade_ = false;
};

}  // namespace quorvel
