// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFontMetrics>

#include "core/services/PathDisplay.h"

namespace talvex::gui {

/// Measures texts in pixels of a font, for the core's text fitting (message boxes with paths).
class FontTextMeasurer final : public TextMeasurer {
public:
    explicit FontTextMeasurer(const QFont& font) : m_metrics(font) {}
    [[nodiscard]] int width(std::string_view utf8) const override {
        return m_metrics.horizontalAdvance(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    }

private:
    QFontMetrics m_metrics;
};

} // namespace talvex::gui
