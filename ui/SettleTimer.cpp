#include "ui/SettleTimer.h"

#include <utility>

#include <QTimer>
#include <QWidget>

namespace {

constexpr int kSettleDelay = 100;  // milliseconds without a resize before drawing anew

}  // namespace

void SetUpSettleTimer(QTimer& timer, QWidget* widget, std::function<void()> settle) {
    timer.setSingleShot(true);
    timer.setInterval(kSettleDelay);
    QObject::connect(&timer, &QTimer::timeout, widget, std::move(settle));
}
