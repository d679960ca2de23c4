#include "app/ResultModels.h"

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

const char* const ColumnCaptions[7]
    = {"", "filename", "イベント所属", "先頭スタート名", "所属スタート名", "種類", "値"};

}  // namespace

int NameListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !showing() ? 0 : static_cast<int>(panel_.leftLines().size());
}

QVariant NameListModel::data(const QModelIndex& index, int role) const
{
    if ((role != Qt::DisplayRole && role != Qt::ToolTipRole) || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const auto line = static_cast<std::size_t>(index.row());
    if (role == Qt::ToolTipRole) {
        const KeptText& note = panel_.leftLineNote(line);
        return note.shown().empty() ? QVariant() : QVariant(shown(note));
    }
    return shown(panel_.leftLines()[line]);
}

int ResultTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !showing() ? 0 : static_cast<int>(panel_.resultLines().size());
}

int ResultTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 7;
}

QVariant ResultTableModel::data(const QModelIndex& index, int role) const
{
    if (role == Qt::TextAlignmentRole && index.column() == 0)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if ((role != Qt::DisplayRole && role != Qt::ToolTipRole) || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const ResultLine& line = panel_.resultLines()[static_cast<std::size_t>(index.row())];
    const QString text = index.column() == 0 ? QString::fromStdString(line.number)
                                             : shown(line.row->texts[static_cast<std::size_t>(index.column() - 1)]);
    const QString oneLine = onOneLine(text);
    if (role == Qt::DisplayRole)
        return oneLine;
    return oneLine == text ? QVariant() : QVariant(text);  // the whole text where the cell cannot show it
}

QVariant ResultTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= 7)
        return {};
    return QString::fromUtf8(ColumnCaptions[section]);
}

}  // namespace quorvel
