#pragma once

#include <QStyledItemDelegate>

namespace quorvel {

// How the cells of the two lists are drawn: the running numbers of the
// result list right-aligned with a narrow margin and never shortened (so
// numbers up to 99 fit the default width of their column), a line's dimmed
// suffix after its text, and every text that does not fit its cell shown
// whole as its tooltip.
class ListDelegate : public QStyledItemDelegate {
public:
    // Pixels kept free on either side of a running number.
    static constexpr int NumberMargin = 1;

    // `numberColumn`: the column that holds running numbers, or -1.
    explicit ListDelegate(int numberColumn, QObject* parent = nullptr)
        : QStyledItemDelegate(parent), numberColumn_(numberColumn)
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

    // Whether the text of the cell is cut off at the cell's width.
    bool isCutOff(const QStyleOptionViewItem& option, const QModelIndex& index) const;

private:
    bool isNumber(const QModelIndex& index) const { return index.column() == numberColumn_; }
    void paintWithSuffix(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index,
                         const QString& suffix) const;

    int numberColumn_;
};

}  // namespace quorvel
