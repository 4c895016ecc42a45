#pragma once
// Asked before unwelcome characters are replaced in the page file names of
// the selected contents entries: the table of replacements (old text, new
// text), which the user may change first. OK writes the table back into the
// configuration; Cancel leaves it as it was.

#include "app/core/AppContext.h"

#include <QDialog>

class QTreeWidget;

namespace mb::gui {

class ReplaceUnwelcomeDialog final : public QDialog {
    Q_OBJECT
public:
    explicit ReplaceUnwelcomeDialog(AppContext& context, QWidget* parent = nullptr);
    QTreeWidget* Table() const { return m_table; }

    void accept() override;

private:
    void AddRow();
    void ModifyRow();
    void RemoveRows();
    // The item dialog: two texts, filled with `oldText` and `newText`;
    // false on Cancel.
    bool EditPair(QString& oldText, QString& newText);

    // The replacement table of these settings is shown and, on OK, changed.
    CConfigData& m_config;
    QTreeWidget* m_table;
};

} // namespace mb::gui
