#pragma once
// The form in the right pane that shows the selected contents entry and the
// selected index entry side by side and edits their name, link, icon and
// index type. It never changes the trees itself: every change is one
// command of the command manager, sent once when a field is left or Enter
// is pressed, so that it can be undone. Escape puts the entry's value back.
// It follows selections and changes by observing the contents and index
// models; undo and redo update the fields through the same notifications.

#include "baseutil/Subject.h"
#include "baseutil/SubjectWatch.h"

#include <QWidget>

#include <string>

class CCommandManager;
class CProjectFile;
class CXML;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QToolButton;

class CViewTocIndexEntry : public QWidget, public CObserver {
public:
    explicit CViewTocIndexEntry(QWidget* parent = nullptr);
    ~CViewTocIndexEntry() override;

    // Observes the project and its contents and index models (not owned).
    void SetProjectSubject(CProjectFile* project);
    void SetCommandManager(CCommandManager* commands) { m_commands = commands; }
    int Update(CSubject* subject, const NotifyInfo& info) override;

    // The entries shown, or null. Only their IDs are kept, so an entry that
    // left its tree (deleted, or a whole new project loaded) is never used.
    CXML* ContentsEntry() const;
    CXML* IndexEntry() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QGroupBox* BuildContentsGroup();
    QGroupBox* BuildIndexGroup();
    void FillIconCombo();

    void OnContentsNotification(int code, CXML* node);
    void OnIndexNotification(int code, CXML* node);
    void ShowContentsEntry(CXML* node);
    void ShowContentsLink();
    void ShowIndexEntry(CXML* node);
    void ShowIndexLink();
    void ShowLink(const CXML* entry, QLineEdit* link, QLineEdit* path);
    void EnableContentsEditor(bool enable);
    void EnableIndexEditor();
    void SelectIcon();

    void CommitContentsName();
    void CommitIndexName();
    void SendRename(int command, const CXML* entry, const QLineEdit* field);
    void CommitContentsLink();
    void CommitIndexLink(const std::string& link);
    void CommitIcon(int position);
    void PickContentsLink();
    void PickIndexLink();
    void PlainKeywordChecked();
    void TopicOfKeywordChecked();
    // Puts the shown entry's current value back into `field`.
    void Restore(QLineEdit* field);

    void Send(int command, CXML& parameters);
    // "Local" as a path relative to the project folder.
    std::string RelativePath(const std::string& local) const;
    // A link as the link field shows it: a page inside the project folder
    // relative to that folder, the way it is typed there; anything else as
    // the entry keeps it.
    std::string ShownLink(const std::string& local) const;
    // A link typed into a link field as the entry keeps it: a relative path
    // is taken from the project folder.
    std::string StoredLink(const std::string& typed) const;

    CProjectFile* m_project = nullptr;
    CCommandManager* m_commands = nullptr;
    std::string m_contentsId;
    std::string m_indexId;
    // The trees, not watched while a project is read.
    SubjectWatch m_treeWatch{*this};

    QGroupBox* m_contentsGroup = nullptr;
    QLineEdit* m_contentsName = nullptr;
    QComboBox* m_icon = nullptr;
    QLineEdit* m_contentsLink = nullptr;
    QToolButton* m_contentsBrowse = nullptr;
    QLineEdit* m_contentsPath = nullptr;

    QGroupBox* m_indexGroup = nullptr;
    QLineEdit* m_indexName = nullptr;
    QLineEdit* m_indexLink = nullptr;
    QToolButton* m_indexBrowse = nullptr;
    QLineEdit* m_indexPath = nullptr;
    QCheckBox* m_plainKeyword = nullptr;
    QCheckBox* m_severalTopics = nullptr;
    QCheckBox* m_topicOfKeyword = nullptr;
};
