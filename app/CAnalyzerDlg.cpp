#include "app/CAnalyzerDlg.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>

#include "analysis/Statistics.h"
#include "app/DialogBuilder.h"
#include "app/QtPlatform.h"
#include "qt/QtText.h"
#include "report/ListFormat.h"
#include "report/ThresholdText.h"
#include "res/ResourceIds.h"
#include "res/Strings.h"
#include "ui/ReportColumns.h"
#include "ui/SettingsStore.h"

CAnalyzerDlg::CAnalyzerDlg(QWidget* parent)
    : CTemplateDialog(kAnalyzerDialog, parent), m_hIcon(LoadProgramIcon()) {
    Bind(IDC_STATISTICS, m_statsList);
    Bind(IDC_PLOT, m_plot);
    Bind(IDC_SECTIONS, m_sectionsList);
    m_statsList.setModel(&m_statsModel);
    m_sectionsList.setModel(&m_sectionsModel);
    m_timer.setSingleShot(true);
    m_timer.setInterval(kRecomputeDelay);
}

CAnalyzerDlg::~CAnalyzerDlg() = default;

bool CAnalyzerDlg::OnInitDialog() {
    RestoreChoices();
    RestoreTerrain();
    ConnectCommands();
    CreateActions();
    CreateTerrainActions();
    CTemplateDialog::OnInitDialog();
    AddAboutEntry();
    if (!m_hIcon.isNull()) {
        setWindowIcon(m_hIcon);
    }
    const DialogUnits units = DialogUnitsOf(font());
    const auto scaleWidth = [&units](int pixels) {
        return units.ScaleWidth(pixels);
    };
    SetUpReportColumns(m_sectionsList, kSectionColumns, scaleWidth, SectionColumnTexts);
    SetUpReportColumns(m_statsList, kStatisticsColumns, scaleWidth, StatisticsColumnTexts);
    m_statsWidth = ReportWidth(m_statsList);
    // The last column takes the room the list has; a name too long for it keeps its number.
    m_sectionsList.horizontalHeader()->setStretchLastSection(true);
    m_statsList.horizontalHeader()->setStretchLastSection(true);
    m_sectionsList.setTextElideMode(Qt::ElideMiddle);
    for (QWidget* part : std::initializer_list<QWidget*>{
             &m_sectionsList, m_sectionsList.viewport(), m_sectionsList.horizontalHeader(),
             &m_statsList, m_statsList.viewport(), m_statsList.horizontalHeader(), &m_plot}) {
        part->installEventFilter(this);
    }
    setAcceptDrops(true);
    FollowSize();
    restoreGeometry(SettingsStore().Value(SettingsStore::kMainGeometry).toByteArray());
    if (!m_startFiles.isEmpty()) {
        // Once the window is on screen, so that a message box about a file stands over it.
        QTimer::singleShot(0, this, [this] { OpenFiles(m_startFiles, false); });
    }
    return true;
}

void CAnalyzerDlg::ConnectCommands() {
    connect(Control<QPushButton>(IDC_LOAD), &QPushButton::clicked, this, [this] { OnLoadTrack(); });
    connect(Control<QPushButton>(IDC_CLEAR), &QPushButton::clicked, this, [this] { OnClear(); });
    connect(Control<QPushButton>(IDC_APPEND), &QPushButton::clicked, this, [this] { OnAppend(); });
    connect(Control<QPushButton>(IDC_UPDATE), &QPushButton::clicked, this, [this] { OnUpdate(); });
    connect(Control<QPushButton>(ID_HELP), &QPushButton::clicked, this, [this] { OnHelpButton(); });
    // activated: only a choice the user confirms, never a change made by the program.
    connect(Control<QComboBox>(IDC_CONNECTION), &QComboBox::activated, this,
            [this] { OnUpdate(); });
    connect(Control<QComboBox>(IDC_PLOT_MODE), &QComboBox::activated, this,
            [this] { OnPlotModeSelEndOk(); });
    connect(m_sectionsList.selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { OnSectionsItemChanged(); });
    connect(&m_timer, &QTimer::timeout, this, [this] { OnTimer(); });
    connect(&m_plot, &CProfilePlot::DoubleClicked, this, [this] { OnShowProfile(); });
}

bool CAnalyzerDlg::DoDataExchange(bool saveAndValidate) {
    auto* plotMode = Control<QComboBox>(IDC_PLOT_MODE);
    auto* connection = Control<QComboBox>(IDC_CONNECTION);
    if (saveAndValidate) {
        m_plotMode = plotMode->currentIndex();
        m_connectionMode = connection->currentIndex();
        if (!ReadThreshold(IDC_VERTICAL_THRESHOLD, m_verticalThreshold)
            || !ReadThreshold(IDC_SPEED_THRESHOLD, m_speedThreshold)) {
            return false;
        }
        m_plot.m_overDistance = m_plotMode == 0 ? 1 : 0;
        StoreChoices();
        return true;
    }
    plotMode->setCurrentIndex(m_plotMode);
    connection->setCurrentIndex(m_connectionMode);
    WriteThreshold(IDC_VERTICAL_THRESHOLD, m_verticalThreshold);
    WriteThreshold(IDC_SPEED_THRESHOLD, m_speedThreshold);
    ShowData();
    return true;
}

bool CAnalyzerDlg::ReadThreshold(int id, double& value) {
    auto* edit = Control<QLineEdit>(id);
    if (const auto number = ReadThresholdText(ToStdString(edit->text()))) {
        value = *number;
        return true;
    }
    ShowWarningBox(QString::fromLatin1(kPleaseEnterNumber));
    edit->setFocus();
    edit->selectAll();
    return false;
}

void CAnalyzerDlg::WriteThreshold(int id, double value) {
    Control<QLineEdit>(id)->setText(ToQString(FormatThreshold(value)));
}

// The display pass: title, sections list while it is out of date, plot, statistics.
void CAnalyzerDlg::ShowData() {
    if (m_sections.IsEmpty() || m_sectionsChanged) {
        setWindowTitle(ToQString(FormatTitle(m_sections, m_display)));
    }
    if (m_sectionsChanged) {
        m_sectionsModel.Rebuild();
        m_sectionsChanged = false;
    }
    m_plot.update();
    if (m_profileWnd) {
        m_profileWnd->Follow(m_plot, m_analysis, m_display);
    }
    // The figures of an unchanged track, and the stretch flags they leave in it, come out the
    // same every time: a pass that only switches the mode need not walk the track again.
    if (m_statsVersion != m_trackVersion) {
        m_statistics = ComputeStatistics(m_track, m_channels);
        m_statsVersion = m_trackVersion;
        ShowStatistics();
    }
}
