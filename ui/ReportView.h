#pragma once

#include <functional>
#include <span>

#include <QVariant>

#include "ui/ListFormat.h"

class QTableView;

/// Heading texts and their left alignment for a list model's headerData.
QVariant ColumnHeading(std::span<const ColumnInfo> columns, int section,
                       Qt::Orientation orientation, int role);

/// Gives a report list its column widths, grid lines and whole-row selection; scaleWidth turns
/// a column's width into the pixels of the list's font.
void SetUpReportColumns(QTableView& view, std::span<const ColumnInfo> columns,
                        const std::function<int(int)>& scaleWidth);
