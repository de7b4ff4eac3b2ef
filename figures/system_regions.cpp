// The region view rendered unshown, with the eigenvalues' marks painted over it.
#include "figures/system_regions.h"

#include <QObject>
#include <QPainter>

#include "figures/picture_file.h"
#include "figures/region_picture.h"

namespace kemi::lab {

bool drawSystemRegions(const std::vector<std::size_t>& methods,
                       const std::vector<std::complex<double>>& lambdas, double h,
                       const QString& title, const QString& path, QByteArray& bytes,
                       QString& error) {
  RegionPicture view;
  view.setMethods(methods);
  view.setStepPoint(NAN, h);  // no point of one equation
  view.setSize(kChartFileSize);
  const QString description =
      QObject::tr(
          "%1: the stability regions with h*lambda marked for the %2 eigenvalues along "
          "the solution (and their conjugates), h = %3.")
          .arg(title)
          .arg(lambdas.size())
          .arg(h);
  return renderPainted(
      {kChartFileSize, title, description,
       [&](QPainter& p) {
         view.paint(p);
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
