#include "app/gui/ReplacementTableEditor.h"
#include "app/gui/QtPrompt.h"
#include "app/gui/UiText.h"

#include "baseutil/Prompt.h"
#include "commonkit/StringTable.h"
#include "dialogkit/Preferences.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace mb::gui {

namespace {

constexpr int kStrOldText = 606;
constexpr int kStrNewText = 607;
constexpr int kStrItemTitle = 608;
constexpr int kStrSelectRow = 512;
constexpr int kStrAskRemove = 611;

} // namespace

ReplacementTableEditor::ReplacementTableEditor(ReplacementList& list, QWidget* parent)
    : QWidget(parent), m_list(list), m_table(new QTableWidget(0, 2)) {
    m_table->setObjectName("replacements");
    m_table->setHorizontalHeaderLabels({Text(kStrOldText), Text(kStrNewText)});
    m_table->setColumnWidth(0, 150);
    m_table->setColumnWidth(1, 120);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->setShowGrid(true);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* add = new QPushButton(Text(kStrAddButton));
    auto* modify = new QPushButton(Text(kStrModifyButton));
    auto* remove = new QPushButton(Text(kStrRemoveButton));
    add->setObjectName("add");
    modify->setObjectName("modify");
    remove->setObjectName("remove");
    connect(add, &QPushButton::clicked, this, &ReplacementTableEditor::Add);
    connect(modify, &QPushButton::clicked, this, &ReplacementTableEditor::Modify);
    connect(remove, &QPushButton::clicked, this, &ReplacementTableEditor::Remove);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(modify);
    buttons->addWidget(remove);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);
    Fill();
}

void ReplacementTableEditor::Fill() {
    m_table->setRowCount(0);
    for (const ReplacementRow& row : m_list.Rows()) {
        int at = m_table->rowCount();
        m_table->insertRow(at);
        m_table->setItem(at, 0, new QTableWidgetItem(QString::fromStdString(row.oldText)));
        m_table->setItem(at, 1, new QTableWidgetItem(QString::fromStdString(row.newText)));
    }
}

bool ReplacementTableEditor::EditRow(ReplacementRow& row) {
    QDialog dialog(this);
    dialog.setWindowTitle(Text(kStrItemTitle));
    auto* oldText = new QLineEdit(QString::fromStdString(row.oldText));
    auto* newText = new QLineEdit(QString::fromStdString(row.newText));
    oldText->setObjectName("oldText");
    newText->setObjectName("newText");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QFormLayout(&dialog);
    layout->addRow(Text(kStrOldTextField), oldText);
    layout->addRow(Text(kStrNewTextField), newText);
    layout->addRow(buttons);
    dialog.resize(360, dialog.sizeHint().height());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    row = {oldText->text().toStdString(), newText->text().toStdString()};
    return true;
}

bool ReplacementTableEditor::HasSelection() {
    if (!m_table->selectionModel()->selectedRows().isEmpty())
        return true;
    ShowMessageOver(this, CStrHelper::ML_GetStringEx(kStrSelectRow),
                    CStrHelper::ML_GetStringEx(kStrProductName), Buttons::Ok, Icon::Information);
    return false;
}

void ReplacementTableEditor::Add() {
    ReplacementRow row;
    if (!EditRow(row))
        return;
    m_list.Add(row);
    Fill();
    m_table->selectRow(m_table->rowCount() - 1);
}

void ReplacementTableEditor::Modify() {
    if (!HasSelection())
        return;
    int index = m_table->rowCount();
    for (const QModelIndex& selected : m_table->selectionModel()->selectedRows())
        index = std::min(index, selected.row());
    ReplacementRow row = m_list.Rows()[index];
    if (!EditRow(row))
        return;
    m_list.Modify(index, row);
    Fill();
    m_table->selectRow(index);
}

void ReplacementTableEditor::Remove() {
    if (!HasSelection())
        return;
    if (ShowMessageOver(this, CStrHelper::ML_GetStringEx(kStrAskRemove),
                        CStrHelper::ML_GetStringEx(kStrProductName), Buttons::YesNo,
                        Icon::Question) != Answer::Yes)
        return;
    std::vector<int> rows;
    for (const QModelIndex& selected : m_table->selectionModel()->selectedRows())
        rows.push_back(selected.row());
    m_list.Remove(rows);
    Fill();
}

} // namespace mb::gui
