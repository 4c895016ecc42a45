#pragma once
// The ids of the contents and index commands that CCommandManager::DoCommand
// accepts.

namespace mb {

inline constexpr int CMD_ADD_FOLDER_TO_CONTENTS = 0;
inline constexpr int CMD_ADD_FOLDER_TO_INDEX = 1;
inline constexpr int CMD_ADD_FOLDER_TO_FILES = 2;
inline constexpr int CMD_ADD_FILES_TO_CONTENTS = 3;
inline constexpr int CMD_ADD_FILES_TO_INDEX = 4;
inline constexpr int CMD_ADD_FILES_TO_FILES = 5;
inline constexpr int CMD_ADD_MERGE_FILES = 6;
inline constexpr int CMD_NEW_CONTENTS_HEADING = 7;
inline constexpr int CMD_NEW_INDEX_KEYWORD = 8;
inline constexpr int CMD_ADD_SELECTION_TO_INDEX = 9;
inline constexpr int CMD_ADD_PAGE_KEYWORDS = 10;
inline constexpr int CMD_CHANGE_CONTENTS_LOCAL = 11;
inline constexpr int CMD_CHANGE_INDEX_LOCAL = 12;
inline constexpr int CMD_CHANGE_CONTENTS_ICONS = 13;
inline constexpr int CMD_FOLDER_VIEW_TO_CONTENTS = 14;
inline constexpr int CMD_FOLDER_VIEW_TO_INDEX = 15;
inline constexpr int CMD_ARCHIVE_VIEW_TO_CONTENTS = 16;
inline constexpr int CMD_ARCHIVE_VIEW_TO_INDEX = 17;
inline constexpr int CMD_SORT_CONTENTS_AZ = 18;
inline constexpr int CMD_SORT_CONTENTS_ZA = 19;
inline constexpr int CMD_DELETE_CONTENTS = 20;
inline constexpr int CMD_DELETE_ALL_CONTENTS = 21;
inline constexpr int CMD_DELETE_INDEX = 22;
inline constexpr int CMD_DELETE_ALL_INDEX = 23;
inline constexpr int CMD_DELETE_FILES = 24;
inline constexpr int CMD_DELETE_MERGE_FILES = 25;
inline constexpr int CMD_DELETE_ALL_FILES = 26;
inline constexpr int CMD_NEW_CONTENTS_PAGE = 27;
inline constexpr int CMD_MOVE_CONTENTS_DOWN = 28;
inline constexpr int CMD_MOVE_CONTENTS_LEFT = 29;
inline constexpr int CMD_MOVE_CONTENTS_RIGHT = 30;
inline constexpr int CMD_MOVE_CONTENTS_UP = 31;
inline constexpr int CMD_MOVE_INDEX_DOWN = 32;
inline constexpr int CMD_MOVE_INDEX_LEFT = 33;
inline constexpr int CMD_MOVE_INDEX_RIGHT = 34;
inline constexpr int CMD_MOVE_INDEX_UP = 35;
inline constexpr int CMD_RENAME_CONTENTS = 36;
inline constexpr int CMD_RENAME_INDEX = 37;
inline constexpr int CMD_CONTENTS_BACKGROUND = 38;
inline constexpr int CMD_CONTENTS_FONT = 39;
inline constexpr int CMD_DRAG_MOVE_CONTENTS = 40;
inline constexpr int CMD_DRAG_COPY_CONTENTS = 41;
inline constexpr int CMD_DRAG_MOVE_INDEX = 42;
inline constexpr int CMD_DRAG_COPY_INDEX = 43;
inline constexpr int CMD_INDEX_MAKE_SUBTOPIC = 44;
inline constexpr int CMD_INDEX_MAKE_KEYWORD = 45;
inline constexpr int CMD_INDEX_SPLIT_TOPICS = 46;
inline constexpr int CMD_SORT_INDEX_AZ = 47;
inline constexpr int CMD_SORT_INDEX_ZA = 48;
inline constexpr int CMD_INDEX_FROM_CONTENTS = 49;
inline constexpr int CMD_FOLDER_VIEW_TO_FILES = 50;
inline constexpr int CMD_FOLDER_VIEW_TO_MERGE_FILES = 51;
inline constexpr int CMD_REPLACE_UNWELCOME_CHARS = 52;
inline constexpr int CMD_KEEP_FILES_LIST = 56;

} // namespace mb
