#pragma once

#include <cstddef>
#include <vector>

#include <QAbstractTableModel>

#include "report/ListFormat.h"
#include "track/TrackSectionList.h"

/// Rows of the sections list: row i stands for section i. The texts are made when the view
/// asks for them, so a list of a million sections costs only the rows on screen.
class CSectionsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit CSectionsModel(const TrackSectionList& sections, QObject* parent = nullptr);

    /// Takes the rows anew from the sections; leaves no row selected in the views.
    void Rebuild();
    /// Shows no rows until the next Rebuild: the sections are about to be replaced.
    void Detach();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const SectionRow& Row(std::size_t row) const;

    const TrackSectionList& m_sections;
    std::vector<std::ptrdiff_t> m_owners;  // named section that each row's name comes from
    double m_firstDay = 0.0;               // days since 1899-12-30
    int m_rowCount = 0;
    // The view asks for the cells of one row in turn; the five texts are made once.
    mutable std::size_t m_cachedRow = static_cast<std::size_t>(-1);
    mutable SectionRow m_cached;
};
