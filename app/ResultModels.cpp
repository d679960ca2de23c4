#include "app/ResultModels.h"

#include <string_view>
#include <unordered_map>

namespace quorvel {

namespace {

QString shown(const KeptText& text)
{
    const std::string_view utf8 = text.shown();
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// A text on one line: each line break (CR LF, CR or LF) shown as a mark.
QString onOneLine(const QString& text)
{
    QString line = text;
    line.replace(QStringLiteral("\r\n"), QStringLiteral("↵"));
    line.replace(QLatin1Char('\r'), QStringLiteral("↵"));
    line.replace(QLatin1Char('\n'), QStringLiteral("↵"));
    return line;
}

}  // namespace

NameListModel::NameListModel(const Answer& answer, const ListState& lists, QObject* parent)
    : PanelModel(answer, lists, parent)
{
    connect(this, &QAbstractItemModel::modelReset, this, [this] { repeated_.reset(); });
}

const std::vector<bool>& NameListModel::repeated() const
{
    if (!repeated_) {
        const std::vector<KeptText>& lines = answer_.leftLines();
        std::unordered_map<std::string_view, int> count;
        for (const KeptText& line : lines)
            ++count[line.shown()];
        repeated_.emplace();
        for (const KeptText& line : lines)
            repeated_->push_back(count[line.shown()] > 1);
    }
    return *repeated_;
}

int NameListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !showing() ? 0 : static_cast<int>(answer_.leftLines().size());
}

QVariant NameListModel::data(const QModelIndex& index, int role) const
{
    if ((role != Qt::DisplayRole && role != Qt::ToolTipRole && role != DimmedSuffixRole)
        || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const auto line = static_cast<std::size_t>(index.row());
    if (role == Qt::DisplayRole)
        return shown(answer_.leftLines()[line]);
    const KeptText& note = answer_.leftLineNote(line);
    if (note.shown().empty() || (role == DimmedSuffixRole && !repeated()[line]))
        return {};
    return shown(note);
}

int ResultTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !showing() ? 0 : static_cast<int>(lists_.rows().size());
}

int ResultTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ResultColumnCount;
}

QVariant ResultTableModel::data(const QModelIndex& index, int role) const
{
    if (role == Qt::TextAlignmentRole && index.column() == 0)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if ((role != Qt::DisplayRole && role != Qt::ToolTipRole) || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const HitRow& row = *lists_.rows()[static_cast<std::size_t>(index.row())];
    const QString text = index.column() == 0 ? QString::number(index.row() + 1)
                                             : shown(row.texts[static_cast<std::size_t>(index.column() - 1)]);
    const QString oneLine = onOneLine(text);
    if (role == Qt::DisplayRole)
        return oneLine;
    return oneLine == text ? QVariant() : QVariant(text);  // the whole text where the cell cannot show it
}

QVariant ResultTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ResultColumnCount)
        return {};
    return QString::fromUtf8(ResultColumnTitles[static_cast<std::size_t>(section)]);
}

}  // namespace quorvel
