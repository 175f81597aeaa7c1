#pragma once

// Measuring on the plot: two points, each snapped to the nearest move end or arc centre
// within a few pixels, joined by a line; the distance, ΔZ and ΔX between them in words.
// While it is on, the plot's clicks take points instead of choosing lines.

#include <QObject>
#include <optional>

#include "viewer/plot_widget.h"

class QPushButton;

namespace zivek::backplot {

class MeasureTool : public QObject, public PlotTool {
    Q_OBJECT
  public:
    explicit MeasureTool(PlotWidget* plot);

    void setActive(bool on);
    bool active() const { return active_; }
    // Another program: the points taken belong to the one before.
    void restart();
    // What the measure says now: which point to click, or the result.
    QString text() const;
    // The points taken, true radii; the second only once a measure is whole.
    std::optional<Point> first() const { return first_; }
    std::optional<Point> second() const { return second_; }

    // A point of the path within the snapping distance of `at`, the nearest.
    std::optional<Point> snap(QPointF at) const;

    void clicked(QPointF at) override;
    void hovered(QPointF at) override;
    void paint(QPainter& p, const Viewport& view) const override;

  signals:
    void activeChanged(bool on);
    void textChanged(const QString& text);

  private:
    void clear();

    PlotWidget* plot_;
    bool active_ = false;
    std::optional<Point> first_;
    std::optional<Point> second_;
    std::optional<Point> hover_;  // where a click would snap to now
};

// "Ölç", checkable, beside the plot's other buttons; M turns it on and off, Esc off.
QPushButton* makeMeasureButton(QWidget* window, MeasureTool* tool);

}  // namespace zivek::backplot
