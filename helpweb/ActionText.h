#pragma once
// Toolbar commands of the web windows take their texts from the string
// table, where an entry reads "status-bar prompt\ntool tip".

#include <string>

class QAction;

namespace mb::web {

// Sets the action's text and tool tip to the part after the line break of
// `entry` and its status tip to the part before it.
void SetActionTexts(QAction* action, const std::string& entry);

} // namespace mb::web
