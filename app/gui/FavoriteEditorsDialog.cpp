#include "app/gui/FavoriteEditorsDialog.h"
#include "app/gui/HelpWindow.h"
#include "app/gui/UiText.h"
#include "commonkit/HelpTopics.h"

#include "commonkit/FavoriteEditorManager.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace mb::gui {

namespace {

QPushButton* Button(const QString& text, QVBoxLayout* column) {
    auto* button = new QPushButton(text);
    column->addWidget(button);
    return button;
}

} // namespace

FavoriteEditorsDialog::FavoriteEditorsDialog(CFavoriteEditorManager& manager, QWidget* parent)
    : QDialog(parent), m_form(manager), m_types(new QListWidget), m_editors(new QTreeWidget) {
    setWindowTitle(Text(kStrFavoriteEditorsTitle));
    SetHelpTopic(this, help::kFavoriteEditors);
    m_types->setObjectName("types");
    m_editors->setObjectName("editors");
    m_editors->setHeaderLabels({Text(kStrNameColumn), Text(kStrProgramColumn)});
    m_editors->setRootIsDecorated(false);
    m_editors->header()->setStretchLastSection(true);
    m_editors->setColumnWidth(0, 120);
    connect(m_types, &QListWidget::currentRowChanged, this, [this] { FillEditors(0); });

    auto* typeButtons = new QVBoxLayout;
    connect(Button(Text(kStrAddTypeButton), typeButtons), &QPushButton::clicked, this,
            &FavoriteEditorsDialog::AddType);
    connect(Button(Text(kStrRemoveTypeButton), typeButtons), &QPushButton::clicked, this, [this] {
        int type = m_types->currentRow();
        m_form.RemoveType(type);
        FillTypes(std::max(0, type - 1));
    });
    typeButtons->addStretch();
    auto* editorButtons = new QVBoxLayout;
    connect(Button(Text(kStrAddEditorButton), editorButtons), &QPushButton::clicked, this,
            &FavoriteEditorsDialog::AddEditor);
    connect(Button(Text(kStrRemoveEditorButton), editorButtons), &QPushButton::clicked, this,
            [this] {
                int editor = m_editors->indexOfTopLevelItem(m_editors->currentItem());
                m_form.RemoveEditor(m_types->currentRow(), editor);
                FillEditors(std::max(0, editor - 1));
            });
    connect(Button(Text(kStrMoveUpButton), editorButtons), &QPushButton::clicked, this,
            [this] { Move(-1); });
    connect(Button(Text(kStrMoveDownButton), editorButtons), &QPushButton::clicked, this,
            [this] { Move(1); });
    editorButtons->addStretch();

    auto* note = new QLabel(Text(kStrFavoriteEditorsNote));
    note->setWordWrap(true);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(Text(kStrFileTypesLabel)), 0, 0);
    grid->addWidget(new QLabel(Text(kStrEditorsOfTypeLabel)), 0, 2);
    grid->addWidget(m_types, 1, 0);
    grid->addLayout(typeButtons, 1, 1);
    grid->addWidget(m_editors, 1, 2);
    grid->addLayout(editorButtons, 1, 3);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 3);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &FavoriteEditorsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FavoriteEditorsDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addLayout(grid, 1);
    layout->addWidget(buttons);
    resize(760, 380);
    FillTypes(0);
}

void FavoriteEditorsDialog::FillTypes(int select) {
    QSignalBlocker block(m_types);
    m_types->clear();
    for (const std::string& type : m_form.Types())
        m_types->addItem(QString::fromStdString(type));
    m_types->setCurrentRow(std::min(select, m_types->count() - 1));
    FillEditors(0);
}

void FavoriteEditorsDialog::FillEditors(int select) {
    m_editors->clear();
    for (const FavoriteEditor& editor : m_form.Editors(m_types->currentRow()))
        new QTreeWidgetItem(m_editors, {QString::fromStdString(editor.name),
                                        QString::fromStdString(editor.program)});
    if (select < m_editors->topLevelItemCount())
        m_editors->setCurrentItem(m_editors->topLevelItem(select));
}

void FavoriteEditorsDialog::AddType() {
    bool ok = false;
    QString type = QInputDialog::getText(this, windowTitle(), Text(kStrFileTypePrompt),
                                         QLineEdit::Normal, {}, &ok);
    int added = 0;
    if (ok && m_form.AddType(type.toStdString(), &added))
        FillTypes(added);
}

void FavoriteEditorsDialog::AddEditor() {
    int type = m_types->currentRow();
    if (type < 0)
        return;
    QString program = QFileDialog::getOpenFileName(this, Text(kStrChooseEditorTitle), "/usr/bin");
    if (program.isEmpty())
        return;
    bool ok = false;
    QString name = QInputDialog::getText(this, windowTitle(), Text(kStrMenuNamePrompt),
                                         QLineEdit::Normal, QFileInfo(program).fileName(), &ok);
    if (ok && m_form.AddEditor(type, {name.toStdString(), program.toStdString()}))
        FillEditors(m_editors->topLevelItemCount());
}

void FavoriteEditorsDialog::Move(int direction) {
    int editor = m_editors->indexOfTopLevelItem(m_editors->currentItem());
    if (m_form.MoveEditor(m_types->currentRow(), editor, direction))
        FillEditors(editor + direction);
}

void FavoriteEditorsDialog::accept() {
    m_form.OnOK();
    QDialog::accept();
}

} // namespace mb::gui
