#include "ui/CProfileWnd.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <QCloseEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMessageBox>
#include <QScrollBar>
#include <QVBoxLayout>

#include "analysis/RangeCut.h"
#include "analysis/Statistics.h"
#include "plot/ProfileReadout.h"
#include "qt/PngFile.h"
#include "qt/QtText.h"
#include "report/ReportFile.h"
#include "res/Strings.h"
#include "ui/CProfilePlot.h"
#include "ui/FileDialogs.h"
#include "ui/ReportColumns.h"
#include "ui/SettingsStore.h"

namespace {

constexpr char kSavePictureDialog[] = "savePicture";

}  // namespace

CProfileWnd::CProfileWnd(QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_profileArea(*this),
      m_planArea(*this),
      m_mapArea(*this, m_planArea),
      m_channelArea(*this) {
    setObjectName(QStringLiteral("ProfileWindow"));
    setWindowTitle(QString::fromLatin1(kProfileCaption));
    m_profileArea.setParent(&m_pictureArea);
    m_planArea.setParent(&m_pictureArea);
    m_channelArea.setParent(&m_pictureArea);
    auto* picture = new QHBoxLayout(&m_pictureArea);
    picture->setContentsMargins(0, 0, 0, 0);
    picture->setSpacing(0);
    auto* plots = new QVBoxLayout;
    plots->setSpacing(0);
    plots->addWidget(&m_profileArea, 3);
    plots->addWidget(&m_channelArea, 2);
    picture->addLayout(plots, 3);
    picture->addWidget(&m_planArea, 1);
    m_readout.setObjectName(QStringLiteral("Readout"));
    m_readout.setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_rangeList.setObjectName(QStringLiteral("RangeList"));
    m_rangeList.setModel(&m_rangeModel);
    m_rangeList.verticalHeader()->setVisible(false);
    SetUpReportColumns(
        m_rangeList, kStatisticsColumns, [](int pixels) { return pixels * 5 / 4; },
        StatisticsColumnTexts);
    // Wide enough for every column, beside the scroll bar the 31 rows need.
    m_rangeList.setMinimumWidth(ReportWidth(m_rangeList));
    m_savePicture.setText(QString::fromLatin1(kSavePicture));
    connect(&m_savePicture, &QPushButton::clicked, this, [this] { OnSavePicture(); });
    m_elevationChoice.setObjectName(QStringLiteral("ElevationChoice"));
    for (const char* entry : kElevationChoices) {
        m_elevationChoice.addItem(QString::fromLatin1(entry));
    }
    m_elevationChoice.setEnabled(false);
    connect(&m_elevationChoice, &QComboBox::activated, this,
            [this](int index) { emit ElevationChosen(static_cast<ElevationSource>(index)); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(&m_elevationChoice);
    buttons->addWidget(&m_savePicture);
    auto* side = new QVBoxLayout;
    side->addWidget(&m_channelArea.m_chooser);
    side->addWidget(&m_readout);
    side->addWidget(&m_rangeList, 1);
    side->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(&m_pictureArea, 1);
    layout->addLayout(side);
    resize(1280, 600);
    restoreGeometry(SettingsStore().Value(SettingsStore::kProfileGeometry).toByteArray());
}

CProfileWnd::~CProfileWnd() = default;

const TrackPoint* CProfileWnd::Points() const {
    return m_track != nullptr ? m_track->points.GetData() : nullptr;
}

std::size_t CProfileWnd::Count() const {
    return m_track != nullptr ? m_track->points.GetSize() : 0;
}

const ProfileAxis& CProfileWnd::Axis(bool overDistance) {
    std::optional<ProfileAxis>& axis = m_axes[overDistance ? 1 : 0];
    if (!axis) {
        axis.emplace(Points(), Count(), m_breaks, overDistance);
    }
    return *axis;
}

ProfileView CProfileWnd::View() {
    return WithElevations({Points(), Count(), &Axis(m_overDistance), &m_packed, m_zoom, m_options});
}

ProfileView CProfileWnd::WholeView(bool overDistance) {
    const ProfileAxis& axis = Axis(overDistance);
    return WithElevations({Points(), Count(), &axis, &m_packed, WholeZoom(axis), m_options});
}

ProfileView CProfileWnd::WithElevations(ProfileView view) const {
    if (m_track != nullptr && !m_track->elevations.terrain.IsEmpty()) {
        const TrackElevations& elevations = m_track->elevations;
        view.terrain = elevations.terrain.GetData();
        view.recorded = elevations.recorded.IsEmpty() ? nullptr : elevations.recorded.GetData();
    }
    return view;
}

void CProfileWnd::Follow(const CProfilePlot& plot, const AnalysisSettings& settings,
                         const DisplayOptions& options) {
    m_elevationChoice.setCurrentIndex(static_cast<int>(settings.elevation));
    const bool overDistance = plot.m_overDistance != 0;
    const bool newTrack = m_track != &plot.m_profile || m_plotVersion != plot.ProfileVersion();
    if (!newTrack && overDistance == m_overDistance && options == m_options) {
        return;
    }
    if (newTrack || options != m_options) {
        ++m_version;
    }
    m_track = &plot.m_profile;
    m_plotVersion = plot.ProfileVersion();
    m_overDistance = overDistance;
    m_options = options;
    if (newTrack) {
        m_breaks = TrackBreaks(Points(), Count());
        m_packed = ProfilePoints(Points(), Count());
        m_axes[0].reset();
        m_axes[1].reset();
        m_settings = settings;
        m_cursor.reset();
        m_range.reset();
        m_rangeTrack.points.RemoveAll();
        m_readout.clear();
        m_planArea.Invalidate();
        m_mapArea.Invalidate();
    }
    m_zoom = WholeZoom(Axis(overDistance));
    ShowRangeFigures();
    ZoomChanged();
}

void CProfileWnd::SetCursor(std::size_t i) {
    if (i >= Count() || m_cursor == i) {
        return;
    }
    m_cursor = i;
    const ProfileView view = WithElevations({});
    const ReadoutFrame frame{std::floor(ShownTime(Points()[0].time, m_options.time)),
                             &m_breaks,
                             m_options,
                             m_track->hasTimes,
                             view.recorded,
                             view.terrain,
                             &m_track->channels};
    QStringList lines;
    for (const std::string& line : ReadoutLines(ReadoutOf(Points(), Count(), i, frame))) {
        lines << ToQString(line);
    }
    m_readout.setText(lines.join(QLatin1Char('\n')));
    m_profileArea.update();
    m_channelArea.update();
    m_planArea.update();
    m_mapArea.update();
    emit ReadoutChanged();
}

void CProfileWnd::SetRange(std::size_t first, std::size_t last) {
    if (Count() == 0) {
        return;
    }
    CutRange(*m_track, first, last, m_settings, m_rangeTrack);
    m_rangeStatistics = ComputeStatistics(m_rangeTrack, m_rangeChannels);
    m_range = std::pair(std::min(first, last), std::min(std::max(first, last), Count() - 1));
    ShowRangeFigures();
    m_planArea.RangeChanged();
    m_mapArea.RangeChanged();
    m_profileArea.update();
    m_channelArea.update();
}

void CProfileWnd::ShowRangeFigures() {
    if (!m_range) {
        m_rangeModel.SetRows({});
        return;
    }
    m_rangeModel.SetRows(
        FormatStatisticsRows(m_rangeStatistics, m_rangeChannels, m_options, m_rangeTrack.hasTimes));
}

void CProfileWnd::ZoomChanged() {
    m_profileArea.Invalidate();
    m_profileArea.update();
    m_channelArea.Invalidate();
}

void CProfileWnd::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        m_zoom.ZoomOut();
        ZoomChanged();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CProfileWnd::closeEvent(QCloseEvent* event) {
    SaveGeometry();
    QWidget::closeEvent(event);
}

void CProfileWnd::SaveGeometry() {
    SettingsStore().SetValue(SettingsStore::kProfileGeometry, saveGeometry());
}

void CProfileWnd::OnSavePicture() {
    const QStringList filters{QString::fromLatin1(kPictureFileFilters[0]),
                              QString::fromLatin1(kPictureFileFilters[1])};
    const QString path =
        RunSaveDialog(this, kSavePictureDialog, QString::fromLatin1(kSavePicture), filters);
    if (path.isEmpty()) {
        return;
    }
    if (!WritePicture(path, path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive))) {
        QMessageBox::warning(
            this, windowTitle(),
            QString::fromLatin1(kCannotWriteFile).arg(QDir::toNativeSeparators(path)));
    }
}

bool CProfileWnd::WritePicture(const QString& path, bool svg) {
    if (!svg) {
        return SavePng(ToStdString(path), m_pictureArea.grab().toImage());
    }
    const ChannelPlot channel = m_channelArea.Plot();
    return WriteFile(ToStdString(path),
                     RenderProfilePictureSvg(View(), Marks(), m_profileArea.width(),
                                             m_profileArea.height(), m_planArea.width(), &channel));
}
