#pragma once

#include <QString>

class QWidget;

namespace tarvix {

// Renders a widget as it stands to a PNG at the given scale (1 or 2), for review.
bool renderToPng(QWidget* widget, const QString& path, qreal scale);

} // namespace tarvix
