#include "widgets/ColorBox.h"

#include <QComboBox>
#include <QPainter>
#include <QPixmap>

#include "wallpaper/FillColor.h"

void AddStandardColors(QComboBox* box) {
  for (const NamedColor& color : StandardColors) {
    QPixmap swatch(22, 14);
    swatch.fill(QColor::fromRgb(ColorFromTColor(color.tcolor)));
    QPainter frame(&swatch);
    frame.setPen(Qt::black);
    frame.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
    frame.end();
    box->addItem(QIcon(swatch), QString::fromUtf8(color.name.data(), static_cast<qsizetype>(color.name.size())),
                 color.tcolor);
  }
}

void SelectColor(QComboBox* box, std::int32_t color) {
  int index = box->findData(color);
  if (index < 0) {
    box->addItem(QString("$%1").arg(static_cast<quint32>(color), 8, 16, QChar('0')).toUpper(), color);
    index = box->count() - 1;
  }
  box->setCurrentIndex(index);
}
