#include "ui/CSectionsModel.h"

#include <iterator>

#include "qt/QtText.h"
#include "ui/ReportColumns.h"

CSectionsModel::CSectionsModel(const TrackSectionList& sections, QObject* parent)
    : QAbstractTableModel(parent), m_sections(sections) {}

void CSectionsModel::Rebuild() {
    beginResetModel();
    m_owners = FindNameOwners(m_sections);
    m_firstDay = m_sections.IsEmpty() ? 0.0 : FirstDay(m_sections);
    m_rowCount = static_cast<int>(m_sections.GetSize());
    m_cachedRow = static_cast<std::size_t>(-1);
    endResetModel();
}

void CSectionsModel::Detach() {
    beginResetModel();
    m_owners.clear();
    m_rowCount = 0;
    m_cachedRow = static_cast<std::size_t>(-1);
    endResetModel();
}

int CSectionsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rowCount;
}

int CSectionsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(std::size(kSectionColumns));
}

QVariant CSectionsModel::data(const QModelIndex& index, int role) const {
    const auto row = static_cast<std::size_t>(index.row());
    // A read error may have left fewer sections than rows; such rows stay blank until the
    // list is rebuilt.
    if (role != Qt::DisplayRole || !index.isValid() || row >= m_sections.GetSize()
        || row >= m_owners.size()) {
        return {};
    }
    const SectionRow& cells = Row(row);
    switch (index.column()) {
        case 0:
            return ToQString(cells.begin);
        case 1:
            return ToQString(cells.end);
        case 2:
            return ToQString(cells.points);
        case 3:
            return ToQString(cells.distance);
        case 4:
            return ToQString(cells.name);
        default:
            return {};
    }
}

QVariant CSectionsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    return ColumnHeading(kSectionColumns, section, orientation, role);
}

const SectionRow& CSectionsModel::Row(std::size_t row) const {
    if (row != m_cachedRow) {
        m_cached = FormatSectionRow(m_sections, row, m_firstDay, m_owners[row]);
        m_cachedRow = row;
    }
    return m_cached;
}
