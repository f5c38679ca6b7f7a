#include "ui/ReportView.h"

#include <QHeaderView>
#include <QTableView>

QVariant ColumnHeading(std::span<const ColumnInfo> columns, int section,
                       Qt::Orientation orientation, int role) {
    if (orientation != Qt::Horizontal || section < 0
        || static_cast<std::size_t>(section) >= columns.size()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return QString::fromLatin1(columns[static_cast<std::size_t>(section)].heading);
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    }
    return {};
}

void SetUpReportColumns(QTableView& view, std::span<const ColumnInfo> columns,
                        const std::function<int(int)>& scaleWidth) {
    for (std::size_t i = 0; i < columns.size(); ++i) {
        view.setColumnWidth(static_cast<int>(i), scaleWidth(columns[i].width));
    }
    view.setShowGrid(true);
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
}
