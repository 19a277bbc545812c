#pragma once
// The progress display of a run on Qt widgets: each is the widget and the platform-layer
// object in one, so the window hands the same member to the run and to its layout.
//
// TQtLabel shows its caption as the label's text and sizes itself to it. TQtGauge shows the
// gauge as a progress bar with the percentage done as its text ("0%" at the start); while
// the maximum is not above the minimum it shows an empty bar at 0%, never Qt's busy
// indicator.

#include <QLabel>
#include <QProgressBar>

#include "Progress.h"

class TQtLabel final : public QLabel, public TLabel {
  public:
    explicit TQtLabel(QWidget* parent);

  protected:
    void Changed() override;
};

class TQtGauge final : public QProgressBar, public TGauge {
  public:
    explicit TQtGauge(QWidget* parent);

  protected:
    void Changed() override;
};
