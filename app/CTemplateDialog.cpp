#include "app/CTemplateDialog.h"

#include <algorithm>

#include <QKeyEvent>
#include <QPushButton>

#include "app/DialogBuilder.h"
#include "res/ResourceIds.h"

CTemplateDialog::CTemplateDialog(const DialogTemplate& layout, QWidget* parent)
    : QDialog(parent), m_template(layout) {}

void CTemplateDialog::Create() {
    if (m_created) {
        return;
    }
    m_created = true;
    m_controls = BuildDialog(*this, m_template, m_bound, m_placed);
    m_templateSize = size();
    if (auto* ok = Control<QPushButton>(IDOK)) {
        connect(ok, &QPushButton::clicked, this, [this] { OnOK(); });
    }
    if (auto* cancel = Control<QPushButton>(IDCANCEL)) {
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    }
    if (OnInitDialog()) {
        for (const DialogItem& item : m_template.items) {
            QWidget* control = GetDlgItem(item.id);
            if (control != nullptr && control->focusPolicy() != Qt::NoFocus
                && !control->isHidden()) {
                control->setFocus();
                break;
            }
        }
    }
}

int CTemplateDialog::DoModal() {
    Create();
    return exec();
}

QWidget* CTemplateDialog::GetDlgItem(int id) const {
    const auto found = m_controls.find(id);
    return found != m_controls.end() ? found->second : nullptr;
}

bool CTemplateDialog::UpdateData(bool saveAndValidate) {
    return DoDataExchange(saveAndValidate);
}

void CTemplateDialog::Bind(int id, QWidget& widget) {
    m_bound[id] = &widget;
}

bool CTemplateDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

bool CTemplateDialog::DoDataExchange(bool) {
    return true;
}

void CTemplateDialog::OnOK() {
    if (UpdateData(true)) {
        accept();
    }
}

int CTemplateDialog::LeftColumnGrowth(int) const {
    return 0;
}

void CTemplateDialog::FollowSize() {
    if (!m_created || (m_template.style & kDialogThickFrame) == 0) {
        return;
    }
    const QSize extra = (size() - m_templateSize).expandedTo(QSize(0, 0));
    const int leftColumn = std::max(0, LeftColumnGrowth(extra.width()));
    for (const PlacedControl& control : m_placed) {
        control.widget->setGeometry(FollowGrowth(control, extra, leftColumn));
    }
}

void CTemplateDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    FollowSize();
}

void CTemplateDialog::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (!enter || modifiers != Qt::NoModifier) {
        QDialog::keyPressEvent(event);
        return;
    }
    if (auto* focused = qobject_cast<QPushButton*>(focusWidget())) {
        focused->click();
        return;
    }
    for (auto* button : findChildren<QPushButton*>()) {
        if (button->isDefault() && button->isVisible()) {
            QDialog::keyPressEvent(event);
            return;
        }
    }
    OnOK();
}
