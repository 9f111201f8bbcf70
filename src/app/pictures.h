#pragma once
#include <QPixmap>

namespace cpt::app {

// The pictures are drawn, not shipped: a start picture of a leaf with a
// feeding insect and a small life-table curve, a portrait for the author
// frame, and a tree for the dedication window.
QPixmap drawStartPicture(QSize size);
QPixmap drawAuthorPhoto(QSize size);
QPixmap drawDedicationPicture(QSize size);

}  // namespace cpt::app
