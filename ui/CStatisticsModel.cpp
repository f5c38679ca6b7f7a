#include "ui/CStatisticsModel.h"

#include <iterator>
#include <utility>

#include "qt/QtText.h"
#include "ui/ReportColumns.h"

CStatisticsModel::CStatisticsModel(QObject* parent) : QAbstractTableModel(parent) {}

void CStatisticsModel::SetRows(std::vector<StatisticsRow> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int CStatisticsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int CStatisticsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(std::size(kStatisticsColumns));
}

QVariant CStatisticsModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()
        || static_cast<std::size_t>(index.row()) >= m_rows.size()) {
        return {};
    }
    const StatisticsRow& row = m_rows[static_cast<std::size_t>(index.row())];
    switch (index.column()) {
        case 0:
            return ToQString(row.label);
        case 1:
            return ToQString(row.value);
        case 2:
            return ToQString(row.unit);
        default:
            return {};
    }
}

QVariant CStatisticsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    return ColumnHeading(kStatisticsColumns, section, orientation, role);
}
