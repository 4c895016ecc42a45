#include "app/gui/QtDialogHost.h"
#include "app/gui/UiText.h"

#include "dialogkit/EntryDialogs.h"
#include "dialogkit/NewPageDialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <functional>

namespace mb::gui {

namespace {

// A dialog with the given caption, a vertical layout and OK / Cancel at
// the bottom; `onOk` decides whether OK closes it.
class Form : public QDialog {
public:
    Form(QWidget* parent, const std::string& caption) : QDialog(parent) {
        setWindowTitle(ToQ(caption));
        m_layout = new QVBoxLayout(this);
    }
    QVBoxLayout* Body() { return m_layout; }
    // Adds the buttons; OK runs `onOk` and closes only when it agrees.
    bool Run(std::function<bool()> onOk) {
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        m_layout->addWidget(buttons);
        connect(buttons, &QDialogButtonBox::accepted, this, [this, onOk] {
            if (onOk())
                accept();
        });
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        return exec() == QDialog::Accepted;
    }

private:
    QVBoxLayout* m_layout;
};

} // namespace

bool QtDialogHost::ShowAddSelectedToIndex(CDlgAddSelectedCEToIndex& dialog) {
    Form form(m_parent, Text(kStrAddToIndexTitle).toStdString());
    form.setObjectName("AddToIndexDialog");
    form.Body()->addWidget(new QLabel(Text(kStrAddToIndexNote)));
    auto* subEntries = new QCheckBox(Text(kStrIncludeSubEntries));
    subEntries->setChecked(dialog.GetInitialCheck());
    form.Body()->addWidget(subEntries);
    return form.Run([&] {
        dialog.OnOK(subEntries->isChecked());
        return true;
    });
}

bool QtDialogHost::ShowKeywordsSelect(CDlgKeywordsSelect& dialog) {
    Form form(m_parent, dialog.GetCaption());
    form.setObjectName("KeywordsDialog");
    form.Body()->addWidget(new QLabel(Text(kStrPageKeywordsPrompt)));
    auto* list = new QListWidget;
    for (const std::string& keyword : dialog.GetKeywords()) {
        auto* item = new QListWidgetItem(ToQ(keyword), list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    form.Body()->addWidget(list);
    bool ok = form.Run([&] {
        std::vector<bool> checked;
        for (int i = 0; i < list->count(); ++i)
            checked.push_back(list->item(i)->checkState() == Qt::Checked);
        dialog.OnOK(checked);
        return true;
    });
    if (!ok)
        dialog.OnCancel();
    return ok;
}

bool QtDialogHost::ShowGetURL(CDlgGetURL& dialog) {
    Form form(m_parent, dialog.GetCaption());
    form.setObjectName("UrlDialog");
    form.setMinimumWidth(420);
    auto* label = new QLabel(Text(kStrAddressField));
    auto* field = new QLineEdit(ToQ(dialog.GetInitialText()));
    label->setBuddy(field);
    form.Body()->addWidget(label);
    form.Body()->addWidget(field);
    return form.Run([&] { return dialog.OnOK(field->text().toStdString()); });
}

bool QtDialogHost::ShowNewPage(CDlgNewPage& dialog) {
    Form form(m_parent, dialog.GetCaption());
    form.setObjectName("NewPageDialog");
    form.setMinimumWidth(460);
    auto* fields = new QFormLayout;
    auto* title = new QLineEdit(ToQ(dialog.GetTitleText()));
    title->selectAll();
    auto* fileName = new QLineEdit(ToQ(dialog.GetFileNameText()));
    auto* folder = new QLineEdit(ToQ(dialog.GetFolderText()));
    auto* browse = new QPushButton(Text(kStrBrowseButton));
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(folder);
    folderRow->addWidget(browse);
    fields->addRow(Text(kStrPageTitleField), title);
    fields->addRow(Text(kStrFileNameField), fileName);
    auto* folderLabel = new QLabel(Text(kStrPageFolderField));
    folderLabel->setBuddy(folder);
    fields->addRow(folderLabel, folderRow);
    form.Body()->addLayout(fields);
    // The file name follows the title until the user types one.
    QObject::connect(title, &QLineEdit::textEdited, &form, [&](const QString& text) {
        dialog.OnTitleChanged(text.toStdString());
        fileName->setText(ToQ(dialog.GetFileNameText()));
    });
    QObject::connect(fileName, &QLineEdit::editingFinished, &form, [&] {
        dialog.SetFileNameText(fileName->text().toStdString());
        dialog.OnFileNameKillFocus();
    });
    QObject::connect(browse, &QPushButton::clicked, &form, [&] {
        QString chosen =
            QFileDialog::getExistingDirectory(&form, Text(kStrNewPageFolderTitle), folder->text());
        if (!chosen.isEmpty())
            folder->setText(chosen);
    });
    return form.Run([&] {
        dialog.SetFileNameText(fileName->text().toStdString());
        dialog.SetFolderText(folder->text().toStdString());
        return dialog.OnOK();
    });
}

bool QtDialogHost::ShowEnterEditItem(CDlgEnterEditItem& dialog) {
    Form form(m_parent, dialog.GetCaption());
    form.setObjectName("EditItemDialog");
    form.Body()->addWidget(new QLabel(ToQ(dialog.GetPrompt())));
    auto* field = new QLineEdit(ToQ(dialog.GetItemText()));
    form.Body()->addWidget(field);
    field->setFocus();
    return form.Run([&] {
        dialog.OnOK(field->text().toStdString());
        return true;
    });
}

std::optional<uint32_t> QtDialogHost::ChooseColor(uint32_t initial) {
    // Colours are kept as 0x00BBGGRR.
    QColor start(initial & 0xFF, (initial >> 8) & 0xFF, (initial >> 16) & 0xFF);
    QColor chosen = QColorDialog::getColor(start, m_parent);
    if (!chosen.isValid())
        return std::nullopt;
    return static_cast<uint32_t>(chosen.red()) | (static_cast<uint32_t>(chosen.green()) << 8) |
           (static_cast<uint32_t>(chosen.blue()) << 16);
}

std::optional<LOGFONTA> QtDialogHost::ChooseFont(const LOGFONTA& initial) {
    QFont start(ToQ(initial.lfFaceName));
    if (initial.lfHeight != 0)
        start.setPixelSize(static_cast<int>(initial.lfHeight < 0 ? -initial.lfHeight : initial.lfHeight));
    start.setBold(initial.lfWeight >= 600);
    start.setItalic(initial.lfItalic != 0);
    bool ok = false;
    QFont chosen = QFontDialog::getFont(&ok, start, m_parent, QString(),
                                        QFontDialog::ScalableFonts | QFontDialog::NonScalableFonts);
    if (!ok)
        return std::nullopt;
    LOGFONTA font = initial;
    font.lfFaceName = chosen.family().toStdString();
    int pixels = chosen.pixelSize() > 0 ? chosen.pixelSize()
                                        : static_cast<int>(chosen.pointSizeF() * 96.0 / 72.0 + 0.5);
    font.lfHeight = -pixels;
    font.lfWeight = chosen.bold() ? 700 : 400;
    font.lfItalic = chosen.italic() ? 1 : 0;
    font.lfUnderline = 0;
    font.lfStrikeOut = 0;
    return font;
}

} // namespace mb::gui
