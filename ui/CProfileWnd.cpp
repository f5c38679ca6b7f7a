#include "ui/CProfileWnd.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMessageBox>
#include <QVBoxLayout>

#include "analysis/RangeCut.h"
#include "analysis/Statistics.h"
#include "plot/ProfilePicture.h"
#include "plot/ProfileReadout.h"
#include "qt/PngFile.h"
#include "qt/QtText.h"
#include "report/ReportFile.h"
#include "res/Strings.h"
#include "ui/CProfilePlot.h"
#include "ui/ReportColumns.h"

CProfileWnd::CProfileWnd(QWidget* parent)
    : QWidget(parent, Qt::Window), m_profileArea(*this), m_planArea(*this) {
    setObjectName(QStringLiteral("ProfileWindow"));
    setWindowTitle(QString::fromLatin1(kProfileCaption));
    m_profileArea.setParent(&m_pictureArea);
    m_planArea.setParent(&m_pictureArea);
    auto* picture = new QHBoxLayout(&m_pictureArea);
    picture->setContentsMargins(0, 0, 0, 0);
    picture->setSpacing(0);
    picture->addWidget(&m_profileArea, 3);
    picture->addWidget(&m_planArea, 1);
    m_readout.setObjectName(QStringLiteral("Readout"));
    m_readout.setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_rangeList.setObjectName(QStringLiteral("RangeList"));
    m_rangeList.setModel(&m_rangeModel);
    m_rangeList.setMinimumWidth(360);
    SetUpReportColumns(
        m_rangeList, kStatisticsColumns, [](int pixels) { return pixels * 5 / 4; },
        StatisticsColumnTexts);
    m_savePicture.setText(QString::fromLatin1(kSavePicture));
    connect(&m_savePicture, &QPushButton::clicked, this, [this] { OnSavePicture(); });
    auto* side = new QVBoxLayout;
    side->addWidget(&m_readout);
    side->addWidget(&m_rangeList, 1);
    side->addWidget(&m_savePicture);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(&m_pictureArea, 1);
    layout->addLayout(side);
    resize(1280, 600);
}

CProfileWnd::~CProfileWnd() = default;

const TrackPoint* CProfileWnd::Points() const {
    return m_track != nullptr ? m_track->points.GetData() : nullptr;
}

std::size_t CProfileWnd::Count() const {
    return m_track != nullptr ? m_track->points.GetSize() : 0;
}

void CProfileWnd::Follow(const CProfilePlot& plot, const AnalysisSettings& settings) {
    const bool overDistance = plot.m_overDistance != 0;
    const bool newTrack = m_track != &plot.m_profile || m_version != plot.ProfileVersion();
    if (!newTrack && overDistance == m_overDistance) {
        return;
    }
    m_track = &plot.m_profile;
    m_version = plot.ProfileVersion();
    m_overDistance = overDistance;
    m_zoom = WholeZoom(Points(), Count(), overDistance);
    if (newTrack) {
        m_settings = settings;
        m_cursor.reset();
        m_range.reset();
        m_rangeModel.SetRows({});
        m_readout.clear();
        m_planArea.Invalidate();
    }
    ZoomChanged();
}

void CProfileWnd::SetCursor(std::size_t i) {
    if (i >= Count() || m_cursor == i) {
        return;
    }
    m_cursor = i;
    const double firstDay = std::floor(Points()[0].time);
    QStringList lines;
    for (const std::string& line : ReadoutLines(ReadoutOf(Points(), Count(), i, firstDay))) {
        lines << ToQString(line);
    }
    m_readout.setText(lines.join(QLatin1Char('\n')));
    m_profileArea.update();
    m_planArea.update();
    emit ReadoutChanged();
}

void CProfileWnd::SetRange(std::size_t first, std::size_t last) {
    if (Count() == 0) {
        return;
    }
    TrackSection range;
    CutRange(*m_track, first, last, m_settings, range);
    ChannelStatistics channels;
    const TrackStatistics statistics = ComputeStatistics(range, channels);
    m_rangeModel.SetRows(FormatStatisticsRows(statistics, channels));
    m_range = std::pair(std::min(first, last), std::min(std::max(first, last), Count() - 1));
    m_planArea.Invalidate();
    m_profileArea.update();
}

void CProfileWnd::ZoomChanged() {
    m_profileArea.Invalidate();
    m_profileArea.update();
}

void CProfileWnd::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        m_zoom.ZoomOut();
        ZoomChanged();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CProfileWnd::OnSavePicture() {
    QString filter;
    const QString filters = QStringList{QString::fromLatin1(kPictureFileFilters[0]),
                                        QString::fromLatin1(kPictureFileFilters[1])}
                                .join(QStringLiteral(";;"));
    QString path =
        QFileDialog::getSaveFileName(this, QString::fromLatin1(kSavePicture), {}, filters, &filter);
    if (path.isEmpty()) {
        return;
    }
    const bool svg = path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)
                     || (filter == QString::fromLatin1(kPictureFileFilters[1])
                         && !path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive));
    if (!WritePicture(path, svg)) {
        QMessageBox::warning(
            this, windowTitle(),
            QString::fromLatin1(kCannotWriteFile).arg(QDir::toNativeSeparators(path)));
    }
}

bool CProfileWnd::WritePicture(const QString& path, bool svg) {
    if (!svg) {
        return SavePng(ToStdString(path), m_pictureArea.grab().toImage());
    }
    return WriteFile(
        ToStdString(path),
        RenderProfilePictureSvg(Points(), Count(), m_overDistance, m_zoom, m_profileArea.width(),
                                m_profileArea.height(), m_planArea.width()));
}
