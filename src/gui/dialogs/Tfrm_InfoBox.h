// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <string>

class QLabel;
class QPushButton;
class QUrl;
class QWidget;

namespace talvex::gui {

/// The about box: name, version, description and build note from the program's own version
/// information, a contact line, the translator of the catalogue in use, and the legal notice,
/// which opens the home page when clicked.
class Tfrm_InfoBox final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tfrm_InfoBox)

public:
    /// How the home page is opened; the browser by default.
    using UrlOpener = std::function<void(const QUrl&)>;

    /// Reads the version information of `programFile`. Without any, the box shows its design texts
    /// and no contact lines, and the legal notice opens nothing.
    explicit Tfrm_InfoBox(const std::string& programFile, QWidget* parent = nullptr, UrlOpener openUrl = {});
    ~Tfrm_InfoBox() override = default;

    /// Renews every text in the current language, the translator line included.
    void retranslate();

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    UrlOpener m_openUrl;
    bool m_hasVersion = false;
    QString m_internalName;
    QString m_homepage;
    QWidget* m_contactPanel = nullptr;
    QLabel* m_description = nullptr;
    QLabel* m_buildNote = nullptr;
    QLabel* m_version = nullptr;
    QLabel* m_contactLabel = nullptr;
    QLabel* m_contact = nullptr;
    QLabel* m_translatorLabel = nullptr;
    QLabel* m_translator = nullptr;
    QLabel* m_copyright = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace talvex::gui
