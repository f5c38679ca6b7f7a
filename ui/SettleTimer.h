#pragma once

#include <functional>

class QTimer;
class QWidget;

/// Makes the timer call settle once no resize came for a moment: while a widget's size changes,
/// its last picture is shown stretched, and the track is drawn anew only at the size it rests at.
void SetUpSettleTimer(QTimer& timer, QWidget* widget, std::function<void()> settle);
