#pragma once
// The preferences: the topic-title rule (where the text of new contents and
// index entries comes from) and the unwelcome-character replacements, on two
// tabs. OK writes both into the configuration; Cancel leaves it as it was.

#include "app/core/AppContext.h"
#include "dialogkit/Preferences.h"

#include <QDialog>

class CConfigData;
class QRadioButton;
class QTabWidget;

namespace mb::gui {

class PreferencesDialog final : public QDialog {
    Q_OBJECT
public:
    PreferencesDialog(CConfigData& config, AppContext& context, QWidget* parent);
    void accept() override;
    QTabWidget* Tabs() const { return m_tabs; }

private:
    QWidget* BuildTopicTitlePage();

    CDlgPreferences m_form;
    QTabWidget* m_tabs;
    QRadioButton* m_pageTitle = nullptr;
    QRadioButton* m_htmlWithExtension = nullptr;
    QRadioButton* m_htmlWithoutExtension = nullptr;
    QRadioButton* m_otherWithExtension = nullptr;
    QRadioButton* m_otherWithoutExtension = nullptr;
};

} // namespace mb::gui
