#include "ui/ReportColumns.h"

#include <algorithm>

#include <QHeaderView>
#include <QStyle>
#include <QTableView>

#include "qt/QtText.h"

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

int CellWidthFor(const QTableView& view, const QString& text) {
    // The item delegate keeps a focus margin and one pixel free on each side of the text; the
    // grid line and a little air take a few more.
    const int margin = view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1;
    return view.fontMetrics().horizontalAdvance(text) + 2 * margin + 4;
}

int HeadingWidthFor(const QTableView& view, const QString& text) {
    const QHeaderView* header = view.horizontalHeader();
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    return header->fontMetrics().horizontalAdvance(text) + 2 * margin + 6;
}

void SetUpReportColumns(QTableView& view, std::span<const ColumnInfo> columns,
                        const std::function<int(int)>& scaleWidth,
                        const std::function<std::vector<std::string>(std::size_t)>& columnTexts) {
    for (std::size_t i = 0; i < columns.size(); ++i) {
        int width = std::max(scaleWidth(columns[i].width),
                             HeadingWidthFor(view, QString::fromLatin1(columns[i].heading)));
        for (const std::string& text : columnTexts(i)) {
            width = std::max(width, CellWidthFor(view, ToQString(text)));
        }
        view.setColumnWidth(static_cast<int>(i), width);
    }
    view.setShowGrid(true);
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
}
