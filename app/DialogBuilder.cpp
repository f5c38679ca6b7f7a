#include "app/DialogBuilder.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableView>

#include "app/QtPlatform.h"
#include "qt/QtText.h"
#include "res/ResourceIds.h"

namespace {

// Rounds a * b / c to the nearest integer, as dialog units are scaled.
int MulDiv(int a, int b, int c) {
    return (a * b + c / 2) / c;
}

QPushButton* CreateButton(const DialogItem& item, QWidget* parent) {
    auto* button = new QPushButton(ToQString(item.text), parent);
    // Only a default push button answers Enter wherever the focus is; any other one answers
    // it only while it has the focus, which the dialog handles (CTemplateDialog).
    button->setAutoDefault(false);
    button->setDefault(item.kind == ControlKind::DefPushButton);
    return button;
}

QComboBox* CreateDropDownList(const DialogItem& item, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    for (const char* entry : item.entries) {
        combo->addItem(ToQString(entry));
    }
    combo->setCurrentIndex(-1);
    // The open list is at least as wide as its longest entry, however narrow the box.
    int widest = 0;
    for (int i = 0; i < combo->count(); ++i) {
        widest = std::max(widest, combo->fontMetrics().horizontalAdvance(combo->itemText(i)));
    }
    const QStyle* style = combo->style();
    const int margins = 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1)
                        + 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth)
                        + style->pixelMetric(QStyle::PM_ScrollBarExtent);
    combo->view()->setMinimumWidth(widest + margins);
    combo->view()->setTextElideMode(Qt::ElideNone);
    return combo;
}

QLabel* CreateIcon(QWidget* parent) {
    auto* label = new QLabel(parent);
    const int size = QApplication::style()->pixelMetric(QStyle::PM_LargeIconSize);
    label->setPixmap(LoadProgramIcon().pixmap(size, size));
    return label;
}

void StyleListView(QTableView& view, uint32_t style) {
    view.verticalHeader()->setVisible(false);
    // Fixed row heights keep a list of a million rows cheap to lay out and scroll.
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.verticalHeader()->setDefaultSectionSize(view.fontMetrics().height() + 4);
    view.horizontalHeader()->setHighlightSections(false);
    view.horizontalHeader()->setSectionsClickable((style & kStyleNoSortHeader) == 0);
    view.horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    view.setSelectionMode((style & kStyleMultipleSelect) != 0 ? QAbstractItemView::ExtendedSelection
                                                              : QAbstractItemView::SingleSelection);
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    view.setWordWrap(false);
    view.setTabKeyNavigation(false);  // Tab moves on to the next control
    view.setShowGrid(false);
    if ((style & kStyleShowSelAlways) != 0) {
        QPalette palette = view.palette();
        for (const auto role : {QPalette::Highlight, QPalette::HighlightedText}) {
            palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
        }
        view.setPalette(palette);
    }
    if ((style & kStyleBorder) == 0) {
        view.setFrameShape(QFrame::NoFrame);
    }
}

QWidget* CreateControl(const DialogItem& item, QWidget* parent) {
    switch (item.kind) {
        case ControlKind::PushButton:
        case ControlKind::DefPushButton:
        case ControlKind::OwnerDrawButton:
            return CreateButton(item, parent);
        case ControlKind::ListView:
            return new QTableView(parent);
        case ControlKind::DropDownList:
            return CreateDropDownList(item, parent);
        case ControlKind::Edit:
            return new QLineEdit(parent);
        case ControlKind::StaticText:
            return new QLabel(ToQString(item.text), parent);
        case ControlKind::Icon:
            return CreateIcon(parent);
    }
    return new QWidget(parent);
}

void PlaceControl(QWidget& control, const DialogItem& item, const DialogUnits& units) {
    QRect rect = units.ToPixels(item.rect);
    if (item.kind == ControlKind::DropDownList) {
        // The template's height includes the dropped list; the closed box keeps its own.
        rect.setHeight(control.sizeHint().height());
    }
    if (item.kind == ControlKind::StaticText) {
        // The layout was drawn for a narrower face: a label may run a little past its box
        // rather than lose its last letters.
        rect.setWidth(std::max(rect.width(), control.sizeHint().width()));
    }
    control.setGeometry(rect);
    if (item.name != nullptr) {
        control.setObjectName(QString::fromLatin1(item.name));
    }
    control.setFocusPolicy((item.style & kStyleTabStop) != 0 ? Qt::StrongFocus : Qt::NoFocus);
    if ((item.style & kStyleHidden) != 0) {
        control.setHidden(true);
    }
    if (auto* view = qobject_cast<QTableView*>(&control)) {
        StyleListView(*view, item.style);
    }
}

Qt::WindowFlags WindowFlagsOf(uint32_t style) {
    Qt::WindowFlags flags = ((style & kDialogAppWindow) != 0 ? Qt::Window : Qt::Dialog)
                            | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint;
    if ((style & kDialogCaption) != 0) {
        flags |= Qt::WindowTitleHint;
    }
    if ((style & kDialogSysMenu) != 0) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    }
    if ((style & kDialogMinimizeBox) != 0) {
        flags |= Qt::WindowMinimizeButtonHint;
    }
    if ((style & kDialogMaximizeBox) != 0) {
        flags |= Qt::WindowMaximizeButtonHint;
    }
    return flags;
}

}  // namespace

QRect DialogUnits::ToPixels(const DialogRect& rect) const {
    const QSize size = ToPixels(rect.width, rect.height);
    return {MulDiv(rect.x, averageCharWidth, 4), MulDiv(rect.y, charHeight, 8), size.width(),
            size.height()};
}

QSize DialogUnits::ToPixels(int width, int height) const {
    return {MulDiv(width, averageCharWidth, 4), MulDiv(height, charHeight, 8)};
}

int DialogUnits::ScaleWidth(int pixels) const {
    constexpr int kTemplateCharWidth = 6;  // pixels
    return MulDiv(pixels, averageCharWidth, kTemplateCharWidth);
}

DialogUnits DialogUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average width of the 52 letters, rounded.
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(letters / 26 + 1) / 2, metrics.height()};
}

std::map<int, QWidget*> BuildDialog(QDialog& dialog, const DialogTemplate& layout,
                                    const std::map<int, QWidget*>& bound) {
    // The template's face is not found everywhere: the platform's own face at the template's
    // size keeps the proportions the layout was drawn for.
    QFont font = QApplication::font();
    font.setPointSize(layout.fontPoints);
    dialog.setFont(font);
    const DialogUnits units = DialogUnitsOf(font);
    dialog.setWindowFlags(WindowFlagsOf(layout.style));
    dialog.setWindowTitle(ToQString(layout.caption));
    dialog.setFixedSize(units.ToPixels(layout.width, layout.height));

    std::map<int, QWidget*> controls;
    QWidget* previousTabStop = nullptr;
    for (const DialogItem& item : layout.items) {
        const auto found = bound.find(item.id);
        QWidget* control = nullptr;
        if (found != bound.end()) {
            control = found->second;
            control->setParent(&dialog);
        } else {
            control = CreateControl(item, &dialog);
        }
        PlaceControl(*control, item, units);
        if (item.id != IDC_STATIC) {
            controls[item.id] = control;
        }
        if ((item.style & kStyleTabStop) != 0) {
            if (previousTabStop != nullptr) {
                QWidget::setTabOrder(previousTabStop, control);
            }
            previousTabStop = control;
        }
    }
    return controls;
}
