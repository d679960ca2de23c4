#pragma once

#include "results/ResultsPanel.h"

#include <QAbstractListModel>
#include <QAbstractTableModel>

namespace quorvel {

// A model over one of the panel's lists. Every change of what it shows is
// announced to its views before the panel changes: while a command clears
// and fills the panel the model is hidden (it shows nothing), so a message
// box that runs an event loop mid-command never lets a view read lines
// that are being changed.
template <typename QtModel>
class PanelModel : public QtModel {
public:
    // Shows nothing until show().
    void hide() { setShowing(false); }
    // Shows the panel as it now is.
    void show() { setShowing(true); }
    // Changes the panel while showing it (with no event loop in between).
    template <typename Change>
    void showChange(Change&& change)
    {
        QtModel::beginResetModel();
        change();
        showing_ = true;
        QtModel::endResetModel();
    }

protected:
    PanelModel(const ResultsPanel& panel, QObject* parent) : QtModel(parent), panel_(panel) { }
    bool showing() const { return showing_; }

    const ResultsPanel& panel_;

private:
    void setShowing(bool showing)
    {
        QtModel::beginResetModel();
        showing_ = showing;
        QtModel::endResetModel();
    }

    bool showing_ = true;
};

// The left list: one line per entry of the answer.
class NameListModel : public PanelModel<QAbstractListModel> {
public:
    explicit NameListModel(const ResultsPanel& panel, QObject* parent = nullptr) : PanelModel(panel, parent) { }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
};

// The result list: the shown rows, numbered, in seven columns.
class ResultTableModel : public PanelModel<QAbstractTableModel> {
public:
    explicit ResultTableModel(const ResultsPanel& panel, QObject* parent = nullptr) : PanelModel(panel, parent) { }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
};

}  // namespace quorvel
