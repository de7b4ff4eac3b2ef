// The plot area: the raster does the drawing; the widget sizes it to its own pixels at the
// screen's density, takes its colours from the palette and shows it when asked to paint.
#include "ui/plot_area.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

namespace kemi {
namespace {

const QColor kBackground(255, 255, 192);

Rgb rgbOf(const QColor& colour) {
  return colour.rgb() & 0xFFFFFFu;
}

qsizetype bytesPerLine(const Raster& raster) {
  return qsizetype{raster.width()} * 4;
}

}  // namespace

PlotArea::PlotArea(QWidget* parent) : QWidget(parent) {
  QPalette pal = palette();
  pal.setColor(QPalette::Window, kBackground);
  setPalette(pal);
  setAttribute(Qt::WA_OpaquePaintEvent);
  recreateImage();
}

void PlotArea::recreateImage() {
  dpr_ = devicePixelRatioF();
  const QSize pixels = size() * dpr_;
  raster_.setColours(rgbOf(palette().color(backgroundRole())),
                     rgbOf(palette().color(foregroundRole())));
  raster_.resize(pixels.width(), pixels.height(), width(), height());
  scheduleUpdate();
}

// A hidden widget hears of a resize only when shown; the operations look at the size themselves.
void PlotArea::fitImage() {
  if (QSize(raster_.width(), raster_.height()) != size() * devicePixelRatioF()) recreateImage();
}

void PlotArea::scheduleUpdate() {
  if (updateScheduled_) return;
  updateScheduled_ = true;
  update();
}

void PlotArea::Clear() {
  fitImage();
  raster_.Clear();
  scheduleUpdate();
}

void PlotArea::SetScale(double left, double top, double right, double bottom) {
  fitImage();
  raster_.SetScale(left, top, right, bottom);
}

QImage PlotArea::view() const {
  return QImage(reinterpret_cast<const uchar*>(raster_.pixels()), raster_.width(), raster_.height(),
                bytesPerLine(raster_), QImage::Format_RGB32);
}

QImage PlotArea::image() const {
  const_cast<PlotArea*>(this)->fitImage();
  QImage copy = view().copy();
  copy.setDevicePixelRatio(dpr_);
  return copy;
}

void PlotArea::paintEvent(QPaintEvent* event) {
  updateScheduled_ = false;
  if (devicePixelRatioF() != dpr_) {
    // Moved to a screen of another density: keep the drawing, scaled, until the next run.
    const QImage old = view().copy();
    recreateImage();
    QImage target(reinterpret_cast<uchar*>(raster_.mutablePixels()), raster_.width(),
                  raster_.height(), bytesPerLine(raster_), QImage::Format_RGB32);
    QPainter(&target).drawImage(QRectF(target.rect()), old);
  }
  QPainter painter(this);
  const QRectF area(event->rect());
  painter.drawImage(area, view(), QRectF(area.topLeft() * dpr_, area.size() * dpr_));
}

void PlotArea::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  recreateImage();
}

void PlotArea::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::PaletteChange)
    raster_.setColours(rgbOf(palette().color(backgroundRole())),
                       rgbOf(palette().color(foregroundRole())));
}

}  // namespace kemi
