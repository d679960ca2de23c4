#pragma once

#include "results/ResultsPanel.h"

#include <QAbstractListModel>
#include <QAbstractTableModel>

namespace quorvel {

// The left list: one line per entry of the answer, shown up to its first zero byte.
class LeftListModel : public QAbstractListModel {
public:
    explicit LeftListModel(const ResultsPanel& panel, QObject* parent = nullptr)
        : QAbstractListModel(parent), panel_(panel)
    {
    }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // The panel changed its lines.
    void refresh();

private:
    const ResultsPanel& panel_;
};

// The result list: the shown rows, numbered, in seven columns.
class ResultTableModel : public QAbstractTableModel {
public:
    explicit ResultTableModel(const ResultsPanel& panel, QObject* parent = nullptr)
        : QAbstractTableModel(parent), panel_(panel)
    {
    }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void refresh();

private:
    const ResultsPanel& panel_;
};

}  // namespace quorvel
