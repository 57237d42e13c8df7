// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTabWidget>

namespace talvex::gui {

/// pgc_Optionen: a tab control whose tabs all have one width, set from the layout rule, instead
/// of the width their captions would ask for.
class JobPageControl final : public QTabWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(JobPageControl)

public:
    explicit JobPageControl(QWidget* parent);
    ~JobPageControl() override = default;

    void setTabWidth(int width);
    [[nodiscard]] int tabWidth() const;
};

} // namespace talvex::gui
