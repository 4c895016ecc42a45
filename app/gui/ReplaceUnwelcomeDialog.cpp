#include "app/gui/ReplaceUnwelcomeDialog.h"
#include "app/gui/QtPrompt.h"
#include "app/gui/UiText.h"

#include "baseutil/Prompt.h"
#include "baseutil/Xml.h"
#include "commonkit/StringTable.h"
#include "runconfig/ConfigData.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace mb::gui {

namespace {

constexpr int kStrCaption = 8;
constexpr int kStrOldText = 606;
constexpr int kStrNewText = 607;
constexpr int kStrItemCaption = 608;
constexpr int kStrNoRowSelected = 512;
constexpr int kStrRemoveRows = 611;

} // namespace

ReplaceUnwelcomeDialog::ReplaceUnwelcomeDialog(AppContext& context, QWidget* parent)
    : QDialog(parent), m_config(context.settings.config) {
    setObjectName("ReplaceUnwelcomeDialog");
    setWindowTitle(Text(kStrCaption));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Text(kStrReplacementsNote)));
    m_table = new QTreeWidget;
    m_table->setColumnCount(2);
    m_table->setHeaderLabels({Text(kStrOldText), Text(kStrNewText)});
    m_table->setRootIsDecorated(false);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->header()->resizeSection(0, 150);
    m_table->header()->resizeSection(1, 120);
    if (const CXML* table = m_config.GetReplacedTable()) {
        for (int i = 0; i < table->GetChildCount(); ++i) {
            const CXML* row = table->GetChildAt(i);
            new QTreeWidgetItem(m_table, {QString::fromStdString(row->GetAttr("old")),
                                          QString::fromStdString(row->GetAttr("new"))});
        }
    }
    auto* rowButtons = new QHBoxLayout;
    auto* add = new QPushButton(Text(kStrAddButton));
    auto* modify = new QPushButton(Text(kStrModifyButton));
    auto* remove = new QPushButton(Text(kStrRemoveButton));
    rowButtons->addWidget(add);
    rowButtons->addWidget(modify);
    rowButtons->addWidget(remove);
    rowButtons->addStretch();
    auto* table = new QHBoxLayout;
    table->addWidget(m_table);
    layout->addLayout(table);
    layout->addLayout(rowButtons);
    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help);
    layout->addWidget(buttons);
    connect(add, &QPushButton::clicked, this, [this] { AddRow(); });
    connect(modify, &QPushButton::clicked, this, [this] { ModifyRow(); });
    connect(remove, &QPushButton::clicked, this, [this] { RemoveRows(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this,
            [&context] { context.ShowHelp("toc11.htm"); });
    resize(380, 320);
}

bool ReplaceUnwelcomeDialog::EditPair(QString& oldText, QString& newText) {
    QDialog dialog(this);
    dialog.setWindowTitle(Text(kStrItemCaption));
    auto* form = new QFormLayout(&dialog);
    auto* oldField = new QLineEdit(oldText);
    auto* newField = new QLineEdit(newText);
    form->addRow(Text(kStrOldText), oldField);
    form->addRow(Text(kStrNewText), newField);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    oldText = oldField->text();
    newText = newField->text();
    return true;
}

void ReplaceUnwelcomeDialog::AddRow() {
    QString oldText;
    QString newText;
    if (EditPair(oldText, newText))
        new QTreeWidgetItem(m_table, {oldText, newText});
}

void ReplaceUnwelcomeDialog::ModifyRow() {
    QList<QTreeWidgetItem*> selected = m_table->selectedItems();
    if (selected.isEmpty()) {
        ShowMessageOver(this, CStrHelper::ML_GetStringEx(kStrNoRowSelected), {}, Buttons::Ok);
        return;
    }
    QTreeWidgetItem* row = selected.first();
    QString oldText = row->text(0);
    QString newText = row->text(1);
    if (EditPair(oldText, newText)) {
        row->setText(0, oldText);
        row->setText(1, newText);
    }
}

void ReplaceUnwelcomeDialog::RemoveRows() {
    QList<QTreeWidgetItem*> selected = m_table->selectedItems();
    if (selected.isEmpty()) {
        ShowMessageOver(this, CStrHelper::ML_GetStringEx(kStrNoRowSelected), {}, Buttons::Ok);
        return;
    }
    if (ShowMessageOver(this, CStrHelper::ML_GetStringEx(kStrRemoveRows),
                        CStrHelper::ML_GetStringEx(kStrCaption), mb::Buttons::YesNo,
                        mb::Icon::Question) != mb::Answer::Yes)
        return;
    qDeleteAll(selected);
}

void ReplaceUnwelcomeDialog::accept() {
    if (CXML* table = m_config.GetReplacedTable()) {
        table->DelAllChild();
        for (int i = 0; i < m_table->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* row = m_table->topLevelItem(i);
            CXML* item = table->AddChild("REPLACE_ITEM");
            item->SetAttr("old", row->text(0).toStdString());
            item->SetAttr("new", row->text(1).toStdString());
        }
    }
    QDialog::accept();
}

} // namespace mb::gui
