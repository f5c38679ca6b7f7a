#pragma once

#include <vector>

#include <QAbstractTableModel>

#include "report/ListFormat.h"

/// Rows of the statistics list: label, value and unit of each figure.
class CStatisticsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit CStatisticsModel(QObject* parent = nullptr);

    /// Replaces every row.
    void SetRows(std::vector<StatisticsRow> rows);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<StatisticsRow> m_rows;
};
