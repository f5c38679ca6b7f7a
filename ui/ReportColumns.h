#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

#include <QVariant>

#include "report/ListFormat.h"

class QTableView;

/// Heading texts and their left alignment for a list model's headerData.
QVariant ColumnHeading(std::span<const ColumnInfo> columns, int section,
                       Qt::Orientation orientation, int role);

/// Gives a report list its column widths, grid lines and whole-row selection. scaleWidth turns
/// a column's width into the pixels of the dialog's font; a column is wider still where its
/// heading or one of its texts (columnTexts) would be cut otherwise.
void SetUpReportColumns(QTableView& view, std::span<const ColumnInfo> columns,
                        const std::function<int(int)>& scaleWidth,
                        const std::function<std::vector<std::string>(std::size_t)>& columnTexts);

/// Pixels a list column needs to show a text whole, in the cells' font or the heading's.
int CellWidthFor(const QTableView& view, const QString& text);
int HeadingWidthFor(const QTableView& view, const QString& text);
