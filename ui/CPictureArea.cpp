#include "ui/CPictureArea.h"

#include <QPainter>

namespace {

constexpr int kSettleDelay = 100;  // milliseconds without a resize before drawing anew

}  // namespace

CPictureArea::CPictureArea(QWidget* parent) : QWidget(parent) {
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleDelay);
    connect(&m_settle, &QTimer::timeout, this, [this] { Settle(); });
}

CPictureArea::~CPictureArea() = default;

void CPictureArea::resizeEvent(QResizeEvent*) {
    SizeChanged();
    m_drawing.Cancel();
    if (!m_picture.isNull()) {
        m_resizing = true;
        m_settle.start();
    }
}

bool CPictureArea::PaintStretched() {
    if (!m_resizing) {
        return false;
    }
    QPainter(this).drawImage(rect(), m_picture);
    return true;
}
