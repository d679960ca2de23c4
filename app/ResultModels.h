#pragma once

#include "app/ListState.h"
#include "results/Answer.h"

#include <QAbstractListModel>
#include <QAbstractTableModel>

#include <optional>
#include <vector>

namespace quorvel {

// A model over one of the window's lists. Every change of what it shows is
// announced to its views before the answer or the list state changes: while
// a command clears and fills the answer the model is hidden (it shows
// nothing), so a message box that runs an event loop mid-command never lets
// a view read lines that are being changed.
template <typename QtModel>
class PanelModel : public QtModel {
public:
    // Shows nothing until show().
    void hide() { setShowing(false); }
    // Shows the lists as they now are.
    void show() { setShowing(true); }
    // Changes what the lists show while showing them (with no event loop in between).
    template <typename Change>
    void showChange(Change&& change)
    {
        QtModel::beginResetModel();
        change();
        showing_ = true;
        QtModel::endResetModel();
    }

protected:
    PanelModel(const Answer& answer, const ListState& lists, QObject* parent)
        : QtModel(parent), answer_(answer), lists_(lists)
    {
    }
    bool showing() const { return showing_; }

    const Answer& answer_;
    const ListState& lists_;

private:
    void setShowing(bool showing)
    {
        QtModel::beginResetModel();
        showing_ = showing;
        QtModel::endResetModel();
    }

    bool showing_ = true;
};

// What a list draws dimmed after a line's text: for a start name that
// stands in the left list more than once, the event it starts.
inline constexpr int DimmedSuffixRole = Qt::UserRole + 1;

// The left list: one line per entry of the answer.
class NameListModel : public PanelModel<QAbstractListModel> {
public:
    NameListModel(const Answer& answer, const ListState& lists, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    // Whether each line's name stands on another line too; made when first asked.
    const std::vector<bool>& repeated() const;
    mutable std::optional<std::vector<bool>> repeated_;
};

// The result list: the shown rows, numbered, in seven columns.
class ResultTableModel : public PanelModel<QAbstractTableModel> {
public:
    ResultTableModel(const Answer& answer, const ListState& lists, QObject* parent = nullptr)
        : PanelModel(answer, lists, parent)
    {
    }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
};

}  // namespace quorvel
