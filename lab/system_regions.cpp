// The region view rendered unshown, with the eigenvalues' marks painted over it.
#include "system_regions.h"

#include <QCoreApplication>
#include <QObject>
#include <QPainter>

#include "chart_file.h"
#include "stability_region_view.h"

namespace kemi::lab {

bool drawSystemRegions(const std::vector<std::size_t>& methods,
                       const std::vector<std::complex<double>>& lambdas, double h,
                       const QString& title, const QString& path, QByteArray& bytes,
                       QString& error) {
  StabilityRegionView view;
  view.setMethods(methods);
  view.setStepPoint(NAN, h);  // no point of one equation
  view.resize(kChartFileSize);
  view.setAttribute(Qt::WA_DontShowOnScreen);
  view.show();
  QCoreApplication::processEvents();
  const QString description =
      QObject::tr(
          "%1: the stability regions with h*lambda marked for the %2 eigenvalues along "
          "the solution (and their conjugates), h = %3.")
          .arg(title)
          .arg(lambdas.size())
          .arg(h);
  return renderPainted(
      {view.size(), title, description,
       [&](QPainter& p) {
         view.render(&p);
         p.setPen(QPen(Qt::black, 1.5));
         p.setBrush(Qt::NoBrush);
         for (const std::complex<double>& lambda : lambdas)
           for (const std::complex<double> z : {h * lambda, h * std::conj(lambda)}) {
             const QPointF at = view.toPixel(z);
             p.drawLine(at + QPointF(-5.0, -5.0), at + QPointF(5.0, 5.0));
             p.drawLine(at + QPointF(-5.0, 5.0), at + QPointF(5.0, -5.0));
           }
       }},
      path, 1.0, bytes, error);
}

}  // namespace kemi::lab
