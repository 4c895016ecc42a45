#include "app/gui/IconSelectDialog.h"

#include "app/gui/UiText.h"
#include "entryeditor/EntryIcons.h"

#include "commonkit/StringTable.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace mb::gui {

namespace {
constexpr int kStrIconCaption = 54;
}

IconSelectDialog::IconSelectDialog(int preselected, QWidget* parent) : QDialog(parent) {
    setObjectName("IconSelectDialog");
    setWindowTitle(QString::fromStdString(CStrHelper::ML_GetStringEx(kStrIconCaption)));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(Text(kStrIconOfSelectedEntries));
    layout->addWidget(label);
    m_icons = new QComboBox;
    label->setBuddy(m_icons);
    setMinimumWidth(280);
    m_icons->setIconSize(QSize(kEntryIconSize, kEntryIconSize));
    for (int i = 0; i < kEntryIconCount; ++i)
        m_icons->addItem(ContentsIcon(i), Text(kStrIconNumber).arg(i + 1));
    m_icons->setCurrentIndex(preselected >= 0 && preselected < kEntryIconCount ? preselected : 0);
    m_icons->setMaxVisibleItems(14);
    layout->addWidget(m_icons);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

int IconSelectDialog::SelectedIcon() const {
    return m_icons->currentIndex();
}

} // namespace mb::gui
