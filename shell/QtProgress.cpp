#include "QtProgress.h"

#include <algorithm>
#include <climits>

TQtLabel::TQtLabel(QWidget* parent) : QLabel(parent) {}

void TQtLabel::Changed() {
    setText(QString::fromStdU16String(Caption()));
    adjustSize();
}

TQtGauge::TQtGauge(QWidget* parent) : QProgressBar(parent) {
    setFormat(QStringLiteral("%p%"));
    setTextVisible(true);
    setAlignment(Qt::AlignCenter);
    TQtGauge::Changed();
}

void TQtGauge::Changed() {
    const int64_t span = MaxValue() - MinValue();
    if (span <= 0) {
        // A range of 0..0 would make Qt show a busy indicator (and "100%").
        setRange(0, 1);
        setValue(0);
        return;
    }
    // Qt's range is an int: a larger count is shown in steps of `divisor`.
    const int64_t divisor = span / INT_MAX + 1;
    const int64_t done = std::clamp<int64_t>(Progress() - MinValue(), 0, span);
    setRange(0, int(span / divisor));
    setValue(int(done / divisor));
}
