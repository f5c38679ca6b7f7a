#include "ui/CChannelArea.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>

#include "qt/ChannelImage.h"
#include "qt/MarkPen.h"
#include "res/Strings.h"
#include "ui/CProfileWnd.h"
#include "ui/SettingsStore.h"

CChannelArea::CChannelArea(CProfileWnd& owner) : m_owner(owner) {
    setObjectName(QStringLiteral("ChannelArea"));
    setMouseTracking(true);
    setMinimumSize(320, 120);
    m_chooser.setObjectName(QStringLiteral("ChannelChooser"));
    m_chooser.setToolTip(QString::fromLatin1(kChannelChooserTip));
    m_chooser.addItem(QString::fromLatin1(SeriesLabel(PlotSeries::Speed)),
                      QString::fromLatin1(SeriesKey(PlotSeries::Speed)));
    connect(&m_chooser, &QComboBox::currentIndexChanged, this, [this](int index) {
        const std::optional<PlotSeries> series =
            SeriesOfKey(m_chooser.itemData(index).toString().toStdString());
        if (series) {
            SettingsStore().SetValue(SettingsStore::kProfileChannel,
                                     QString::fromLatin1(SeriesKey(*series)));
            Show(*series);
        }
    });
}

CChannelArea::~CChannelArea() = default;

void CChannelArea::Invalidate() {
    m_parts.reset();
    m_pictureValid = false;
    if (m_version != m_owner.TrackVersion()) {
        m_version = m_owner.TrackVersion();
        m_speeds.clear();
        m_speedsValid = false;
        OfferSeries();
    }
    update();
}

void CChannelArea::OfferSeries() {
    const TrackSection* track = m_owner.Track();
    const std::vector<PlotSeries> offered =
        track != nullptr ? OfferedSeries(track->channels) : std::vector{PlotSeries::Speed};
    const std::optional<PlotSeries> remembered =
        SeriesOfKey(SettingsStore().Value(SettingsStore::kProfileChannel).toString().toStdString());
    const auto chosen =
        remembered ? std::find(offered.begin(), offered.end(), *remembered) : offered.end();
    const PlotSeries shown = chosen != offered.end() ? *chosen : PlotSeries::Speed;
    const QSignalBlocker blocker(m_chooser);  // a choice of the program, not the user's
    m_chooser.clear();
    for (const PlotSeries series : offered) {
        m_chooser.addItem(QString::fromLatin1(SeriesLabel(series)),
                          QString::fromLatin1(SeriesKey(series)));
    }
    m_chooser.setCurrentIndex(
        static_cast<int>(std::find(offered.begin(), offered.end(), shown) - offered.begin()));
    m_series = shown;
}

void CChannelArea::Show(PlotSeries series) {
    m_series = series;
    m_parts.reset();
    m_pictureValid = false;
    update();
}

const double* CChannelArea::Values() {
    const TrackSection* track = m_owner.Track();
    if (track == nullptr || m_owner.Count() == 0) {
        return nullptr;
    }
    if (const std::optional<Channel> channel = ChannelOf(m_series)) {
        return track->channels.Has(*channel) ? track->channels.Of(*channel).GetData() : nullptr;
    }
    if (!m_speedsValid) {
        m_speeds = PointSpeeds(m_owner.Points(), m_owner.Count(), m_owner.View().options.units);
        m_speedsValid = true;
    }
    return m_speeds.data();
}

ChannelPlot CChannelArea::Plot() {
    return {Values(), SeriesCaption(m_series, m_owner.View().options.units), height()};
}

const ProfilePictureParts& CChannelArea::Parts() {
    if (!m_parts) {
        m_parts = ChannelPictureOf(m_owner.m_profileArea.Parts(), Plot());
        m_pictureValid = false;
    }
    return *m_parts;
}

void CChannelArea::SizeChanged() {
    m_parts.reset();
    m_pictureValid = false;
}

void CChannelArea::Settle() {
    m_settle.stop();
    m_resizing = false;
    update();
}

void CChannelArea::paintEvent(QPaintEvent*) {
    if (PaintStretched()) {
        return;
    }
    const ProfilePictureParts& parts = Parts();
    const ProfileView view = m_owner.View();
    if (!m_pictureValid) {
        m_picture = DrawChannelPicture(parts, view, Values(), size());
        m_pictureValid = true;
    }
    QPainter painter(this);
    painter.drawImage(0, 0, m_picture);
    if (view.count == 0) {
        return;
    }
    const PlotRect& r = parts.mapping.Rect();
    if (const auto& range = m_owner.Range()) {
        const auto [left, right] = RangeColumns(parts, view, *range);
        painter.fillRect(QRect(left, r.top, right - left + 1, r.bottom - r.top), MarkColour(kRangeSpanStyle));
    }
    if (const auto& cursor = m_owner.Cursor()) {
        const int x = CursorColumn(parts, view, *cursor);
        painter.setPen(MarkPen(kCursorStyle));
        painter.drawLine(x, r.top, x, r.bottom);
    }
}

void CChannelArea::mouseMoveEvent(QMouseEvent* event) {
    if (m_owner.Count() == 0) {
        return;
    }
    const ProfileAxis& axis = m_owner.Axis(m_owner.OverDistance());
    m_owner.SetCursor(PointAtPixel(axis.Values(), axis.Count(), Parts().mapping,
                                   event->position().toPoint().x()));
}
