// Pictures packed as palette PNGs: the face and back libraries stay a fraction of their
// true-colour size, and a card's few hundred colours hardly show the difference.
#include <QBuffer>
#include <libimagequant.h>

#include "libgen.h"

namespace libgen {

QByteArray PalettePng(const QImage& picture) {
  const QImage rgba = picture.convertToFormat(QImage::Format_RGBA8888);
  QByteArray bytes;
  QBuffer out(&bytes);
  out.open(QIODevice::WriteOnly);
  liq_attr* attr = liq_attr_create();
  liq_set_speed(attr, 10);
  liq_set_quality(attr, 70, 98);
  liq_image* image = liq_image_create_rgba(attr, rgba.constBits(), rgba.width(), rgba.height(), 0);
  liq_result* result = nullptr;
  QImage indexed;
  if (image && liq_image_quantize(image, attr, &result) == LIQ_OK) {
    liq_set_dithering_level(result, 0.8f);
    indexed = QImage(rgba.size(), QImage::Format_Indexed8);
    std::vector<unsigned char*> rows(rgba.height());
    for (int y = 0; y < rgba.height(); ++y) rows[y] = indexed.scanLine(y);
    if (liq_write_remapped_image_rows(result, image, rows.data()) == LIQ_OK) {
      const liq_palette* pal = liq_get_palette(result);
      QVector<QRgb> table;
      for (unsigned i = 0; i < pal->count; ++i)
        table << qRgba(pal->entries[i].r, pal->entries[i].g, pal->entries[i].b, pal->entries[i].a);
      indexed.setColorTable(table);
    } else {
      indexed = QImage();
    }
    liq_result_destroy(result);
  }
  if (image) liq_image_destroy(image);
  liq_attr_destroy(attr);
  // A picture the quantizer cannot hold well enough stays in true colour.
  (indexed.isNull() ? picture : indexed).save(&out, "PNG");
  return bytes;
}

}  // namespace libgen
