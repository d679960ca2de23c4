#include "app/NameFilterModel.h"

#include "app/NameFilter.h"

namespace quorvel {

NameFilterModel::NameFilterModel(QObject* parent) : QSortFilterProxyModel(parent) { }

void NameFilterModel::setSourceModel(QAbstractItemModel* source)
{
    QSortFilterProxyModel::setSourceModel(source);
    // The names change with every answer: their filter forms are made anew.
    connect(source, &QAbstractItemModel::modelAboutToBeReset, this, [this] { formsMade_ = false; });
}

void NameFilterModel::setFilterText(const QString& text)
{
    if (text == typed_)
        return;
    typed_ = text;
    const QByteArray utf8 = text.toUtf8();
    typedForm_ = FilterForm(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
    invalidateRowsFilter();
}

bool NameFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    if (typedForm_.empty())
        return true;
    if (!formsMade_) {
        forms_.clear();
        const int rows = sourceModel()->rowCount(sourceParent);
        for (int row = 0; row < rows; ++row) {
            const QByteArray utf8 = sourceModel()->index(row, 0, sourceParent).data().toString().toUtf8();
            forms_.push_back(FilterForm(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size()))));
        }
        formsMade_ = true;
    }
    return sourceRow >= 0 && static_cast<std::size_t>(sourceRow) < forms_.size()
        && HoldsFilterText(forms_[static_cast<std::size_t>(sourceRow)], typedForm_);
}

}  // namespace quorvel
