#include "app/ListDelegate.h"

#include "app/ResultModels.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace quorvel {

void ListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QString suffix = index.data(DimmedSuffixRole).toString();
    if (!suffix.isEmpty()) {
        paintWithSuffix(painter, option, index, suffix);
        return;
    }
    if (!isNumber(index)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // The cell as the style draws it, without its text; then the number,
    // right-aligned, whole.
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QString number = cell.text;
    cell.text.clear();
    const QWidget* widget = cell.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
    painter->save();
    painter->setFont(cell.font);
    painter->setPen(
        cell.palette.color(cell.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(cell.rect.adjusted(NumberMargin, 0, -NumberMargin, 0), Qt::AlignRight | Qt::AlignVCenter, number);
    painter->restore();
}

void ListDelegate::paintWithSuffix(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index,
                                   const QString& suffix) const
{
    // The cell as the style draws it with its text, then the suffix after
    // the text in the colour of text that is not in use.
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QWidget* widget = cell.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, widget);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const int after = cell.fontMetrics.horizontalAdvance(cell.text) + margin + cell.fontMetrics.horizontalAdvance(' ');
    painter->save();
    painter->setFont(cell.font);
    painter->setPen(cell.palette.color(QPalette::Disabled, QPalette::Text));
    painter->drawText(textRect.adjusted(margin + after, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                      cell.fontMetrics.elidedText(suffix, Qt::ElideRight, textRect.width() - after - margin));
    painter->restore();
}

QSize ListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    if (isNumber(index)) {
        const QString number = index.data(Qt::DisplayRole).toString();
        size.setWidth(option.fontMetrics.horizontalAdvance(number) + 2 * NumberMargin);
    }
    return size;
}

bool ListDelegate::isCutOff(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QWidget* widget = cell.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, widget);
    // The style keeps a margin of its own inside the text rectangle.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    return cell.fontMetrics.horizontalAdvance(cell.text) > textRect.width() - 2 * margin;
}

bool ListDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                             const QModelIndex& index)
{
    if (!event || !view || event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    // A tip of the model's own (a multi-line text, what tells a line apart) comes first.
    QString tip = index.data(Qt::ToolTipRole).toString();
    if (tip.isEmpty() && isCutOff(option, index))
        tip = index.data(Qt::DisplayRole).toString();
    if (tip.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(event->globalPos(), tip, view->viewport(), option.rect);
    return true;
}

}  // namespace quorvel
