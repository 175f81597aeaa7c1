#pragma once

// The tool path in the Z-X plane. Geometry is prepared once per program; panning and
// zooming only change the viewport, and the drawn layer is cached until they do.

#include <QPixmap>
#include <QWidget>
#include <memory>
#include <optional>

#include "viewer/plot_painter.h"
#include "viewer/reader_names.h"
#include "viewer/screen_segments.h"
#include "viewer/viewport.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::backplot {

class WorkpieceLayer;

// What takes the plot's clicks for a while and draws over the path (measuring): panning
// and zooming stay the plot's.
class PlotTool {
  public:
    virtual ~PlotTool() = default;
    virtual void clicked(QPointF at) = 0;
    virtual void hovered(QPointF at) = 0;
    virtual void paint(QPainter& p, const Viewport& view) const = 0;
};

class PlotWidget : public QWidget {
    Q_OBJECT
  public:
    explicit PlotWidget(QWidget* parent = nullptr);

    // keepView: the view stays as it is, for a program of the same extent read anew.
    void setToolpath(std::shared_ptr<const Toolpath> path, bool keepView = false);
    // The workpiece under and over the path; it tells the plot when it changed.
    void setLayer(const WorkpieceLayer* layer) { layer_ = layer; }
    void layerChanged();
    // A new workpiece: a plot that shows the fit fits it in too.
    void workpieceChanged();
    // Highlights the move of a program line; a line without a move shows where the tool
    // stands after it. -1 clears.
    void selectLine(int line);
    void fitToPath();
    // Z up and X to the left, as the wizard's drawings stand; fits the path anew.
    void setUpright(bool upright);
    // The part is always drawn at its true shape; a diameter program shows its mirrored
    // half under the axis too, unless the half-section alone is chosen.
    void setHalfSection(bool on);
    bool halfSection() const { return halfSection_; }
    // The axes named in the program's terms: X as a diameter or a radius, mm or inches.
    AxisNames axisNames() const;
    bool inch() const { return path_ && path_->inch; }
    const Viewport& viewport() const { return view_; }
    std::optional<std::size_t> selectedMove() const { return selectedMove_; }
    // The cycles (indices into the path's contours) whose contour holds the chosen line.
    const std::vector<std::size_t>& chosenContours() const { return chosenContours_; }
    const Toolpath* toolpath() const { return path_.get(); }
    // nullptr: clicks choose moves again.
    void setTool(PlotTool* tool);

    // Index of the move nearest to a widget position, within a few pixels.
    std::optional<std::size_t> moveAt(QPointF pos) const;

  signals:
    void lineClicked(int line);
    void pointerMoved(zivek::backplot::Point at);
    void pointerLeft();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    void viewChanged();
    void ensureVisible(const Move& move);
    bool showsMirroredHalf() const { return path_ && path_->diameterMode && !halfSection_; }

    std::shared_ptr<const Toolpath> path_;
    Viewport view_;
    ScreenSegments segments_;
    ScreenSegments mirrored_;  // the half under the axis, while it is shown
    QPixmap base_;
    std::optional<Viewport> baseView_;  // the view base_ was drawn for
    const WorkpieceLayer* layer_ = nullptr;
    bool layerStale_ = false;  // base_ shows the workpiece as it was
    std::optional<std::size_t> selectedMove_;
    std::vector<std::size_t> chosenContours_;
    PlotTool* tool_ = nullptr;
    std::optional<Point> toolPosition_;
    bool fitted_ = true;  // still showing the fit: a resize fits again
    bool halfSection_ = false;
    std::optional<QPointF> pressAt_;
    QPointF lastDrag_;
    bool dragging_ = false;
};

}  // namespace zivek::backplot
